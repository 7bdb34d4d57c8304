// The level pack the game opened at start-up (TARNBLAST_LEVEL, the runner's
// --level): one level file, or a folder whose level files (*.txt, in name
// order) are played one after another, the episode a designer made. A single
// file is a pack of one. Every file is read and checked before the window
// opens and kept in fixed storage for the whole run, so that loading one in
// the loop is a plain copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The most files a pack may hold; a folder with more is refused.
constexpr int32_t LEVEL_PACK_MAX_FILES = 64;

// Opens a level file, a folder of level files or a level's link (see
// levels/level_link.h) for the start mode (1 play, 3 editor; the editor edits
// one file and refuses a folder), in place of the pack open before, once
// every file of the new one is found sound. On refusal the pack open before
// stays as it was, and `message` is one line naming the file (or folder, or
// link), its first problem's line and field, and how many more there are.
bool open_level_pack(const char* path, int32_t start_mode, std::string& message);
// The same for a level link whose payload the caller inflated itself (the
// page does, with the browser's own decompression): `packed` holds the
// packed cells, or is null when they could not be inflated.
bool open_inflated_level_link(const std::string& link, const uint8_t* packed, size_t size,
                              int32_t start_mode, std::string& message);

// The open pack checked again for another start mode (the page's Play and
// Edit), from the levels it holds rather than their files; nothing to check
// without one. On refusal the pack stays as it was.
bool reopen_level_pack(int32_t start_mode, std::string& message);

// Forgets the opened pack: the game plays its built-in levels again.
void close_level_pack();
bool level_pack_open();
// Whether the pack was opened from a folder.
bool level_pack_is_folder();
int32_t level_pack_files();
// The opened file's or folder's path, resolved once at opening so that an
// export writes back to the file itself even through a symbolic link; ""
// for a link, which has no file to write back to.
const char* level_pack_path();
// The opened link as it was given, or "".
const char* level_pack_link();

// Writes every cell a file of the pack holds into a level grid (GRID_ROWS x
// GRID_COLUMNS, row-major); the cells an export cannot hold keep what they
// have.
void write_pack_file_cells(int32_t file, int32_t* grid);
// A pack file's value of a cell the export holds.
int32_t pack_file_cell(int32_t file, int32_t row, int32_t column);

// Loads a level for play: built-in level `number`, or, when the game was
// started on a level pack, the pack's file `pack_file` (counted from 0, and
// round the pack), so that a designer can play the episode again and again.
// A file's level replaces rows 1 to 20, columns 1 to 512 as a built-in one
// does, and its column 0 besides.
void load_play_level(int32_t number, int32_t pack_file, int32_t* grid);

// The pack file played after `pack_file`: the next one, and the first again
// after the last (always 0 without a pack).
int32_t next_pack_file(int32_t pack_file);
