// The game's module-wide state and the grid accessors every subsystem uses.
#include "shell/game_state.h"

#include <cstring>

#include "shell/sound.h"

GameState game;

void clear_game_state()
{
    std::memset(&game, 0, sizeof game);
    forget_pass_sounds();
}

int32_t* grid_cell(int32_t row, int32_t column)
{
    if (row < 0 || row >= GRID_ROWS || column < 0 || column >= GRID_COLUMNS)
        return nullptr;
    return &game.level_grid[row * GRID_COLUMNS + column];
}

int32_t grid_value(int32_t row, int32_t column)
{
    const int32_t* cell = grid_cell(row, column);
    return cell ? *cell : TILE_EMPTY;
}
