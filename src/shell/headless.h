// Running the game without a window, keyboard or sound card: for the replay
// runner, the tests and the benchmarks. Drawing goes into the same memory
// back buffer as in the real program, at the same colour depth.
#pragma once

#include <cstdint>

// Brings up Allegro without a display, once per process: 32-bit colour, the
// default palette (so the HUD text is white) and the back buffer.
void boot_headless_allegro();

// Puts the whole program back to its start-up state in the given start mode:
// every game variable as at program start, the assets loaded afresh from
// data/ in the working directory, no key held, then start-up as the real
// program does it. The sounds started by start-up are in the pass log.
// With keep_assets the files already loaded are used again instead of being
// read afresh (they never change while the program runs).
void restart_headless_game(int32_t start_mode, bool keep_assets = false);

// Lets go of every key: every entry of Allegro's key array becomes 0.
void release_all_keys();
