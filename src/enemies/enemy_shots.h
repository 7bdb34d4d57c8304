// Enemy shots and their explosions.
#pragma once

#include <cstdint>

#include "shell/game_state.h"

// The four enemy groups; each fires its own kind of shot: A lobs a shot that
// explodes where it lands, B fires an arc, C a straight shot, D a rising one.
enum EnemyGroup : int32_t { GROUP_A, GROUP_B, GROUP_C, GROUP_D };

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
