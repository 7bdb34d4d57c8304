// The four enemy tables (groups A to D), indexed by slot.
#pragma once

#include "base/game_state.h"

// Every slot of every group, with all 21 shot slots, back to its start values.
// A shot's explosion timer keeps its count.
void reset_enemies();
