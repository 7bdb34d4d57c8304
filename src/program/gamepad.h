// Gamepads: each platform reads its pads as they are (the sticks' positions
// and the buttons, numbered as the platform numbers them) and the game maps
// them here to keys of the game's key set, merged with the keyboard's right
// after the poll, so a pass sees one set of keys and a recording replays a
// pad session exactly. Without a pad nothing changes.
#pragma once

#include <cstddef>
#include <cstdint>

// Buttons by their numbers on the platform, 0 to 31.
constexpr int PAD_BUTTON_COUNT = 32;
struct PadButtons {
    int fire;   // Space in every mode
    int jump;   // Up in play; Enter (place) in the editor
    int start;  // S: starts a game on the title
};

// How a platform numbers a pad's sticks and buttons: the desktop as the
// kernel does (jstest's numbers), where the d-pad of a pad with two sticks is
// its last stick; the browser by the Gamepad API's standard mapping, where
// the d-pad is buttons 12 to 15 (up, down, left, right). In both the first
// stick is the left one, and A fires, B jumps and Start is S, each at its
// place in that numbering.
enum PadLayout { PAD_KERNEL_NUMBERING, PAD_STANDARD_MAPPING, PAD_LAYOUT_COUNT };
struct PadLayoutRow {
    PadLayout layout;
    bool dpad_is_last_stick;
    int dpad_first_button;  // -1: no d-pad among the buttons
    PadButtons buttons;
};
inline constexpr PadLayoutRow PAD_LAYOUTS[PAD_LAYOUT_COUNT] = {
    {PAD_KERNEL_NUMBERING, true, -1, {0, 1, 7}},
    {PAD_STANDARD_MAPPING, false, 12, {0, 1, 9}},
};

// Reads a list such as "fire=2,jump=0,start=9" over the buttons given (a
// layout's own). On a bad list returns false with a one-line reason in
// `error` (no newline): an unknown action, a button that is not a number
// from 0 to 31, an action named twice, or two actions on one button.
bool parse_pad_buttons(const char* text, PadButtons& buttons, char* error, size_t size);

// TARNBLAST_PAD (?pad= in the browser): the buttons the game uses, over the
// layout's own, which are kept when it is unset. Returns false, after a
// one-line message on stderr, for a bad list.
bool pad_buttons_setting(PadLayout layout);

// One pad as the platform reads it: its sticks, each with the number of its
// axes and the positions of the first two from -PAD_AXIS_FULL (left, up) to
// PAD_AXIS_FULL (right, down), as Allegro gives them; and its buttons, bit n
// for button n.
constexpr int PAD_AXIS_FULL = 127;
constexpr int PAD_MAX_STICKS = 8;
constexpr int PAD_MAX_PADS = 8;
struct PadStick {
    int axes;
    int x, y;
};
struct PadState {
    int sticks;
    PadStick stick[PAD_MAX_STICKS];
    uint32_t buttons;
};

// The game's keys that one pad holds in the given game mode: the left stick
// and the d-pad hold the arrows, each direction once a stick is pushed
// beyond a quarter of the way; the buttons fire, jump (place in the editor)
// and start.
uint16_t pad_key_set(const PadState& pad, int32_t game_mode, const PadButtons& buttons,
                     PadLayout layout);
// The keys that all the pads hold together, through the buttons and layout
// of pad_buttons_setting().
uint16_t pads_key_set(const PadState* pads, int count, int32_t game_mode);
