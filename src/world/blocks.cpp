#include "world/blocks.h"

#include "base/game_state.h"
#include "world/camera.h"
#include "world/sprite_atlas.h"

namespace {

// Every block test is a window of 22 pixels from the block's corner; only
// the reach above the block differs. All comparisons are strict.
constexpr int32_t BLOCK_REACH = 22;
constexpr int32_t PLAYER_LANDING_REACH = 35;
constexpr int32_t PLAYER_PUSH_REACH = 30;
constexpr int32_t PUSH_PIXELS = 20;
constexpr int32_t DROP_REACH = 12;
constexpr int32_t DROP_ABOVE = 28;

bool in_block_window(int32_t bx, int32_t by, int32_t x, int32_t y, int32_t reach_above)
{
    return bx < x && by < wrap_add(y, reach_above) && x < wrap_add(bx, BLOCK_REACH)
           && y < by + BLOCK_REACH;
}

void stop_player_shots(int32_t bx, int32_t by)
{
    for (int j = 0; j < PLAYER_SHOT_SLOTS; ++j)
        if (bx < game.shot_x[j] && by < game.shot_y[j] && game.shot_x[j] < wrap_add(bx, BLOCK_REACH)
            && game.shot_y[j] < by + BLOCK_REACH)
            game.shot_active[j] = FLAG_CLEAR;
}

// Landing first, then the push: a player who meets both in one visit is
// pushed two cells back against his facing and falls.
void hold_or_push_player(int32_t bx, int32_t by)
{
    const int32_t px = game.player_x;
    const int32_t py = game.player_y;
    if (in_block_window(bx, by, px, py, PLAYER_LANDING_REACH) && game.player_falling == FLAG_SET)
        game.player_falling = FLAG_CLEAR;
    if (in_block_window(bx, by, px, py, PLAYER_PUSH_REACH)) {
        if (game.player_facing == PLAYER_RIGHT) {
            move_camera(-PUSH_PIXELS);
            game.player_falling = FLAG_SET;
        } else if (game.player_facing == PLAYER_LEFT) {
            move_camera(PUSH_PIXELS);
            game.player_falling = FLAG_SET;
        }
    }
}

}  // namespace

void update_block(int32_t row, int32_t column)
{
    game.block_x = cell_screen_x(column);
    game.block_y = row * TILE_SIZE;
    const int32_t bx = game.block_x;
    const int32_t by = game.block_y;
    stop_player_shots(bx, by);
    hold_or_push_player(bx, by);
    // Drawn with the camera as it stands after a push.
    draw_sprite_rect(ATLAS_BLOCK, cell_screen_x(column), row * TILE_SIZE);
}

void update_drop_marker(int32_t row, int32_t column)
{
    game.drop_x = cell_screen_x(column);
    game.drop_y = row * TILE_SIZE;
    const int32_t dx = game.drop_x;
    const int32_t dy = game.drop_y;
    const int32_t px = game.player_x;
    const int32_t py = game.player_y;
    if (dx < px && dy < py + DROP_ABOVE && px < wrap_add(dx, DROP_REACH) && py < dy + DROP_REACH
        && game.player_falling == FLAG_CLEAR)
        game.player_falling = FLAG_SET;
    if (game.game_mode == MODE_EDITOR)
        draw_sprite_rect(ATLAS_DROP_MARKER, dx, dy);
}
