// A picture of a whole level, drawn by the game's own world scan as the
// editor shows it, all 513 columns side by side.
#pragma once

#include <string>

#include "base/bmp_file.h"
#include "base/game_state.h"
#include "levels/level_file.h"

// Every column and every row, row 20 included: the editor's window shows
// rows 0 to 19, so the top 200 pixels are what it would show, and the last
// 10 hold row 20, which lies just below its bottom edge.
constexpr int MAP_WIDTH = GRID_COLUMNS * TILE_SIZE;
constexpr int MAP_HEIGHT = GRID_ROWS * TILE_SIZE;

// Restarts the game headless in the editor, with the sprite sheet read from
// data/ under the working directory, puts the grid in and draws it: blocks,
// drop markers and every enemy as the editor draws it in its first frame
// after a start, but no cursor. Level pixel (x, y) is map pixel (x, y). The
// game is left as a fresh editor start holding the grid. Returns false,
// with the reason, when the sprite sheet cannot be loaded.
bool draw_level_map(const LevelGrid& grid, RgbImage& map, std::string& error);
