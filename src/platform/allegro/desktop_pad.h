// The desktop's pads, through Allegro's own joystick driver.
#pragma once

#include "program/gamepad.h"

// Installs the joystick driver; a failure, or no pad, is no error.
void start_gamepad();

// Polls the pads and writes each one's state as Allegro has it into `pads`
// (at most PAD_MAX_PADS); returns how many there are (0 without a pad).
int poll_pads(PadState* pads);
