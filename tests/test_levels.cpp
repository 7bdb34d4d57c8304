// The six built-in levels and loading them into the grid.
#include <cstring>
#include <map>

#include "game_fixture.h"
#include "levels/level_tables.h"
#include "levels/load_level.h"

namespace {

struct LevelCounts {
    int blocks, drops, group_a, group_b, group_c, group_d;
};
// The contents at a glance, level by level.
const LevelCounts EXPECTED_COUNTS[LEVEL_COUNT] = {
    {31, 0, 0, 0, 0, 0},    {260, 51, 6, 6, 6, 4},    {280, 52, 12, 12, 7, 6},
    {271, 0, 6, 11, 15, 9}, {247, 54, 6, 10, 11, 13}, {259, 45, 8, 10, 9, 10},
};

LevelCounts count_grid(std::map<int32_t, int>& codes)
{
    LevelCounts counts{};
    for (int32_t row = 1; row < GRID_ROWS; ++row)
        for (int32_t column = 1; column < GRID_COLUMNS; ++column) {
            const int32_t code = grid_value(row, column);
            codes[code] += 1;
            counts.blocks += code == TILE_BLOCK;
            counts.drops += code == TILE_DROP;
            counts.group_a += code >= 3 && code <= 53;
            counts.group_b += code >= 54 && code <= 104;
            counts.group_c += code >= 105 && code <= 155;
            counts.group_d += code >= 156 && code <= 206;
        }
    return counts;
}

}  // namespace

using LevelTest = GameTest;

TEST_F(LevelTest, EveryLevelHoldsItsCountsAndOnlyKnownCodesEachEnemyOnce)
{
    for (int level = 1; level <= LEVEL_COUNT; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        load_level(level, game.level_grid);
        std::map<int32_t, int> codes;
        const LevelCounts got = count_grid(codes);
        const LevelCounts& want = EXPECTED_COUNTS[level - 1];
        EXPECT_EQ(got.blocks, want.blocks);
        EXPECT_EQ(got.drops, want.drops);
        EXPECT_EQ(got.group_a, want.group_a);
        EXPECT_EQ(got.group_b, want.group_b);
        EXPECT_EQ(got.group_c, want.group_c);
        EXPECT_EQ(got.group_d, want.group_d);
        EXPECT_EQ(codes[TILE_PLAYER], 1);
        EXPECT_EQ(codes[TILE_CURSOR], 1);
        EXPECT_EQ(grid_value(11, 16), TILE_PLAYER);
        EXPECT_EQ(grid_value(1, 1), TILE_CURSOR);
        EXPECT_EQ(grid_value(20, 512), TILE_EMPTY);
        for (const auto& [code, count] : codes) {
            const bool known = code <= 206 || code == TILE_CURSOR || code == TILE_DROP;
            EXPECT_TRUE(known) << "code " << code;
            if (code >= ENEMY_A_BASE && code <= 206) {
                EXPECT_EQ(count, 1) << "enemy code " << code;
            }
        }
    }
}

TEST_F(LevelTest, EveryLevelHasTheSameFrameOfBlocks)
{
    for (int level = 1; level <= LEVEL_COUNT; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        load_level(level, game.level_grid);
        for (int32_t row = 5; row <= 17; row += 2)
            EXPECT_EQ(grid_value(row, 2), TILE_BLOCK) << "left wall row " << row;
        for (int32_t row = 7; row <= 17; row += 2)
            EXPECT_EQ(grid_value(row, 511), TILE_BLOCK) << "right wall row " << row;
        for (int32_t column = 2; column <= 22; column += 2)
            EXPECT_EQ(grid_value(17, column), TILE_BLOCK) << "ground column " << column;
        EXPECT_EQ(grid_value(17, 3), TILE_EMPTY);
        EXPECT_EQ(grid_value(17, 495), TILE_BLOCK);
    }
}

// Single cells of every kind, including the ends of runs and the odd single
// block inside a row of runs, to catch a mistyped entry.
TEST_F(LevelTest, SampledCellsOfEveryKind)
{
    struct Cell {
        int level, row, column, code;
    };
    const Cell cells[] = {
        {2, 9, 53, 2},      {2, 9, 65, 2},      {2, 9, 67, 0},      {2, 16, 83, 2},
        {2, 16, 84, 0},     {2, 11, 479, 2},    {2, 18, 70, 2},     {2, 10, 79, 4},
        {2, 4, 123, 9},     {2, 8, 160, 59},    {2, 11, 323, 108},  {2, 15, 418, 159},
        {2, 8, 52, 1020},   {2, 16, 427, 1020}, {3, 4, 482, 2},     {3, 5, 138, 104},
        {3, 12, 447, 2},    {3, 1, 478, 61},    {3, 5, 142, 105},   {3, 15, 100, 161},
        {3, 16, 479, 1020}, {4, 15, 175, 2},    {4, 17, 162, 2},    {4, 8, 54, 121},
        {4, 15, 478, 164},  {4, 1, 46, 64},     {5, 15, 74, 2},     {5, 15, 75, 2},
        {5, 13, 36, 168},   {5, 9, 478, 63},    {5, 16, 458, 1020}, {5, 17, 290, 2},
        {6, 16, 183, 2},    {6, 16, 184, 2},    {6, 3, 476, 12},    {6, 2, 133, 61},
        {6, 13, 230, 165},  {6, 9, 380, 113},   {6, 16, 71, 1020},  {6, 14, 326, 2},
    };
    for (const Cell& cell : cells) {
        load_level(cell.level, game.level_grid);
        EXPECT_EQ(grid_value(cell.row, cell.column), cell.code)
            << "level " << cell.level << " (" << cell.row << ", " << cell.column << ")";
    }
}

TEST_F(LevelTest, LoadingRewritesTheLevelAreaAndLeavesRowZeroAndColumnZero)
{
    load_level(2, game.level_grid);
    put(5, 5, TILE_BLOCK);
    put(5, 0, TILE_BLOCK);
    put(0, 5, TILE_BLOCK);
    put(0, 512, 77);
    load_level(4, game.level_grid);
    EXPECT_EQ(grid_value(5, 5), TILE_EMPTY);
    EXPECT_EQ(grid_value(5, 0), TILE_BLOCK);
    EXPECT_EQ(grid_value(0, 5), TILE_BLOCK);
    EXPECT_EQ(grid_value(0, 512), 77);
    for (int32_t row = 1; row < GRID_ROWS; ++row)
        for (int32_t column = 1; column < GRID_COLUMNS; ++column)
            EXPECT_NE(grid_value(row, column), TILE_DROP);  // level 4 has none

    const GameState before = game;
    load_level(4, game.level_grid);
    EXPECT_EQ(0, std::memcmp(before.level_grid, game.level_grid, sizeof game.level_grid));
    load_level(0, game.level_grid);
    load_level(7, game.level_grid);
    EXPECT_EQ(0, std::memcmp(before.level_grid, game.level_grid, sizeof game.level_grid))
        << "a level number outside 1 to 6 must leave the grid alone";
}

TEST_F(LevelTest, GridOutsideItsBoundsReadsEmptyAndCannotBeWritten)
{
    EXPECT_EQ(grid_cell(-1, 0), nullptr);
    EXPECT_EQ(grid_cell(0, -1), nullptr);
    EXPECT_EQ(grid_cell(21, 0), nullptr);
    EXPECT_EQ(grid_cell(0, 513), nullptr);
    EXPECT_NE(grid_cell(20, 512), nullptr);
    put(1, 512, 99);
    EXPECT_EQ(grid_value(1, 513), TILE_EMPTY) << "column 513 is not the next row's column 0";
    EXPECT_EQ(grid_value(2, -1), TILE_EMPTY);
}
