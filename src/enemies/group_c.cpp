// Group C: the quick walker. It patrols 20 pixels to the left of its anchor
// and back, fires a straight shot the way it turns to, drops until a block
// holds it, dies from one player shot and kills the player on contact.
#include "enemies/enemy_groups.h"
#include "enemies/enemy_shots.h"
#include "enemies/enemy_visit.h"
#include "world/sprite_atlas.h"

namespace {

constexpr int32_t GROUP_C_FIRE_THRESHOLD = 20;
constexpr CornerBox GROUP_C_TOUCH{20, 22, 33};
constexpr CornerBox GROUP_C_HIT{0, 22, 35};

// One pixel of the patrol; when the fire timer runs out the enemy turns and
// fires in its new direction: right at its left end, left at its right end.
void walk(EnemySlot& enemy, int32_t pixels, int32_t turn_to)
{
    enemy.offset_x += pixels;
    enemy.fire_timer += 1;
    if (enemy.fire_timer > GROUP_C_FIRE_THRESHOLD) {
        enemy.fire_timer = 0;
        enemy.direction = turn_to;
        arm_enemy_shot(GROUP_C, enemy);
    }
}

void take_player_shots(EnemySlot& enemy)
{
    for (int k = 0; k < PLAYER_SHOT_SLOTS; ++k) {
        if (flying_player_shot_in_box(k, enemy.screen_x, enemy.screen_y, GROUP_C_HIT)) {
            destroy_enemy(enemy);
            enemy.dying_frame = 1;
            enemy.fire_timer = 0;
        }
    }
}

void step_animation(EnemySlot& enemy)
{
    enemy.anim_frame += 1;
    if (enemy.anim_frame > 2)
        enemy.anim_frame = 1;
}

}  // namespace

// Unlike group A, it is shot before it is tested against the player, and
// its shots move after its walk and fall.
void update_enemy_c(int32_t slot, int32_t row, int32_t column)
{
    EnemySlot& enemy = game.enemies_c[slot];
    enemy.screen_x = wrap_add(anchor_x(column), enemy.offset_x);
    enemy.screen_y = wrap_add(anchor_y(row), enemy.offset_y);
    if (enemy.alive == FLAG_CLEAR && enemy.dying == FLAG_SET)
        update_ending_death_explosion(enemy);
    if (enemy.alive != FLAG_SET)
        return;
    patrol(enemy, walk);
    fall(enemy);
    update_enemy_shots(GROUP_C, slot, row, column);
    take_player_shots(enemy);
    if (player_in_box(enemy.screen_x, enemy.screen_y, GROUP_C_TOUCH))
        kill_player();
    step_animation(enemy);
    draw_enemy_c(enemy.direction, enemy.anim_frame, wrap_add(anchor_x(column), enemy.offset_x),
                 wrap_add(anchor_y(row), enemy.offset_y));
}
