// One pass of the main loop, split where the program's own main waits for
// the retrace, copies the frame to the screen and polls the keyboard. The
// real program, the replay runner, the tests and the benchmarks all run the
// game through these calls.
#pragma once

#include <cstdint>

// The last steps of start-up, once back_buffer exists: the camera's first
// values, the first world reset and init_game with the given start mode.
void start_up_game(int32_t start_mode);

// Start values of the title timer, the editor and the player; the mode; the
// assets; level 1, with the opened level file's cells over it in the editor.
void init_game();

// Steps of a pass before the retrace: clear, carry the score, the world scan
// in play or the editor, the title timer and panel, the HUD, and the change
// of level when the camera has reached the level's end.
void draw_pass();

// Whether the Escape key is held: the loop ends before any other key is
// looked at.
bool escape_held();

// The held keys of the current mode, in the fixed order of the key table.
void handle_pass_keys();

// The end of a level in play: the next level (2 to 6, then 2 again) with the
// score kept.
void advance_level();
