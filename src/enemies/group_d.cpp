// Group D: the turret. It never moves and cannot be destroyed; the player
// stands on it like on a block and is thrown back when he runs into it, it
// swallows player shots and fires a rising shot every 61 visits.
#include "enemies/enemy_groups.h"
#include "enemies/enemy_shots.h"
#include "enemies/enemy_visit.h"
#include "world/camera.h"
#include "world/sprite_atlas.h"

namespace {

constexpr int32_t GROUP_D_FIRE_THRESHOLD = 60;
constexpr int32_t GROUP_D_PUSH_PIXELS = 20;
constexpr CornerBox GROUP_D_STANDING{35, 22, 22};
constexpr CornerBox GROUP_D_RUNNING_INTO{25, 22, 22};
constexpr CornerBox GROUP_D_HIT{0, 22, 22};

void hold_falling_player(const EnemySlot& enemy)
{
    if (player_in_box(enemy.screen_x, enemy.screen_y, GROUP_D_STANDING)
        && game.player_falling == FLAG_SET)
        game.player_falling = FLAG_CLEAR;
}

// Unlike a block it throws back only a player on his feet, and leaves him
// standing.
void throw_back_player(const EnemySlot& enemy)
{
    if (!player_in_box(enemy.screen_x, enemy.screen_y, GROUP_D_RUNNING_INTO)
        || game.player_falling != FLAG_CLEAR)
        return;
    if (game.player_facing == PLAYER_RIGHT)
        move_camera(-GROUP_D_PUSH_PIXELS);
    else if (game.player_facing == PLAYER_LEFT)
        move_camera(GROUP_D_PUSH_PIXELS);
}

void fire_when_ready(EnemySlot& enemy)
{
    enemy.fire_timer += 1;
    if (enemy.fire_timer > GROUP_D_FIRE_THRESHOLD) {
        arm_enemy_shot(GROUP_D, enemy);
        enemy.fire_timer = 0;
    }
}

void stop_player_shots(const EnemySlot& enemy)
{
    for (int k = 0; k < PLAYER_SHOT_SLOTS; ++k)
        if (flying_player_shot_in_box(k, enemy.screen_x, enemy.screen_y, GROUP_D_HIT))
            game.shot_active[k] = FLAG_CLEAR;
}

}  // namespace

// After a throw-back everything positioned or drawn uses the new camera;
// the player shots are still tested at the position from before it.
void update_enemy_d(int32_t slot, int32_t row, int32_t column)
{
    EnemySlot& enemy = game.enemies_d[slot];
    enemy.screen_x = anchor_x(column);
    enemy.screen_y = anchor_y(row);
    hold_falling_player(enemy);
    throw_back_player(enemy);
    fire_when_ready(enemy);
    update_enemy_shots(GROUP_D, slot, row, column);
    stop_player_shots(enemy);
    draw_sprite_rect(ATLAS_ENEMY_D, anchor_x(column), anchor_y(row));
}
