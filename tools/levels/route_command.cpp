#include "route_command.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "base/game_state.h"
#include "enemies/enemy_groups.h"
#include "game/headless.h"
#include "game/title.h"
#include "levels/level_disk.h"
#include "levels/level_link.h"
#include "levels/level_pack.h"
#include "levels/level_tables.h"
#include "levels_tool.h"
#include "program/key_script.h"
#include "replay_run.h"

namespace fs = std::filesystem;

namespace {

constexpr int EXIT_NOT_FOUND = EXIT_WRITE_FAILED;
constexpr double DEFAULT_SECONDS = 60;
constexpr double LONGEST_SECONDS = 7 * 24 * 3600;
constexpr double PASSES_PER_SECOND = 70;

const char* const ROUTE_USAGE =
    "usage: tarnblast-levels route N|EXPORT_FILE [--out SCRIPT] [--seconds S]\n";

struct RouteOptions {
    std::string level;
    std::string out_path;
    double seconds = DEFAULT_SECONDS;
};

int bad_usage(std::ostream& err, const std::string& problem)
{
    err << TOOL << problem << "\n" << ROUTE_USAGE;
    return EXIT_BAD_INPUT;
}

bool parse_route_arguments(const std::vector<std::string>& args, RouteOptions& options,
                           std::string& error)
{
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if ((arg == "--out" || arg == "--seconds") && i + 1 == args.size()) {
            error = arg + " needs a value";
            return false;
        }
        if (arg == "--out") {
            options.out_path = args[++i];
        } else if (arg == "--seconds") {
            if (!parse_route_seconds(args[++i], options.seconds)) {
                error = "--seconds must be a number of seconds above 0, for instance 30 or 2.5";
                return false;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg.substr(0, 40);
            return false;
        } else if (options.level.empty()) {
            options.level = arg;
        } else {
            error = "route takes one level";
            return false;
        }
    }
    if (options.level.empty()) {
        error = "route needs a level";
        return false;
    }
    return true;
}

// The level of a file the game has opened (open_level_pack): play starts
// from the title with S, on level number FIRST_PLAY_LEVEL.
RouteLevel file_route_level(const std::string& path)
{
    RouteLevel level;
    level.name = is_level_link(path) ? "the level of the link" : path;
    level.replay_options = "--level " + path;
    level.level_path = path;
    level.number = FIRST_PLAY_LEVEL;
    level.start.restart = []() { restart_headless_game(MODE_TITLE, true); };
    level.start.opening = {SCRIPT_S};
    return level;
}

// A built-in level by number, or a level file, opened for play as the
// runner's --level opens it.
bool level_from_route_argument(const std::string& argument, RouteLevel& level, std::string& error)
{
    const int32_t number = builtin_level_argument(argument, error);
    if (number > 0)
        level = builtin_route_level(number);
    if (number != 0)
        return number > 0;
    if (is_level_folder(argument)) {
        error = argument.substr(0, 200)
                + " is a folder: route takes one level file (check FOLDER looks for a route "
                  "through each file of a pack)";
        return false;
    }
    if (!open_level_pack(argument.c_str(), MODE_TITLE, error))
        return false;
    level = file_route_level(argument);
    return true;
}

std::string seconds_text(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

void report_progress(std::ostream& err, const RouteLevel& level, const RouteProgress& progress)
{
    err << TOOL << "route through " << level.name << ": " << progress.passes_searched
        << " passes searched, furthest column " << progress.furthest_column << " of "
        << LEVEL_END_COLUMN << ", " << seconds_text(progress.cpu_seconds) << std::endl;
}

// Checked before a search that may take a minute: the folder must exist and
// be writable, and the path must not be a folder.
bool script_can_be_written(const std::string& path, std::string& error)
{
    std::error_code code;
    const fs::path target = fs::absolute(path, code);
    const fs::path folder = target.parent_path();
    if (fs::is_directory(target, code)) {
        error = "cannot write " + path + ": it is a folder";
        return false;
    }
    if (!fs::is_directory(folder, code) || access(folder.c_str(), W_OK) != 0) {
        error = "cannot write " + path + ": " + folder.string() + " is no writable folder";
        return false;
    }
    return true;
}

// The game's data/ is only needed to draw the frames of the replay that
// checks a route, as the runner draws them; the route is the same without
// it. Goes back to the working directory it was made in.
class GameDataFolder {
public:
    GameDataFolder() : home_(fs::current_path(code_))
    {
        std::string ignored;
        find_game_data(ignored);
    }
    ~GameDataFolder() { fs::current_path(home_, code_); }

private:
    std::error_code code_;
    fs::path home_;
};

bool write_script(const std::string& path, const std::string& text, std::ostream& out,
                  std::ostream& err)
{
    if (path.empty()) {
        out << text;
        out.flush();
        return true;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file)
        file << text;
    if (file)
        file.close();
    if (!file) {
        err << TOOL << "cannot write " << path << ": " << std::strerror(errno) << "\n";
        return false;
    }
    return true;
}

// Enemies shot, counted as they fall from alive to dead pass by pass (the
// score cannot tell: kills in one pass can lose points in its carry).
struct KillCounter {
    int32_t total = 0;
    int32_t alive[GROUP_COUNT][ENEMY_SLOTS] = {};

    void count_pass()
    {
        for (int g = 0; g < GROUP_COUNT; ++g) {
            for (int i = 0; i < ENEMY_SLOTS; ++i) {
                const int32_t now = ENEMY_GROUPS[g].slots[i].alive;
                if (alive[g][i] == FLAG_SET && now == FLAG_CLEAR)
                    ++total;
                alive[g][i] = now;
            }
        }
    }
};

// Replays the script text with the replay runner, from the program's start.
RouteCheck replay_route(const RouteLevel& level, const std::string& script_text)
{
    RouteCheck check;
    KeyScript script;
    std::string error;
    if (!parse_key_script(script_text, script, error)) {
        check.problem = "the script does not read back: " + error;
        return check;
    }
    ReplayOptions options;
    options.warp_level = level.warp_level;
    options.level_path = level.level_path;
    KillCounter kills;
    int64_t passes = 0;
    int64_t left_play = 0;
    int32_t level_before_last = 0;
    options.after_pass = [&](int64_t pass) {
        passes = pass;
        if (game.game_mode != MODE_PLAY && !left_play)
            left_play = pass;
        if (pass < script.total_passes) {
            level_before_last = game.level_number;
            kills.count_pass();
        }
    };
    if (run_replay(options, script) != 0) {
        check.problem = "the replay failed";
        return check;
    }
    check.enemies_shot = kills.total;
    if (left_play)
        check.problem = "the game left play at pass " + std::to_string(left_play);
    else if (passes != script.total_passes)
        check.problem = "the replay stopped after " + std::to_string(passes) + " passes";
    else if (level_before_last != level.number || game.level_number != level_after(level.number))
        check.problem = "the last pass did not change to the next level";
    else
        check.holds = true;
    return check;
}

}  // namespace

RouteLevel builtin_route_level(int32_t number)
{
    RouteLevel level;
    level.name = "level " + std::to_string(number);
    level.replay_options = "--warp " + std::to_string(number);
    level.warp_level = number;
    level.number = number;
    level.start.restart = [number]() {
        restart_headless_game(MODE_TITLE, true);
        start_game_at_level(number);
    };
    return level;
}

std::string route_script_text(const RouteLevel& level, const std::vector<uint16_t>& keys,
                              int32_t enemies_shot)
{
    std::ostringstream text;
    text << "# A route through " << level.name
         << " found by tarnblast-levels route: " << keys.size() << " passes, " << enemies_shot
         << " enemies shot.\n"
         << "# Replay it with: tarnblast-replay " << level.replay_options << " SCRIPT\n";
    for (size_t i = 0; i < keys.size();) {
        size_t j = i;
        while (j < keys.size() && keys[j] == keys[i])
            ++j;
        const std::string names = key_set_text(keys[i]);
        text << (j - i) << "*" << (names.empty() ? "" : " ") << names << "\n";
        i = j;
    }
    return text.str();
}

bool parse_route_seconds(const std::string& text, double& seconds)
{
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos)
        return false;
    char* end = nullptr;
    seconds = std::strtod(text.c_str(), &end);
    return *end == '\0' && seconds > 0 && seconds <= LONGEST_SECONDS;
}

namespace {

// A route found, replayed and written as a script; or why not.
struct ProvedRoute {
    bool found = false;
    std::string script;
    RouteResult result;
    RouteCheck check;
};

ProvedRoute find_and_prove_route(const RouteLevel& level, double seconds, std::ostream& err)
{
    GameDataFolder data;
    ProvedRoute proved;
    proved.result = find_route(level.start, seconds, [&](const RouteProgress& progress) {
        report_progress(err, level, progress);
    });
    if (!proved.result.found)
        return proved;
    // The enemies shot are only known from the replay, so the script is
    // replayed once more with its final comment.
    proved.check = replay_route(level, route_script_text(level, proved.result.keys, 0));
    proved.script = route_script_text(level, proved.result.keys, proved.check.enemies_shot);
    if (proved.check.holds)
        proved.check = replay_route(level, proved.script);
    if (!proved.check.holds)
        err << TOOL << "the route found through " << level.name << " does not hold when replayed ("
            << proved.check.problem << "); please report this\n";
    proved.found = proved.check.holds;
    return proved;
}

// "can be finished: a route of 961 passes (13.7 s of play), 15 enemies shot"
std::string finished_text(const ProvedRoute& proved)
{
    const size_t passes = proved.result.keys.size();
    return "can be finished: a route of " + std::to_string(passes) + " passes ("
           + seconds_text(double(passes) / PASSES_PER_SECOND) + " of play), "
           + std::to_string(proved.check.enemies_shot) + " enemies shot";
}

std::string not_found_text(const ProvedRoute& proved)
{
    return "no route found in " + seconds_text(proved.result.progress.cpu_seconds)
           + ": the furthest column reached is "
           + std::to_string(proved.result.progress.furthest_column) + " of "
           + std::to_string(LEVEL_END_COLUMN);
}

// The level file stays open only while its route is looked for.
struct OpenLevelFile {
    ~OpenLevelFile() { close_level_pack(); }
};

}  // namespace

RouteVerdict level_route_verdict(const std::string& path, double seconds, std::ostream& err)
{
    RouteVerdict verdict;
    std::string error;
    if (!open_level_pack(path.c_str(), MODE_TITLE, error)) {
        verdict.text = "cannot be played: " + error;
        return verdict;
    }
    OpenLevelFile opened;
    const RouteLevel level = file_route_level(path);
    const ProvedRoute proved = find_and_prove_route(level, seconds, err);
    verdict.found = proved.found;
    verdict.text = proved.found ? finished_text(proved) : not_found_text(proved);
    verdict.script = proved.script;
    verdict.passes = int64_t(proved.result.keys.size());
    verdict.enemies_shot = proved.check.enemies_shot;
    return verdict;
}

int report_route_verdict(const std::string& path, double seconds, std::ostream& out,
                         std::ostream& err)
{
    const RouteVerdict verdict = level_route_verdict(path, seconds, err);
    out << path << ": " << verdict.text << "\n";
    return verdict.found ? 0 : EXIT_NOT_FOUND;
}

int run_route(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    RouteOptions options;
    std::string error;
    if (!parse_route_arguments(args, options, error))
        return bad_usage(err, error);
    if (!options.out_path.empty()) {
        if (!script_can_be_written(options.out_path, error)) {
            err << TOOL << error << "\n";
            return EXIT_NOT_FOUND;
        }
        options.out_path = fs::absolute(options.out_path).string();
    }
    RouteLevel level;
    if (!level_from_route_argument(options.level, level, error)) {
        err << TOOL << error << "\n";
        return EXIT_BAD_INPUT;
    }
    OpenLevelFile opened;
    const ProvedRoute proved = find_and_prove_route(level, options.seconds, err);
    if (!proved.found) {
        if (!proved.result.found)
            err << TOOL << level.name << ": " << not_found_text(proved) << "\n";
        return EXIT_NOT_FOUND;
    }
    if (!write_script(options.out_path, proved.script, out, err))
        return EXIT_NOT_FOUND;
    err << TOOL << level.name << " " << finished_text(proved) << ", found in "
        << seconds_text(proved.result.progress.cpu_seconds) << "\n";
    return 0;
}
