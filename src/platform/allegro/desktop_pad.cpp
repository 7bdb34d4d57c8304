#include "platform/allegro/desktop_pad.h"

#include <allegro.h>

namespace {

bool pad_started = false;

static_assert(PAD_MAX_STICKS >= MAX_JOYSTICK_STICKS && PAD_MAX_PADS >= MAX_JOYSTICKS,
              "a pad's state holds every stick and pad Allegro knows");

PadState pad_state(const JOYSTICK_INFO& pad)
{
    PadState state{};
    state.sticks = pad.num_sticks < MAX_JOYSTICK_STICKS ? pad.num_sticks : MAX_JOYSTICK_STICKS;
    for (int s = 0; s < state.sticks; ++s) {
        const JOYSTICK_STICK_INFO& stick = pad.stick[s];
        state.stick[s] = {stick.num_axis, stick.num_axis > 0 ? stick.axis[0].pos : 0,
                          stick.num_axis > 1 ? stick.axis[1].pos : 0};
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

int poll_pads(PadState* pads)
{
    if (!pad_started || poll_joystick() != 0)
        return 0;
    int count = 0;
    for (; count < num_joysticks && count < MAX_JOYSTICKS; ++count)
        pads[count] = pad_state(joy[count]);
    return count;
}
