#include "enemies/enemies_at_blocks.h"

#include "enemies/enemy_groups.h"
#include "enemies/enemy_shots.h"

namespace {

// Every block test is a window of 22 pixels from the block's corner; only
// the reach above the block differs. All comparisons are strict.
constexpr int32_t BLOCK_REACH = 22;
constexpr int32_t ENEMY_LANDING_REACH = 35;
constexpr int32_t ARC_EXPLOSION_RAISE = 32;

// A falling enemy whose corner is inside the window comes to rest; alive or
// not, in view or not.
void land_enemy(EnemySlot& enemy, int32_t bx, int32_t by)
{
    const int32_t x = enemy.screen_x;
    const int32_t y = enemy.screen_y;
    if (bx < x && by < wrap_add(y, ENEMY_LANDING_REACH) && x < wrap_add(bx, BLOCK_REACH)
        && y < by + BLOCK_REACH && enemy.falling == FLAG_SET)
        enemy.falling = FLAG_CLEAR;
}

// A shot, flying or resting, that meets the block explodes 32 pixels above
// where it was drawn.
void explode_shot_at_block(EnemyShot& shot, int32_t bx)
{
    const int32_t sx = wrap_sub(shot.x, shot.shift);
    if (bx < sx && sx < wrap_add(bx, BLOCK_REACH)) {
        start_explosion(shot, sx, wrap_sub(shot.y, ARC_EXPLOSION_RAISE));
        shot.flight_timer = 0;
        shot.explosion_timer = 0;
    }
}

bool at_block_height(const EnemyShot& shot, int32_t by)
{
    return by < shot.y && shot.y < by + BLOCK_REACH;
}

// The shots at the height of the row being scanned. Exploding a shot
// changes neither its position nor its shift, so the list holds until an
// enemy visit moves shots.
struct ArcShotHeights {
    bool kept = false;
    bool valid = false;
    int32_t by = 0;
    int count = 0;
    EnemyShot* shots[GROUP_COUNT * ENEMY_SLOTS * ENEMY_SHOTS];
};
ArcShotHeights heights;

void gather_arc_shot_heights(int32_t by)
{
    heights.count = 0;
    for (const EnemyGroupRow& group : ENEMY_GROUPS)
        if (group.shot->explodes_at_blocks)
            for (int slot = 0; slot < ENEMY_SLOTS; ++slot)
                for (EnemyShot& shot : group.slots[slot].shots)
                    if (at_block_height(shot, by))
                        heights.shots[heights.count++] = &shot;
    heights.by = by;
    heights.valid = true;
}

void stop_arc_shots(int32_t bx, int32_t by)
{
    if (!heights.kept) {
        for (const EnemyGroupRow& group : ENEMY_GROUPS)
            if (group.shot->explodes_at_blocks)
                for (int slot = 0; slot < ENEMY_SLOTS; ++slot)
                    for (EnemyShot& shot : group.slots[slot].shots)
                        if (at_block_height(shot, by))
                            explode_shot_at_block(shot, bx);
        return;
    }
    if (!heights.valid || heights.by != by)
        gather_arc_shot_heights(by);
    for (int i = 0; i < heights.count; ++i)
        explode_shot_at_block(*heights.shots[i], bx);
}

}  // namespace

// Landing enemies and stopping shots touch different fields, so the shots
// may be taken after all the landings.
void stop_enemies_at_block(int32_t bx, int32_t by)
{
    for (const EnemyGroupRow& group : ENEMY_GROUPS)
        if (group.lands_on_blocks)
            for (int slot = 0; slot < ENEMY_SLOTS; ++slot)
                land_enemy(group.slots[slot], bx, by);
    stop_arc_shots(bx, by);
}

void keep_arc_shot_heights(bool keep)
{
    heights.kept = keep;
    heights.valid = false;
}

void forget_arc_shot_heights()
{
    heights.valid = false;
}
