// The world frame: one scan of the visible window of the level grid, which
// moves, tests and draws everything anchored there.
#pragma once

#include <cstdint>

void run_world_frame();

// The whole visit of a block: the enemies it holds up and the shots it sets
// off, then its own handler (the player shots, the player, its sprite).
void visit_block(int32_t row, int32_t column);
