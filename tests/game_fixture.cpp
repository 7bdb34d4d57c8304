#include "game_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <vector>

#include "base/platform.h"
#include "levels/level_export.h"

// The sprite sheet's rectangles as the art is laid out, written out here
// apart from the game's own table, so that a mistyped or swapped row there
// shows.
// clang-format off
const SheetRect SHEET_RECTS[SHEET_RECT_COUNT] = {
    {"player right 1", 0, 0, 20, 32}, {"player right 2", 20, 0, 20, 32},
    {"player left 1", 40, 0, 20, 32}, {"player left 2", 60, 0, 20, 32},
    {"enemy A right 1", 80, 0, 20, 32}, {"enemy A right 2", 100, 0, 20, 32},
    {"enemy A left 1", 120, 0, 20, 32}, {"enemy A left 2", 140, 0, 20, 32},
    {"enemy C right 1", 291, 0, 20, 32}, {"enemy C right 2", 311, 0, 20, 32},
    {"enemy C left 1", 329, 0, 20, 32}, {"enemy C left 2", 349, 0, 20, 32},
    {"lobbed shot 1", 0, 70, 10, 10}, {"lobbed shot 2", 10, 70, 10, 10},
    {"explosion 1", 103, 35, 32, 32}, {"explosion 2", 139, 35, 32, 32}, {"explosion 3", 175, 70, 10, 10},
    {"explosion 4", 103, 35, 32, 32}, {"explosion 5", 211, 35, 32, 32}, {"explosion 6", 248, 35, 32, 32},
    {"explosion 7", 284, 35, 32, 32}, {"explosion 8", 320, 35, 32, 32}, {"explosion 9", 355, 35, 32, 32},
    {"explosion 10", 391, 35, 32, 32}, {"explosion 11", 427, 35, 32, 32}, {"explosion 12", 463, 35, 32, 32},
    {"explosion 13", 499, 35, 32, 32},
    {"dying enemy 1", 0, 90, 20, 20}, {"dying enemy 2", 20, 90, 20, 20}, {"dying enemy 3", 40, 90, 20, 20},
    {"straight shot", 0, 81, 10, 5}, {"block", 0, 40, 20, 20}, {"arc shot", 0, 60, 10, 10},
    {"enemy B", 192, 0, 32, 32}, {"rising shot", 109, 42, 20, 20}, {"enemy D", 80, 40, 20, 20},
    {"drop marker", 0, 120, 10, 10}, {"eraser", 500, 0, 10, 10},
};
// clang-format on
const SheetRect* sheet_rect(const std::string& name)
{
    for (const SheetRect& r : SHEET_RECTS)
        if (name == r.name)
            return &r;
    ADD_FAILURE() << "no sheet rectangle named " << name;
    return nullptr;
}

namespace {

void fill(RgbImage& sheet, int x, int y, int width, int height, int colour)
{
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            sheet.pixels[size_t(row) * size_t(sheet.width) + size_t(column)] = uint32_t(colour);
}

}  // namespace

// Every rectangle in a colour of its own on the mask colour; where two
// overlap, the later one's, which leaves each one's top-left corner its own.
const RgbImage& test_sheet()
{
    static const RgbImage sheet = [] {
        RgbImage made{531, 130, std::vector<uint32_t>(531 * 130, 0xff00ff)};
        for (int i = 0; i < SHEET_RECT_COUNT; ++i) {
            const SheetRect& r = SHEET_RECTS[i];
            fill(made, r.x, r.y, r.width, r.height, 0x101010 + i * 0x050301);
        }
        return made;
    }();
    return sheet;
}

int test_sheet_colour(const char* rect_name)
{
    int panel = 0;
    if (std::sscanf(rect_name, "title panel %d", &panel) == 1)
        return 0x300000 * panel;
    const SheetRect* r = sheet_rect(rect_name);
    return r ? int(test_sheet().pixels[size_t(r->y * test_sheet().width + r->x)]) : -1;
}

void GameTest::use_test_sheet()
{
    const RgbImage& sheet = test_sheet();
    install_sheet_pixels(ASSET_SPRITE_SHEET, sheet.width, sheet.height, sheet.pixels.data());
    // The title sheet's four panels, in reading order: panel 1 at (0, 0) to
    // panel 4 at (320, 200).
    RgbImage title{640, 400, std::vector<uint32_t>(640 * 400, 0)};
    for (int i = 0; i < 4; ++i)
        fill(title, (i % 2) * 320, (i / 2) * 200, 320, 200, 0x300000 * (i + 1));
    install_sheet_pixels(ASSET_TITLE_SHEET, title.width, title.height, title.pixels.data());
}

namespace {

struct ScratchFolders {
    std::vector<std::string> made;
    ~ScratchFolders()
    {
        for (const std::string& dir : made)
            std::system(("rm -rf '" + dir + "'").c_str());
    }
} scratch_folders;

}  // namespace

std::string scratch_folder(const char* prefix)
{
    std::string pattern = std::string("/tmp/") + prefix + "-XXXXXX";
    if (!mkdtemp(pattern.data()))
        ADD_FAILURE() << "cannot make a folder like " << pattern;
    scratch_folders.made.push_back(pattern);
    return pattern;
}

std::string read_file(const std::string& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

void write_file(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::vector<int32_t>> matches(const std::string& text, const char* pattern)
{
    std::vector<std::vector<int32_t>> found;
    const std::regex re(pattern);
    for (auto m = std::sregex_iterator(text.begin(), text.end(), re); m != std::sregex_iterator();
         ++m) {
        found.emplace_back();
        for (size_t i = 1; i < m->size(); ++i)
            found.back().push_back((*m)[i].matched ? std::stoi((*m)[i].str()) : 0);
    }
    return found;
}

std::string export_of(const int32_t* grid)
{
    std::string text(size_t(EXPORT_FILE_SIZE), '\0');
    text.resize(size_t(format_level_export(grid, text.data())));
    return text;
}

size_t field_at(int row, int column)
{
    return row == 1 ? (column - 1) * 14 : 511 * 14 + 2 + (row - 2) * (512 * 14 + 2) + column * 14;
}

// The test program's entry: the platform is brought up once, without a
// display.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    start_headless_platform();
    return RUN_ALL_TESTS();
}
