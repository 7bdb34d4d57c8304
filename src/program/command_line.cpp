#include "program/command_line.h"

#include <cstdio>
#include <cstring>

#include "base/setting_names.h"

namespace {

const char* const GAME_USAGE = "usage: tarnblast [--help | --version]\n";

const char* const GAME_HELP_START =
    "\n"
    "Tarnblast, a side-scrolling shooter with a built-in level editor. The game\n"
    "takes no other argument; it reads its settings from the environment:\n"
    "\n";

const char* const GAME_HELP_END =
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
    "Example: play a folder of levels in a window three times the size:\n";

// Where the meanings of the settings start on their lines.
constexpr size_t MEANING_COLUMN = 32;

// One line per setting, as the table gives it: its variable and the form of
// its value, then what it does, the lines after the first indented under it.
std::string settings_help()
{
    std::string help;
    for (const SettingName& setting : SETTING_NAMES) {
        std::string line = std::string("  ") + setting.variable + "=" + setting.value_form + " ";
        line.resize(line.size() > MEANING_COLUMN ? line.size() : MEANING_COLUMN, ' ');
        for (const char* c = setting.meaning; *c; ++c)
            line += *c == '\n' ? "\n" + std::string(MEANING_COLUMN, ' ') : std::string(1, *c);
        help += line + "\n";
    }
    return help;
}

std::string game_help()
{
    const auto variable = [](SettingId id) { return std::string(SETTING_NAMES[id].variable); };
    return GAME_HELP_START + settings_help() + GAME_HELP_END + "  " + variable(SETTING_SCALE)
           + "=3 " + variable(SETTING_LEVEL) + "=$HOME/levels/episode tarnblast\n";
}

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
        std::fputs(game_help().c_str(), stdout);
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
