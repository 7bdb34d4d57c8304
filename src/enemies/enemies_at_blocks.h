// What a block does to the enemies: a falling enemy of a group that lands
// comes to rest on it, and shots that explode at blocks go off against it.
// The world scan calls this at each block's visit, before the block's own
// handler holds or pushes the player.
#pragma once

#include <cstdint>

// The block's top-left corner on screen.
void stop_enemies_at_block(int32_t bx, int32_t by);

// Within one row of the world scan every block has the same height, so the
// arc shots at that height are gathered once and kept for the row's later
// blocks. The scan turns this on while it runs and calls
// forget_arc_shot_heights whenever anything but a block or a drop marker
// has been visited (only enemy visits move arc shots). Outside a scan every
// block looks at every arc shot.
void keep_arc_shot_heights(bool keep);
void forget_arc_shot_heights();
