#include "program/command_line.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const GAME_USAGE = "usage: tarnblast [--help | --version]\n";

const char* const GAME_HELP =
    "\n"
    "Tarnblast, a side-scrolling shooter with a built-in level editor. The game\n"
    "takes no other argument; it reads its settings from the environment:\n"
    "\n"
    "  TARNBLAST_START_MODE=1|3      1: the title and play (the default);\n"
    "                                3: the level editor\n"
    "  TARNBLAST_LEVEL=FILE|FOLDER   a level file to edit or to play instead of\n"
    "                                the built-in levels, or a folder whose level\n"
    "                                files (*.txt, in name order) are played one\n"
    "                                after another\n"
    "  TARNBLAST_EXPORT_PATH=FILE    where the editor's Right Shift writes the level\n"
    "  TARNBLAST_SCALE=1..6|auto     the window's size in steps of 320 x 200\n"
    "  TARNBLAST_KEYS=ACTION=KEY,... your own keys, e.g. left=a,right=d,fire=ctrl\n"
    "  TARNBLAST_PAD=fire=N,...      the gamepad's buttons, e.g. fire=2,jump=0,start=9\n"
    "  TARNBLAST_RECORD=FILE         record every pass's keys as a replay script\n"
    "  TARNBLAST_FINAL_FRAME=F.bmp   save the last frame shown when the game ends\n"
    "\n"
    "Options:\n"
    "  --help      print this help and exit\n"
    "  --version   print the version and the licence and exit\n"
    "\n"
    "Keys: the arrows walk and jump, Space fires, S starts, P pauses, M mutes,\n"
    "Escape quits.\n"
    "\n"
    "Exit codes: 0 after Escape, --help or --version; 1 when no window can be\n"
    "opened (no X display); 2 for a bad setting or argument.\n"
    "\n"
    "Example: play a folder of levels in a window three times the size:\n"
    "  TARNBLAST_SCALE=3 TARNBLAST_LEVEL=$HOME/levels/episode tarnblast\n";

}  // namespace

std::string version_text(const char* program)
{
    return std::string(program) + " " + TARNBLAST_VERSION
           + "\nCopyright (c) 2026 The Tarnblast developers\n"
             "Licence: MIT. Free to use, copy, change and pass on, with no warranty;\n"
             "the full text is in LICENSE (installed: /usr/share/doc/tarnblast/copyright).\n";
}

int answer_game_command_line(int argc, char** argv)
{
    if (argc < 2)
        return -1;
    const bool help = std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0;
    const bool version = std::strcmp(argv[1], "--version") == 0;
    if (argc == 2 && help) {
        std::fputs(GAME_USAGE, stdout);
        std::fputs(GAME_HELP, stdout);
        return 0;
    }
    if (argc == 2 && version) {
        std::fputs(version_text("tarnblast").c_str(), stdout);
        return 0;
    }
    // The first argument that is not a lone --help or --version.
    const char* refused = argv[argc == 2 || !(help || version) ? 1 : 2];
    std::fprintf(stderr,
                 "tarnblast: unknown argument \"%.40s\": the game takes only --help or "
                 "--version, and its settings from the environment\n%s",
                 refused, GAME_USAGE);
    return 2;
}
