// The program around the game's passes, written once for every platform:
// its settings, the start, one turn of the loop (a pass of the game unless
// paused, the frame shown, the keys read, pause and mute) and the end. The
// desktop runs turns paced by the retrace; the browser runs them paced by
// its clock.
#pragma once

#include <cstdint>

#include "base/physical_keys.h"

// The settings the program starts with (the rest are read where they act).
struct ProgramSettings {
    int32_t start_mode = 1;
    int32_t window_scale = 1;
};

// Reads every setting the program starts with. Returns false, after one line
// on stderr, for a value it refuses: the program then ends with 2.
bool read_program_settings(ProgramSettings& settings);

// Starts the recording the settings ask for, then the game itself.
void start_program(const ProgramSettings& settings);

// What the platform gives the loop at each turn: the keys down on its
// keyboard after the frame was shown, and controls held some other way (a
// pad, the window's close button as Escape, a key script).
struct PolledInput {
    PhysicalKeys keys;
    uint16_t controls = 0;
};

// The platform's part of a turn: shows the frame, waits for the retrace where
// it has one, and polls. `paused`: the turn ran no pass, and the frame is the
// last one with PAUSED drawn over it.
using ShowAndPoll = PolledInput (*)(bool paused);

// One turn: a pass of the game, or, while paused, only the frame shown and
// the keys read. Returns false when the game ends (Escape, or the close
// button).
bool run_program_turn(ShowAndPoll show_and_poll);

// Whether the game is paused; the browser pauses it while its tab is hidden.
bool program_paused();
void pause_program(bool paused);

// The end: the recording closed, the last frame saved where the settings ask.
void end_program();
