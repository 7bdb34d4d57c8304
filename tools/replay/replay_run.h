// The headless replay runner: the game's own passes driven by a key script,
// with frames, traces and the grid written out on request.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "program/key_script.h"

struct ReplayOptions {
    int32_t start_mode = 1;
    int32_t warp_level = 0;  // 0: no warp
    std::string level_path;  // a level file or pack to edit or play, as TARNBLAST_LEVEL
    std::string frames_dir;
    PassList frame_list;
    std::string trace_path;
    PassList trace_list;
    std::string grid_path;
    bool timedemo = false;
    std::string script_path;
    // Called after every pass with its number, the game as the pass left it;
    // for tools that watch a run.
    std::function<void(int64_t pass)> after_pass;
};

// Reads the command line. On a fault returns false with a one-line message.
bool parse_replay_arguments(int argc, char** argv, ReplayOptions& options, std::string& error);

// Runs the script from the program's start-up state; returns the exit code
// (0, or 1 when an output file cannot be written, with a message on stderr).
int run_replay(const ReplayOptions& options, const KeyScript& script);
