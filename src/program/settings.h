// Settings the game reads from its environment at start-up.
#pragma once

#include <cstdint>

// TARNBLAST_START_MODE: 1 (the title, the default) or 3 (the level editor).
// Returns false, after a one-line message on stderr, for any other value.
bool start_mode_setting(int32_t& start_mode);

// TARNBLAST_LEVEL: a level file (the editor's export) to open in the editor
// or to play instead of the built-in levels, or a folder of level files to
// play one after another. Unset: nothing is opened.
// Returns false, after a one-line message on stderr naming the file and its
// first problem, for an empty value or a file or folder the start mode
// cannot use.
bool level_file_setting(int32_t start_mode);

// The window can be enlarged by a whole factor; the game still draws its
// 320 x 200 frame and only the copy to the screen is scaled.
constexpr int32_t MIN_WINDOW_SCALE = 1;
constexpr int32_t MAX_WINDOW_SCALE = 6;

// TARNBLAST_SCALE=auto: the largest scale that fits the desktop comfortably.
constexpr int32_t AUTO_WINDOW_SCALE = 0;

// TARNBLAST_SCALE: the window's scale, 1 (the default, unset) to 6, or
// AUTO_WINDOW_SCALE for "auto".
// Returns false, after a one-line message on stderr, for any other value.
bool window_scale_setting(int32_t& scale);

// The largest scale up to `wanted` at which a width x height frame fits a
// desktop of desktop_width x desktop_height; never below 1.
int32_t fitting_window_scale(int32_t wanted, int32_t width, int32_t height, int32_t desktop_width,
                             int32_t desktop_height);

// The largest scale (1 to 6) at which a width x height frame fits within
// three quarters of the desktop's width and height, leaving room for the
// desktop's panels and the window's frame.
int32_t auto_window_scale(int32_t width, int32_t height, int32_t desktop_width,
                          int32_t desktop_height);
