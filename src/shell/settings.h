// Settings the game reads from its environment at start-up.
#pragma once

#include <cstdint>

// TARNBLAST_START_MODE: 1 (the title, the default) or 3 (the level editor).
// Returns false, after a one-line message on stderr, for any other value.
bool start_mode_setting(int32_t& start_mode);
