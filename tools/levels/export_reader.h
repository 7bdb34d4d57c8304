// Reading a level export file back into a grid. The game only ever writes
// these files; the level tools read them, and refuse anything that is not
// exactly what the editor writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A whole level grid, GRID_ROWS x GRID_COLUMNS cells, row-major.
using LevelGrid = std::vector<int32_t>;

LevelGrid empty_level_grid();

// A built-in level (1 to 6) as load_level puts it into a grid that was empty:
// the grid the editor would export after loading it.
LevelGrid builtin_level_grid(int32_t number);

// Where a file first departs from the export format: its line (1 to 20, 21
// for what follows line 20, 0 for the file as a whole) and field (1-based
// within the line, 0 for the line as a whole).
struct ExportProblem {
    int line = 0;
    int field = 0;
    std::string what;
};

// "line 3, field 17 (row 3, column 16): ..." and the like.
std::string describe_problem(const ExportProblem& problem);

// The tile codes a level may hold: empty, player, block, the four enemy
// groups' slot codes, the cursor anchor and the drop marker.
bool is_tile_code(int64_t value);

// Reads the text of an export file into a grid. Row 0, column 512 and cell
// (1, 0), which the file does not hold, are left empty. Returns false, with
// the first problem found, for anything the editor's export never writes.
bool read_level_export(const std::string& text, LevelGrid& grid, ExportProblem& problem);
