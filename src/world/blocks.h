// Blocks (solid ground and walls, 20 x 20 on screen) and drop markers
// (invisible cells that start the player's fall into a gap).
#pragma once

#include <cstdint>

void update_block(int32_t row, int32_t column);

// Within one row of the world scan every block has the same height, so the
// group B arc shots at that height are gathered once and kept for the row's
// later blocks. The scan turns this on while it runs and calls
// forget_arc_shot_heights whenever anything but a block or a drop marker
// has been visited (only enemy visits move arc shots). Outside a scan every
// block looks at every arc shot.
void keep_arc_shot_heights(bool keep);
void forget_arc_shot_heights();
void update_drop_marker(int32_t row, int32_t column);
