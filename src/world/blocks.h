// Blocks (solid ground and walls, 20 x 20 on screen) and drop markers
// (invisible cells that start the player's fall into a gap).
#pragma once

#include <cstdint>

// A block's own visit: it stops player shots, holds up or pushes back the
// player and is drawn. What it does to enemies and their shots comes first
// (enemies/enemies_at_blocks.h).
void update_block(int32_t row, int32_t column);

void update_drop_marker(int32_t row, int32_t column);
