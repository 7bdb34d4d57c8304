// Searching for a way through a level: the held keys, pass by pass, that
// carry the player from the level's start to its end without dying, found by
// running the game's own passes headless from saved copies of its state.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// How the level to cross is started: the game put into its state before the
// first pass of the script, and the keys of the script's first passes, those
// that lead into play (S on the title), if any.
struct LevelStart {
    std::function<void()> restart;
    std::vector<uint16_t> opening;
};

// How far a search has gone, for the progress line.
struct RouteProgress {
    int64_t passes_searched = 0;
    int32_t furthest_column = 0;
    double cpu_seconds = 0;
};

struct RouteResult {
    bool found = false;
    // The key set held at each pass of the script, the opening included; the
    // last pass is the one that changes to the next level.
    std::vector<uint16_t> keys;
    RouteProgress progress;
};

// Searches until a route is found, every way has been given up, or the
// process has used `cpu_seconds` of processor time since the call. The time
// only stops the search: the same level always gives the same route. The
// report is called about once a second of real time, and once at the end.
RouteResult find_route(const LevelStart& start, double cpu_seconds,
                       const std::function<void(const RouteProgress&)>& report);
