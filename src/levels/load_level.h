#pragma once

#include <cstdint>

// Copies built-in level 1 to 6 into rows 1 to 20, columns 1 to 512 of a
// grid of GRID_ROWS x GRID_COLUMNS cells, row-major (the game passes its own
// level_grid); row 0 and column 0 keep what they hold. Any other number
// leaves the grid unchanged.
void load_level(int32_t number, int32_t* grid);
