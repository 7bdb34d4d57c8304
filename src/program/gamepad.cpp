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

PadLayout active_layout = PAD_KERNEL_NUMBERING;
PadButtons active_buttons = PAD_LAYOUTS[PAD_KERNEL_NUMBERING].buttons;

}  // namespace

bool parse_pad_buttons(const char* text, PadButtons& buttons, char* error, size_t size)
{
    PadButtons result = buttons;
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

bool pad_buttons_setting(PadLayout layout)
{
    active_layout = layout;
    active_buttons = PAD_LAYOUTS[layout].buttons;
    return list_setting(SETTING_PAD, [](const char* text, char* error, size_t size) {
        return parse_pad_buttons(text, active_buttons, error, size);
    });
}

uint16_t pad_key_set(const PadState& pad, int32_t game_mode, const PadButtons& buttons,
                     PadLayout layout)
{
    const PadLayoutRow& row = PAD_LAYOUTS[layout];
    const auto held = [&](int button) { return (pad.buttons >> button & 1) != 0; };
    bool left = false, right = false, up = false, down = false;
    const auto add_stick = [&](const PadStick& stick) {
        left = left || stick.x * 4 < -PAD_AXIS_FULL;
        right = right || stick.x * 4 > PAD_AXIS_FULL;
        up = up || stick.y * 4 < -PAD_AXIS_FULL;
        down = down || stick.y * 4 > PAD_AXIS_FULL;
    };
    const int sticks = pad.sticks < PAD_MAX_STICKS ? pad.sticks : PAD_MAX_STICKS;
    if (sticks > 0 && pad.stick[0].axes >= 2)
        add_stick(pad.stick[0]);
    for (int s = sticks - 1; row.dpad_is_last_stick && s > 0; --s)
        if (pad.stick[s].axes >= 2) {
            add_stick(pad.stick[s]);
            break;
        }
    if (row.dpad_first_button >= 0) {
        up = up || held(row.dpad_first_button);
        down = down || held(row.dpad_first_button + 1);
        left = left || held(row.dpad_first_button + 2);
        right = right || held(row.dpad_first_button + 3);
    }
    uint16_t keys = 0;
    const auto hold = [&](bool on, Control control) { keys |= on ? key_bit(control) : 0; };
    hold(left, CONTROL_LEFT);
    hold(right, CONTROL_RIGHT);
    hold(up, CONTROL_UP);
    hold(down, CONTROL_DOWN);
    hold(held(buttons.fire), CONTROL_SPACE);
    hold(held(buttons.jump), game_mode == MODE_EDITOR ? CONTROL_ENTER : CONTROL_UP);
    hold(held(buttons.start), CONTROL_S);
    return keys;
}

uint16_t pads_key_set(const PadState* pads, int count, int32_t game_mode)
{
    uint16_t keys = 0;
    for (int i = 0; i < count && i < PAD_MAX_PADS; ++i)
        keys |= pad_key_set(pads[i], game_mode, active_buttons, active_layout);
    return keys;
}
