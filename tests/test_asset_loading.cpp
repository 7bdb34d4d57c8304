// Loading the five asset files: missing or damaged files are named on stderr
// and the game runs on without them; drawing from a missing sheet or playing
// a missing sample does nothing.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "game_fixture.h"
#include "world/sprite_atlas.h"

namespace {

std::vector<char> file_bytes(const std::string& path)
{
    const std::string bytes = read_file(path);
    return std::vector<char>(bytes.begin(), bytes.end());
}

void write_file(const std::string& path, const std::vector<char>& bytes)
{
    ::write_file(path, std::string(bytes.begin(), bytes.end()));
}

// A copy of bytes with the little-endian value of size bytes put at offset at.
std::vector<char> patched(std::vector<char> bytes, size_t at, uint32_t value, int size = 4)
{
    for (int i = 0; i < size; ++i)
        bytes.at(at + size_t(i)) = char(value >> (8 * i));
    return bytes;
}

std::vector<char> head(const std::vector<char>& bytes, size_t length)
{
    return std::vector<char>(bytes.begin(), bytes.begin() + std::ptrdiff_t(length));
}

const char* const ASSET_NAMES[] = {"main.bmp", "main2.bmp", "sgun.wav", "blowup.wav", "gmsong.wav"};

// Runs the game's start-up in a scratch folder whose data/ holds copies of
// the real files, one of them replaced or removed, and returns what stderr said.
class DamagedAssetTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        std::filesystem::create_directory(scratch_ + "/data");
        for (const char* name : ASSET_NAMES)
            write_file(data(name), file_bytes(std::string("data/") + name));
    }
    void TearDown() override { restart_headless_game(MODE_TITLE); }

    std::string data(const char* name) const { return scratch_ + "/data/" + name; }

    std::string start_up_with(const char* name, const std::vector<char>* replacement)
    {
        const std::vector<char> original = file_bytes(data(name));
        replacement ? write_file(data(name), *replacement) : void(std::remove(data(name).c_str()));
        std::filesystem::current_path(scratch_);
        testing::internal::CaptureStderr();
        restart_headless_game(MODE_TITLE);
        const std::string said = testing::internal::GetCapturedStderr();
        std::filesystem::current_path(home_);
        write_file(data(name), original);
        return said;
    }

    const std::string scratch_ = scratch_folder("tarnblast-assets");
    const std::filesystem::path home_ = std::filesystem::current_path();
};

}  // namespace

TEST_F(DamagedAssetTest, EachMissingFileIsNamedOnceAndLeavesOnlyItsHandleEmpty)
{
    for (const char* name : ASSET_NAMES) {
        SCOPED_TRACE(name);
        const std::string said = start_up_with(name, nullptr);
        EXPECT_NE(said.find(std::string("data/") + name), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
        const void* handles[] = {sprite_sheet, title_sheet, shot_sound, blast_sound, music};
        for (size_t i = 0; i < 5; ++i)
            EXPECT_EQ(handles[i] == nullptr, ASSET_NAMES[i] == name) << ASSET_NAMES[i];
    }
}

// Each damaged file is told with its reason and kept from Allegro's loader;
// the game runs on without it, drawing nothing from a missing sheet and
// playing nothing for a missing sample.
TEST_F(DamagedAssetTest, DamagedFilesAreRefusedBeforeTheLoaderSeesThem)
{
    const std::vector<char> bmp = file_bytes(data("main.bmp")), wav = file_bytes(data("sgun.wav"));
    ASSERT_GT(bmp.size(), 1000u);
    ASSERT_GT(wav.size(), 100u);
    const struct {
        const char* name;
        std::vector<char> bytes;
        const char* reason;
    } cases[] = {
        {"main.bmp", {}, "empty file"},
        {"main.bmp", head(bmp, 30), "truncated header"},
        {"main.bmp", head(bmp, bmp.size() - 1), "truncated pixel data"},
        {"main.bmp", wav, "not a BMP image"},
        {"main.bmp", patched(bmp, 18, 1000000), "image dimensions out of range"},
        {"main.bmp", patched(bmp, 22, 0x80000000u), "image dimensions out of range"},
        {"main.bmp", patched(bmp, 28, 7, 2), "unsupported bits per pixel"},
        {"sgun.wav", {}, "empty file"},
        {"sgun.wav", head(wav, 8), "truncated header"},
        {"sgun.wav", head(wav, wav.size() - 2), "truncated chunk"},
        {"sgun.wav", patched(wav, 20, 3, 2), "not plain PCM"},  // IEEE float
        {"sgun.wav", patched(wav, 34, 24, 2), "unsupported sample size"},
        {"sgun.wav", bmp, "not a WAV sample"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ": " + c.reason);
        const std::string said = start_up_with(c.name, &c.bytes);
        EXPECT_NE(said.find(std::string("data/") + c.name + ": " + c.reason), std::string::npos) << said;
        EXPECT_TRUE(c.name[0] == 'm' ? !sprite_sheet : !shot_sound);
        pass();
        start_play();
        set_sound_output(true);  // even a real player of samples skips the missing one
        passes(2, SCRIPT_RIGHT | SCRIPT_SPACE);
        set_sound_output(false);
        EXPECT_EQ(pass_sound_count(), 1);
    }
}

TEST_F(GameTest, AssetsLoadAndTheMusicStartsOnlyOutsideTheEditor)
{
    for (const bool loaded : {!!sprite_sheet, !!title_sheet, !!shot_sound, !!blast_sound, !!music})
        EXPECT_TRUE(loaded);
    EXPECT_EQ(bitmap_color_depth(sprite_sheet), 32);
    ASSERT_EQ(pass_sound_count(), 1);
    EXPECT_EQ(pass_sound(0), SOUND_MUSIC);

    restart_headless_game(MODE_EDITOR);
    EXPECT_EQ(title_sheet, nullptr) << "the editor never shows the title";
    EXPECT_EQ(pass_sound_count(), 0) << "no music in the editor";

    restart_headless_game(MODE_TITLE);
    start_play();
    passes(5, SCRIPT_RIGHT);
    advance_level();
    pass();
    EXPECT_EQ(pass_sound_count(), 0) << "a new level does not restart the music";
}

// The sprite routines pick their rectangle (its top-left at the point given)
// from their selectors and draw nothing for values they do not know.
TEST_F(GameTest, SpriteRoutinesDrawTheirAtlasRectanglesOrNothing)
{
    use_test_sheet();
    const struct {
        void (*draw)();
        const char* rect;  // nullptr: nothing is drawn
    } draws[] = {
        {[] { draw_player(1, 2, 100, 50); }, "player right 2"},
        {[] { draw_player(2, 1, 100, 50); }, "player left 1"},
        {[] { draw_enemy_a(2, 2, 100, 50); }, "enemy A right 2"},
        {[] { draw_enemy_c(1, 2, 100, 50); }, "enemy C left 2"},
        {[] { draw_lobbed_shot(2, 100, 50); }, "lobbed shot 2"},
        {[] { draw_explosion(4, 100, 50); }, "explosion 1"},
        {[] { draw_explosion(13, 100, 50); }, "explosion 13"},
        {[] { draw_dying_enemy(3, 100, 50); }, "dying enemy 3"},
        {[] { draw_player(1, 3, 100, 50); }, nullptr},
        {[] { draw_player(0, 1, 100, 50); }, nullptr},
        {[] { draw_enemy_a(3, 1, 100, 50); }, nullptr},
        {[] { draw_enemy_c(1, 0, 100, 50); }, nullptr},
        {[] { draw_lobbed_shot(14, 100, 50); }, nullptr},
        {[] { draw_explosion(0, 100, 50); }, nullptr},
        {[] { draw_explosion(14, 100, 50); }, nullptr},
        {[] { draw_dying_enemy(4, 100, 50); }, nullptr},
    };
    for (const auto& d : draws) {
        SCOPED_TRACE(d.rect ? d.rect : "nothing");
        clear_bitmap(back_buffer);
        d.draw();
        EXPECT_EQ(pixel(100, 50), d.rect ? test_sheet_colour(d.rect) : 0);
        EXPECT_EQ(pixel(99, 50), 0);
        EXPECT_EQ(pixel(100, 49), 0);
    }
    clear_bitmap(back_buffer);
    draw_player(2, 1, 100, 50);  // 20 x 32
    EXPECT_EQ(pixel(119, 81), test_sheet_colour("player left 1"));
    EXPECT_EQ(pixel(120, 50), 0);
    EXPECT_EQ(pixel(100, 82), 0);
}

TEST_F(GameTest, FiguresFarOffTheScreenAndAMissingSheetDrawNothing)
{
    use_test_sheet();
    clear_bitmap(back_buffer);
    draw_player(1, 1, 2147483000, -2147483000);
    draw_explosion(1, -2147483647, 2147483647);
    draw_player(1, 1, -20, 0);   // wholly left of the screen
    draw_player(1, 1, 0, -32);   // wholly above it
    draw_player(1, 1, -19, -31); // one pixel of it shows
    EXPECT_EQ(pixel(0, 0), test_sheet_colour("player right 1"));
    EXPECT_EQ(pixel(1, 0), 0);
    EXPECT_EQ(pixel(0, 1), 0);

    destroy_bitmap(sprite_sheet);
    sprite_sheet = nullptr;
    clear_bitmap(back_buffer);
    draw_player(1, 1, 100, 50);
    EXPECT_EQ(pixel(100, 50), 0);
}
