#include "program/gamepad.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "base/game_state.h"
#include "base/physical_keys.h"
#include "program/key_bindings.h"

namespace {

const char* const PAD_ACTIONS[] = {"fire", "jump", "start"};
constexpr int PAD_ACTION_COUNT = 3;

PadLayout active_layout = PAD_KERNEL_NUMBERING;
PadButtons active_buttons = PAD_LAYOUTS[PAD_KERNEL_NUMBERING].buttons;

int* button_of(PadButtons& buttons, int action)
{
    return action == 0 ? &buttons.fire : action == 1 ? &buttons.jump : &buttons.start;
}

int pad_action(const char* name, size_t length)
{
    for (int i = 0; i < PAD_ACTION_COUNT; ++i)
        if (std::strlen(PAD_ACTIONS[i]) == length && strncasecmp(name, PAD_ACTIONS[i], length) == 0)
            return i;
    return -1;
}

// A button number: 0 to 31 with no leading zero, or -1.
int button_number(const char* text, size_t length)
{
    return parse_small_number(text, length, 0, PAD_BUTTON_COUNT - 1);
}

}  // namespace

bool parse_pad_buttons(const char* text, PadButtons& buttons, char* error, size_t size)
{
    PadButtons result = buttons;
    bool named[PAD_ACTION_COUNT] = {};
    if (has_empty_entry(text)) {
        std::snprintf(error, size, "an empty entry in \"%.60s\"; write action=button, ...", text);
        return false;
    }
    Assignment entry;
    while (next_assignment(text, entry)) {
        const int action = pad_action(entry.name, entry.name_length);
        if (action < 0) {
            std::snprintf(error, size, "unknown action \"%.*s\"; the actions are fire, jump, start",
                          int(entry.name_length < 40 ? entry.name_length : 40), entry.name);
            return false;
        }
        if (named[action]) {
            std::snprintf(error, size, "%s is given twice", PAD_ACTIONS[action]);
            return false;
        }
        named[action] = true;
        const int button = entry.value ? button_number(entry.value, entry.value_length) : -1;
        if (button < 0) {
            std::snprintf(error, size, "%s needs a button number from 0 to %d, not \"%.*s\"",
                          PAD_ACTIONS[action], PAD_BUTTON_COUNT - 1,
                          int(entry.value_length < 40 ? entry.value_length : 40),
                          entry.value ? entry.value : "");
            return false;
        }
        *button_of(result, action) = button;
    }
    for (int a = 0; a < PAD_ACTION_COUNT; ++a)
        for (int b = a + 1; b < PAD_ACTION_COUNT; ++b)
            if (*button_of(result, a) == *button_of(result, b)) {
                std::snprintf(error, size, "%s and %s would share button %d; give each its own",
                              PAD_ACTIONS[a], PAD_ACTIONS[b], *button_of(result, a));
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
