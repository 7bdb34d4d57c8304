// A gamepad, through Allegro's own joystick driver. Its state becomes keys
// of the game's key set, merged with the keyboard's right after the poll, so
// a pass sees one set of keys and a recording replays a pad session exactly.
// Without a pad (or when the joystick driver cannot start) nothing changes.
#pragma once

#include <allegro.h>

#include <cstddef>
#include <cstdint>

// The buttons by the numbers the kernel gives them (jstest's), 0 to 31.
struct PadButtons {
    int fire;   // Space in every mode
    int jump;   // Up in play; Enter (place) in the editor
    int start;  // S: starts a game on the title
};

// Fire on the first button, jump on the second, start on the eighth (A, B and
// Start of the common pads).
constexpr PadButtons DEFAULT_PAD_BUTTONS = {0, 1, 7};

// Reads a list such as "fire=2,jump=0,start=9" over the defaults. On a bad
// list returns false with a one-line reason in `error` (no newline): an
// unknown action, a button that is not a number from 0 to 31, an action
// named twice, or two actions on one button.
bool parse_pad_buttons(const char* text, PadButtons& buttons, char* error, size_t size);

// TARNBLAST_PAD: the buttons the game uses (the defaults when unset).
// Returns false, after a one-line message on stderr, for a bad list.
bool pad_buttons_setting();

// The game's keys that one pad holds in the given game mode. The directions
// come from the first stick (the left stick, or the d-pad of a simple pad)
// and from the last two-axis stick (the d-pad of pads with two sticks, whose
// hat the kernel gives as the last pair of axes): they hold the arrows.
uint16_t pad_key_set(const JOYSTICK_INFO& pad, int32_t game_mode, const PadButtons& buttons);

// Installs Allegro's joystick driver; a failure, or no pad, is no error.
void start_gamepad();

// Polls the pads and returns the keys they hold together (0 without a pad).
uint16_t polled_pad_key_set(int32_t game_mode);
