#include "enemies/enemy_visit.h"

#include "base/key_names.h"
#include "base/score.h"
#include "base/sound.h"
#include "world/camera.h"
#include "world/sprite_atlas.h"

namespace {

constexpr int32_t FALL_PIXELS = 2;
constexpr int32_t DEATH_RISE_PIXELS = 3;
constexpr int32_t DEATH_FRAMES = 3;
constexpr int32_t SCROLL_SHIFT_PIXELS = 5;

}  // namespace

bool corner_in_box(int32_t x, int32_t y, int32_t left, int32_t top, const CornerBox& box)
{
    return left < x && top < wrap_add(y, box.reach_above) && x < wrap_add(left, box.width)
           && y < wrap_add(top, box.height);
}

bool player_in_box(int32_t left, int32_t top, const CornerBox& box)
{
    return corner_in_box(game.player_x, game.player_y, left, top, box);
}

bool flying_player_shot_in_box(int k, int32_t left, int32_t top, const CornerBox& box)
{
    return game.shot_active[k] == FLAG_SET
           && corner_in_box(game.shot_x[k], game.shot_y[k], left, top, box);
}

int32_t anchor_x(int32_t column)
{
    return cell_screen_x(column);
}

int32_t anchor_y(int32_t row)
{
    return row * TILE_SIZE;
}

void kill_player()
{
    if (game.game_mode == MODE_PLAY)
        game.game_mode = MODE_TITLE;
}

void destroy_enemy(EnemySlot& enemy)
{
    enemy.dying_x = enemy.screen_x;
    enemy.dying_y = enemy.screen_y;
    enemy.dying = FLAG_SET;
    enemy.alive = FLAG_CLEAR;
    start_sound(ASSET_BLAST);
    add_kill_score();
}

void fall(EnemySlot& enemy)
{
    // Nothing stops an enemy that misses every block: it falls for as long
    // as it is in view, so the offset wraps rather than overflow.
    if (enemy.falling == FLAG_SET)
        enemy.offset_y = wrap_add(enemy.offset_y, FALL_PIXELS);
}

void raise_death_explosion(EnemySlot& enemy)
{
    enemy.dying_y = wrap_sub(enemy.dying_y, DEATH_RISE_PIXELS);
    enemy.dying_frame += 1;
    if (enemy.dying_frame > DEATH_FRAMES)
        enemy.dying_frame = 1;
}

void draw_death_explosion(const EnemySlot& enemy)
{
    draw_dying_enemy(enemy.dying_frame, enemy.dying_x, enemy.dying_y);
}

void update_ending_death_explosion(EnemySlot& enemy)
{
    raise_death_explosion(enemy);
    if (enemy.dying_y < DEATH_EXPLOSION_TOP)
        enemy.dying = FLAG_CLEAR;
    draw_death_explosion(enemy);
}

int32_t scroll_step()
{
    int32_t step = 0;
    if (key_held(CONTROL_LEFT))
        step -= SCROLL_SHIFT_PIXELS;
    if (key_held(CONTROL_RIGHT))
        step += SCROLL_SHIFT_PIXELS;
    return step;
}
