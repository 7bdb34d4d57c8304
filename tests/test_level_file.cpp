// A level file opened at start-up: the editor goes on with it and writes it
// back, play loads it at every level, and a file the game cannot use is
// refused whole by the game, the reader and tarnblast-levels check.
#include <sys/wait.h>

#include <array>
#include <cstdlib>
#include <sstream>

#include "editor/editor.h"
#include "game_fixture.h"
#include "levels/level_export.h"
#include "levels/level_file.h"
#include "levels_tool.h"

namespace {

using Cell = std::array<int32_t, 3>;  // row, column, code

class LevelFileTest : public GameTest {
protected:
    void TearDown() override { close_level_file(); }

    // Level 2 with some cells changed, as the editor exports it.
    std::string level_text(std::initializer_list<Cell> cells)
    {
        LevelGrid level = builtin_level_grid(2);
        for (const auto& [row, column, code] : cells)
            level[size_t(row * GRID_COLUMNS + column)] = code;
        return export_of(level.data());
    }

    const std::string file = scratch_folder("tarnblast-level-file") + "/mine.txt";
    std::string message;
};

// The file adds enemies above level 2's own codes (A up to 9, B 61, C 111,
// D 159): A 40, B 90, C 140, D 190 and D 206, D's last code.
TEST_F(LevelFileTest, EditorGoesOnWithTheFileAndPlayLoadsItAtEveryLevel)
{
    const std::initializer_list<Cell> added = {{5, 300, 40},  {6, 300, 90}, {7, 300, 140},
                                               {8, 300, 190}, {6, 10, 206}, {3, 0, TILE_BLOCK}};
    const std::string text = level_text(added);
    write_file(file, text);
    ASSERT_TRUE(open_level_file(file.c_str(), MODE_EDITOR, message)) << message;
    restart_headless_game(MODE_EDITOR);
    EXPECT_TRUE(export_of(game.level_grid) == text);
    // What a file does not hold (row 0, column 512, cell (1, 0)) stays as
    // level 1 has it.
    const LevelGrid level1 = builtin_level_grid(1);
    for (int32_t row = 0; row < GRID_ROWS; ++row)
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
            EXPECT_TRUE((row && column < 512 && (row > 1 || column))
                        || grid_value(row, column) == level1[size_t(row * GRID_COLUMNS + column)])
                << "(" << row << ", " << column << ")";
    // Each group goes on one above its highest code in the file; D's last
    // code, 206, is never given out and so not counted.
    EXPECT_EQ((std::array<int32_t, 4>{game.next_code_a, game.next_code_b, game.next_code_c,
                                      game.next_code_d}),
              (std::array<int32_t, 4>{41, 91, 141, 191}));
    game.brush = group_brush(GROUP_A);
    pass(SCRIPT_SPACE | SCRIPT_ENTER);
    pass(SCRIPT_RSHIFT);
    const std::string edited = level_text({{5, 300, 40},
                                           {6, 300, 90},
                                           {7, 300, 140},
                                           {8, 300, 190},
                                           {6, 10, 206},
                                           {3, 0, TILE_BLOCK},
                                           {1, 2, 41}});
    EXPECT_TRUE(read_file(file) == edited) << "written back: every cell it had and the new one";

    // Play needs no cursor anchor. Start-up still loads level 1; S and every
    // level end clear the level area and load the file.
    const std::string played = level_text({{5, 300, 40}, {1, 1, TILE_EMPTY}});
    write_file(file, played);
    ASSERT_TRUE(open_level_file(file.c_str(), MODE_TITLE, message)) << message;
    restart_headless_game(MODE_TITLE);
    EXPECT_TRUE(LevelGrid(game.level_grid, game.level_grid + GRID_CELLS) == level1);
    put(5, 512, TILE_BLOCK);
    put(0, 5, TILE_BLOCK);
    pass(SCRIPT_S);
    EXPECT_EQ(grid_value(5, 512) * 10 + grid_value(0, 5), TILE_BLOCK)
        << "the level area is cleared, row 0 kept";
    for (int32_t number : {2, 3, 4, 5, 6, 2}) {
        EXPECT_EQ(game.level_number, number);
        EXPECT_TRUE(export_of(game.level_grid) == played);
        put(7, 7, 99);
        advance_level();
    }
}

// Refused with line and field: the game exits 2 before any window, and the
// file is left as it was. Each is level 2 with up to two cells changed, or
// (row 0) cut short after `column` bytes.
TEST_F(LevelFileTest, UnusableFilesAreRefusedWithLineAndField)
{
    const struct {
        Cell cells[2];
        int32_t start_mode;
        const char* message;
    } refusals[] = {
        {{{0, 90000, 0}}, MODE_TITLE, "line 13: the line breaks off"},
        {{{6, 40, 207}},
         MODE_EDITOR,
         "line 6, field 41 (row 6, column 40): the field holds 207, which is no tile code"},
        {{{3, 100, 4}},
         MODE_TITLE,
         "line 10, field 80 (row 10, column 79): the field holds enemy code 4, as row 3, column "
         "100"},
        {{{11, 16, 0}, {11, 40, TILE_PLAYER}},
         MODE_TITLE,
         "the file holds no player code (1) in columns 0 to 32"},
        {{{15, 32, TILE_PLAYER}},
         MODE_TITLE,
         "line 15, field 33 (row 15, column 32): the field holds a second player code"},
        {{{1, 1, TILE_BLOCK}},
         MODE_EDITOR,
         "the file holds no cursor anchor (1014) in columns 0 to 32"},
        {{{2, 0, TILE_CURSOR}},
         MODE_EDITOR,
         "line 2, field 1 (row 2, column 0): the field holds a second cursor anchor"},
    };
    std::ostringstream out, err;
    for (const auto& refusal : refusals) {
        SCOPED_TRACE(refusal.message);
        std::string text =
            level_text({refusal.cells[1], refusal.cells[0][0] ? refusal.cells[0] : Cell{}});
        if (!refusal.cells[0][0])
            text.erase(size_t(refusal.cells[0][1]));
        write_file(file, text);
        EXPECT_FALSE(open_level_file(file.c_str(), refusal.start_mode, message));
        EXPECT_NE(message.find(refusal.message), std::string::npos) << message;
        out.str("");
        EXPECT_EQ(run_levels_tool({"check", file}, out, err), 2);
        EXPECT_NE(out.str().find(refusal.message), std::string::npos) << out.str();
        const std::string command = "TARNBLAST_START_MODE=" + std::to_string(refusal.start_mode)
                                    + " TARNBLAST_LEVEL=" + file
                                    + " " TARNBLAST_GAME " 2>/dev/null";
        EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 2);
        EXPECT_TRUE(read_file(file) == text) << "the file is left as it was";
    }
}

}  // namespace
