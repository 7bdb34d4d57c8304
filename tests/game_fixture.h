// Shared test fixture: the whole program back at its start-up state before
// every test, and passes of the main loop driven by held keys exactly as the
// real program and the replay runner drive them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "base/assets.h"
#include "base/bmp_file.h"
#include "base/game_state.h"
#include "base/sound.h"
#include "game/headless.h"
#include "game/main_loop.h"
#include "game/title.h"
#include "program/key_script.h"

class GameTest : public testing::Test {
public:
    void SetUp() override { restart_headless_game(MODE_TITLE); }

    // One pass of the main loop: draw, then the keys held at the poll.
    void pass(uint16_t keys = 0) { run_pass_holding(keys); }

    void passes(int count, uint16_t keys = 0)
    {
        for (int i = 0; i < count; ++i)
            pass(keys);
    }

    // Play on a level as S on the title starts it.
    void start_play(int32_t level = FIRST_PLAY_LEVEL) { start_game_at_level(level); }

    // An empty grid, for scenes built cell by cell.
    void clear_grid()
    {
        for (int32_t& cell : game.level_grid)
            cell = TILE_EMPTY;
    }

    void put(int32_t row, int32_t column, int32_t code) { *grid_cell(row, column) = code; }

    // The colour of a pixel of the frame as 0xRRGGBB.
    static int pixel(int x, int y)
    {
        const RgbImage frame = frame_image();
        return int(frame.pixels[size_t(y) * size_t(frame.width) + size_t(x)]);
    }

    // Replaces the sprite sheet by the test sheet, and the title sheet by
    // four panels of one colour each.
    static void use_test_sheet();
};

// A rectangle of the sprite sheet by name ("player left 2", "explosion 13",
// "eraser"), and the test sheet that fills each with a colour of its own.
struct SheetRect {
    const char* name;
    int x, y, width, height;
};
constexpr int SHEET_RECT_COUNT = 38;
extern const SheetRect SHEET_RECTS[SHEET_RECT_COUNT];
const SheetRect* sheet_rect(const std::string& name);
const RgbImage& test_sheet();

// The colour of the test sheet at a rectangle's top-left corner, or of
// "title panel N" (1 to 4).
int test_sheet_colour(const char* rect_name);

// A fresh folder /tmp/PREFIX-XXXXXX of the test's own (ctest runs tests side
// by side), removed when the test program ends. Returned without a final /.
std::string scratch_folder(const char* prefix);

// A whole file's bytes ("" for a file that cannot be read), and a file
// written with exactly these bytes.
std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);

// Every match of a pattern in a text, as the numbers its groups took (0
// for a group left out).
std::vector<std::vector<int32_t>> matches(const std::string& text, const char* pattern);

// A grid as the editor exports it, and where the field of a cell starts in an
// export (line 1 begins at column 1; every line ends in CR LF).
std::string export_of(const int32_t* grid);
size_t field_at(int row, int column);
