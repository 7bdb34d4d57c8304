// The desktop platform's own handles, for the desktop program alone: the
// frame it draws into, and the Allegro scancode of each of the game's
// keyboard keys.
#pragma once

#include <allegro.h>

#include "base/physical_keys.h"

// The frame every pass is drawn into (320 x 200, 32 bits per pixel).
extern BITMAP* back_buffer;

// Installs the keyboard, and marks every key that goes down so that the next
// poll sees it even when it is up again by then.
void install_keyboard_with_taps();
