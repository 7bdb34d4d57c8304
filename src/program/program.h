// The program around the game's passes, written once for every platform:
// its settings, the start, one turn of the loop (a pass of the game unless
// paused, the frame shown, the keys read, pause and mute) and the end. The
// desktop runs turns paced by the retrace; the browser runs them paced by
// its clock.
#pragma once

#include <cstdint>

#include "base/physical_keys.h"
#include "program/gamepad.h"

// The settings the program starts with (the rest are read where they act);
// how the platform numbers its pads' buttons, which the pad's setting moves;
// and a level to start playing on at once (the page's warp; 0: none).
struct ProgramSettings {
    int32_t start_mode = 1;
    int32_t window_scale = 1;
    PadLayout pad_layout = PAD_KERNEL_NUMBERING;
    int32_t warp_level = 0;
};

// Reads every setting the program starts with. Returns false, after one line
// on stderr, for a value it refuses: the program then ends with 2.
bool read_program_settings(ProgramSettings& settings);

// Starts the recording the settings ask for, then the game itself.
void start_program(const ProgramSettings& settings);

// Puts the whole program back to its start-up state and starts it again, as
// a newly opened page starts it: the page's Play again, and its levels
// opened while it runs.
void restart_program(const ProgramSettings& settings);

// What the platform gives the loop at each turn: the keys down on its
// keyboard after the frame was shown, its pads as they are, and controls
// held some other way (the window's close button as Escape, the page's
// on-screen controls, a key script).
struct PolledInput {
    PhysicalKeys keys;
    int pad_count = 0;
    PadState pads[PAD_MAX_PADS] = {};
    uint16_t controls = 0;
};

// The controls an input holds: the keyboard's keys through the player's
// bindings, the pads through their mapping, and the rest as they are.
uint16_t polled_controls(const PolledInput& input);

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
