#include "game_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

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

void GameTest::use_test_sheet()
{
    if (sprite_sheet)
        destroy_bitmap(sprite_sheet);
    sprite_sheet = create_bitmap(531, 130);
    clear_to_color(sprite_sheet, makecol(255, 0, 255));
    for (int i = 0; i < SPRITE_ATLAS_SIZE; ++i) {
        const SpriteRect& r = SPRITE_ATLAS[i].rect;
        const int c = test_sheet_colour(SPRITE_ATLAS[i].name);
        rectfill(sprite_sheet, r.x, r.y, r.x + r.width - 1, r.y + r.height - 1,
                 makecol(c >> 16, (c >> 8) & 0xff, c & 0xff));
    }
    // The title sheet's four panels, in reading order: panel 1 at (0, 0) to
    // panel 4 at (320, 200).
    if (title_sheet)
        destroy_bitmap(title_sheet);
    title_sheet = create_bitmap(640, 400);
    for (int i = 0; i < 4; ++i)
        rectfill(title_sheet, (i % 2) * 320, (i / 2) * 200, (i % 2) * 320 + 319,
                 (i / 2) * 200 + 199, makecol(0x30 * (i + 1), 0, 0));
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

// The test program's entry: Allegro is brought up once, without a display.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    boot_headless_allegro();
    return RUN_ALL_TESTS();
}
