#include "game/world_reset.h"

#include "base/game_state.h"
#include "enemies/enemy_groups.h"
#include "enemies/enemy_tables.h"
#include "levels/level_pack.h"
#include "levels/level_tables.h"
#include "world/player.h"

void reset_world()
{
    reset_player_movement();
    game.fire_counter = 0;
    game.level_count = LEVEL_COUNT;
    // Shot directions are kept: a slot's direction is always written before
    // it flies again.
    for (int j = 0; j < PLAYER_SHOT_SLOTS; ++j) {
        game.shot_active[j] = FLAG_CLEAR;
        game.shot_x[j] = 0;
        game.shot_y[j] = 0;
    }
    reset_enemies();
    for (const EnemyGroupRow& group : ENEMY_GROUPS)
        game.*group.next_code = group.base_code;
    if (game.game_mode == MODE_TITLE) {
        game.level_number = FIRST_PLAY_LEVEL;
        game.pack_file = 0;
        for (int32_t& digit : game.score_digits)
            digit = 0;
        game.camera_x = 0;
        game.camera_column = 0;
        load_play_level(FIRST_PLAY_LEVEL, game.pack_file, game.level_grid);
    }
}
