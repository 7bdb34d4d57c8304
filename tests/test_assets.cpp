// Tests of the asset builder and of the asset files it writes into the build
// directory's data/ folder: the sprite sheet's rectangles, the title sheet,
// the three samples as Allegro loads them, and the builder's own rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "asset_builder.h"
#include "base/bmp_file.h"
#include "game_fixture.h"
#include "world/sprite_atlas.h"

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

unsigned le16(const std::string& b, size_t at)
{
    return b.size() > at + 1 ? uint8_t(b[at]) | uint8_t(b[at + 1]) << 8 : 0;
}

RgbImage load_image(const std::string& path)
{
    RgbImage image;
    EXPECT_TRUE(decode_bmp(read_file(path), image)) << path << " missing: build 'assets'";
    return image;
}

// Reads data/NAME, which must be 16-bit mono 22050 Hz plain PCM with its
// samples in the one data chunk after the 16-byte format chunk.
std::vector<int> load_sound(const std::string& name)
{
    const std::string path = "data/" + name, bytes = read_file(path);
    EXPECT_GT(bytes.size(), 44u) << path << " missing: build the 'assets' target";
    if (bytes.size() <= 44)
        return {};
    EXPECT_TRUE(le16(bytes, 20) == 1 && le16(bytes, 22) == 1 && le16(bytes, 24) == 22050
                && le16(bytes, 34) == 16 && bytes.compare(36, 4, "data") == 0)
        << path << ": want 16-bit mono 22050 Hz plain PCM";
    std::vector<int> s((bytes.size() - 44) / 2);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = int16_t(le16(bytes, 44 + 2 * i));
    return s;
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

// The game's own atlas: every rectangle it draws holds a figure, and nothing
// outside them is drawn.
TEST_F(SpriteSheetFile, EveryRectangleHoldsVisiblePixelsAndOnlyMaskLiesOutside)
{
    for (int i = 0; i < SPRITE_ATLAS_SIZE; ++i) {
        const SpriteRect& r = SPRITE_ATLAS[i].rect;
        EXPECT_GT(opaque_pixels(sheet_, r.x, r.y, r.width, r.height), r.width * r.height / 8)
            << SPRITE_ATLAS[i].name;
    }
    for (int y = 0; y < sheet_.height; ++y)
        for (int x = 0; x < sheet_.width; ++x) {
            bool inside = false;
            for (int i = 0; i < SPRITE_ATLAS_SIZE; ++i) {
                const SpriteRect& r = SPRITE_ATLAS[i].rect;
                inside =
                    inside || (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height);
            }
            if (!inside) {
                ASSERT_TRUE(is_mask(sheet_, x, y)) << "stray pixel at " << x << "," << y;
            }
        }
}

// Panels are copied without a mask: magenta would show as a hole.
TEST(TitleSheetFile, Is640x400WithNoMaskHoles)
{
    EXPECT_EQ(le16(read_file("data/main2.bmp"), 28), 24u);
    const RgbImage title = load_image("data/main2.bmp");
    EXPECT_TRUE(title.width == 640 && title.height == 400);
    EXPECT_EQ(opaque_pixels(title, 0, 0, title.width, title.height), title.width * title.height);
}

TEST(SoundFiles, EachLoadsAsPcmOfItsLengthAndEndsWithoutAClick)
{
    // The effects end in silence; the music instead flows back into its own
    // start, which the seam test checks.
    const struct {
        const char* name;
        double min_s, max_s;
        bool ends_silent;
    } sounds[] = {{"sgun.wav", 0.030, 0.060, true},
                  {"blowup.wav", 0.3, 1.0, true},
                  {"gmsong.wav", 30.0, 60.0, false}};
    for (const auto& e : sounds) {
        SCOPED_TRACE(e.name);
        std::vector<int> s = load_sound(e.name);
        ASSERT_FALSE(s.empty());
        EXPECT_TRUE(s.size() / 22050.0 >= e.min_s && s.size() / 22050.0 <= e.max_s) << s.size();
        EXPECT_TRUE(!e.ends_silent || std::abs(s.back()) <= 330) << "a step at the end would click";
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
        {"a short sprite row", "sprites.txt", "sprite z 3x2\nkwr\nkw\n", 3},
        {"overlapping sprites disagree", "sheet.txt", "size 3 1\nplace a 0 0\nplace c 1 0\n", 3},
        {"a sprite off the sheet", "sheet.txt", "size 3 1\nplace a 2 0\n", 2},
        {"text in the score band", "title.txt", title + "text 0 9 \"HI\" colour=white\n", 6},
        {"a panel left unpainted", "title.txt",
         "size 40 20\npanel_size 40 20\npanel 0 0\nrect 0 0 39 20 black\n", 3},
        {"a layer with no note", "effects.txt", "effect e\nlayer wave=sine pitch=2\n", 2},
        {"a layer that never ends", "effects.txt",
         "effect e\nlayer wave=sine freq=100 sustain=0.5\n", 2},
        {"an instant rise clicks", "effects.txt",
         "effect e\nlayer wave=sine freq=100 attack=0\n", 2},
        {"tracks of unequal length", "music.txt",
         music + "pattern p\nkick: x . x .\nbass: A2 - -\nplay p\n", 8},
        {"an unknown note", "music.txt", music + "pattern p\nbass: A2 H2 . .\nplay p\n", 7},
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
