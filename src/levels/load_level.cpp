#include "levels/load_level.h"

#include "base/game_state.h"
#include "levels/level_tables.h"

namespace {

// Table entries are constant and lie inside the level area; a mistyped one
// is still kept off row 0, column 0 and everything outside the grid.
void put_tile(int32_t* grid, int32_t row, int32_t column, int32_t code)
{
    if (row >= 1 && row < GRID_ROWS && column >= 1 && column < GRID_COLUMNS)
        grid[row * GRID_COLUMNS + column] = code;
}

}  // namespace

void clear_level_area(int32_t* grid)
{
    for (int32_t row = 1; row < GRID_ROWS; ++row)
        for (int32_t column = 1; column < GRID_COLUMNS; ++column)
            grid[row * GRID_COLUMNS + column] = TILE_EMPTY;
}

void load_level(int32_t number, int32_t* grid)
{
    if (number < 1 || number > LEVEL_COUNT)
        return;
    const LevelContents& level = LEVEL_TABLES[number - 1];
    clear_level_area(grid);
    put_tile(grid, LEVEL_PLAYER_CELL.row, LEVEL_PLAYER_CELL.column, TILE_PLAYER);
    put_tile(grid, LEVEL_CURSOR_CELL.row, LEVEL_CURSOR_CELL.column, TILE_CURSOR);
    for (int i = 0; i < level.blocks.count; ++i) {
        const BlockRun& run = level.blocks.items[i];
        for (int32_t column = run.first; column <= run.last; column += 2)
            put_tile(grid, run.row, column, TILE_BLOCK);
    }
    for (int i = 0; i < level.enemies.count; ++i) {
        const EnemyPlacement& enemy = level.enemies.items[i];
        put_tile(grid, enemy.row, enemy.column, enemy.code);
    }
    for (int i = 0; i < level.drops.count; ++i)
        put_tile(grid, level.drops.items[i].row, level.drops.items[i].column, TILE_DROP);
}

LevelGrid builtin_level_grid(int32_t number)
{
    LevelGrid grid = empty_level_grid();
    load_level(number, grid.data());
    return grid;
}
