// tarnblast-levels: the commands for making levels.
//
//   convert EXPORT_FILE [--name NAME]  the export as level_tables.cpp source
//   export N OUT_FILE                  built-in level N as the editor exports it
//   map N|EXPORT_FILE OUT.bmp          a picture of the whole level
//   check EXPORT_FILE|FOLDER           every problem that keeps the file (each
//                                      file of a pack) from being played or
//                                      opened in the editor
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "levels/level_file.h"

// What every command's messages start with, and the exit codes they share:
// 1 for an output that cannot be written (or a route not found in the time),
// 2 for a bad command line or an input that is no level.
constexpr const char* TOOL = "tarnblast-levels: ";
constexpr int EXIT_WRITE_FAILED = 1;
constexpr int EXIT_BAD_INPUT = 2;

// Says what is wrong with the command line, then the usage of every command;
// returns EXIT_BAD_INPUT.
int usage(std::ostream& err, const std::string& problem);

// Runs one command; args leave out the program's name. Returns the exit
// code: 0 done, 1 an output could not be written or the game's data/ could
// not be found, 2 a bad command line or an input that is no level export.
int run_levels_tool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// A level named by its number, as every command takes one: 1 to LEVEL_COUNT
// for a built-in level; 0 when the argument is a file's name instead; -1,
// with the problem in error, for a number that is neither a level nor a file.
int32_t builtin_level_argument(const std::string& argument, std::string& error);

// A built-in level by its number, or a level file read (its form checked,
// not its contents), or false with the reason in error.
bool level_from_argument(const std::string& argument, LevelGrid& grid, std::string& error);

// Finds the game's data/ as the game does, in the working directory, or else
// beside the program, and then makes that folder the working directory.
// False with the problem in error when there is none.
bool find_game_data(std::string& error);
