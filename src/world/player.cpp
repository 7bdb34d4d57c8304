#include "world/player.h"

#include "base/game_state.h"
#include "world/camera.h"
#include "world/player_shots.h"
#include "world/sprite_atlas.h"

namespace {

// The walking counter is shared by both arrows and not cleared on release:
// a held arrow steps one cell every second frame.
void walk(int32_t facing, int32_t pixels)
{
    game.move_counter += 1;
    if (game.move_counter > 1) {
        game.player_facing = facing;
        move_camera(pixels);
        game.player_frame += 1;
        game.move_counter = 0;
    }
    if (game.player_frame > 2)
        game.player_frame = 1;
}

constexpr int32_t JUMP_FRAMES = 30;
constexpr int32_t PLAYER_STEP_Y = 2;

}  // namespace

void walk_left()
{
    walk(PLAYER_LEFT, -TILE_SIZE);
}

void walk_right()
{
    walk(PLAYER_RIGHT, TILE_SIZE);
}

void jump()
{
    if (game.player_falling == FLAG_CLEAR)
        game.player_jumping = FLAG_SET;
}

// player_x and player_y are taken before this frame's vertical move and are
// what every collision test of the frame sees; the sprite is drawn after the
// move, so it runs two pixels ahead of them.
void update_player(int32_t row, int32_t column)
{
    game.player_x = cell_screen_x(column);
    game.player_y = row * TILE_SIZE + game.player_offset_y;
    if (game.player_falling == FLAG_SET)
        game.player_offset_y += PLAYER_STEP_Y;
    if (game.player_jumping == FLAG_SET) {
        game.player_offset_y -= PLAYER_STEP_Y;
        game.jump_counter += 1;
        if (game.jump_counter == JUMP_FRAMES) {
            game.player_jumping = FLAG_CLEAR;
            game.player_falling = FLAG_SET;
            game.jump_counter = 0;
        }
    }
    update_player_shots();
    if (game.player_y > SCREEN_HEIGHT)
        game.game_mode = MODE_TITLE;
    draw_player(game.player_facing, game.player_frame, cell_screen_x(column),
                row * TILE_SIZE + game.player_offset_y);
}

void reset_player_movement()
{
    game.next_shot_slot = 1;
    game.jump_counter = 0;
    game.move_counter = 0;
    game.player_jumping = FLAG_CLEAR;
    game.player_falling = FLAG_SET;
    game.player_facing = PLAYER_RIGHT;
    game.player_frame = 1;
    game.player_offset_y = 0;
}
