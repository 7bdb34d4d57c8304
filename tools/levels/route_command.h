// tarnblast-levels route: a way through a level, proved by playing it.
//
//   route N|FILE [--out SCRIPT] [--seconds S]
//
// searches for the held keys that carry the player from the start of the
// level to its end, replays them with the replay runner to make sure, and
// writes them as a replay script for tarnblast-replay --warp N, or for
// tarnblast-replay --level FILE (starting on the title with S).
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "route_search.h"

// Runs the command; args start with "route". Returns 0 when a route was
// found and written, 1 when none was found in the time or the script could
// not be written, 2 for a bad command line.
int run_route(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Whether a level file (or a level's link) can be finished, played from the
// title with S: the verdict in words ("can be finished: a route of ..."),
// and the route as a replay script when one was found.
struct RouteVerdict {
    bool found = false;
    std::string text;
    std::string script;
    int64_t passes = 0;
    int32_t enemies_shot = 0;
};
RouteVerdict level_route_verdict(const std::string& path, double seconds, std::ostream& err);

// After `check FILE` has found the file sound: whether it can be finished,
// in one line on out. Returns 0 when a route was found, 1 when none was.
int report_route_verdict(const std::string& path, double seconds, std::ostream& out,
                         std::ostream& err);

// "30", "2.5": a time limit above 0, in seconds.
bool parse_route_seconds(const std::string& text, double& seconds);

// A level to cross, as the replay runner is told to start it.
struct RouteLevel {
    std::string name;            // "level 3", or the file as given
    std::string replay_options;  // "--warp 3", "--level FILE"
    int32_t warp_level = 0;      // 0 for a level file
    std::string level_path;
    int32_t number = 0;  // the level number while it is played
    LevelStart start;
};

RouteLevel builtin_route_level(int32_t number);

// What a route's replay showed: whether the game stayed in play at every
// pass and changed to the next level on the last one, and the enemies shot.
struct RouteCheck {
    bool holds = false;
    std::string problem;
    int32_t enemies_shot = 0;
};

// The route as a replay script: a comment saying what it is and how to
// replay it, then the keys, equal passes run together.
std::string route_script_text(const RouteLevel& level, const std::vector<uint16_t>& keys,
                              int32_t enemies_shot);
