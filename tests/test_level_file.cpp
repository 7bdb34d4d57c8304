// A level file or pack opened at start-up: the editor goes on with a file
// and writes it back, play loads the pack's files one after another, and a
// file or pack the game cannot use is refused whole by the game, the reader
// and tarnblast-levels check.
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "editor/editor.h"
#include "enemies/enemy_visit.h"
#include "game_fixture.h"
#include "levels/level_export.h"
#include "levels/level_file.h"
#include "levels/level_pack.h"
#include "levels/load_level.h"
#include "levels_tool.h"
#include "program/recorder.h"

namespace {

using Cell = std::array<int32_t, 3>;  // row, column, code

class LevelFileTest : public GameTest {
protected:
    void TearDown() override { close_level_pack(); }

    // Level 2 with some cells changed, as the editor exports it.
    std::string level_text(const std::vector<Cell>& cells)
    {
        LevelGrid level = builtin_level_grid(2);
        for (const auto& [row, column, code] : cells)
            level[size_t(row * GRID_COLUMNS + column)] = code;
        return export_of(level.data());
    }

    // The game run on a level file or folder: its exit code and stderr.
    static std::pair<int, std::string> run_game(const std::string& level, int32_t start_mode)
    {
        const std::string err = scratch_folder("tarnblast-game") + "/err";
        const std::string command = "DISPLAY= TARNBLAST_START_MODE=" + std::to_string(start_mode)
                                    + " TARNBLAST_LEVEL=" + level + " " TARNBLAST_GAME " 2>" + err;
        return {WEXITSTATUS(std::system(command.c_str())), read_file(err)};
    }

    const std::string folder = scratch_folder("tarnblast-level-file");
    const std::string file = folder + "/mine.txt";
    std::string message;
};

// The file adds enemies above level 2's own codes (A up to 9, B 61, C 111,
// D 159): A 40, B 90, C 140, D 190 and D 206, D's last code.
TEST_F(LevelFileTest, EditorGoesOnWithTheFileAndPlayLoadsItAtEveryLevel)
{
    std::vector<Cell> cells = {{5, 300, 40},  {6, 300, 90}, {7, 300, 140},
                               {8, 300, 190}, {6, 10, 206}, {3, 0, TILE_BLOCK}};
    const std::string text = level_text(cells);
    write_file(file, text);
    ASSERT_TRUE(open_level_pack(file.c_str(), MODE_EDITOR, message)) << message;
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
    cells.push_back({1, 2, 41});
    EXPECT_TRUE(read_file(file) == level_text(cells))
        << "written back: every cell it had and the new one";

    // Play needs no cursor anchor. Start-up still loads level 1; S and every
    // level end clear the level area and load the file.
    const std::string played = level_text({{5, 300, 40}, {1, 1, TILE_EMPTY}});
    write_file(file, played);
    ASSERT_TRUE(open_level_pack(file.c_str(), MODE_TITLE, message)) << message;
    const std::string recording = folder + "/keys.txt";
    ASSERT_TRUE(start_recording(recording.c_str(), MODE_TITLE));
    stop_recording();
    EXPECT_EQ(read_file(recording),
              "# tarnblast recording, start mode 1: replay with tarnblast-replay "
              "--start-mode 1\n# on the level file: add --level "
                  + std::filesystem::canonical(file).string() + "\n");
    restart_headless_game(MODE_TITLE);
    EXPECT_TRUE(LevelGrid(game.level_grid, game.level_grid + GRID_CELLS) == level1);
    put(5, 512, TILE_BLOCK);
    put(0, 5, TILE_BLOCK);
    pass(SCRIPT_S);
    EXPECT_EQ(grid_value(5, 512) * 10 + grid_value(0, 5), TILE_BLOCK)
        << "the level area is cleared, row 0 kept";
    for (int32_t number : {FIRST_PLAY_LEVEL, 3, 4, 5, 6, FIRST_PLAY_LEVEL}) {
        EXPECT_EQ(game.level_number, number);
        EXPECT_TRUE(export_of(game.level_grid) == played);
        put(7, 7, 99);
        advance_level();
    }
}

// Refused with line and field by the one reader the game, the runner and
// the tools share: level 2's export with bytes [offset, offset + erase)
// replaced by insert (a whole field padded to 14 characters), opened to play
// or to edit. Each front end is then tried on one refusal: the game exits 2
// before any window, and no file is written or changed.
TEST_F(LevelFileTest, UnusableFilesAreRefusedWithLineAndField)
{
    const std::string good = level_text({});
    const size_t all = std::string::npos;
    const auto field = [](const char* text) { return (text + std::string(14, ' ')).substr(0, 14); };
    const auto end_of_line = [](int line) { return field_at(line + 1, 0) - 2; };
    // clang-format off
    const struct { size_t offset, erase; std::string insert; int32_t start_mode; const char* names; } refusals[] = {
        {field_at(3, 16) + 5, 1, "", MODE_TITLE, "line 3, field 17 (row 3, column 16)"},
        {field_at(6, 40), 14, field(" 207,"), MODE_EDITOR, "line 6, field 41 (row 6, column 40): the field holds 207, which is no tile code"},
        {field_at(4, 10), 14, field(" 02,"), MODE_TITLE, "line 4, field 11 (row 4, column 10): the field holds a number with a leading zero"},
        {field_at(4, 10), 14, " 10000000002, ", MODE_TITLE, "holds a number of 11 digits"},
        {field_at(4, 10), 14, field("-1,"), MODE_TITLE, "holds -1, which is no tile"},
        {field_at(4, 10), 14, field("-0,"), MODE_TITLE, "holds -0"},
        {end_of_line(5), 1, "", MODE_TITLE, "line 5:"},
        {field_at(9, 99), 14, "", MODE_TITLE, "line 9:"},
        {field_at(12, 199) + 3, all, "", MODE_TITLE, "line 12: the line breaks off"},
        {0, all, "", MODE_TITLE, "empty"},
        {field_at(3, 100), 14, field(" 4,"), MODE_TITLE, "line 10, field 80 (row 10, column 79): the field holds enemy code 4, as row 3, column 100"},
        {field_at(11, 16), 14, field(" 0,"), MODE_TITLE, "the file holds no player code (1) in columns 0 to 32"},
        {field_at(15, 32), 14, field(" 1,"), MODE_TITLE, "line 15, field 33 (row 15, column 32): the field holds a second player code"},
        {field_at(1, 1), 14, field(" 2,"), MODE_EDITOR, "the file holds no cursor anchor (1014) in columns 0 to 32"},
        {field_at(2, 0), 14, field(" 1014,"), MODE_EDITOR, "line 2, field 1 (row 2, column 0): the field holds a second cursor anchor"},
    };
    // clang-format on
    for (const auto& refusal : refusals) {
        SCOPED_TRACE(refusal.names);
        write_file(file, std::string(good).replace(refusal.offset, refusal.erase, refusal.insert));
        EXPECT_FALSE(open_level_pack(file.c_str(), refusal.start_mode, message));
        EXPECT_NE(message.find(refusal.names), std::string::npos) << message;
    }
    const std::string damaged = std::string(good).replace(refusals[0].offset, 1, "");
    write_file(file, damaged);
    std::ostringstream out, err;
    EXPECT_EQ(run_levels_tool({"check", file}, out, err), 2);
    EXPECT_NE(out.str().find(refusals[0].names), std::string::npos) << out.str();
    EXPECT_EQ(run_levels_tool({"convert", file}, out, err), 2);
    EXPECT_EQ(run_levels_tool({"map", file, folder + "/out.bmp"}, out, err), 2);
    const std::string said = "tarnblast-levels: " + file
                             + " is not a level export: " + refusals[0].names
                             + ": the field is 13 characters wide; every field is 14\n";
    EXPECT_EQ(err.str(), said + said) << "one line each";
    for (const char* level : {"0", "7"})
        EXPECT_EQ(run_levels_tool({"export", level, folder + "/out.txt"}, out, err), 2) << level;
    EXPECT_EQ(run_game(file, MODE_TITLE).first, 2);
    EXPECT_TRUE(read_file(file) == damaged && !std::filesystem::exists(folder + "/out.bmp")
                && !std::filesystem::exists(folder + "/out.txt"));
}

// Three files, written out of name order beside a file that is no level:
// S plays the first by name, each level end the next and after the last the
// first again, the level number counting on as ever; a death and a new start
// go back to the first file. A recording says it was made on the pack.
TEST_F(LevelFileTest, PackPlaysItsFilesInNameOrderRoundAndFromTheFirstAfterADeath)
{
    std::string texts[3];
    for (int32_t k : {2, 0, 1}) {
        texts[k] = level_text({{9, 100 + 2 * k, TILE_DROP}});
        write_file(folder + "/" + std::to_string(k) + "-part.txt", texts[k]);
    }
    write_file(folder + "/notes.md", "not a level");
    ASSERT_TRUE(open_level_pack(folder.c_str(), MODE_TITLE, message)) << message;
    EXPECT_EQ(level_pack_files(), 3);
    restart_headless_game(MODE_TITLE);
    const auto file_played = [&] {
        const std::string played = export_of(game.level_grid);
        return int(std::find(texts, texts + 3, played) - texts);
    };
    pass(SCRIPT_S);
    const std::array<int32_t, 2> loads[] = {{0, 2}, {1, 3}, {2, 4}, {0, 5}, {1, 6}, {2, 2}, {0, 3}};
    for (const auto& [file_index, level] : loads) {
        EXPECT_EQ((std::array<int32_t, 2>{file_played(), game.level_number}),
                  (std::array<int32_t, 2>{file_index, level}));
        advance_level();
    }
    kill_player();
    passes(2, SCRIPT_S);
    EXPECT_EQ((std::array<int32_t, 3>{file_played(), game.level_number, game.game_mode}),
              (std::array<int32_t, 3>{0, FIRST_PLAY_LEVEL, MODE_PLAY}));
    const std::string recording = scratch_folder("tarnblast-pack-record") + "/keys.txt";
    ASSERT_TRUE(start_recording(recording.c_str(), MODE_TITLE));
    stop_recording();
    EXPECT_NE(read_file(recording).find("\n# on the level pack: add --level "
                                        + std::filesystem::canonical(folder).string() + "\n"),
              std::string::npos)
        << read_file(recording);
}

// A pack is refused whole, before any window, with one line naming the
// folder or its first file that cannot be used, and the file open before
// stays open; check says the same.
TEST_F(LevelFileTest, PacksAreRefusedWholeNamingTheFolderOrTheFile)
{
    const std::string sound = level_text({});
    // files: "name" a sound file, "name!" one cut short; copies: links a.txt, b.txt, ... to
    // the first file.
    // clang-format off
    const struct {
        std::vector<std::string> files; int copies; int32_t start_mode; const char* message;
    } refusals[] = {
        {{}, 0, MODE_TITLE, "cannot use the level folder F: it holds no level file (*.txt)"},
        {{"1.txt", "2.txt!", "3.txt!"}, 0, MODE_TITLE,
         "cannot use the level file F/2.txt: line 13: the line breaks off"},
        {{"1.txt"}, 0, MODE_EDITOR,
         "cannot edit the level folder F: the editor edits one level file; name one of its files"},
        {{"1.txt"}, 64, MODE_TITLE,
         "cannot use the level folder F: it holds 65 level files; a pack holds at most 64"},
    };
    // clang-format on
    for (const auto& refusal : refusals) {
        SCOPED_TRACE(refusal.message);
        const std::string pack = scratch_folder("tarnblast-pack");
        write_file(pack + "/readme", "no level");
        for (const std::string& name : refusal.files)
            write_file(pack + "/" + name.substr(0, 5),
                       name.size() > 5 ? sound.substr(0, 90000) : sound);
        for (int copy = 0; copy < refusal.copies; ++copy)
            EXPECT_EQ(symlink((pack + "/1.txt").c_str(),
                              (pack + "/link" + std::to_string(copy) + ".txt").c_str()),
                      0);
        std::string expected = refusal.message;
        expected.replace(expected.find('F'), 1, pack);
        write_file(file, sound);
        ASSERT_TRUE(open_level_pack(file.c_str(), refusal.start_mode, message)) << message;
        EXPECT_FALSE(open_level_pack(pack.c_str(), refusal.start_mode, message));
        EXPECT_EQ(message.rfind(expected, 0), 0u) << message;
        EXPECT_EQ(level_pack_path(), std::filesystem::canonical(file).string());
        const auto [code, err] = run_game(pack, refusal.start_mode);
        EXPECT_EQ(code, 2);
        EXPECT_EQ(err, "tarnblast: " + message + "\n");
    }
    // 64 files are a pack.
    const std::string full = scratch_folder("tarnblast-pack");
    write_file(full + "/0.txt", sound);
    for (int copy = 1; copy < 64; ++copy)
        symlink("0.txt", (full + "/" + std::to_string(copy) + ".txt").c_str());
    EXPECT_TRUE(open_level_pack(full.c_str(), MODE_TITLE, message) && level_pack_files() == 64)
        << message;
}

// check FOLDER: every file in name order, with its own verdict, then the
// pack's; exit 0 only when every file is sound and can be finished, 1 when
// a sound one was not finished in the time, 2 when one is not sound. Level
// 1, an open floor, is the quickest to cross.
TEST_F(LevelFileTest, CheckSaysForEachFileOfAPackWhetherItCanBeFinished)
{
    const std::string level1 = export_of(builtin_level_grid(1).data());
    const std::string a = folder + "/a.txt", b = folder + "/b.txt";
    write_file(b, level1.substr(0, 90000));
    write_file(a, level1);
    // lines: in this order in the output
    // clang-format off
    const struct { const char* seconds; int code; std::vector<std::string> lines; } checks[] = {
        {"0.001", 2, {a + ": a sound level", a + ": no route found in",
                      b + ": line 13: the line breaks off",
                      folder + ": a pack of 2 level files: not every one is sound"}},
        {"0.001", 1, {folder + ": a pack of 1 level file: every one is sound, "
                               "but not every one was finished"}},
        {"60", 0, {a + ": can be finished: a route of",
                   ": every one is sound and can be finished"}},
    };
    // clang-format on
    for (const auto& check : checks) {
        std::ostringstream out, err;
        EXPECT_EQ(run_levels_tool({"check", folder, "--seconds", check.seconds}, out, err),
                  check.code);
        size_t at = 0;
        for (const std::string& line : check.lines) {
            at = out.str().find(line, at);
            EXPECT_NE(at, std::string::npos) << line << " in order in\n" << out.str();
        }
        unlink(b.c_str());
    }
    std::ostringstream out, err;
    EXPECT_EQ(run_levels_tool({"check", scratch_folder("tarnblast-empty-pack")}, out, err), 2);
}

}  // namespace
