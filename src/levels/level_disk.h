// Level files on the disk: a file read whole and checked, and a folder's
// level files found, for the level pack the game opens and for the level
// tools. A slip of the finger (a device, a pipe, a huge file) is refused
// unread, so that it cannot hang the game or fill the memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "levels/level_file.h"

// Reads a whole regular file no larger than any export could be; `error`
// says why another is refused ("is a folder, not a level file", ...).
bool read_level_text(const std::string& path, std::string& text, std::string& error);

// Reads and checks a level file for the given uses (LEVEL_FOR_PLAY, ...). A
// file that cannot be read is one problem of the file as a whole. Returns
// true when there are no problems.
bool load_level_file(const std::string& path, int32_t uses, LevelGrid& grid,
                     std::vector<ExportProblem>& problems);

// Whether the path names a folder (through symbolic links).
bool is_level_folder(const std::string& path);

// The level files of a folder: its regular files (or links to them) whose
// names end in .txt, as full paths in the byte order of their names, so that
// 01-start.txt comes before 02-bridge.txt. Returns false, with `error` saying
// why, when the folder cannot be read.
bool list_level_folder(const std::string& folder, std::vector<std::string>& files,
                       std::string& error);
