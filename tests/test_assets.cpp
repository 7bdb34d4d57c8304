// Tests of the asset builder and of the asset files it writes into the build
// directory's data/ folder: the sprite sheet's rectangles, the title sheet,
// the three samples as Allegro loads them, and the builder's own rules.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "asset_builder.h"

namespace ta = tarnblast_assets;

namespace {

struct Rect {
    const char* what;
    int x, y, w, h;
};

// Every rectangle the game takes from data/main.bmp.
const Rect kAtlas[] = {
    {"player right 1", 0, 0, 20, 32},     {"player right 2", 20, 0, 20, 32},
    {"player left 1", 40, 0, 20, 32},     {"player left 2", 60, 0, 20, 32},
    {"group A right 1", 80, 0, 20, 32},   {"group A right 2", 100, 0, 20, 32},
    {"group A left 1", 120, 0, 20, 32},   {"group A left 2", 140, 0, 20, 32},
    {"group C right 1", 291, 0, 20, 32},  {"group C right 2", 311, 0, 20, 32},
    {"group C left 1", 329, 0, 20, 32},   {"group C left 2", 349, 0, 20, 32},
    {"group B", 192, 0, 32, 32},          {"group D", 80, 40, 20, 20},
    {"block", 0, 40, 20, 20},             {"lobbed shot 1", 0, 70, 10, 10},
    {"lobbed shot 2", 10, 70, 10, 10},    {"arc shot", 0, 60, 10, 10},
    {"straight shot", 0, 81, 10, 5},      {"rising shot", 109, 42, 20, 20},
    {"explosion 1/4", 103, 35, 32, 32},   {"explosion 2", 139, 35, 32, 32},
    {"explosion 3", 175, 70, 10, 10},     {"explosion 5", 211, 35, 32, 32},
    {"explosion 6", 248, 35, 32, 32},     {"explosion 7", 284, 35, 32, 32},
    {"explosion 8", 320, 35, 32, 32},     {"explosion 9", 355, 35, 32, 32},
    {"explosion 10", 391, 35, 32, 32},    {"explosion 11", 427, 35, 32, 32},
    {"explosion 12", 463, 35, 32, 32},    {"explosion 13", 499, 35, 32, 32},
    {"dying 1", 0, 90, 20, 20},           {"dying 2", 20, 90, 20, 20},
    {"dying 3", 40, 90, 20, 20},          {"drop marker", 0, 120, 10, 10},
    {"eraser", 500, 0, 10, 10},
};

bool is_mask(BITMAP* bmp, int x, int y) {
    int c = getpixel(bmp, x, y);
    return getr32(c) == 255 && getg32(c) == 0 && getb32(c) == 255;
}

int opaque_pixels(BITMAP* bmp, int x0, int y0, int w, int h) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) n += !is_mask(bmp, x, y);
    return n;
}

std::vector<uint8_t> file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

unsigned le16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }

// Allegro keeps 16-bit samples unsigned, offset by 0x8000.
std::vector<int> signed_samples(const SAMPLE* spl) {
    std::vector<int> out(static_cast<size_t>(spl->len));
    const uint16_t* data = static_cast<const uint16_t*>(spl->data);
    for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<int>(data[i]) - 0x8000;
    return out;
}

int peak_of(const std::vector<int>& s) {
    int peak = 0;
    for (int v : s) peak = std::max(peak, std::abs(v));
    return peak;
}

// The sources are built once and shared by the tests that need them.
const ta::BuiltAssets& built() {
    static const ta::BuiltAssets assets = ta::build_assets(ta::default_source_dir());
    return assets;
}

ta::SourceFile text(const char* name, const std::string& body) {
    return ta::source_from_text(name, body);
}

// Runs `build` and returns the line its SourceError names, or -1 if none.
template <typename F>
int error_line(F build, std::string* message = nullptr) {
    try {
        build();
    } catch (const ta::SourceError& e) {
        if (message) *message = e.what();
        return e.line();
    }
    return -1;
}

const char* kTinyPalette = "k black #000000\nw white #ffffff\nr red #ff0000\n";

}  // namespace

// ------------------------------------------------------------ sprite sheet

class SpriteSheetFile : public ::testing::Test {
protected:
    void SetUp() override {
        sheet_ = load_bmp("data/main.bmp", nullptr);
        ASSERT_NE(sheet_, nullptr) << "data/main.bmp missing: build the 'assets' target";
    }
    void TearDown() override {
        if (sheet_) destroy_bitmap(sheet_);
    }
    BITMAP* sheet_ = nullptr;
};

TEST_F(SpriteSheetFile, IsA24BitBmpOfTheAtlasSize) {
    std::vector<uint8_t> bytes = file_bytes("data/main.bmp");
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(le16(bytes, 28), 24u) << "bits per pixel";
    EXPECT_EQ(le16(bytes, 30), 0u) << "compression";
    EXPECT_EQ(sheet_->w, 531);
    EXPECT_EQ(sheet_->h, 130);
}

TEST_F(SpriteSheetFile, EveryRectangleHoldsVisiblePixels) {
    for (const Rect& r : kAtlas)
        EXPECT_GT(opaque_pixels(sheet_, r.x, r.y, r.w, r.h), r.w * r.h / 8) << r.what;
}

TEST_F(SpriteSheetFile, OnlyTheMaskColourLiesOutsideTheRectangles) {
    for (int y = 0; y < sheet_->h; ++y)
        for (int x = 0; x < sheet_->w; ++x) {
            bool inside = false;
            for (const Rect& r : kAtlas)
                inside = inside || (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h);
            if (!inside) {
                ASSERT_TRUE(is_mask(sheet_, x, y)) << "stray pixel at " << x << "," << y;
            }
        }
}

// Blocks and the turret are walls and floors: a transparent pixel would
// let the background show through the ground.
TEST_F(SpriteSheetFile, BlockAndTurretAreSolid) {
    EXPECT_EQ(opaque_pixels(sheet_, 0, 40, 20, 20), 400);
    EXPECT_EQ(opaque_pixels(sheet_, 80, 40, 20, 20), 400);
}

// The rising shot's cell sits inside explosion frame 1's cell: the frame
// must still show a burst beyond the shot, and the shot stays a shot.
TEST_F(SpriteSheetFile, ExplosionFrameOneBurstsBeyondTheRisingShot) {
    int frame = opaque_pixels(sheet_, 103, 35, 32, 32);
    int shot = opaque_pixels(sheet_, 109, 42, 20, 20);
    EXPECT_GT(frame - shot, 40);
    EXPECT_LT(shot, 300) << "a shot should not fill its whole cell";
}

// Group C's second right frame and first left frame share columns 329-330.
// Whatever lies there shows in both, so both frames keep those columns clear
// and neither carries a sliver of the other.
TEST_F(SpriteSheetFile, GroupCSharedColumnsStayClear) {
    EXPECT_EQ(opaque_pixels(sheet_, 329, 0, 2, 32), 0);
    EXPECT_GT(opaque_pixels(sheet_, 311, 0, 18, 32), 150);
    EXPECT_GT(opaque_pixels(sheet_, 331, 0, 18, 32), 150);
}

// ------------------------------------------------------------- title sheet

TEST(TitleSheetFile, IsFourFullyPaintedPanels) {
    std::vector<uint8_t> bytes = file_bytes("data/main2.bmp");
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(le16(bytes, 28), 24u);
    BITMAP* title = load_bmp("data/main2.bmp", nullptr);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->w, 640);
    EXPECT_EQ(title->h, 400);
    // Panels are copied without a mask: magenta would show as a hole.
    int holes = 0;
    for (int y = 0; y < title->h; ++y)
        for (int x = 0; x < title->w; ++x) holes += is_mask(title, x, y);
    EXPECT_EQ(holes, 0);
    destroy_bitmap(title);
}

// ------------------------------------------------------------------ sounds

class SoundFiles : public ::testing::Test {
protected:
    static SAMPLE* load(const char* path) {
        SAMPLE* spl = load_wav(path);
        EXPECT_NE(spl, nullptr) << path;
        if (spl) {
            EXPECT_EQ(spl->bits, 16) << path;
            EXPECT_EQ(spl->stereo, 0) << path;
            EXPECT_EQ(spl->freq, 22050) << path;
            std::vector<uint8_t> bytes = file_bytes(path);
            EXPECT_EQ(le16(bytes, 20), 1u) << path << ": format tag must be plain PCM";
        }
        return spl;
    }
    static double seconds(const SAMPLE* spl) { return static_cast<double>(spl->len) / spl->freq; }
};

TEST_F(SoundFiles, GunIsShortAndStartsAndEndsSilent) {
    SAMPLE* gun = load("data/sgun.wav");
    ASSERT_NE(gun, nullptr);
    EXPECT_GE(seconds(gun), 0.030);
    EXPECT_LE(seconds(gun), 0.060);
    std::vector<int> s = signed_samples(gun);
    // Restarted 70 times a second: any step at either end would click.
    EXPECT_LE(std::abs(s.front()), 330);
    EXPECT_LE(std::abs(s.back()), 330);
    EXPECT_GT(peak_of(s), 16000) << "the gun should be loud";
    destroy_sample(gun);
}

// Holding Space restarts the gun every 1/70 s on top of the copies still
// sounding. Its energy must come early, or the copies pile up and clip.
TEST_F(SoundFiles, GunStacksWithoutPilingUp) {
    SAMPLE* gun = load("data/sgun.wav");
    ASSERT_NE(gun, nullptr);
    std::vector<int> s = signed_samples(gun);
    std::vector<long> stream(s.size() + 40 * 315, 0);
    for (size_t copy = 0; copy < 40; ++copy)
        for (size_t i = 0; i < s.size(); ++i) stream[copy * 315 + i] += s[i];
    long stacked = 0;
    for (size_t i = s.size(); i < 40 * 315; ++i) stacked = std::max(stacked, std::labs(stream[i]));
    EXPECT_LT(stacked, peak_of(s) * 3 / 2);
    destroy_sample(gun);
}

TEST_F(SoundFiles, BlastIsUnderASecondAndEndsSilent) {
    SAMPLE* blast = load("data/blowup.wav");
    ASSERT_NE(blast, nullptr);
    EXPECT_GT(seconds(blast), 0.3);
    EXPECT_LT(seconds(blast), 1.0);
    std::vector<int> s = signed_samples(blast);
    EXPECT_LE(std::abs(s.back()), 330);
    destroy_sample(blast);
}

TEST_F(SoundFiles, MusicLoopsWithoutASeamAndSitsUnderTheEffects) {
    SAMPLE* music = load("data/gmsong.wav");
    SAMPLE* gun = load("data/sgun.wav");
    SAMPLE* blast = load("data/blowup.wav");
    ASSERT_TRUE(music && gun && blast);
    EXPECT_GE(seconds(music), 30.0);
    EXPECT_LE(seconds(music), 60.0);
    std::vector<int> s = signed_samples(music);
    std::vector<int> steps;
    for (size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
    std::sort(steps.begin(), steps.end());
    int typical = steps[steps.size() * 9 / 10];
    EXPECT_LE(std::abs(s.front() - s.back()), typical) << "the loop point clicks";
    // About 6 dB under the effects.
    int effects = std::min(peak_of(signed_samples(gun)), peak_of(signed_samples(blast)));
    EXPECT_LT(peak_of(s), effects * 6 / 10);
    EXPECT_GT(peak_of(s), effects * 3 / 10);
    destroy_sample(music);
    destroy_sample(gun);
    destroy_sample(blast);
}

// ----------------------------------------------------------------- builder

TEST(AssetBuilder, SameSourcesGiveTheSameBytesAsTheBuiltFiles) {
    auto first = ta::encode_assets(built());
    auto second = ta::encode_assets(ta::build_assets(ta::default_source_dir()));
    ASSERT_EQ(first.size(), 5u);
    for (const auto& file : first) {
        EXPECT_TRUE(file.second == second.at(file.first)) << file.first << " differs between runs";
        EXPECT_TRUE(file.second == file_bytes("data/" + file.first))
            << "data/" << file.first << " is stale: rebuild the 'assets' target";
    }
}

TEST(AssetBuilder, MusicIsAWholeNumberOfBars) {
    const ta::Music& music = built().music;
    ASSERT_GT(music.samples_per_step, 0);
    EXPECT_EQ(music.steps % 16, 0);
    EXPECT_EQ(music.sound.samples.size(),
              static_cast<size_t>(music.steps) * static_cast<size_t>(music.samples_per_step));
}

TEST(FileFormats, BmpRoundTripsThroughAllegroAtAnOddWidth) {
    // Width 3 needs row padding; distinct channels catch a swapped order.
    ta::Image image(3, 2, ta::Rgb{});
    image.set(0, 0, ta::Rgb{10, 20, 30});
    image.set(2, 0, ta::Rgb{200, 100, 50});
    image.set(1, 1, ta::Rgb{255, 0, 255});
    char path[] = "/tmp/tarnblast_bmp_XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    ta::write_bytes(path, ta::encode_bmp24(image));
    BITMAP* bmp = load_bmp(path, nullptr);
    std::remove(path);
    ASSERT_NE(bmp, nullptr);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            int c = getpixel(bmp, x, y);
            ta::Rgb want = image.at(x, y);
            EXPECT_EQ(getr32(c), want.r) << x << "," << y;
            EXPECT_EQ(getg32(c), want.g) << x << "," << y;
            EXPECT_EQ(getb32(c), want.b) << x << "," << y;
        }
    destroy_bitmap(bmp);
}

TEST(FileFormats, WavRoundTripsSignedSamplesThroughAllegro) {
    ta::Sound sound;
    sound.rate = 11025;
    sound.samples = {0, 1, -1, 32767, -32767, 1234, -4321};
    char path[] = "/tmp/tarnblast_wav_XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    ta::write_bytes(path, ta::encode_wav16(sound));
    SAMPLE* spl = load_wav(path);
    std::remove(path);
    ASSERT_NE(spl, nullptr);
    EXPECT_EQ(spl->freq, 11025);
    std::vector<int> got = signed_samples(spl);
    EXPECT_EQ(got, std::vector<int>(sound.samples.begin(), sound.samples.end()));
    destroy_sample(spl);
}

// Mistakes in the sources are reported with the file and line to fix.
TEST(SourceErrors, ArtMistakesNameTheLine) {
    std::string message;
    EXPECT_EQ(error_line([] { ta::parse_palette(text("p.txt", "k black #000000\nx pink #ff00ff\n")); },
                         &message),
              2)
        << "magenta would turn transparent";
    EXPECT_EQ(message.rfind("p.txt:2: ", 0), 0u) << message;
    EXPECT_EQ(error_line([] { ta::parse_palette(text("p.txt", "k black #00000\n")); }), 1);

    ta::Palette palette = ta::parse_palette(text("p.txt", kTinyPalette));
    ta::SpriteLibrary sprites;
    EXPECT_EQ(error_line([&] { ta::parse_sprites(text("s.txt", "sprite a 3x2\nkwr\nkw\n"), palette, &sprites); }), 3);
    EXPECT_EQ(error_line([&] { ta::parse_sprites(text("s.txt", "sprite b 2x1\nkZ\n"), palette, &sprites); }), 2);
    EXPECT_EQ(error_line([&] { ta::parse_sprites(text("s.txt", "sprite c 2x3\nkw\nkw\n"), palette, &sprites); }), 1);
    EXPECT_EQ(error_line([&] { ta::parse_sprites(text("s.txt", "mirror d nothing\n"), palette, &sprites); }), 1);
}

TEST(SourceErrors, CommentsColoursAndSharpsAreToldApart) {
    ta::Palette palette = ta::parse_palette(text("p.txt", "# a comment\nk black #000000  # ink\n"));
    ta::SpriteLibrary sprites;
    ta::parse_sprites(text("s.txt", "sprite a 2x1  # note\nk.  # grid row\n"), palette, &sprites);
    EXPECT_TRUE(sprites.at("a").opaque(0, 0));
    EXPECT_FALSE(sprites.at("a").opaque(1, 0));
    double hz = 0;
    ASSERT_TRUE(ta::parse_note("C#4", &hz));
    EXPECT_NEAR(hz, 277.18, 0.01);
    ASSERT_TRUE(ta::parse_note("A4", &hz));
    EXPECT_DOUBLE_EQ(hz, 440.0);
    EXPECT_FALSE(ta::parse_note("H4", &hz));
    EXPECT_FALSE(ta::parse_note("C#", &hz));
}

TEST(SpriteSheetRules, SharedPixelsMustAgree) {
    ta::Palette palette = ta::parse_palette(text("p.txt", kTinyPalette));
    ta::SpriteLibrary sprites;
    ta::parse_sprites(text("s.txt", "sprite a 2x1\n.w\nsprite b 2x1\nw.\nsprite c 2x1\nr.\n"
                                    "mirror m a\n"),
                      palette, &sprites);
    EXPECT_TRUE(sprites.at("m").opaque(0, 0)) << "mirror flips left and right";
    // a and b overlap on one pixel and agree: fine, as the shared cells need.
    ta::Image sheet = ta::build_sprite_sheet(text("l.txt", "size 3 1\nplace a 0 0\nplace b 1 0\n"), sprites);
    EXPECT_EQ(sheet.at(1, 0), (ta::Rgb{255, 255, 255}));
    EXPECT_EQ(sheet.at(2, 0), ta::kMaskColour);
    EXPECT_EQ(error_line([&] {
                  ta::build_sprite_sheet(text("l.txt", "size 3 1\nplace a 0 0\nplace c 1 0\n"), sprites);
              }),
              3);
    EXPECT_EQ(error_line([&] { ta::build_sprite_sheet(text("l.txt", "size 3 1\nplace a 2 0\n"), sprites); }), 2);
}

TEST(TitleSheetRules, ScoreLineRowsAndHolesAreRefused) {
    ta::Palette palette = ta::parse_palette(text("p.txt", kTinyPalette));
    ta::SpriteLibrary sprites;
    ta::Glyphs glyphs = ta::allegro_font_glyphs();
    const std::string head = "size 40 20\npanel_size 40 20\nscore_band 10\npanel 0 0\nfill black\n";
    ta::Image ok = ta::build_title_sheet(text("t.txt", head + "text 0 10 \"HI\" colour=white\n"),
                                         palette, sprites, glyphs);
    int lit = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 40; ++x) lit += ok.at(x, y) != ta::Rgb{};
    EXPECT_EQ(lit, 0) << "nothing drawn above row 10";
    EXPECT_NE(std::count(ok.pixels.begin(), ok.pixels.end(), ta::Rgb{255, 255, 255}), 0);
    EXPECT_EQ(error_line([&] {
                  ta::build_title_sheet(text("t.txt", head + "text 0 9 \"HI\" colour=white\n"), palette,
                                        sprites, glyphs);
              }),
              6);
    // A panel that leaves pixels unpainted is reported at its 'panel' line.
    EXPECT_EQ(error_line([&] {
                  ta::build_title_sheet(text("t.txt", "size 40 20\npanel_size 40 20\npanel 0 0\n"
                                                      "rect 0 0 39 20 black\n"),
                                        palette, sprites, glyphs);
              }),
              3);
}

TEST(EffectRules, AnEffectLastsAsLongAsItsEnvelopes) {
    ta::SourceFile file = text("e.txt", "rate 8000\neffect beep peak=0.5\n"
                                        "layer wave=sine freq=100 attack=0.01 decay=0.09\n");
    std::map<std::string, ta::Sound> effects = ta::build_effects(file);
    const ta::Sound& beep = effects.at("beep");
    EXPECT_EQ(beep.rate, 8000);
    ASSERT_EQ(beep.samples.size(), 801u);  // 0.1 s, and one silent sample to end on
    EXPECT_EQ(beep.samples.front(), 0);
    EXPECT_EQ(beep.samples.back(), 0);
    int peak = 0;
    for (int16_t v : beep.samples) peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_NEAR(peak, 16384, 2);
}

TEST(EffectRules, LayersThatCannotEndOrHaveNoNoteAreRefused) {
    auto line_of = [](const std::string& body) {
        return error_line([&] { ta::build_effects(text("e.txt", body)); });
    };
    EXPECT_EQ(line_of("layer wave=sine freq=100\n"), 1);
    EXPECT_EQ(line_of("effect e\nlayer wave=sine pitch=2\n"), 2);
    EXPECT_EQ(line_of("effect e\nlayer wave=sine freq=100 sustain=0.5\n"), 2);
    EXPECT_EQ(line_of("effect e\nlayer wave=hum freq=100\n"), 2);
    EXPECT_EQ(line_of("effect e\nlayer wave=sine freq=100..x\n"), 2);
    EXPECT_EQ(line_of("effect e\nlayer wave=sine freq=100 attack=0\n"), 2) << "an instant rise clicks";
    EXPECT_EQ(line_of("effect e peak=0.5\neffect f\nlayer wave=noise\n"), 1) << "e has no layers";
}

TEST(MusicRules, MalformedPatternsNameTheLine) {
    const std::string head =
        "tempo 150\ninstrument kick\nlayer wave=sine freq=100..50 decay=0.1\n"
        "instrument bass\nlayer wave=saw sustain=0.5\n";
    auto line_of = [&](const std::string& body) {
        return error_line([&] { ta::build_music(text("m.txt", head + body)); });
    };
    EXPECT_EQ(line_of("pattern p\nkick: x . x .\nbass: A2 - -\nplay p\n"), 8);
    EXPECT_EQ(line_of("pattern p\nbass: A2 H2 . .\nplay p\n"), 7);
    EXPECT_EQ(line_of("pattern p\nbass: . - . .\nplay p\n"), 7);
    EXPECT_EQ(line_of("pattern p\nbass: x . . .\nplay p\n"), 7);
    EXPECT_EQ(line_of("pattern p\nkick: C3 . . .\nplay p\n"), 7);
    EXPECT_EQ(line_of("pattern p\nkick: x . . .\npattern q\nkick: x .\nplay p q\n"), 10);
    EXPECT_EQ(line_of("instrument lead\nlayer wave=sine tyop=1\n"), 7);
}

// A note held across the end of the track must sound on at its start, or
// the loop would cut it off with a click.
TEST(MusicRules, NotesRingingAtTheEndWrapToTheStart) {
    const std::string song =
        "rate 8000\ntempo 120\nsteps_per_beat 4\n"
        "instrument tone\nlayer wave=sine attack=0.001 decay=0.5 sustain=0.8 release=0.2\n"
        "pattern p\ntone: . . . . . . . A3\nplay p\n";
    ta::Music music = ta::build_music(text("m.txt", song));
    ASSERT_EQ(music.samples_per_step, 1000);
    ASSERT_EQ(music.sound.samples.size(), 8000u);
    const std::vector<int16_t>& s = music.sound.samples;
    int head = 0;
    for (int i = 0; i < 800; ++i) head = std::max(head, std::abs(static_cast<int>(s[static_cast<size_t>(i)])));
    EXPECT_GT(head, 3000) << "the release tail should continue at the start";
    // The seam is a step like its neighbours on either side.
    int seam = std::abs(s.front() - s.back());
    int around = std::max(std::abs(s[1] - s[0]), std::abs(s[s.size() - 1] - s[s.size() - 2]));
    EXPECT_LE(seam, around * 3 / 2 + 50);
}
