// The six built-in levels as load_level leaves them (their contents are
// sampled in scenarios/levels.txt): only known codes, each enemy code once,
// the markers in their places, the frame of blocks they share; and the grid's
// bounds.
#include "game_fixture.h"
#include "levels/level_file.h"
#include "levels/level_tables.h"
#include "levels/load_level.h"

using LevelTest = GameTest;

// The reader of level files finds no problem in any built-in level (only
// tile codes, each enemy code once, one player code and one cursor anchor
// where the scan looks for them).
TEST_F(LevelTest, EveryLevelHoldsOnlyKnownCodesEachEnemyOnceAndTheSharedFrame)
{
    for (int level = 1; level <= LEVEL_COUNT; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        load_level(level, game.level_grid);
        LevelGrid read;
        const auto problems = check_level_export(export_of(game.level_grid), LEVEL_FOR_BOTH, read);
        EXPECT_TRUE(problems.empty()) << describe_problem(problems.front());
        EXPECT_TRUE(grid_value(11, 16) == TILE_PLAYER && grid_value(1, 1) == TILE_CURSOR);
        EXPECT_EQ(grid_value(20, 512), TILE_EMPTY);
        for (int32_t row = 7; row <= 17; row += 2)
            EXPECT_TRUE(grid_value(row, 2) == TILE_BLOCK && grid_value(row, 511) == TILE_BLOCK)
                << row;
        for (int32_t column = 2; column <= 22; column += 2)
            EXPECT_EQ(grid_value(17, column), TILE_BLOCK) << "ground column " << column;
    }
}

TEST_F(LevelTest, GridOutsideItsBoundsReadsEmptyAndCannotBeWritten)
{
    for (const auto& [row, column] : {std::pair{-1, 0}, {0, -1}, {21, 0}, {0, 513}})
        EXPECT_EQ(grid_cell(row, column), nullptr) << row << ", " << column;
    EXPECT_NE(grid_cell(20, 512), nullptr);
    put(1, 512, 99);
    EXPECT_EQ(grid_value(1, 513), TILE_EMPTY) << "column 513 is not the next row's column 0";
    EXPECT_EQ(grid_value(2, -1), TILE_EMPTY);
}
