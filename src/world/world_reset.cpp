#include "world/world_reset.h"

#include "enemies/enemy_tables.h"
#include "levels/load_level.h"
#include "shell/game_state.h"

void reset_player_movement()
{
    game.next_shot_slot = 1;
    game.jump_counter = 0;
    game.move_counter = 0;
    game.player_jumping = 1;
    game.player_falling = 2;
    game.player_facing = 1;
    game.player_frame = 1;
    game.player_offset_y = 0;
}

void reset_world()
{
    reset_player_movement();
    game.fire_counter = 0;
    game.level_count = 6;
    // Shot directions are kept: a slot's direction is always written before
    // it flies again.
    for (int j = 0; j < PLAYER_SHOT_SLOTS; ++j) {
        game.shot_active[j] = 1;
        game.shot_x[j] = 0;
        game.shot_y[j] = 0;
    }
    reset_enemies();
    game.next_code_a = ENEMY_A_BASE;
    game.next_code_b = ENEMY_B_BASE;
    game.next_code_c = ENEMY_C_BASE;
    game.next_code_d = ENEMY_D_BASE;
    if (game.game_mode == MODE_TITLE) {
        game.level_number = 2;
        for (int32_t& digit : game.score_digits)
            digit = 0;
        game.camera_x = 0;
        game.camera_column = 0;
        load_play_level(2);
    }
}
