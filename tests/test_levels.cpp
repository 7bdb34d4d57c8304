// The six built-in levels and loading them into the grid.
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
    {31, 0, 0, 0, 0, 0},     {260, 51, 6, 6, 6, 4},    {280, 52, 12, 12, 7, 6},
    {271, 0, 6, 11, 15, 9},  {247, 54, 6, 10, 11, 13}, {259, 45, 8, 10, 9, 10},
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
        load_level(level);
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
        // The frame of blocks every level shares.
        for (int32_t row = 7; row <= 17; row += 2)
            EXPECT_TRUE(grid_value(row, 2) == TILE_BLOCK && grid_value(row, 511) == TILE_BLOCK) << row;
        for (int32_t column = 2; column <= 22; column += 2)
            EXPECT_EQ(grid_value(17, column), TILE_BLOCK) << "ground column " << column;
        for (const auto& [code, count] : codes) {
            const bool known = code <= 206 || code == TILE_CURSOR || code == TILE_DROP;
            EXPECT_TRUE(known) << "code " << code;
            if (code >= ENEMY_A_BASE && code <= 206) {
                EXPECT_EQ(count, 1) << "enemy code " << code;
            }
        }
    }
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
