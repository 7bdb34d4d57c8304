#include "shell/gamepad.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "base/game_state.h"
#include "shell/key_bindings.h"

namespace {

// Bits of the game's key set (key_names.h).
constexpr uint16_t PAD_LEFT = 1 << 0, PAD_RIGHT = 1 << 1, PAD_UP = 1 << 2, PAD_DOWN = 1 << 3,
                   PAD_SPACE = 1 << 4, PAD_S = 1 << 5, PAD_ENTER = 1 << 6;

const char* const PAD_ACTIONS[] = {"fire", "jump", "start"};
constexpr int PAD_ACTION_COUNT = 3;

PadButtons active_buttons = DEFAULT_PAD_BUTTONS;
bool pad_started = false;

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
    if (length < 1 || length > 2 || (length == 2 && text[0] == '0'))
        return -1;
    int value = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value < MAX_JOYSTICK_BUTTONS ? value : -1;
}

uint16_t stick_directions(const JOYSTICK_STICK_INFO& stick)
{
    if (stick.num_axis < 2)
        return 0;
    uint16_t keys = 0;
    if (stick.axis[0].d1)
        keys |= PAD_LEFT;
    if (stick.axis[0].d2)
        keys |= PAD_RIGHT;
    if (stick.axis[1].d1)
        keys |= PAD_UP;
    if (stick.axis[1].d2)
        keys |= PAD_DOWN;
    return keys;
}

bool button_held(const JOYSTICK_INFO& pad, int button)
{
    return button >= 0 && button < pad.num_buttons && button < MAX_JOYSTICK_BUTTONS
           && pad.button[button].b;
}

}  // namespace

bool parse_pad_buttons(const char* text, PadButtons& buttons, char* error, size_t size)
{
    PadButtons result = DEFAULT_PAD_BUTTONS;
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
                          PAD_ACTIONS[action], MAX_JOYSTICK_BUTTONS - 1,
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

bool pad_buttons_setting()
{
    return list_setting("TARNBLAST_PAD", [](const char* text, char* error, size_t size) {
        return parse_pad_buttons(text, active_buttons, error, size);
    });
}

uint16_t pad_key_set(const JOYSTICK_INFO& pad, int32_t game_mode, const PadButtons& buttons)
{
    uint16_t keys = 0;
    if (pad.num_sticks > 0) {
        keys |= stick_directions(pad.stick[0]);
        for (int s =
                 (pad.num_sticks < MAX_JOYSTICK_STICKS ? pad.num_sticks : MAX_JOYSTICK_STICKS) - 1;
             s > 0; --s)
            if (pad.stick[s].num_axis >= 2) {
                keys |= stick_directions(pad.stick[s]);
                break;
            }
    }
    if (button_held(pad, buttons.fire))
        keys |= PAD_SPACE;
    if (button_held(pad, buttons.jump))
        keys |= game_mode == MODE_EDITOR ? PAD_ENTER : PAD_UP;
    if (button_held(pad, buttons.start))
        keys |= PAD_S;
    return keys;
}

void start_gamepad()
{
    pad_started = install_joystick(JOY_TYPE_AUTODETECT) == 0 && num_joysticks > 0;
}

uint16_t polled_pad_key_set(int32_t game_mode)
{
    if (!pad_started || poll_joystick() != 0)
        return 0;
    uint16_t keys = 0;
    for (int i = 0; i < num_joysticks && i < MAX_JOYSTICKS; ++i)
        keys |= pad_key_set(joy[i], game_mode, active_buttons);
    return keys;
}
