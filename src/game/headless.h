// Running the game without a window, keyboard or sound card: for the replay
// runners, the tests, the tools and the benchmarks. Drawing goes into the
// same kind of frame as in the real program, with the same calls.
#pragma once

#include <cstdint>

// Puts the whole program back to its start-up state in the given start mode:
// every game variable as at program start, the assets loaded afresh from
// data/ in the working directory, no key held, then start-up as the real
// program does it. The sounds started by start-up are in the pass log.
// With keep_assets the files already loaded are used again instead of being
// read afresh (they never change while the program runs).
void restart_headless_game(int32_t start_mode, bool keep_assets = false);
