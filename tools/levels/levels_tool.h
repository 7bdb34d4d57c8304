// tarnblast-levels: the commands for making levels.
//
//   convert EXPORT_FILE [--name NAME]  the export as level_tables.cpp source
//   export N OUT_FILE                  built-in level N as the editor exports it
//   map N|EXPORT_FILE OUT.bmp          a picture of the whole level
//   check EXPORT_FILE|FOLDER           every problem that keeps the file (each
//                                      file of a pack) from being played or
//                                      opened in the editor
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "levels/level_file.h"

// Runs one command; args leave out the program's name. Returns the exit
// code: 0 done, 1 an output could not be written or the game's data/ could
// not be found, 2 a bad command line or an input that is no level export.
int run_levels_tool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Reads a whole file no larger than any level tool reads, or false with the
// reason in error.
bool read_whole_file(const std::string& path, std::string& text, std::string& error);

// A built-in level by its number ("1" to "6"), or a level file read (its form
// checked, not its contents), or false with the reason in error.
bool level_from_argument(const std::string& argument, LevelGrid& grid, std::string& error);

// Finds the game's data/ as the game does, in the working directory, or else
// beside the program, and then makes that folder the working directory.
// False with the problem in error when there is none.
bool find_game_data(std::string& error);

// What convert prints for the text of an export file, or false with the
// problem in error. Warnings go to warnings, one line each, and are also in
// the printed text as comments.
bool convert_export_text(const std::string& text, const std::string& name, std::string& printed,
                         std::vector<std::string>& warnings, std::string& error);
