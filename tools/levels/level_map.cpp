#include "level_map.h"

#include <algorithm>

#include "base/assets.h"
#include "enemies/enemy_tables.h"
#include "shell/headless.h"
#include "shell/world_scan.h"

BITMAP* draw_level_map(const LevelGrid& grid, std::string& error)
{
    restart_headless_game(MODE_EDITOR);
    if (!sprite_sheet) {
        error = std::string("the sprite sheet ") + SPRITE_SHEET_PATH + " could not be loaded";
        return nullptr;
    }
    // The map shows no cursor: without its anchor the scan draws no preview.
    std::copy(grid.begin(), grid.end(), game.level_grid);
    std::replace(game.level_grid, game.level_grid + GRID_CELLS, TILE_CURSOR, TILE_EMPTY);

    BITMAP* map = create_bitmap(MAP_WIDTH, MAP_HEIGHT);
    clear_bitmap(map);
    // The scan draws each visited cell at its column x 10 - camera_x. With
    // camera_x held at 0 and the scanned window moved along the level, every
    // window lands at its own place on one wide picture, and a sprite that
    // reaches into the next window is drawn whole. Each window starts from
    // the enemies' start values, so every enemy is drawn as the first frame
    // after a start draws it.
    BITMAP* const window = back_buffer;
    back_buffer = map;
    game.camera_x = 0;
    for (int32_t first = 0; first < GRID_COLUMNS; first += WINDOW_COLUMNS) {
        game.camera_column = first;
        reset_enemies();
        run_world_frame();
    }
    back_buffer = window;

    std::copy(grid.begin(), grid.end(), game.level_grid);
    game.camera_x = 0;
    game.camera_column = 1;
    reset_enemies();
    return map;
}
