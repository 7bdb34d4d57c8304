#pragma once

#include <cstdint>

#include "levels/level_file.h"

// Copies built-in level 1 to 6 into rows 1 to 20, columns 1 to 512 of a
// grid of GRID_ROWS x GRID_COLUMNS cells, row-major (the game passes its own
// level_grid); row 0 and column 0 keep what they hold. Any other number
// leaves the grid unchanged.
void load_level(int32_t number, int32_t* grid);

// Empties rows 1 to 20, columns 1 to 512 of a grid, as a level load does
// before it puts the level's tiles there.
void clear_level_area(int32_t* grid);

// A built-in level (1 to 6) as load_level puts it into a grid that was empty:
// the grid the editor would export after loading it.
LevelGrid builtin_level_grid(int32_t number);
