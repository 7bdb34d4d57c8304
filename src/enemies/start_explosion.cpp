#include "enemies/enemy_shots.h"

void start_explosion(EnemyShot& shot, int32_t x, int32_t y)
{
    shot.explosion_state = FLAG_SET;
    shot.explosion_x = x;
    shot.explosion_y = y;
    shot.explosion_frame = 1;
    shot.explosion_shift = 0;
    shot.flying = FLAG_CLEAR;
}
