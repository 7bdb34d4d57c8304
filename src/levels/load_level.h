#pragma once

#include <cstdint>

// Copies built-in level 1 to 6 into rows 1 to 20, columns 1 to 512 of a
// grid of GRID_ROWS x GRID_COLUMNS cells, row-major (the game passes its own
// level_grid); row 0 and column 0 keep what they hold. Any other number
// leaves the grid unchanged.
void load_level(int32_t number, int32_t* grid);

// Loads a level for play: built-in level `number`, or, when the game was
// started on a level file, that file's level every time, so that a designer
// can play it again and again. The file's level replaces rows 1 to 20,
// columns 1 to 512 as a built-in one does, and its column 0 besides.
void load_play_level(int32_t number, int32_t* grid);
