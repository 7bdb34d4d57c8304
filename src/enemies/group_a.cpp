// Group A: the walker. It patrols 60 pixels to the left of its anchor and
// back, lobs a shot each time it turns, drops until a block holds it, dies
// from one player shot and kills the player on contact.
#include "enemies/enemy_groups.h"
#include "enemies/enemy_shots.h"
#include "enemies/enemy_visit.h"
#include "world/sprite_atlas.h"

namespace {

constexpr int32_t GROUP_A_FIRE_THRESHOLD = 60;  // turns and lobs when the timer passes it
constexpr int32_t GROUP_A_ANIM_THRESHOLD = 10;  // the walking frame changes every 11 steps
constexpr CornerBox GROUP_A_TOUCH{10, 22, 33};
constexpr CornerBox GROUP_A_HIT{0, 22, 33};

void step_animation(EnemySlot& enemy)
{
    enemy.anim_timer += 1;
    if (enemy.anim_timer > GROUP_A_ANIM_THRESHOLD) {
        enemy.anim_frame += 1;
        if (enemy.anim_frame > 2)
            enemy.anim_frame = 1;
        enemy.anim_timer = 0;
    }
}

// One pixel of the patrol; when the fire timer runs out the enemy lobs a
// shot and turns round.
void walk(EnemySlot& enemy, int32_t pixels, int32_t turn_to)
{
    enemy.offset_x += pixels;
    step_animation(enemy);
    enemy.fire_timer += 1;
    if (enemy.fire_timer > GROUP_A_FIRE_THRESHOLD) {
        arm_enemy_shot(GROUP_A, enemy);
        enemy.direction = turn_to;
        enemy.fire_timer = 0;
    }
}

// Every flying player shot in the box counts, even after the first has
// killed: each plays the blast and scores. The shots fly on.
void take_player_shots(EnemySlot& enemy)
{
    for (int k = 0; k < PLAYER_SHOT_SLOTS; ++k)
        if (flying_player_shot_in_box(k, enemy.screen_x, enemy.screen_y, GROUP_A_HIT))
            destroy_enemy(enemy);
}

}  // namespace

// Tests see the position from the start of the visit; the sprite is drawn
// after this visit's fall and step, one step ahead of it.
void update_enemy_a(int32_t slot, int32_t row, int32_t column)
{
    EnemySlot& enemy = game.enemies_a[slot];
    if (enemy.alive == FLAG_CLEAR && enemy.dying == FLAG_SET)
        update_ending_death_explosion(enemy);
    if (enemy.alive != FLAG_SET)
        return;
    enemy.screen_x = wrap_add(anchor_x(column), enemy.offset_x);
    enemy.screen_y = wrap_add(anchor_y(row), enemy.offset_y);
    fall(enemy);
    patrol(enemy, walk);
    update_enemy_shots(GROUP_A, slot, row, column);
    if (player_in_box(enemy.screen_x, enemy.screen_y, GROUP_A_TOUCH))
        kill_player();
    take_player_shots(enemy);
    draw_enemy_a(enemy.direction, enemy.anim_frame, wrap_add(anchor_x(column), enemy.offset_x),
                 wrap_add(anchor_y(row), enemy.offset_y));
}
