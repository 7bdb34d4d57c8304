// Enemy shots and their explosions.
#pragma once

#include <cstdint>

#include "shell/game_state.h"

// Starts the explosion of a group A or B shot slot at a screen position and
// puts the shot itself to rest.
void start_explosion(EnemyShot& shot, int32_t x, int32_t y);
