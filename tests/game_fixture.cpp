#include "game_fixture.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "world/sprite_atlas.h"

int test_sheet_colour(const char* rect_name)
{
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
