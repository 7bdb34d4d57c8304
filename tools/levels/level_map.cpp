#include "level_map.h"

#include <algorithm>

#include "base/assets.h"
#include "base/platform.h"
#include "enemies/enemy_tables.h"
#include "game/headless.h"
#include "game/world_scan.h"

bool draw_level_map(const LevelGrid& grid, RgbImage& map, std::string& error)
{
    restart_headless_game(MODE_EDITOR);
    if (!asset_loaded(ASSET_SPRITE_SHEET)) {
        error = std::string("the sprite sheet ") + SPRITE_SHEET_PATH + " could not be loaded";
        return false;
    }
    // The map shows no cursor: without its anchor the scan draws no preview.
    std::copy(grid.begin(), grid.end(), game.level_grid);
    std::replace(game.level_grid, game.level_grid + GRID_CELLS, TILE_CURSOR, TILE_EMPTY);

    if (!resize_frame(MAP_WIDTH, MAP_HEIGHT)) {
        error = "no memory for a picture of the whole level";
        return false;
    }
    // The scan draws each visited cell at its column x 10 - camera_x. With
    // camera_x held at 0 and the scanned window moved along the level, every
    // window lands at its own place on one wide picture, and a sprite that
    // reaches into the next window is drawn whole. Each window starts from
    // the enemies' start values, so every enemy is drawn as the first frame
    // after a start draws it.
    game.camera_x = 0;
    for (int32_t first = 0; first < GRID_COLUMNS; first += WINDOW_COLUMNS) {
        game.camera_column = first;
        reset_enemies();
        run_world_frame();
    }
    map = frame_image();
    resize_frame(SCREEN_WIDTH, SCREEN_HEIGHT);

    std::copy(grid.begin(), grid.end(), game.level_grid);
    game.camera_x = 0;
    game.camera_column = 1;
    reset_enemies();
    return true;
}
