#include "game/world_scan.h"

#include "base/game_state.h"
#include "editor/editor.h"
#include "enemies/enemies_at_blocks.h"
#include "enemies/enemy_groups.h"
#include "world/blocks.h"
#include "world/camera.h"
#include "world/player.h"

namespace {

// The player's marker and the editor's cursor anchor are looked up relative
// to the camera, so they keep their place on screen while the level scrolls.
int32_t camera_relative_code(int32_t row, int32_t column)
{
    return grid_value(row, wrap_sub(column, game.camera_column));
}

void visit_anchored_cell(int32_t row, int32_t column)
{
    const int32_t code = grid_value(row, column);
    if (code == TILE_BLOCK) {
        visit_block(row, column);
        return;
    }
    if (code == TILE_DROP) {
        update_drop_marker(row, column);
        return;
    }
    const EnemyGroupRow* group = enemy_group_of(code);
    if (!group)
        return;
    group->visit(code - group->base_code, row, column);
    forget_arc_shot_heights();  // an enemy visit may have moved arc shots
}

}  // namespace

void visit_block(int32_t row, int32_t column)
{
    stop_enemies_at_block(cell_screen_x(column), row * TILE_SIZE);
    update_block(row, column);
}

// Rows 0 to 20; each row fixes its 33 columns when it starts, while a push
// during the row moves everything drawn or tested after it. Cells are read
// through grid_value, so a window that reaches left of column 0 (walking
// left from a level's start) or right of column 512 (a push near the end, the
// editor scrolled far right) sees empty cells there instead of the
// neighbouring row or memory outside the grid; the same holds for the
// camera-relative lookups.
void run_world_frame()
{
    keep_arc_shot_heights(true);
    for (int32_t row = 0; row < GRID_ROWS; ++row) {
        forget_arc_shot_heights();
        const int32_t first = game.camera_column;
        for (int32_t i = 0; i < WINDOW_COLUMNS; ++i) {
            const int32_t column = int32_t(int64_t(first) + i);
            if (game.game_mode == MODE_PLAY && camera_relative_code(row, column) == TILE_PLAYER)
                update_player(row, column);
            visit_anchored_cell(row, column);
            if (game.game_mode == MODE_EDITOR && camera_relative_code(row, column) == TILE_CURSOR)
                update_editor_cursor(row, column);
        }
    }
    keep_arc_shot_heights(false);
}
