// Enemy shots and their explosions.
#pragma once

#include <cstdint>

#include "base/game_state.h"
#include "enemies/enemy_groups.h"

// The kinds of shot: a lobbed shot explodes where it lands (group A), an arc
// (B) explodes at the first block it meets, a straight shot (C) flies between
// the screen's edges, a rising one (D) climbs to the top.
extern const ShotKind LOBBED_SHOT;
extern const ShotKind ARC_SHOT;
extern const ShotKind STRAIGHT_SHOT;
extern const ShotKind RISING_SHOT;

// Puts the enemy's shot slot next_shot in flight, whether or not it still
// flies, and moves next_shot on (1 to 20, then 1 again). A group C enemy
// must have turned already: its shot flies the way it now faces.
void arm_enemy_shot(EnemyGroup group, EnemySlot& enemy);

// Moves, tests and draws all 21 shot slots of one enemy of a group, and
// their explosions, during the visit of its anchor cell (row, column).
void update_enemy_shots(EnemyGroup group, int32_t slot, int32_t row, int32_t column);

// Starts the explosion of a group A or B shot slot at a screen position and
// puts the shot itself to rest.
void start_explosion(EnemyShot& shot, int32_t x, int32_t y);
