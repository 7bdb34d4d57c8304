// Loading the five asset files: missing or damaged files are named on stderr
// and the game runs on without them; drawing from a missing sheet or playing
// a missing sample does nothing.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "game_fixture.h"
#include "world/sprite_atlas.h"

namespace {

std::vector<char> file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

void write_file(const std::string& path, const std::vector<char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

void put_le32(std::vector<char>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char(value >> (8 * i));
}

// Runs the game's start-up in a scratch folder whose data/ holds copies of
// the real files, one of them replaced, and returns what stderr said.
class DamagedAssetTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        char folder[] = "/tmp/tarnblast-assets-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        scratch_ = folder;
        ASSERT_EQ(mkdir((scratch_ + "/data").c_str(), 0755), 0);
        for (const char* name : {"main.bmp", "main2.bmp", "sgun.wav", "blowup.wav", "gmsong.wav"})
            write_file(scratch_ + "/data/" + name, file_bytes(std::string("data/") + name));
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        home_ = here;
    }

    void TearDown() override
    {
        ASSERT_EQ(chdir(home_.c_str()), 0);
        std::system(("rm -rf " + scratch_).c_str());
        restart_headless_game(MODE_TITLE);
    }

    std::string start_up_with(const char* name, const std::vector<char>* replacement)
    {
        const std::string path = scratch_ + "/data/" + name;
        if (replacement)
            write_file(path, *replacement);
        else
            std::remove(path.c_str());
        EXPECT_EQ(chdir(scratch_.c_str()), 0);
        testing::internal::CaptureStderr();
        restart_headless_game(MODE_TITLE);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(chdir(home_.c_str()), 0);
        return said;
    }

    std::string scratch_, home_;
};

}  // namespace

TEST_F(DamagedAssetTest, EachMissingFileIsNamedOnceAndLeavesOnlyItsHandleEmpty)
{
    struct Case {
        const char* name;
        void** handle;
    };
    const Case cases[] = {
        {"main.bmp", reinterpret_cast<void**>(&sprite_sheet)},
        {"main2.bmp", reinterpret_cast<void**>(&title_sheet)},
        {"sgun.wav", reinterpret_cast<void**>(&shot_sound)},
        {"blowup.wav", reinterpret_cast<void**>(&blast_sound)},
        {"gmsong.wav", reinterpret_cast<void**>(&music)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<char> original = file_bytes(scratch_ + "/data/" + c.name);
        const std::string said = start_up_with(c.name, nullptr);
        EXPECT_EQ(said, std::string("tarnblast: cannot load data/") + c.name
                            + ": missing or unreadable\n");
        EXPECT_EQ(*c.handle, nullptr);
        const int loaded = (sprite_sheet != nullptr) + (title_sheet != nullptr)
                           + (shot_sound != nullptr) + (blast_sound != nullptr) + (music != nullptr);
        EXPECT_EQ(loaded, 4);
        write_file(scratch_ + "/data/" + c.name, original);
    }
}

TEST_F(DamagedAssetTest, DamagedImagesAreRefusedBeforeTheLoaderSeesThem)
{
    const std::vector<char> good = file_bytes(scratch_ + "/data/main.bmp");
    ASSERT_GT(good.size(), 1000u);
    std::vector<std::pair<std::string, std::vector<char>>> damaged = {
        {"empty file", {}},
        {"truncated header", std::vector<char>(good.begin(), good.begin() + 30)},
        {"truncated pixel data", std::vector<char>(good.begin(), good.begin() + 54)},
        {"truncated pixel data", std::vector<char>(good.begin(), good.end() - 1)},
        {"not a BMP image", file_bytes(scratch_ + "/data/sgun.wav")},
    };
    std::vector<char> huge = good;
    put_le32(huge, 18, 1000000);  // width
    damaged.push_back({"image dimensions out of range", huge});
    huge = good;
    put_le32(huge, 22, 0x80000000u);  // height at the far negative end
    damaged.push_back({"image dimensions out of range", huge});
    std::vector<char> odd_depth = good;
    odd_depth[28] = 7;
    damaged.push_back({"unsupported bits per pixel", odd_depth});
    for (const auto& [reason, bytes] : damaged) {
        SCOPED_TRACE(reason);
        const std::string said = start_up_with("main.bmp", &bytes);
        EXPECT_EQ(said, "tarnblast: cannot load data/main.bmp: " + reason + "\n");
        EXPECT_EQ(sprite_sheet, nullptr);
        pass();  // the game runs on and draws nothing from the missing sheet
        start_play();
        passes(3, SCRIPT_RIGHT | SCRIPT_SPACE);
    }
}

TEST_F(DamagedAssetTest, DamagedSamplesAreRefusedAndPlayingThemDoesNothing)
{
    const std::vector<char> good = file_bytes(scratch_ + "/data/sgun.wav");
    ASSERT_GT(good.size(), 100u);
    std::vector<char> huge_data = good;
    std::vector<char> float_format = good;
    float_format[20] = 3;  // format tag: IEEE float
    std::vector<char> wide = good;
    wide[34] = 24;
    const std::vector<std::pair<std::string, std::vector<char>>> damaged = {
        {"empty file", {}},
        {"truncated header", std::vector<char>(good.begin(), good.begin() + 8)},
        {"truncated chunk", std::vector<char>(good.begin(), good.end() - 2)},
        {"not plain PCM", float_format},
        {"unsupported sample size", wide},
        {"not a WAV sample", file_bytes(scratch_ + "/data/main.bmp")},
    };
    for (const auto& [reason, bytes] : damaged) {
        SCOPED_TRACE(reason);
        const std::string said = start_up_with("sgun.wav", &bytes);
        EXPECT_EQ(said, "tarnblast: cannot load data/sgun.wav: " + reason + "\n");
        EXPECT_EQ(shot_sound, nullptr);
        start_play();
        set_sound_output(true);  // even a real player of samples skips the missing one
        pass(SCRIPT_SPACE);
        pass(SCRIPT_SPACE);
        set_sound_output(false);
        EXPECT_EQ(pass_sound_count(), 1);
    }
}

TEST_F(GameTest, AssetsLoadAndTheMusicStartsOnlyOutsideTheEditor)
{
    EXPECT_NE(sprite_sheet, nullptr);
    EXPECT_NE(title_sheet, nullptr);
    EXPECT_NE(shot_sound, nullptr);
    EXPECT_NE(blast_sound, nullptr);
    EXPECT_NE(music, nullptr);
    ASSERT_EQ(pass_sound_count(), 1);
    EXPECT_EQ(pass_sound(0), SOUND_MUSIC);
    EXPECT_EQ(bitmap_color_depth(sprite_sheet), 32);

    restart_headless_game(MODE_EDITOR);
    EXPECT_EQ(title_sheet, nullptr) << "the editor never shows the title";
    EXPECT_EQ(pass_sound_count(), 0) << "no music in the editor";

    restart_headless_game(MODE_TITLE);
    start_play();
    for (int i = 0; i < 5; ++i)
        pass(SCRIPT_RIGHT);
    advance_level();
    pass();
    EXPECT_EQ(pass_sound_count(), 0) << "a new level does not restart the music";
}

// The sprite routines pick their rectangle from their selectors and draw
// nothing for values they do not know.
TEST_F(GameTest, SpriteRoutinesDrawTheirAtlasRectangles)
{
    use_test_sheet();
    struct Draw {
        void (*draw)();
        const char* rect;
    };
    const Draw draws[] = {
        {[] { draw_player(1, 1, 100, 50); }, "player right 1"},
        {[] { draw_player(1, 2, 100, 50); }, "player right 2"},
        {[] { draw_player(2, 1, 100, 50); }, "player left 1"},
        {[] { draw_player(2, 2, 100, 50); }, "player left 2"},
        {[] { draw_enemy_a(1, 1, 100, 50); }, "enemy A left 1"},
        {[] { draw_enemy_a(2, 2, 100, 50); }, "enemy A right 2"},
        {[] { draw_enemy_c(1, 2, 100, 50); }, "enemy C left 2"},
        {[] { draw_enemy_c(2, 1, 100, 50); }, "enemy C right 1"},
        {[] { draw_lobbed_shot(1, 100, 50); }, "lobbed shot 1"},
        {[] { draw_lobbed_shot(2, 100, 50); }, "lobbed shot 2"},
        {[] { draw_explosion(1, 100, 50); }, "explosion 1"},
        {[] { draw_explosion(3, 100, 50); }, "explosion 3"},
        {[] { draw_explosion(4, 100, 50); }, "explosion 1"},
        {[] { draw_explosion(13, 100, 50); }, "explosion 13"},
        {[] { draw_dying_enemy(3, 100, 50); }, "dying enemy 3"},
    };
    for (const Draw& d : draws) {
        SCOPED_TRACE(d.rect);
        clear_bitmap(back_buffer);
        d.draw();
        EXPECT_EQ(pixel(100, 50), test_sheet_colour(d.rect));
        EXPECT_EQ(pixel(99, 50), 0);
        EXPECT_EQ(pixel(100, 49), 0);
    }
    const int wide = 20;
    clear_bitmap(back_buffer);
    draw_player(2, 1, 100, 50);
    EXPECT_EQ(pixel(100 + wide - 1, 50 + 31), test_sheet_colour("player left 1"));
    EXPECT_EQ(pixel(100 + wide, 50), 0);
    EXPECT_EQ(pixel(100, 50 + 32), 0);

    void (*nothing[])() = {
        [] { draw_player(1, 3, 100, 50); },   [] { draw_player(0, 1, 100, 50); },
        [] { draw_enemy_a(3, 1, 100, 50); },  [] { draw_enemy_c(1, 0, 100, 50); },
        [] { draw_lobbed_shot(14, 100, 50); }, [] { draw_explosion(14, 100, 50); },
        [] { draw_explosion(0, 100, 50); },   [] { draw_dying_enemy(4, 100, 50); },
    };
    for (auto draw : nothing) {
        clear_bitmap(back_buffer);
        draw();
        EXPECT_EQ(pixel(100, 50), 0);
    }
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
