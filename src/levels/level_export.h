// The level export: the whole grid written as a text file, so that a level
// built in the editor can be kept, opened again (TARNBLAST_LEVEL), played
// and made into a built-in level table.
#pragma once

#include <cstdint>

// Where the file goes unless TARNBLAST_EXPORT_PATH names another place or a
// level file was opened at start-up (the export then writes back to it). It is
// a relative path: on this platform "d:" is an ordinary folder in the working
// directory.
constexpr const char* LEVEL_EXPORT_PATH = "d:/tilewerks/level.txt";

// Every field is padded to the next multiple of this many characters.
constexpr int32_t PRINT_ZONE = 14;

// Line 1 holds row 1, columns 1 to 511; lines 2 to 20 hold rows 2 to 20,
// columns 0 to 511. Row 0 and column 512 are never written.
constexpr int32_t EXPORT_FIELDS = 511 + 19 * 512;
constexpr int32_t EXPORT_LINES = 20;
constexpr int32_t EXPORT_FILE_SIZE = EXPORT_FIELDS * PRINT_ZONE + EXPORT_LINES * 2;

// How long a failed export is announced at the bottom of the editor's
// screen, in passes (three seconds at 70 passes a second).
constexpr int32_t EXPORT_NOTICE_PASSES = 210;

// Writes the text of the export file for a grid of GRID_ROWS x GRID_COLUMNS
// cells, row-major, into out, which must hold EXPORT_FILE_SIZE bytes. Returns
// the number of bytes written, always EXPORT_FILE_SIZE. Allocates nothing.
int32_t format_level_export(const int32_t* grid, char* out);

// Writes the grid to the export file. The file is built beside its place and
// renamed over it, so the place holds either the previous file or the new one
// in full, never a part. Missing folders are created. A failure leaves the
// game as it was, is told on stderr (once until the reason changes or an
// export succeeds) and is shown in the editor's window for a while.
// Allocates nothing.
void export_level();

// The file the last export wrote, or tried to write ("" before the first).
const char* last_export_path();

// The text of a failed export's reason (an errno value), kept in a buffer of
// the export's own until the next call. Allocates nothing.
const char* export_failure_reason(int error);
