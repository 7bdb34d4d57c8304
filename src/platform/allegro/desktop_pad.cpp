#include "platform/allegro/desktop_pad.h"

#include <allegro.h>

#include "program/gamepad.h"

namespace {

bool pad_started = false;

void add_stick(const JOYSTICK_STICK_INFO& stick, PadState& state)
{
    if (stick.num_axis < 2)
        return;
    state.left = state.left || stick.axis[0].d1;
    state.right = state.right || stick.axis[0].d2;
    state.up = state.up || stick.axis[1].d1;
    state.down = state.down || stick.axis[1].d2;
}

// The directions come from the first stick (the left stick, or the d-pad of
// a simple pad) and from the last two-axis stick (the d-pad of pads with two
// sticks, whose hat the kernel gives as the last pair of axes).
PadState pad_state(const JOYSTICK_INFO& pad)
{
    PadState state{};
    if (pad.num_sticks > 0) {
        add_stick(pad.stick[0], state);
        for (int s =
                 (pad.num_sticks < MAX_JOYSTICK_STICKS ? pad.num_sticks : MAX_JOYSTICK_STICKS) - 1;
             s > 0; --s)
            if (pad.stick[s].num_axis >= 2) {
                add_stick(pad.stick[s], state);
                break;
            }
    }
    for (int b = 0; b < pad.num_buttons && b < MAX_JOYSTICK_BUTTONS && b < PAD_BUTTON_COUNT; ++b)
        if (pad.button[b].b)
            state.buttons |= 1u << b;
    return state;
}

}  // namespace

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
        keys |= pad_key_set(pad_state(joy[i]), game_mode);
    return keys;
}
