#include "replay_run.h"

#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "base/bmp_file.h"
#include "base/game_state.h"
#include "base/short_text.h"
#include "base/sound.h"
#include "base/write_all.h"
#include "game/headless.h"
#include "game/main_loop.h"
#include "game/title.h"
#include "levels/level_tables.h"
#include "state_trace.h"

namespace {

bool make_directories(const std::string& path)
{
    struct stat info;
    return make_folders((path + "/").c_str()) == 0 && stat(path.c_str(), &info) == 0
           && S_ISDIR(info.st_mode);
}

bool save_frame(const std::string& dir, int64_t pass)
{
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%06lld.bmp", static_cast<long long>(pass));
    const std::string path = dir + name;
    if (!save_frame_bmp(path.c_str())) {
        std::fprintf(stderr, "tarnblast-replay: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

struct Outputs {
    std::FILE* trace = nullptr;
    ~Outputs()
    {
        if (trace)
            std::fclose(trace);
    }
};

}  // namespace

bool parse_replay_arguments(int argc, char** argv, ReplayOptions& options, std::string& error)
{
    bool frame_list_given = false;
    bool trace_list_given = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        auto value = [&]() { return std::string(argv[++i]); };
        if (arg == "--timedemo") {
            options.timedemo = true;
        } else if (arg.rfind("--", 0) == 0 && arg != "--" && !has_value
                   && (arg == "--start-mode" || arg == "--warp" || arg == "--frames-out"
                       || arg == "--frame-list" || arg == "--trace" || arg == "--trace-list"
                       || arg == "--grid-out" || arg == "--level")) {
            error = arg + " needs a value";
            return false;
        } else if (arg == "--start-mode") {
            if (!parse_start_mode(argv[++i], options.start_mode)) {
                error = std::string("--start-mode must be ") + START_MODE_CHOICES;
                return false;
            }
        } else if (arg == "--warp") {
            options.warp_level = warp_level_of(argv[++i]);
            if (options.warp_level < 0) {
                error = "--warp must be a level from 1 to " + std::to_string(LEVEL_COUNT);
                return false;
            }
        } else if (arg == "--level") {
            options.level_path = value();
            if (options.level_path.empty()) {
                error = "--level needs a level file, folder or link";
                return false;
            }
        } else if (arg == "--frames-out") {
            options.frames_dir = value();
        } else if (arg == "--frame-list") {
            frame_list_given = true;
            if (!parse_pass_list(value(), 1, options.frame_list, error)) {
                error = "--frame-list: " + error;
                return false;
            }
        } else if (arg == "--trace") {
            options.trace_path = value();
        } else if (arg == "--trace-list") {
            trace_list_given = true;
            if (!parse_pass_list(value(), 0, options.trace_list, error)) {
                error = "--trace-list: " + error;
                return false;
            }
        } else if (arg == "--grid-out") {
            options.grid_path = value();
        } else if (arg.rfind("-", 0) == 0 && arg.size() > 1) {
            error = "unknown option " + arg.substr(0, 40);
            return false;
        } else if (options.script_path.empty()) {
            options.script_path = arg;
        } else {
            error = "only one script may be given";
            return false;
        }
    }
    if (options.script_path.empty()) {
        error = "usage: tarnblast-replay [--start-mode 1|3] [--warp N] [--level FILE|FOLDER|LINK] "
                "[--frames-out DIR "
                "[--frame-list LIST]] [--trace FILE [--trace-list LIST]] [--grid-out FILE] "
                "[--timedemo] SCRIPT";
        return false;
    }
    if (options.warp_level && options.start_mode == 3) {
        error = "--warp starts play and cannot be combined with --start-mode 3";
        return false;
    }
    if (frame_list_given && options.frames_dir.empty()) {
        error = "--frame-list needs --frames-out";
        return false;
    }
    if (trace_list_given && options.trace_path.empty()) {
        error = "--trace-list needs --trace";
        return false;
    }
    return true;
}

int run_replay(const ReplayOptions& options, const KeyScript& script)
{
    const bool writing = !options.timedemo;
    Outputs outputs;
    if (writing && !options.frames_dir.empty() && !make_directories(options.frames_dir)) {
        std::fprintf(stderr, "tarnblast-replay: cannot create %s\n", options.frames_dir.c_str());
        return 1;
    }
    if (writing && !options.trace_path.empty()) {
        outputs.trace = std::fopen(options.trace_path.c_str(), "w");
        if (!outputs.trace) {
            std::fprintf(stderr, "tarnblast-replay: cannot write %s: %s\n",
                         options.trace_path.c_str(), std::strerror(errno));
            return 1;
        }
    }

    restart_headless_game(options.start_mode);
    if (options.warp_level)
        start_game_at_level(options.warp_level);
    if (outputs.trace && options.trace_list.contains(0))
        write_state_trace(outputs.trace, 0);

    const auto started = std::chrono::steady_clock::now();
    int64_t pass = 0;
    bool escaped = false;
    ScriptPlayer player(script);
    uint16_t keys = 0;
    while (!escaped && player.next_pass(keys)) {
        ++pass;
        bool saved = true;
        escaped = !run_pass([&] {
            if (writing && !options.frames_dir.empty() && options.frame_list.contains(pass))
                saved = save_frame(options.frames_dir, pass);
            hold_script_keys(keys);
            return keys;
        });
        if (!saved)
            return 1;
        if (outputs.trace && options.trace_list.contains(pass))
            write_state_trace(outputs.trace, pass);
        if (options.after_pass)
            options.after_pass(pass);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    if (writing && !options.grid_path.empty()) {
        std::FILE* grid = std::fopen(options.grid_path.c_str(), "w");
        if (!grid) {
            std::fprintf(stderr, "tarnblast-replay: cannot write %s: %s\n",
                         options.grid_path.c_str(), std::strerror(errno));
            return 1;
        }
        write_level_grid(grid);
        if (std::fclose(grid) != 0)
            return 1;
    }
    if (outputs.trace && std::fflush(outputs.trace) != 0) {
        std::fprintf(stderr, "tarnblast-replay: cannot write %s\n", options.trace_path.c_str());
        return 1;
    }
    if (options.timedemo)
        std::printf("%lld passes in %.3f s: %.0f passes per second\n", static_cast<long long>(pass),
                    seconds, seconds > 0 ? pass / seconds : 0.0);
    return 0;
}
