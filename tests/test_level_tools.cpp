// The level tools: export files read back into level table source, built-in
// levels written as the editor exports them, and whole-level maps drawn by the
// game's own scan.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "enemies/enemy_tables.h"
#include "game_fixture.h"
#include "level_source.h"
#include "levels/level_export.h"
#include "levels/level_file.h"
#include "levels/level_tables.h"
#include "levels/load_level.h"
#include "levels_tool.h"

namespace fs = std::filesystem;

namespace {

int32_t& at(LevelGrid& grid, int32_t row, int32_t column)
{
    return grid[size_t(row) * GRID_COLUMNS + size_t(column)];
}

// The grid that the tables printed for level n describe, read from their
// numbers alone: runs of blocks {row, first, last} every second column,
// enemies {code, row, column}, drops {row, column}; the markers where
// load_level puts them.
LevelGrid grid_of_printed_tables(const std::string& text, int n)
{
    LevelGrid grid = empty_level_grid();
    at(grid, 11, 16) = TILE_PLAYER;
    at(grid, 1, 1) = TILE_CURSOR;
    for (const char* part : {"_blocks", "_enemies", "_drops"}) {
        const size_t start = text.find("level" + std::to_string(n) + part + "[]");
        const std::string list =
            start == std::string::npos ? "" : text.substr(start, text.find("};", start) - start);
        for (const auto& t : matches(list, "\\{([0-9]+), ([0-9]+)(?:, ([0-9]+))?\\}")) {
            if (part[1] == 'b')
                for (int32_t column = t[1]; column <= t[2]; column += 2)
                    at(grid, t[0], column) = TILE_BLOCK;
            if (part[1] == 'e')
                at(grid, t[1], t[2]) = t[0];
            if (part[1] == 'd')
                at(grid, t[0], t[1]) = TILE_DROP;
        }
    }
    return grid;
}

class LevelToolsTest : public GameTest {
protected:
    void SetUp() override
    {
        restart_headless_game(MODE_EDITOR);
        dir = scratch_folder("tarnblast-levels");
    }

    int tool(const std::vector<std::string>& args)
    {
        out.str("");
        err.str("");
        return run_levels_tool(args, out, err);
    }

    fs::path dir;
    std::ostringstream out, err;
};

// Random grids the editor could make (blocks in neighbouring columns, runs
// of both parities, every kind of code) convert into tables that describe
// them cell for cell.
TEST_F(LevelToolsTest, ExportsConvertIntoTablesThatLoadCellForCell)
{
    std::mt19937 random(20240611);
    for (int round = 1; round <= 5; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        LevelGrid grid = builtin_level_grid(1);
        int32_t next_enemy = ENEMY_A_BASE;  // each enemy its own code
        for (int32_t row = 1; row < GRID_ROWS; ++row)
            for (int32_t column = 1; column <= 511; ++column) {
                const bool marker = (row == 1 && column == 1) || (row == 11 && column == 16);
                if (marker || random() % 4 != 0)
                    continue;
                const unsigned kind = random() % 5;
                const bool enemy = kind == 4 && next_enemy < ENEMY_D_BASE + ENEMY_SLOTS;
                at(grid, row, column) = enemy ? next_enemy++ : kind == 3 ? TILE_DROP : TILE_BLOCK;
            }
        // A row's last block two columns before the next row's first.
        std::fill(&at(grid, 3, 0), &at(grid, 5, 0), TILE_EMPTY);
        at(grid, 3, 509) = at(grid, 4, 511) = TILE_BLOCK;
        write_file(dir / "level.txt", export_of(grid.data()));
        ASSERT_EQ(tool({"convert", (dir / "level.txt").string(), "--name", "level7"}), 0)
            << err.str();
        EXPECT_EQ(err.str(), "");
        const LevelGrid printed = grid_of_printed_tables(out.str(), 7);
        for (int32_t row = 1; row < GRID_ROWS; ++row)
            for (int32_t column = 1; column < GRID_COLUMNS; ++column)
                ASSERT_EQ(printed[size_t(row) * GRID_COLUMNS + size_t(column)],
                          at(grid, row, column))
                    << "(" << row << ", " << column << ")";
    }
}

// What a table cannot hold is said, on stderr and as comments in the output.
TEST_F(LevelToolsTest, WhatATableCannotHoldIsWarnedAboutAndNothingIsDroppedSilently)
{
    LevelGrid grid = builtin_level_grid(2);
    at(grid, 11, 16) = TILE_EMPTY;
    at(grid, 12, 20) = TILE_PLAYER;  // the player marker moved
    at(grid, 1, 1) = TILE_EMPTY;     // the cursor anchor overwritten
    at(grid, 6, 0) = TILE_BLOCK;     // column 0, which load_level never writes
    at(grid, 3, 300) = 4;            // code 4 again: it stands at (10, 79) too
    write_file(dir / "level.txt", export_of(grid.data()));

    ASSERT_EQ(tool({"convert", (dir / "level.txt").string()}), 0);
    // One warning line for each, naming its cell or code, and each again as a
    // comment in the output.
    const std::string warned = err.str(), printed = out.str();
    EXPECT_EQ(std::count(warned.begin(), warned.end(), '\n'), 5) << warned;
    for (const char* fact :
         {"(6, 0) holds code 2", "(12, 20)", "no player marker at (11, 16)",
          "cursor anchor at (1, 1)", "code 4 stands 2 times, at (3, 300) and (10, 79)"}) {
        EXPECT_NE(warned.find(fact), std::string::npos) << fact;
        EXPECT_NE(printed.find(fact), std::string::npos) << fact;
    }
    EXPECT_NE(printed.find("Column 512 is not in the export file"), std::string::npos);
    // Nothing is dropped silently: a repeated code keeps both placements.
    EXPECT_NE(printed.find("{4, 3, 300}, {4, 10, 79},"), std::string::npos);
}

// The map is the editor's view at every scroll, but for the view's first 24
// pixels: the view cuts off the sprites anchored just left of it (and shows
// the cursor's preview there), the map draws them whole.
TEST_F(LevelToolsTest, MapOfLevel2MatchesTheEditorsFramesAtManyScrolls)
{
    // The command maps level 2 from its number as from its export.
    const LevelGrid level = builtin_level_grid(2);
    write_file(dir / "level2.txt", export_of(level.data()));
    ASSERT_EQ(tool({"map", "2", (dir / "two.bmp").string()}), 0) << err.str();
    ASSERT_EQ(tool({"map", (dir / "level2.txt").string(), (dir / "file.bmp").string()}), 0)
        << err.str();
    EXPECT_TRUE(read_file(dir / "two.bmp") == read_file(dir / "file.bmp"));
    RgbImage map;
    ASSERT_TRUE(decode_bmp(read_file(dir / "two.bmp"), map));
    ASSERT_TRUE(map.width == 5130 && map.height == 210) << "all 513 columns and 21 rows";
    const auto at_map = [&](int x, int y) { return int(map.pixels[size_t(y) * 5130 + size_t(x)]); };
    for (int32_t camera : {0, 1, 33, 47, 100, 133, 250, 333, 417, 480, 500}) {
        SCOPED_TRACE("camera column " + std::to_string(camera));
        // The editor scrolled there, its enemies at their start values.
        restart_headless_game(MODE_EDITOR);
        load_level(2, game.level_grid);
        game.camera_column = camera;
        game.camera_x = camera * TILE_SIZE;
        reset_enemies();
        draw_pass();
        const RgbImage view = frame_image();
        int differing = 0, drawn = 0;
        for (int y = 8; y < SCREEN_HEIGHT; ++y)
            for (int x = 24; x < SCREEN_WIDTH; ++x) {
                // Right of column 512 there is nothing, in the view or the map.
                const int map_x = camera * TILE_SIZE + x;
                const int want = int(view.pixels[size_t(y) * SCREEN_WIDTH + size_t(x)]);
                drawn += want != 0;
                differing += (map_x < map.width ? at_map(map_x, y) : 0) != want;
            }
        EXPECT_EQ(differing, 0);
        EXPECT_GT(drawn, 500);
    }
}

}  // namespace
