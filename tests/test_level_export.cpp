// The level export file: its exact text, where it goes, and what a failed or
// interrupted export leaves behind.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "game_fixture.h"
#include "levels/level_export.h"

namespace fs = std::filesystem;

namespace {

const std::string ZERO_FIELD = " 0,           ";

class ExportTest : public GameTest {
protected:
    void SetUp() override
    {
        restart_headless_game(MODE_EDITOR);
        target(dir / "level.txt");
    }
    void TearDown() override
    {
        unsetenv("TARNBLAST_EXPORT_PATH");
        fs::current_path(home);
    }
    void target(const fs::path& path)
    {
        file = path;
        setenv("TARNBLAST_EXPORT_PATH", path.c_str(), 1);
    }
    std::string export_output()
    {
        testing::internal::CaptureStderr();
        export_level();
        return testing::internal::GetCapturedStderr();
    }
    // Pixels of the failure notice's colour in the bottom text line.
    static int notice_pixels()
    {
        const RgbImage frame = frame_image();
        return int(
            std::count(frame.pixels.end() - 8 * SCREEN_WIDTH, frame.pixels.end(), 0xff5050u));
    }

    const fs::path dir = scratch_folder("tarnblast-export"), home = fs::current_path();
    fs::path file;
};

// Each cell is a 14-character field; line 1 starts at column 1, lines 2..20
// at column 0, every line ends in CR LF, and nothing else is written. Right
// Shift exports on every pass it is held, into folders it makes if need be,
// and leaves the grid and the folder as they were.
TEST_F(ExportTest, ExactTextOfEveryWrittenCellAndNoOther)
{
    target(dir / "new" / "folders" / "level.txt");
    clear_grid();
    passes(2, SCRIPT_RSHIFT);
    std::string line;
    for (int i = 0; i < 511; ++i)
        line += ZERO_FIELD;
    std::string want = line + "\r\n";
    for (int row = 2; row <= 20; ++row)
        want += ZERO_FIELD + line + "\r\n";
    EXPECT_EQ(want.size(), size_t(EXPORT_FILE_SIZE));
    EXPECT_EQ(read_file(file), want);
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), {}), 1);

    put(1, 1, TILE_CURSOR);
    put(2, 0, -5);
    put(19, 300, INT32_MAX);
    put(20, 511, INT32_MIN);
    put(1, 0, 77);    // never written: cell (1, 0),
    put(0, 9, 77);    // row 0
    put(3, 512, 77);  // and column 512
    static int32_t before[GRID_CELLS];
    std::memcpy(before, game.level_grid, sizeof before);
    fs::remove(file);
    pass(SCRIPT_RSHIFT);
    const std::string text = read_file(file);
    EXPECT_EQ(text.size(), size_t(EXPORT_FILE_SIZE));
    EXPECT_EQ(text.substr(field_at(1, 1), 28), " 1014,        " + ZERO_FIELD);
    EXPECT_EQ(text.substr(field_at(2, 0) - 2, 16), "\r\n-5,           ");
    EXPECT_EQ(text.substr(field_at(19, 300), 14), " 2147483647,  ");
    EXPECT_EQ(text.substr(field_at(20, 511), 16), "-2147483648,  \r\n");
    EXPECT_EQ(text.find("77"), std::string::npos);
    EXPECT_EQ(std::memcmp(before, game.level_grid, sizeof before), 0);
}

// Set but empty, the path is told once and the default under the working
// directory is used.
TEST_F(ExportTest, EmptyPathIsToldOnceAndTheDefaultIsUsed)
{
    fs::current_path(dir);
    setenv("TARNBLAST_EXPORT_PATH", "", 1);
    const std::string told = export_output();
    EXPECT_NE(told.find("TARNBLAST_EXPORT_PATH"), std::string::npos) << told;
    EXPECT_EQ(told.find('\n'), told.size() - 1);
    EXPECT_EQ(export_output(), "");
    EXPECT_EQ(fs::file_size(dir / "d:" / "tilewerks" / "level.txt"), size_t(EXPORT_FILE_SIZE));
}

// A failure is told on stderr in one line with the path and the reason, once
// while it repeats, shown in the window for 210 passes, and the editor goes on.
TEST_F(ExportTest, FailedExportsAreToldAndTheEditorGoesOn)
{
    write_file(dir / "plain", "x");
    fs::create_directory(dir / "folder");
    const struct {
        fs::path path;
        int error;
    } cases[] = {{dir / "plain" / "level.txt", ENOTDIR}, {dir / "folder", EISDIR}};
    for (const auto& c : cases) {
        target(c.path);
        const std::string told = export_output();
        EXPECT_NE(told.find(std::strerror(c.error)), std::string::npos) << told;
        EXPECT_NE(told.find(c.path.string()), std::string::npos) << told;
        EXPECT_EQ(told.find('\n'), told.size() - 1) << told;
        testing::internal::CaptureStderr();
        passes(5, SCRIPT_RSHIFT);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(game.game_mode, MODE_EDITOR);
        EXPECT_GT(notice_pixels(), 0);
    }
    EXPECT_FALSE(fs::exists(dir / "folder.tmp"));
    EXPECT_EQ(read_file(dir / "plain"), "x");
    passes(210);
    EXPECT_GT(notice_pixels(), 0);
    pass();
    EXPECT_EQ(notice_pixels(), 0);

    // After a success the same failure is told anew.
    target(dir / "level.txt");
    pass(SCRIPT_RSHIFT);
    target(dir / "folder");
    EXPECT_NE(export_output(), "");
}

// An export killed at any moment leaves the old file whole or the new one
// whole, never a part of one or a mixture.
TEST_F(ExportTest, KilledExportNeverLeavesAPartialFile)
{
    clear_grid();
    export_level();
    const std::string old_text = read_file(file);
    for (int32_t& cell : game.level_grid)
        cell = INT32_MIN;
    target(dir / "new.txt");
    export_level();
    const std::string new_text = read_file(file);
    target(dir / "level.txt");
    for (int round = 0; round < 12; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (;;)
                export_level();
        usleep(useconds_t(1000 + 1700 * round));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string text = read_file(file);
        ASSERT_TRUE(text == old_text || text == new_text)
            << "round " << round << ": " << text.size() << " bytes";
    }
}

}  // namespace
