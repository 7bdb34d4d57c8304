// Group B: the gunner. It stands where it is anchored, fires an arc shot
// every 41 visits, drops until a block holds it and dies from one player
// shot; its death explosion rises for good.
#include "enemies/enemy_groups.h"
#include "enemies/enemy_shots.h"
#include "enemies/enemy_visit.h"
#include "world/sprite_atlas.h"

namespace {

constexpr int32_t GROUP_B_FIRE_THRESHOLD = 40;
constexpr CornerBox GROUP_B_TOUCH{20, 33, 33};
constexpr CornerBox GROUP_B_HIT{0, 33, 33};

void fire_when_ready(EnemySlot& enemy)
{
    enemy.fire_timer += 1;
    if (enemy.fire_timer > GROUP_B_FIRE_THRESHOLD) {
        arm_enemy_shot(GROUP_B, enemy);
        enemy.fire_timer = 0;
    }
}

void take_player_shots(EnemySlot& enemy)
{
    for (int k = 0; k < PLAYER_SHOT_SLOTS; ++k) {
        if (flying_player_shot_in_box(k, enemy.screen_x, enemy.screen_y, GROUP_B_HIT)) {
            destroy_enemy(enemy);
            enemy.dying_frame = 1;
        }
    }
}

}  // namespace

// The position is taken dead or alive (the blocks read it); the shots move
// before the fall, the tests use the position from before it.
void update_enemy_b(int32_t slot, int32_t row, int32_t column)
{
    EnemySlot& enemy = game.enemies_b[slot];
    enemy.screen_x = anchor_x(column);
    enemy.screen_y = wrap_add(anchor_y(row), enemy.offset_y);
    if (enemy.alive == FLAG_CLEAR && enemy.dying == FLAG_SET) {
        // Never ends: it rises off the top of the screen and on.
        raise_death_explosion(enemy);
        draw_death_explosion(enemy);
    }
    if (enemy.alive != FLAG_SET)
        return;
    fire_when_ready(enemy);
    update_enemy_shots(GROUP_B, slot, row, column);
    fall(enemy);
    if (player_in_box(enemy.screen_x, enemy.screen_y, GROUP_B_TOUCH))
        kill_player();
    take_player_shots(enemy);
    draw_sprite_rect(ATLAS_ENEMY_B, anchor_x(column), wrap_add(anchor_y(row), enemy.offset_y));
}
