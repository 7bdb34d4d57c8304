// A level file opened at start-up: the editor goes on with it and writes it
// back, play loads it at every level, and a file the game cannot use is
// refused whole, by the game, the runner's reader and tarnblast-levels check.
#ifdef TARNBLAST_HAVE_LEVEL_TOOLS

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "editor/editor.h"
#include "game_fixture.h"
#include "levels/level_export.h"
#include "levels/level_file.h"
#include "levels_tool.h"

namespace {

std::string read_text(const std::string& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

class LevelFileTest : public GameTest {
protected:
    void TearDown() override { close_level_file(); }

    // Writes a grid as the editor exports it.
    void write_level(const LevelGrid& grid)
    {
        std::string text(size_t(EXPORT_FILE_SIZE), '\0');
        format_level_export(grid.data(), text.data());
        std::ofstream(file, std::ios::binary) << text;
    }
    static void set(LevelGrid& grid, int32_t row, int32_t column, int32_t code)
    {
        grid[size_t(row) * GRID_COLUMNS + size_t(column)] = code;
    }
    void expect_file_cells(const LevelGrid& grid)
    {
        for (int32_t row = 1; row < GRID_ROWS; ++row)
            for (int32_t column = 0; column < GRID_COLUMNS; ++column)
                if (export_holds_cell(row, column)) {
                    ASSERT_EQ(grid_value(row, column), grid[size_t(row) * GRID_COLUMNS + size_t(column)])
                        << "row " << row << ", column " << column;
                }
    }

    const std::string file = scratch_folder("tarnblast-level-file") + "/mine.txt";
};

// Level 2 with an A enemy at code 40, a D enemy at the never-given 206 and a
// block in column 0: reopened in the editor, changed and written back.
TEST_F(LevelFileTest, EditorGoesOnWithTheFileAndWritesItBackWhole)
{
    LevelGrid level = builtin_level_grid(2);
    set(level, 5, 300, 40);
    set(level, 6, 10, 206);
    set(level, 3, 0, TILE_BLOCK);
    write_level(level);
    std::string message;
    ASSERT_TRUE(open_level_file(file.c_str(), MODE_EDITOR, message)) << message;
    restart_headless_game(MODE_EDITOR);
    expect_file_cells(level);
    EXPECT_EQ(grid_value(7, 512), TILE_EMPTY);
    EXPECT_EQ((std::vector<int32_t>{game.next_code_a, game.next_code_b, game.next_code_c, game.next_code_d}),
              (std::vector<int32_t>{41, 62, 112, 160}));

    game.brush = BRUSH_ENEMY_A;
    pass(SCRIPT_SPACE | SCRIPT_ENTER);
    pass(SCRIPT_RSHIFT);
    set(level, 1, 2, 41);
    LevelGrid written;
    std::vector<ExportProblem> problems;
    EXPECT_TRUE(load_level_file(file, LEVEL_FOR_BOTH, written, problems));
    EXPECT_TRUE(written == level) << "the file keeps every cell it had and adds the new one";

    // An export killed at any moment leaves the file whole: old or new.
    const std::string before = read_text(file);
    put(5, 5, TILE_DROP);
    std::string after(size_t(EXPORT_FILE_SIZE), '\0');
    format_level_export(game.level_grid, after.data());
    for (int round = 0; round < 6; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (;;)
                export_level();
        usleep(useconds_t(1500 + 2300 * round));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string text = read_text(file);
        ASSERT_TRUE(text == before || text == after) << "round " << round;
    }
}

// Every load of a play level loads the file, level after level; start-up in
// play still loads level 1, and without a file play is as ever.
TEST_F(LevelFileTest, PlayLoadsTheFileAtEveryLevel)
{
    LevelGrid level = builtin_level_grid(3);
    set(level, 12, 0, TILE_BLOCK);
    set(level, 1, 1, TILE_EMPTY);  // no cursor: play does not need one
    write_level(level);
    std::string message;
    ASSERT_TRUE(open_level_file(file.c_str(), MODE_TITLE, message)) << message;
    restart_headless_game(MODE_TITLE);
    EXPECT_TRUE(LevelGrid(game.level_grid, game.level_grid + GRID_CELLS) == builtin_level_grid(1));
    put(5, 512, TILE_BLOCK);
    put(0, 5, TILE_BLOCK);
    pass(SCRIPT_S);
    expect_file_cells(level);
    EXPECT_EQ(grid_value(5, 512), TILE_EMPTY);
    EXPECT_EQ(grid_value(0, 5), TILE_BLOCK);
    for (int32_t number : {3, 4, 5, 6, 2, 3}) {
        put(7, 7, 99);
        advance_level();
        EXPECT_EQ(game.level_number, number);
        expect_file_cells(level);
    }
    close_level_file();
    restart_headless_game(MODE_TITLE);
    pass(SCRIPT_S);
    EXPECT_TRUE(LevelGrid(game.level_grid, game.level_grid + GRID_CELLS) == builtin_level_grid(2));
}

// A file the game cannot use: refused by the game (exit 2, before any
// window), by the reader and by check, with its line and field; the file is
// left as it was and nothing is loaded. Each is level 2 with up to two cells
// changed, or its text edited.
struct Cell {
    int32_t row, column, code;
};
struct Refusal {
    const char* what;
    Cell cells[2];
    size_t at, erase;
    const char* insert;
    int32_t start_mode;
    const char* message;
};

TEST_F(LevelFileTest, UnusableFilesAreRefusedWithLineAndField)
{
    const size_t line4 = 511 * 14 + 2 + 2 * (512 * 14 + 2);
    const Refusal refusals[] = {
        {"cut short", {}, 90000, std::string::npos, "", MODE_TITLE, "line 13: the line breaks off"},
        {"a leading zero", {}, line4 + 9 * 14, 4, " 00,", MODE_TITLE,
         "line 4, field 10 (row 4, column 9): the field holds a number with a leading zero"},
        {"no tile code", {{6, 40, 207}}, 0, 0, nullptr, MODE_EDITOR,
         "line 6, field 41 (row 6, column 40): the field holds 207, which is no tile code"},
        {"one enemy in two cells", {{3, 100, 4}}, 0, 0, nullptr, MODE_TITLE,
         "line 10, field 80 (row 10, column 79): the field holds enemy code 4, as row 3, column 100 does"},
        {"the player past column 32", {{11, 16, TILE_EMPTY}, {11, 40, TILE_PLAYER}}, 0, 0, nullptr, MODE_TITLE,
         "the file holds no player code (1) in columns 0 to 32"},
        {"two players", {{15, 32, TILE_PLAYER}}, 0, 0, nullptr, MODE_TITLE,
         "line 15, field 33 (row 15, column 32): the field holds a second player code (1)"},
        {"no cursor anchor", {{1, 1, TILE_BLOCK}}, 0, 0, nullptr, MODE_EDITOR,
         "the file holds no cursor anchor (1014) in columns 0 to 32"},
        {"two cursor anchors", {{2, 0, TILE_CURSOR}}, 0, 0, nullptr, MODE_EDITOR,
         "line 2, field 1 (row 2, column 0): the field holds a second cursor anchor"},
    };
    std::ostringstream out, err;
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        LevelGrid level = builtin_level_grid(2);
        for (const Cell& cell : refusal.cells)
            if (cell.row > 0)
                set(level, cell.row, cell.column, cell.code);
        write_level(level);
        std::string text = read_text(file);
        if (refusal.insert)
            text.replace(refusal.at, refusal.erase, refusal.insert);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << text;

        std::string message;
        EXPECT_FALSE(open_level_file(file.c_str(), refusal.start_mode, message));
        EXPECT_NE(message.find(refusal.message), std::string::npos) << message;
        EXPECT_FALSE(level_file_open());
        out.str("");
        EXPECT_EQ(run_levels_tool({"check", file}, out, err), 2);
        EXPECT_NE(out.str().find(refusal.message), std::string::npos) << out.str();
        const std::string command = "TARNBLAST_START_MODE=" + std::to_string(refusal.start_mode)
                                  + " TARNBLAST_LEVEL=" + file + " " TARNBLAST_GAME " 2>/dev/null";
        EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 2);
        EXPECT_TRUE(read_text(file) == text) << "the file is left as it was";
    }
}

}  // namespace

#endif
