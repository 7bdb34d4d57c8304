#include "world/player_shots.h"

#include "base/game_state.h"
#include "base/sound.h"
#include "world/sprite_atlas.h"

namespace {

constexpr int32_t FIRE_INTERVAL = 5;  // a shot leaves when the counter passes this
constexpr int32_t SHOT_SPEED = 5;
constexpr int32_t SHOT_DROP_FROM_TOP = 15;  // below the player's top edge

}  // namespace

void fire()
{
    start_sound(ASSET_SHOT);
    game.fire_counter += 1;
    if (game.fire_counter > FIRE_INTERVAL) {
        // Arming does not look at whether the slot still flies: it takes the
        // new direction and flies on from where it is.
        game.shot_active[game.next_shot_slot] = FLAG_SET;
        game.shot_direction[game.next_shot_slot] = game.player_facing;
        game.next_shot_slot += 1;
        if (game.next_shot_slot > PLAYER_SHOT_SLOTS - 1)
            game.next_shot_slot = 1;
        game.fire_counter = 0;
    }
}

void update_player_shots()
{
    for (int j = 0; j < PLAYER_SHOT_SLOTS; ++j) {
        if (game.shot_active[j] == FLAG_SET) {
            if (game.shot_direction[j] == PLAYER_RIGHT)
                game.shot_x[j] += SHOT_SPEED;
            if (game.shot_direction[j] == PLAYER_LEFT)
                game.shot_x[j] -= SHOT_SPEED;
            if (game.shot_x[j] < 5)
                game.shot_active[j] = FLAG_CLEAR;
            if (game.shot_x[j] > SCREEN_WIDTH)
                game.shot_active[j] = FLAG_CLEAR;
            // Drawn in the frame that retires it too.
            draw_sprite_rect(ATLAS_STRAIGHT_SHOT, game.shot_x[j], game.shot_y[j]);
        } else {
            game.shot_x[j] = game.player_x;
            game.shot_y[j] = game.player_y + SHOT_DROP_FROM_TOP;
        }
    }
}
