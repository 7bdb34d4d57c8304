// The programs' own command lines: --help and --version are answered before
// anything else starts, so they work with no display, no sound card and no
// data/. The game itself takes no other argument: it reads its settings from
// the environment (program/settings.h).
#pragma once

#include <string>

// What --version prints for a program of the game: its name and version,
// the copyright and the licence, one line each.
std::string version_text(const char* program);

// The game's command line. --help prints the usage on stdout, --version the
// version; both return 0. No argument returns -1: the game goes on. Anything
// else is refused with the usage on stderr, and returns 2.
int answer_game_command_line(int argc, char** argv);
