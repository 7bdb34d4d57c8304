// What the visits of all four enemy groups have in common: where the anchor
// cell lies on screen, the strict corner-in-box tests, the player's death, a
// kill, the fall and the scroll shift of shots that follow the level.
#pragma once

#include <cstdint>

#include "base/game_state.h"

// A box measured from an object's top-left corner (left, top). A corner
// (x, y) lies in it when left < x, top < y + reach_above, x < left + width
// and y < top + height; every comparison is strict and every sum wraps.
struct CornerBox {
    int32_t reach_above;
    int32_t width;
    int32_t height;
};

bool corner_in_box(int32_t x, int32_t y, int32_t left, int32_t top, const CornerBox& box);

// Whether the player's top-left corner lies in the box.
bool player_in_box(int32_t left, int32_t top, const CornerBox& box);

// Whether player shot k is in flight and its corner lies in the box.
bool flying_player_shot_in_box(int k, int32_t left, int32_t top, const CornerBox& box);

// Screen position of an anchor cell, with the camera as it stands now.
int32_t anchor_x(int32_t column);
int32_t anchor_y(int32_t row);

// The player dies: back to the title, but only in play. The editor visits
// enemies too, and nothing there ends the mode.
void kill_player();

// A player shot destroys the enemy: its death explosion starts where the
// enemy stood at the start of this visit, the blast sounds and 20 points are
// scored.
void destroy_enemy(EnemySlot& enemy);

// An enemy that has not landed drops 2 pixels.
void fall(EnemySlot& enemy);

// The death explosion rises 3 pixels and steps its frame 1, 2, 3, 1, ...
void raise_death_explosion(EnemySlot& enemy);
void draw_death_explosion(const EnemySlot& enemy);

// A death explosion whose top has risen above this ends.
constexpr int32_t DEATH_EXPLOSION_TOP = 5;

// One step of a walker's patrol (groups A and C), by the group's own walk of
// a pixel (walk(enemy, pixels, turn_to)). Two separate tests: the visit that
// turns a left-walking enemy round walks it right again at once (0 pixels in
// all); a turn to the left waits for the next visit.
template <typename Walk>
void patrol(EnemySlot& enemy, Walk walk)
{
    if (enemy.direction == ENEMY_LEFT)
        walk(enemy, -1, ENEMY_RIGHT);
    if (enemy.direction == ENEMY_RIGHT)
        walk(enemy, 1, ENEMY_LEFT);
}

// One visit of a walker's death explosion (groups A and C): it rises, ends
// once its top passes the top of the screen, and is drawn in that visit too.
void update_ending_death_explosion(EnemySlot& enemy);

// Pixels a shift moves per visit: -5 while Left is held, +5 while Right is,
// nothing with both or neither. Read from the keyboard at every call.
int32_t scroll_step();
