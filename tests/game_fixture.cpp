#include "game_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "base/platform.h"
#include "levels/level_export.h"
#include "world/sprite_atlas.h"

int test_sheet_colour(const char* rect_name)
{
    int panel = 0;
    if (std::sscanf(rect_name, "title panel %d", &panel) == 1)
        return 0x300000 * panel;
    for (int i = 0; i < SPRITE_ATLAS_SIZE; ++i)
        if (std::strcmp(SPRITE_ATLAS[i].name, rect_name) == 0)
            return 0x101010 + i * 0x050301;
    ADD_FAILURE() << "no atlas rectangle named " << rect_name;
    return 0;
}

namespace {

void fill(RgbImage& sheet, int x, int y, int width, int height, int colour)
{
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            sheet.pixels[size_t(row) * size_t(sheet.width) + size_t(column)] = uint32_t(colour);
}

}  // namespace

void GameTest::use_test_sheet()
{
    RgbImage sheet{531, 130, std::vector<uint32_t>(531 * 130, 0xff00ff)};
    for (int i = 0; i < SPRITE_ATLAS_SIZE; ++i) {
        const SpriteRect& r = SPRITE_ATLAS[i].rect;
        fill(sheet, r.x, r.y, r.width, r.height, test_sheet_colour(SPRITE_ATLAS[i].name));
    }
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
