// tarnblast-replay: runs the game with no window, keyboard or sound card
// from a script of held keys. See the README for the options.
#include <cstdio>
#include <string>

#include "levels/level_pack.h"
#include "replay_help.h"
#include "replay_run.h"

int main(int argc, char** argv)
{
    if (const int answered = answer_replay_help(argc, argv); answered >= 0)
        return answered;
    ReplayOptions options;
    std::string error;
    KeyScript script;
    if (!parse_replay_arguments(argc, argv, options, error)
        || !load_key_script(options.script_path, script, error)) {
        std::fprintf(stderr, "tarnblast-replay: %s\n", error.c_str());
        return 2;
    }
    if (!options.level_path.empty()
        && !open_level_pack(options.level_path.c_str(), options.start_mode, error)) {
        std::fprintf(stderr, "tarnblast-replay: %s\n", error.c_str());
        return 2;
    }
    return run_replay(options, script);
}
