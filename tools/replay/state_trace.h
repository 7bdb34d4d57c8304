// The game's state as one line of JSON: every module-wide variable under its
// own name (the level grid excepted), and the sounds the pass started.
#pragma once

#include <cstdint>
#include <cstdio>

void write_state_trace(std::FILE* out, int64_t frame);

// The variable a trace line shows under this name: "player_y",
// "score_digits[8]", "enemies_b[7].falling", "enemies_a[0].shots[1].y".
// nullptr for a name the trace does not have.
int32_t* find_state_field(const char* name);

// The level grid as 21 lines of 513 numbers separated by single spaces.
void write_level_grid(std::FILE* out);
