// The player: walking scrolls the level under him, Up jumps, and he falls
// until a block or a turret holds him up.
#pragma once

#include <cstdint>

// Play keys, run between frames.
void walk_left();
void walk_right();
void jump();

// The player handler of the world scan, at the visited cell where his
// marker was found.
void update_player(int32_t row, int32_t column);

// The player's movement state and the next shot slot at their start values.
void reset_player_movement();
