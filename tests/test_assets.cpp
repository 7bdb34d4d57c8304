// Tests of the asset builder and of the asset files it writes into the build
// directory's data/ folder: the sprite sheet's rectangles, the title sheet,
// and the builder's own rules (that the samples load: test_asset_loading.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "asset_builder.h"
#include "base/bmp_file.h"
#include "game_fixture.h"

namespace {

bool is_mask(const RgbImage& bmp, int x, int y)
{
    return bmp.pixels[size_t(y) * size_t(bmp.width) + size_t(x)] == 0xff00ff;
}

int opaque_pixels(const RgbImage& bmp, int x0, int y0, int w, int h)
{
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            n += !is_mask(bmp, x, y);
    return n;
}

RgbImage load_image(const std::string& path)
{
    RgbImage image;
    EXPECT_TRUE(decode_bmp(read_file(path), image)) << path << " missing: build 'assets'";
    return image;
}

}  // namespace

class SpriteSheetFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        sheet_ = load_image("data/main.bmp");
        ASSERT_GT(sheet_.width, 0);
    }
    RgbImage sheet_;
};

// Every rectangle the game draws holds a figure, and nothing outside them
// is drawn.
TEST_F(SpriteSheetFile, EveryRectangleHoldsVisiblePixelsAndOnlyMaskLiesOutside)
{
    for (const SheetRect& r : SHEET_RECTS)
        EXPECT_GT(opaque_pixels(sheet_, r.x, r.y, r.width, r.height), r.width * r.height / 8)
            << r.name;
    for (int y = 0; y < sheet_.height; ++y)
        for (int x = 0; x < sheet_.width; ++x) {
            bool inside = false;
            for (const SheetRect& r : SHEET_RECTS) {
                inside =
                    inside || (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height);
            }
            if (!inside) {
                ASSERT_TRUE(is_mask(sheet_, x, y)) << "stray pixel at " << x << "," << y;
            }
        }
}

TEST(AssetBuilder, SameSourcesGiveTheSameBytesAsTheBuiltFiles)
{
    const AssetSources sources = sources_in_folder(default_source_dir());
    AssetFiles first = build_image_files(sources), second = build_image_files(sources);
    first.merge(build_sample_files(sources));
    second.merge(build_sample_files(sources));
    ASSERT_EQ(first.size(), 5u);
    for (const auto& file : first) {
        EXPECT_TRUE(file.second == second.at(file.first)) << file.first << " differs between runs";
        EXPECT_TRUE(std::string(file.second.begin(), file.second.end())
                    == read_file("data/" + file.first))
            << "data/" << file.first << " is stale: rebuild the 'assets' target";
    }
}

// Builds one source of the kind its name says, around small fixed companions.
void build_source(const std::string& name, const std::string& body)
{
    const SourceFile file = source_from_text(name, body);
    if (name == "palette.txt")
        return static_cast<void>(parse_palette(file));
    const Palette palette = parse_palette(
        source_from_text("p.txt", "k black #000000\nw white #ffffff\nr red #ff0000\n"));
    SpriteLibrary sprites;
    parse_sprites(source_from_text("s.txt", "sprite a 2x1\n.w\nsprite c 2x1\nr.\n"), palette,
                  &sprites);
    if (name == "sprites.txt")
        parse_sprites(file, palette, &sprites);
    if (name == "sheet.txt")
        build_sprite_sheet(file, sprites);
    if (name == "title.txt")
        build_title_sheet(file, palette, sprites, allegro_font_glyphs());
    if (name == "effects.txt")
        build_effects(file);
    if (name == "music.txt")
        build_music(file);
}

// Mistakes in the sources are refused with "FILE:LINE: " to fix.
TEST(AssetBuilder, BadSourcesAreRefusedNamingFileAndLine)
{
    const std::string title =
        "size 40 20\npanel_size 40 20\nscore_band 10\npanel 0 0\nfill black\n";
    const std::string music = "tempo 150\ninstrument kick\nlayer wave=sine freq=100..50 decay=0.1\n"
                              "instrument bass\nlayer wave=saw sustain=0.5\n";
    // clang-format off
    struct Bad { const char* what; const char* file; std::string body; int line; };
    const Bad cases[] = {
        {"magenta would turn transparent", "palette.txt", "k black #000000\nx pink #ff00ff\n", 2},
        {"overlapping sprites disagree", "sheet.txt", "size 3 1\nplace a 0 0\nplace c 1 0\n", 3},
        {"text in the score band", "title.txt", title + "text 0 9 \"HI\" colour=white\n", 6},
        {"a layer with no note", "effects.txt", "effect e\nlayer wave=sine pitch=2\n", 2},
        {"an instant rise clicks", "effects.txt",
         "effect e\nlayer wave=sine freq=100 attack=0\n", 2},
        {"tracks of unequal length", "music.txt",
         music + "pattern p\nkick: x . x .\nbass: A2 - -\nplay p\n", 8},
        {"patterns of unequal length", "music.txt",
         music + "pattern p\nkick: x . . .\npattern q\nkick: x .\nplay p q\n", 10},
    };
    // clang-format on
    for (const Bad& bad : cases) {
        SCOPED_TRACE(bad.what);
        try {
            build_source(bad.file, bad.body);
            ADD_FAILURE() << "accepted";
        } catch (const SourceError& e) {
            const std::string prefix =
                std::string(bad.file) + ":" + std::to_string(bad.line) + ": ";
            EXPECT_EQ(std::string(e.what()).rfind(prefix, 0), 0u) << e.what();
        }
    }
}
