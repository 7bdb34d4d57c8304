// A gamepad: its state becomes keys of the game's key set, merged with the
// keyboard's right after the poll, so a pass sees one set of keys and a
// recording replays a pad session exactly. The platform reads the pad (the
// desktop through Allegro's own joystick driver); without a pad nothing
// changes.
#pragma once

#include <cstddef>
#include <cstdint>

// The buttons by the numbers the kernel gives them (jstest's), 0 to 31.
constexpr int PAD_BUTTON_COUNT = 32;
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

// What one pad holds: the four directions (from its sticks and d-pad) and
// its buttons, bit n for button n.
struct PadState {
    bool left, right, up, down;
    uint32_t buttons;
};

// The game's keys that one pad holds in the given game mode: the directions
// hold the arrows, the buttons fire, jump (place in the editor) and start.
uint16_t pad_key_set(const PadState& pad, int32_t game_mode, const PadButtons& buttons);
uint16_t pad_key_set(const PadState& pad, int32_t game_mode);
