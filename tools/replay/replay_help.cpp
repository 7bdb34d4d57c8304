#include "replay_help.h"

#include <cstdio>
#include <cstring>

#include "program/command_line.h"

namespace {

const char* const REPLAY_HELP =
    "usage: tarnblast-replay [--start-mode 1|3] [--warp N] [--level FILE|FOLDER|LINK]\n"
    "                        [--frames-out DIR [--frame-list LIST]]\n"
    "                        [--trace FILE [--trace-list LIST]] [--grid-out FILE]\n"
    "                        [--timedemo] SCRIPT\n"
    "       tarnblast-replay --help | --version\n"
    "\n"
    "Runs the game's own passes with no window, keyboard or sound card, from\n"
    "SCRIPT: one line per pass naming the keys held, from LEFT RIGHT UP DOWN\n"
    "SPACE S ENTER F1 F2 F3 F4 RSHIFT ESC. An empty line holds none, \"40* RIGHT\n"
    "SPACE\" stands for 40 such lines, # starts a comment. The run stops after\n"
    "the last line or at a pass holding ESC.\n"
    "\n"
    "Options:\n"
    "  --start-mode 1|3     the title (the default) or the level editor\n"
    "  --warp N             start play on level N (1 to 6) before the first pass\n"
    "  --level FILE|FOLDER|LINK  a level file, a folder of level files played one\n"
    "                       after another, or a level's link (.../#level=...), as\n"
    "                       TARNBLAST_LEVEL opens it in the game\n"
    "  --frames-out DIR     write the frame of each listed pass as\n"
    "                       DIR/frame-NNNNNN.bmp\n"
    "  --frame-list LIST    the passes to write, e.g. 1,47,100-120 (default all)\n"
    "  --trace FILE         JSON Lines of the whole game state after each listed\n"
    "                       pass, with the sounds each pass started\n"
    "  --trace-list LIST    the passes to trace (0: the state after start-up)\n"
    "  --grid-out FILE      the level grid after the run, 21 lines of 513 numbers\n"
    "  --timedemo           write no files; print the passes run, the seconds and\n"
    "                       the passes per second\n"
    "  --help               print this help and exit\n"
    "  --version            print the version and the licence and exit\n"
    "\n"
    "Exit codes: 0 the script was run; 1 an output cannot be written; 2 a bad\n"
    "command line, script or level file.\n"
    "\n"
    "Example: walk right firing for 200 passes, jump, and keep frames 100 to 120:\n"
    "  printf 'S\\n200* RIGHT SPACE\\n30* UP\\n' > demo.txt\n"
    "  tarnblast-replay --frames-out frames --frame-list 100-120 demo.txt\n";

}  // namespace

int answer_replay_help(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(REPLAY_HELP, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs(version_text("tarnblast-replay").c_str(), stdout);
            return 0;
        }
    }
    return -1;
}
