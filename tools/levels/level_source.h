// A level grid turned back into the lists src/levels/level_tables.cpp holds:
// block runs, enemy placements by group, drop markers, written out in the
// same layout, ready to paste in.
#pragma once

#include <string>
#include <vector>

#include "levels/level_file.h"
#include "levels/level_tables.h"

struct LevelSource {
    // Row by row, left to right; a run goes on while the next block stands
    // two columns further, as the tables write them.
    std::vector<BlockRun> blocks;
    // By code, so grouped A, B, C, D; a repeated code keeps every placement.
    std::vector<EnemyPlacement> enemies;
    // By row, then column.
    std::vector<CellPosition> drops;
    // What a built-in level cannot hold as the grid has it, one sentence each.
    std::vector<std::string> warnings;
};

// Reads rows 1 to 20, columns 1 to 512 of the grid, as load_level writes
// them. The player marker at (11, 16) and the cursor anchor at (1, 1) are
// left out of the lists, since load_level adds them; anything that the
// lists cannot carry back into a grid is told in the warnings.
LevelSource describe_level(const LevelGrid& grid);

// The level's section of level_tables.cpp: its heading comment and its
// arrays, named after the given name (level2 gives "// Level 2." and
// level2_blocks, level2_enemies, level2_drops). A list with nothing in it
// gets no array.
std::string level_tables_text(const LevelSource& source, const std::string& name);

// The level's line in LEVEL_TABLES, an empty list as {nullptr, 0}.
std::string level_tables_entry(const LevelSource& source, const std::string& name);

// Text as // comment lines of at most 78 characters.
std::string comment_block(const std::string& text);

// Whether a name can stand for the arrays: a C++ identifier.
bool is_table_name(const std::string& name);
