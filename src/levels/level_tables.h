// The six built-in levels, held as the lists a level designer reads: runs of
// blocks, enemy placements by tile code, and drop markers.
#pragma once

#include <cstdint>

#include "base/game_state.h"

// Blocks in one row at every second column from first to last (one block
// covers two columns on screen); a single block has first == last.
struct BlockRun {
    int16_t row, first, last;
};

struct EnemyPlacement {
    int16_t code, row, column;
};

struct CellPosition {
    int16_t row, column;
};

template <typename T>
struct TableList {
    const T* items;
    int count;
};

struct LevelContents {
    TableList<BlockRun> blocks;
    TableList<EnemyPlacement> enemies;
    TableList<CellPosition> drops;
};

constexpr int32_t LEVEL_COUNT = 6;

// The level play goes on with after the given one: the next, and after the
// last of `count` levels the first play level again (level 1 is never played).
constexpr int32_t level_after(int32_t number, int32_t count = LEVEL_COUNT)
{
    return number + 1 > count ? FIRST_PLAY_LEVEL : number + 1;
}
// Cells a level covers: rows 1 to 20, columns 1 to 512.
constexpr int32_t LEVEL_CELLS = 20 * 512;
// Every level has its player marker and editor cursor anchor at the same place.
constexpr CellPosition LEVEL_PLAYER_CELL{11, 16};
constexpr CellPosition LEVEL_CURSOR_CELL{1, 1};

// Indexed by level number - 1.
extern const LevelContents LEVEL_TABLES[LEVEL_COUNT];
