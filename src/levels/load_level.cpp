#include "levels/load_level.h"

#include "levels/level_file.h"
#include "levels/level_tables.h"
#include "shell/game_state.h"

namespace {

void clear_level_area()
{
    for (int32_t row = 1; row < GRID_ROWS; ++row)
        for (int32_t column = 1; column < GRID_COLUMNS; ++column)
            *grid_cell(row, column) = TILE_EMPTY;
}

// Table entries are constant and lie inside the level area; a mistyped one
// is still kept off row 0, column 0 and everything outside the grid.
void put_tile(int32_t row, int32_t column, int32_t code)
{
    if (row >= 1 && column >= 1)
        if (int32_t* cell = grid_cell(row, column))
            *cell = code;
}

}  // namespace

void load_level(int32_t number)
{
    if (number < 1 || number > LEVEL_COUNT)
        return;
    const LevelContents& level = LEVEL_TABLES[number - 1];
    clear_level_area();
    put_tile(LEVEL_PLAYER_CELL.row, LEVEL_PLAYER_CELL.column, TILE_PLAYER);
    put_tile(LEVEL_CURSOR_CELL.row, LEVEL_CURSOR_CELL.column, TILE_CURSOR);
    for (int i = 0; i < level.blocks.count; ++i) {
        const BlockRun& run = level.blocks.items[i];
        for (int32_t column = run.first; column <= run.last; column += 2)
            put_tile(run.row, column, TILE_BLOCK);
    }
    for (int i = 0; i < level.enemies.count; ++i) {
        const EnemyPlacement& enemy = level.enemies.items[i];
        put_tile(enemy.row, enemy.column, enemy.code);
    }
    for (int i = 0; i < level.drops.count; ++i)
        put_tile(level.drops.items[i].row, level.drops.items[i].column, TILE_DROP);
}

void load_play_level(int32_t number)
{
    if (!level_file_open()) {
        load_level(number);
        return;
    }
    clear_level_area();
    write_level_file_cells();
}
