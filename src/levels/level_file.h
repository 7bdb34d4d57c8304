// Level files: the text of the editor's export read back and checked. The
// level tools turn them into tables and maps; the game can open one, or a
// folder of them, at start-up (TARNBLAST_LEVEL, the runner's --level) to go
// on editing it or to play it instead of the built-in levels. Everything
// reads them through here, so the game, the runner and the tools refuse the
// same files for the same reasons. levels/level_disk.h reads them from the
// disk, levels/level_pack.h keeps the opened ones for the run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A whole level grid, GRID_ROWS x GRID_COLUMNS cells, row-major.
using LevelGrid = std::vector<int32_t>;

LevelGrid empty_level_grid();

// One problem of a file: its line (1 to 20, 21 for what follows line 20, 0
// for the file as a whole) and field (1-based within the line, 0 for the
// line as a whole).
struct ExportProblem {
    int line = 0;
    int field = 0;
    std::string what;
};

// "line 3, field 17 (row 3, column 16): ..." and the like.
std::string describe_problem(const ExportProblem& problem);

// Whether the export holds the cell: rows 1 to 20, columns 0 to 511, but not
// cell (1, 0). Row 0 and column 512 are never written.
bool export_holds_cell(int32_t row, int32_t column);

// Reads the text of an export file into a grid. Row 0, column 512 and cell
// (1, 0), which the file does not hold, are left empty. Returns false, with
// the first problem found, for anything the editor's export never writes.
bool read_level_export(const std::string& text, LevelGrid& grid, ExportProblem& problem);

// What a level is checked for beyond its form: play needs exactly one player
// code where the world scan looks for it, the editor exactly one cursor
// anchor. Either way no enemy code may stand in two cells.
constexpr int32_t LEVEL_FOR_PLAY = 1;
constexpr int32_t LEVEL_FOR_EDITOR = 2;
constexpr int32_t LEVEL_FOR_BOTH = LEVEL_FOR_PLAY | LEVEL_FOR_EDITOR;

// Every problem of an export's text for the given uses, in the order of the
// file; a file-wide problem comes where it is found. A line whose form is
// broken is reported at its first fault and its cells are left empty. The
// grid holds every cell that could be read. No problems: the level is sound.
std::vector<ExportProblem> check_level_export(const std::string& text, int32_t uses,
                                              LevelGrid& grid);
