#include "program/gamepad.h"

#include <cstdio>
#include <iterator>

#include "base/game_state.h"
#include "base/key_names.h"
#include "base/short_text.h"
#include "program/action_list.h"

namespace {

// The pad's actions by the names a list gives them, and their buttons.
struct PadAction {
    const char* name;
    int PadButtons::*button;
};
constexpr PadAction PAD_ACTIONS[] = {
    {"fire", &PadButtons::fire},
    {"jump", &PadButtons::jump},
    {"start", &PadButtons::start},
};
constexpr int PAD_ACTION_COUNT = sizeof PAD_ACTIONS / sizeof PAD_ACTIONS[0];
const ActionList PAD_ACTION_LIST = {PAD_ACTION_COUNT,
                                    [](int action) { return PAD_ACTIONS[action].name; }, "button"};

PadButtons active_buttons = DEFAULT_PAD_BUTTONS;

}  // namespace

bool parse_pad_buttons(const char* text, PadButtons& buttons, char* error, size_t size)
{
    PadButtons result = DEFAULT_PAD_BUTTONS;
    const auto take_button = [&result](int action, const char* value, size_t length, char* why,
                                       size_t why_size) {
        const int button = parse_small_number(value, length, 0, PAD_BUTTON_COUNT - 1);
        if (button >= 0) {
            result.*PAD_ACTIONS[action].button = button;
            return true;
        }
        std::snprintf(why, why_size, "%s needs a button number from 0 to %d, not \"%.*s\"",
                      PAD_ACTIONS[action].name, PAD_BUTTON_COUNT - 1, quoted_length(length), value);
        return false;
    };
    if (!read_action_list(text, PAD_ACTION_LIST, take_button, error, size))
        return false;
    for (const PadAction& a : PAD_ACTIONS)
        for (const PadAction* b = &a + 1; b != std::end(PAD_ACTIONS); ++b)
            if (result.*a.button == result.*b->button) {
                std::snprintf(error, size, "%s and %s would share button %d; give each its own",
                              a.name, b->name, result.*a.button);
                return false;
            }
    buttons = result;
    return true;
}

bool pad_buttons_setting()
{
    return list_setting(SETTING_PAD, [](const char* text, char* error, size_t size) {
        return parse_pad_buttons(text, active_buttons, error, size);
    });
}

uint16_t pad_key_set(const PadState& pad, int32_t game_mode, const PadButtons& buttons)
{
    const auto held = [&](int button) { return (pad.buttons >> button & 1) != 0; };
    uint16_t keys = 0;
    if (pad.left)
        keys |= key_bit(CONTROL_LEFT);
    if (pad.right)
        keys |= key_bit(CONTROL_RIGHT);
    if (pad.up)
        keys |= key_bit(CONTROL_UP);
    if (pad.down)
        keys |= key_bit(CONTROL_DOWN);
    if (held(buttons.fire))
        keys |= key_bit(CONTROL_SPACE);
    if (held(buttons.jump))
        keys |= key_bit(game_mode == MODE_EDITOR ? CONTROL_ENTER : CONTROL_UP);
    if (held(buttons.start))
        keys |= key_bit(CONTROL_S);
    return keys;
}

uint16_t pad_key_set(const PadState& pad, int32_t game_mode)
{
    return pad_key_set(pad, game_mode, active_buttons);
}
