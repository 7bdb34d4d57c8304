// The level tools: export files read back into level table source, built-in
// levels written as the editor exports them, and whole-level maps drawn by the
// game's own scan.
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "enemies/enemy_tables.h"
#include "game_fixture.h"
#include "level_map.h"
#include "level_source.h"
#include "levels/level_export.h"
#include "levels/level_file.h"
#include "levels/level_tables.h"
#include "levels/load_level.h"
#include "levels_tool.h"

namespace fs = std::filesystem;

namespace {

std::string read_file(const fs::path& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

void write_file(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string export_text(const LevelGrid& grid)
{
    std::string text(size_t(EXPORT_FILE_SIZE), '\0');
    text.resize(size_t(format_level_export(grid.data(), text.data())));
    return text;
}

int32_t& at(LevelGrid& grid, int32_t row, int32_t column)
{
    return grid[size_t(row) * GRID_COLUMNS + size_t(column)];
}

// Offset of a field in an export: line 1 starts at column 1, every line is
// followed by CR LF.
size_t field_offset(int line, int field)
{
    return line == 1 ? size_t(field - 1) * 14
                     : 511 * 14 + 2 + size_t(line - 2) * (512 * 14 + 2) + size_t(field - 1) * 14;
}

size_t line_end(int line)
{
    return field_offset(line + 1, 1) - 2;
}

// Level n's part of level_tables.cpp, from its heading to the blank line (or
// the namespace's end) after its last array; and its line in LEVEL_TABLES.
std::string source_section(int n)
{
    const std::string source =
        read_file(fs::path(TARNBLAST_SOURCE_DIR) / "src/levels/level_tables.cpp");
    const size_t start = source.find("// Level " + std::to_string(n) + ".\n");
    const size_t end =
        std::min(source.find("\n\n", start), source.find("\n}  // namespace", start));
    return start == std::string::npos ? "(no section)" : source.substr(start, end + 1 - start);
}

std::string source_table_entry(int n)
{
    const std::string source =
        read_file(fs::path(TARNBLAST_SOURCE_DIR) / "src/levels/level_tables.cpp");
    const size_t found = source.find("(level" + std::to_string(n) + "_blocks)",
                                     source.find("LEVEL_TABLES[LEVEL_COUNT]"));
    const size_t start = source.rfind('{', source.rfind("list", found));
    return found == std::string::npos ? "(no entry)"
                                      : source.substr(start, source.find('\n', start) - start);
}

class LevelToolsTest : public GameTest {
protected:
    void SetUp() override
    {
        restart_headless_game(MODE_EDITOR);
        char pattern[] = "/tmp/tarnblast-levels.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    int tool(const std::vector<std::string>& args)
    {
        out.str("");
        err.str("");
        return run_levels_tool(args, out, err);
    }

    fs::path dir;
    std::ostringstream out, err;
};

// Built-in level -> the editor's export -> convert -> the level's own source.
TEST_F(LevelToolsTest, EveryBuiltInLevelGoesThroughTheEditorsExportAndComesBackAsItsSource)
{
    for (int n = 1; n <= LEVEL_COUNT; ++n) {
        SCOPED_TRACE("level " + std::to_string(n));
        restart_headless_game(MODE_EDITOR);
        load_level(n, game.level_grid);
        setenv("TARNBLAST_EXPORT_PATH", (dir / "editor.txt").c_str(), 1);
        export_level();
        unsetenv("TARNBLAST_EXPORT_PATH");
        ASSERT_EQ(tool({"export", std::to_string(n), (dir / "tool.txt").string()}), 0) << err.str();
        const std::string exported = read_file(dir / "editor.txt");
        EXPECT_EQ(exported.size(), size_t(EXPORT_FILE_SIZE));
        EXPECT_TRUE(read_file(dir / "tool.txt") == exported)
            << "the tool exports as the editor does";

        // Converted, it prints the level's section of level_tables.cpp to the
        // character, with its LEVEL_TABLES line.
        const std::string name = "level" + std::to_string(n);
        ASSERT_EQ(tool({"convert", (dir / "editor.txt").string(), "--name", name}), 0) << err.str();
        EXPECT_EQ(err.str(), "");
        EXPECT_NE(out.str().find(source_section(n)), std::string::npos) << out.str();
        EXPECT_NE(out.str().find("//     " + source_table_entry(n) + "\n"), std::string::npos);
    }
}

// Any grid the editor can make survives export, convert and load: blocks in
// neighbouring columns, runs of both parities interleaved, every kind of code.
TEST_F(LevelToolsTest, RandomEditedGridsComeBackCellForCell)
{
    std::mt19937 random(20240611);
    for (int round = 0; round < 5; ++round) {
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
        LevelGrid read;
        ExportProblem problem;
        ASSERT_TRUE(read_level_export(export_text(grid), read, problem))
            << describe_problem(problem);
        const LevelSource source = describe_level(read);
        EXPECT_TRUE(source.warnings.empty()) << source.warnings.front();
        EXPECT_TRUE(level_grid_of(source) == grid) << "round " << round;
    }
}

// A good export with bytes [offset, offset + erase) replaced by insert.
struct Damage {
    const char* what;
    size_t offset, erase;
    std::string insert;
    std::string message;  // what the refusal says after "is not a level export: "
};

TEST_F(LevelToolsTest, DamagedAndForeignFilesAreRefusedWithTheirLineAndField)
{
    const std::string good = export_text(builtin_level_grid(2));
    const size_t all = std::string::npos;
    const Damage damages[] = {
        {"a field one space short", field_offset(3, 17) + 5, 1, "",
         "line 3, field 17 (row 3, column 16): the field is 13 characters wide; every field is 14"},
        {"a value that is no tile code", field_offset(7, 40), 14, " 999,         ",
         "line 7, field 40 (row 7, column 39): the field holds 999, which is no tile code"},
        {"an LF without its CR", line_end(5), 1, "",
         "line 5: the line ends in an LF without a CR before it"},
        {"a field missing", field_offset(9, 100), 14, "",
         "line 9: the line has 511 fields; line 1 has 511 and every other line 512"},
        {"the last line missing", line_end(19) + 2, all, "",
         "the file ends after line 19; an export has 20 lines"},
        {"cut inside a line", field_offset(12, 200) + 3, all, "",
         "line 12: the line breaks off: the file ends inside it, before its CR LF"},
        {"a comma-separated file", 0, all, "0,0,2,2\r\n",
         "line 1, field 1 (row 1, column 1): the field starts with '0' where a space or a minus "
         "sign belongs"},
        {"an empty file", 0, all, "", "the file is empty"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        const fs::path file = dir / "damaged.txt";
        write_file(file, std::string(good).replace(damage.offset, damage.erase, damage.insert));
        EXPECT_EQ(tool({"convert", file.string()}), 2);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(err.str(), "tarnblast-levels: " + file.string()
                                 + " is not a level export: " + damage.message + "\n");
        EXPECT_EQ(tool({"map", file.string(), (dir / "map.bmp").string()}), 2);
        EXPECT_FALSE(fs::exists(dir / "map.bmp"));
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
    write_file(dir / "level.txt", export_text(grid));

    ASSERT_EQ(tool({"convert", (dir / "level.txt").string()}), 0);
    const std::vector<std::string> expected = {
        "(6, 0) holds code 2, but load_level never writes column 0: it is left out.",
        "The player marker at (12, 20) is left out: every level has it at (11, 16), where "
        "load_level puts it.",
        "There is no player marker at (11, 16): load_level puts one there all the same.",
        "There is no editor's cursor anchor at (1, 1): load_level puts one there all the same.",
        "Enemy code 4 stands 2 times, at (3, 300) and (10, 79): one code is one enemy, so in the "
        "game "
        "they would share one enemy's state. Give each its own code.",
    };
    std::string warnings;
    for (const std::string& warning : expected)
        warnings += "tarnblast-levels: warning: " + warning + "\n";
    EXPECT_EQ(err.str(), warnings);
    const std::string printed = out.str();
    EXPECT_NE(
        printed.find(
            "// (6, 0) holds code 2, but load_level never writes column 0: it is left out.\n"),
        std::string::npos);
    EXPECT_NE(printed.find("// Column 512 is not in the export file: it is left empty."),
              std::string::npos);
    // Nothing is dropped silently: a repeated code keeps both placements.
    EXPECT_NE(printed.find("    // group A\n    {4, 3, 300}, {4, 10, 79}, {5, 8, 258},"),
              std::string::npos);
}

// ---------------------------------------------------------------------------
// The map.

// Whether a view pixel may show part of a sprite anchored in one of the four
// columns just left of the camera column: the view cuts those sprites off,
// the map draws them whole. A box of 36 x 44 pixels around such a cell holds
// the largest sprite (32 x 32) with its first step and fall.
bool reached_from_the_left(const LevelGrid& grid, int32_t camera, int x, int y)
{
    for (int32_t column = std::max(0, camera - 4); column < camera; ++column)
        for (int32_t row = 0; row < GRID_ROWS; ++row) {
            const int left = (column - camera) * TILE_SIZE - 2;
            const int top = row * TILE_SIZE - 4;
            if (grid[size_t(row) * GRID_COLUMNS + size_t(column)] != TILE_EMPTY && x < left + 36
                && y >= top && y < top + 44)
                return true;
        }
    return false;
}

TEST_F(LevelToolsTest, MapOfLevel2MatchesTheEditorsFramesAtManyScrolls)
{
    // The command maps level 2 from its number as from its export.
    const LevelGrid level = builtin_level_grid(2);
    write_file(dir / "level2.txt", export_text(level));
    ASSERT_EQ(tool({"map", "2", (dir / "two.bmp").string()}), 0) << err.str();
    ASSERT_EQ(tool({"map", (dir / "level2.txt").string(), (dir / "file.bmp").string()}), 0)
        << err.str();
    EXPECT_TRUE(read_file(dir / "two.bmp") == read_file(dir / "file.bmp"));
    BITMAP* map = load_bmp((dir / "two.bmp").c_str(), nullptr);
    ASSERT_NE(map, nullptr);
    ASSERT_TRUE(map->w == 5130 && map->h == 210) << "all 513 columns and 21 rows";
    for (int32_t camera : {0, 1, 33, 47, 100, 133, 250, 333, 417, 480, 500}) {
        SCOPED_TRACE("camera column " + std::to_string(camera));
        // The editor scrolled there, its enemies at their start values.
        restart_headless_game(MODE_EDITOR);
        load_level(2, game.level_grid);
        game.camera_column = camera;
        game.camera_x = camera * TILE_SIZE;
        reset_enemies();
        draw_pass();
        int differing = 0, drawn = 0;
        for (int y = 8; y < SCREEN_HEIGHT; ++y)
            for (int x = 0; x < SCREEN_WIDTH; ++x) {
                // The cursor's eraser preview stands at (10, 10).
                if ((x >= 10 && x < 20 && y >= 10 && y < 20)
                    || reached_from_the_left(level, camera, x, y))
                    continue;
                // Right of column 512 there is nothing, in the view or the map.
                const int map_x = camera * TILE_SIZE + x;
                const int want = pixel(x, y);
                drawn += want != 0;
                differing += (map_x < map->w ? rgb_at(map, map_x, y) : 0) != want;
            }
        EXPECT_EQ(differing, 0);
        EXPECT_GT(drawn, 500);
    }
    destroy_bitmap(map);
}

// A sprite whose cell ends one window of the scan
// is drawn whole, not cut at the window's edge; row 20 is on the map; the
// cursor is not.
TEST_F(LevelToolsTest, MapDrawsSpritesWholeAcrossWindowsAndRow20AndNoCursor)
{
    LevelGrid grid = empty_level_grid();
    at(grid, 5, 32) = TILE_BLOCK;  // the last column of the scan's first window
    at(grid, 20, 100) = TILE_BLOCK;
    at(grid, 1, 1) = TILE_CURSOR;
    std::string error;
    BITMAP* map = draw_level_map(grid, error);
    ASSERT_NE(map, nullptr) << error;
    int block_right_half = 0, row20 = 0, elsewhere = 0;
    for (int y = 0; y < map->h; ++y)
        for (int x = 0; x < map->w; ++x) {
            const bool lit = rgb_at(map, x, y) != 0;
            const bool in_block = x >= 320 && x < 340 && y >= 50 && y < 70;
            const bool in_row20 = x >= 1000 && x < 1020 && y >= 200;
            block_right_half += lit && in_block && x >= 330;
            row20 += lit && in_row20;
            elsewhere += lit && !in_block && !in_row20;
        }
    EXPECT_GT(block_right_half, 150);
    EXPECT_GT(row20, 80);
    EXPECT_EQ(elsewhere, 0);
    destroy_bitmap(map);
}

}  // namespace
