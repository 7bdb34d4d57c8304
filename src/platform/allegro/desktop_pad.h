// The desktop's pads, through Allegro's own joystick driver.
#pragma once

#include <cstdint>

// Installs the joystick driver; a failure, or no pad, is no error.
void start_gamepad();

// Polls the pads and returns the game's keys they hold together (0 without a
// pad).
uint16_t polled_pad_key_set(int32_t game_mode);
