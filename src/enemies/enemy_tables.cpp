#include "enemies/enemy_tables.h"

#include "enemies/enemy_groups.h"

namespace {

void reset_enemy_shot(EnemyShot& shot)
{
    shot.flying = FLAG_CLEAR;
    shot.x = 0;
    shot.y = 0;
    shot.shift = 0;
    shot.flight_timer = 0;
    shot.direction = 0;
    shot.explosion_state = FLAG_CLEAR;
    shot.explosion_x = 0;
    shot.explosion_y = 0;
    shot.explosion_shift = 0;
    shot.explosion_frame = 1;
}

void reset_enemy(EnemySlot& enemy)
{
    enemy.fire_timer = 0;
    enemy.anim_frame = 1;
    enemy.anim_timer = 0;
    enemy.direction = ENEMY_LEFT;
    enemy.offset_x = 0;
    enemy.offset_y = 0;
    enemy.screen_x = 0;
    enemy.screen_y = 0;
    enemy.falling = FLAG_SET;
    enemy.alive = FLAG_SET;
    enemy.dying = FLAG_CLEAR;
    enemy.dying_x = 0;
    enemy.dying_y = 0;
    enemy.dying_frame = 1;
    enemy.next_shot = 1;
    for (EnemyShot& shot : enemy.shots)
        reset_enemy_shot(shot);
}

}  // namespace

void reset_enemies()
{
    for (const EnemyGroupRow& group : ENEMY_GROUPS)
        for (int slot = 0; slot < ENEMY_SLOTS; ++slot)
            reset_enemy(group.slots[slot]);
}
