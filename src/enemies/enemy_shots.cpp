#include "enemies/enemy_shots.h"

#include "enemies/enemy_visit.h"
#include "world/sprite_atlas.h"

namespace {

// A shot below this line has left the playing field.
constexpr int32_t FLIGHT_FLOOR = 180;

// Group A: the lobbed shot rises while its timer is below the top, hangs for
// one visit at it, falls, and lands as an explosion when the timer reaches
// the landing, 25 pixels above where it then is.
constexpr int32_t LOB_TOP = 20;
constexpr int32_t LOB_LANDING = 60;
constexpr int32_t LOB_EXPLOSION_RAISE = 25;

// Group B: the arc shot climbs up and left until its top, then drops left.
constexpr int32_t ARC_TOP = 30;
constexpr CornerBox ARC_KILL_BOX{12, 12, 12};

// Group C: the straight shot flies 3 pixels a visit between the screen edges
// and starts 15 pixels below its enemy's top.
constexpr int32_t STRAIGHT_SPEED = 3;
constexpr int32_t STRAIGHT_LEFT_EDGE = 5;
constexpr int32_t STRAIGHT_RIGHT_EDGE = SCREEN_WIDTH;
constexpr int32_t STRAIGHT_DROP = 15;

// Group D: the rising shot climbs 2 pixels a visit to the top of the screen.
constexpr int32_t RISING_SPEED = 2;
constexpr int32_t RISING_TOP = 5;

// Group C and D shots kill when their corner enters the player's box.
constexpr CornerBox PLAYER_BOX{0, 22, 33};

// The two explosions differ in pace and reach: a lobbed shot's explosion
// steps a frame every 11 visits and lasts 143, an arc shot's every 6 and
// lasts 78. Only the lobbed one puts its slot's shot to rest when it ends.
struct ExplosionKind {
    int32_t frame_visits;  // a frame step comes when the timer exceeds this
    CornerBox kill_box;    // the player's corner against the explosion's
    bool rests_shot_at_end;
};
constexpr ExplosionKind LOBBED_EXPLOSION{10, {20, 35, 35}, true};
constexpr ExplosionKind ARC_EXPLOSION{5, {12, 33, 33}, false};

void step_explosion_frame(EnemyShot& shot, const ExplosionKind& kind)
{
    shot.explosion_timer += 1;
    if (shot.explosion_timer <= kind.frame_visits)
        return;
    shot.explosion_frame += 1;
    shot.explosion_timer = 0;
    if (shot.explosion_frame > EXPLOSION_FRAMES) {
        shot.explosion_state = FLAG_CLEAR;
        if (kind.rests_shot_at_end)
            shot.flying = FLAG_CLEAR;
    }
}

// An explosion keeps to its spot in the level while the player walks; it
// still kills in the visit that ends it, when it draws nothing.
void run_explosion(EnemyShot& shot, const ExplosionKind& kind)
{
    if (shot.explosion_state != FLAG_SET)
        return;
    step_explosion_frame(shot, kind);
    shot.explosion_shift = wrap_add(shot.explosion_shift, scroll_step());
    const int32_t ex = wrap_sub(shot.explosion_x, shot.explosion_shift);
    if (player_in_box(ex, shot.explosion_y, kind.kill_box))
        kill_player();
    draw_explosion(shot.explosion_frame, ex, shot.explosion_y);
}

// The lobbed shot itself never harms the player. It is drawn with its slot's
// explosion frame as its kind, so once the slot's first explosion has ended
// (frame 14) its later flights are not seen until they land.
void fly_lobbed_shot(EnemyShot& shot)
{
    shot.flight_timer = wrap_add(shot.flight_timer, 1);
    if (shot.flight_timer < LOB_TOP)
        shot.y = wrap_sub(shot.y, 1);
    else if (shot.flight_timer > LOB_TOP && shot.flight_timer < LOB_LANDING)
        shot.y = wrap_add(shot.y, 1);
    else if (shot.flight_timer == LOB_LANDING)
        start_explosion(shot, wrap_sub(shot.x, shot.shift), wrap_sub(shot.y, LOB_EXPLOSION_RAISE));
    shot.shift = wrap_add(shot.shift, scroll_step());
    if (shot.y > FLIGHT_FLOOR)
        shot.flying = FLAG_CLEAR;
    draw_lobbed_shot(shot.explosion_frame, wrap_sub(shot.x, shot.shift), shot.y);
}

void lobbed_shot_step(const EnemySlot& enemy, EnemyShot& shot, int32_t row, int32_t column)
{
    run_explosion(shot, LOBBED_EXPLOSION);
    if (shot.flying == FLAG_SET) {
        fly_lobbed_shot(shot);
    } else {
        shot.x = wrap_add(anchor_x(column), enemy.offset_x);
        shot.y = wrap_add(anchor_y(row), enemy.offset_y);
        shot.shift = 0;
    }
}

void fly_arc_shot(EnemyShot& shot)
{
    shot.flight_timer = wrap_add(shot.flight_timer, 1);
    if (shot.flight_timer < ARC_TOP) {
        shot.x = wrap_sub(shot.x, 1);
        shot.y = wrap_sub(shot.y, 1);
    } else if (shot.flight_timer > ARC_TOP) {
        shot.x = wrap_sub(shot.x, 1);
        shot.y = wrap_add(shot.y, 1);
    }
    shot.shift = wrap_add(shot.shift, scroll_step());
    const int32_t sx = wrap_sub(shot.x, shot.shift);
    if (player_in_box(sx, shot.y, ARC_KILL_BOX))
        kill_player();
    if (shot.y > FLIGHT_FLOOR)
        shot.flying = FLAG_CLEAR;
    draw_sprite_rect(ATLAS_ARC_SHOT, sx, shot.y);
}

// A resting arc shot keeps its shift, so a block it lies in explodes it
// where the last flight was drawn.
void arc_shot_step(const EnemySlot& enemy, EnemyShot& shot, int32_t row, int32_t column)
{
    run_explosion(shot, ARC_EXPLOSION);
    if (shot.flying == FLAG_SET) {
        fly_arc_shot(shot);
    } else {
        shot.x = anchor_x(column);
        shot.y = wrap_add(anchor_y(row), enemy.offset_y);
    }
}

// The straight shot keeps to screen coordinates: it drifts against the
// level while the player walks.
void fly_straight_shot(EnemyShot& shot)
{
    if (shot.direction == ENEMY_LEFT)
        shot.x = wrap_sub(shot.x, STRAIGHT_SPEED);
    if (shot.direction == ENEMY_RIGHT)
        shot.x = wrap_add(shot.x, STRAIGHT_SPEED);
    if (shot.x < STRAIGHT_LEFT_EDGE || shot.x > STRAIGHT_RIGHT_EDGE)
        shot.flying = FLAG_CLEAR;
    if (corner_in_box(shot.x, shot.y, game.player_x, game.player_y, PLAYER_BOX))
        kill_player();
    draw_sprite_rect(ATLAS_STRAIGHT_SHOT, shot.x, shot.y);
}

void straight_shot_step(const EnemySlot& enemy, EnemyShot& shot, int32_t row, int32_t column)
{
    if (shot.flying == FLAG_SET) {
        fly_straight_shot(shot);
    } else {
        shot.x = wrap_add(anchor_x(column), enemy.offset_x);
        shot.y = wrap_add(wrap_add(anchor_y(row), enemy.offset_y), STRAIGHT_DROP);
    }
}

void fly_rising_shot(EnemyShot& shot)
{
    shot.y = wrap_sub(shot.y, RISING_SPEED);
    if (shot.y < RISING_TOP)
        shot.flying = FLAG_CLEAR;
    shot.shift = wrap_add(shot.shift, scroll_step());
    const int32_t sx = wrap_sub(shot.x, shot.shift);
    if (corner_in_box(sx, shot.y, game.player_x, game.player_y, PLAYER_BOX))
        kill_player();
    draw_sprite_rect(ATLAS_RISING_SHOT, sx, shot.y);
}

void rising_shot_step(const EnemySlot&, EnemyShot& shot, int32_t row, int32_t column)
{
    if (shot.flying == FLAG_SET) {
        fly_rising_shot(shot);
    } else {
        shot.x = anchor_x(column);
        shot.y = anchor_y(row);
    }
}

// Arming, per group. Lobbed and arc shots restart their flight timer, so
// every flight of a slot follows the same path as its first one (otherwise
// a lobbed shot's second flight would never land). Arc and rising shots
// start without shift: a slot re-armed in flight jumps back by the shift it
// had gathered.
void arm_lobbed_shot(const EnemySlot&, EnemyShot& shot)
{
    shot.flying = FLAG_SET;
    shot.flight_timer = 0;
}

void arm_arc_shot(const EnemySlot&, EnemyShot& shot)
{
    shot.flying = FLAG_SET;
    shot.shift = 0;
    shot.flight_timer = 0;
}

void arm_straight_shot(const EnemySlot& enemy, EnemyShot& shot)
{
    shot.flying = FLAG_SET;
    shot.direction = enemy.direction;
}

void arm_rising_shot(const EnemySlot&, EnemyShot& shot)
{
    shot.flying = FLAG_SET;
    shot.shift = 0;
}

}  // namespace

const ShotKind LOBBED_SHOT{arm_lobbed_shot, lobbed_shot_step, false};
const ShotKind ARC_SHOT{arm_arc_shot, arc_shot_step, true};
const ShotKind STRAIGHT_SHOT{arm_straight_shot, straight_shot_step, false};
const ShotKind RISING_SHOT{arm_rising_shot, rising_shot_step, false};

void arm_enemy_shot(EnemyGroup group, EnemySlot& enemy)
{
    ENEMY_GROUPS[group].shot->arm(enemy, enemy.shots[enemy.next_shot]);
    enemy.next_shot += 1;
    if (enemy.next_shot > ENEMY_SHOTS - 1)
        enemy.next_shot = 1;
}

void update_enemy_shots(EnemyGroup group, int32_t slot, int32_t row, int32_t column)
{
    const EnemyGroupRow& row_of_group = ENEMY_GROUPS[group];
    EnemySlot& enemy = row_of_group.slots[slot];
    for (EnemyShot& shot : enemy.shots)
        row_of_group.shot->step(enemy, shot, row, column);
}
