// Loading the five asset files: missing or damaged files are named on stderr
// and the game runs on without them; drawing from a missing sheet or playing
// a missing sample does nothing.
#include <cstdio>
#include <filesystem>
#include <string>

#include "game_fixture.h"

namespace {

// A copy of bytes with the little-endian value of size bytes put at offset at.
std::string patched(std::string bytes, size_t at, uint32_t value, int size = 4)
{
    for (int i = 0; i < size; ++i)
        bytes.at(at + size_t(i)) = char(value >> (8 * i));
    return bytes;
}

// The file names under data/, in the game's own order.
const char* asset_name(int id)
{
    return ASSET_FILES[id].path + 5;
}

// Runs the game's start-up in a scratch folder whose data/ holds copies of
// the real files, one of them replaced or removed, and returns what stderr said.
class DamagedAssetTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        std::filesystem::create_directory(scratch_ + "/data");
        for (const AssetFile& asset : ASSET_FILES)
            write_file(data(asset_name(asset.id)), read_file(asset.path));
    }
    void TearDown() override { restart_headless_game(MODE_TITLE); }

    std::string data(const char* name) const { return scratch_ + "/data/" + name; }

    std::string start_up_with(const char* name, const std::string* replacement)
    {
        const std::string original = read_file(data(name));
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
    for (const AssetFile& asset : ASSET_FILES) {
        const char* name = asset_name(asset.id);
        SCOPED_TRACE(name);
        const std::string said = start_up_with(name, nullptr);
        EXPECT_NE(said.find(std::string("data/") + name), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
        for (const AssetFile& file : ASSET_FILES)
            EXPECT_EQ(!asset_loaded(file.id), file.id == asset.id) << file.path;
    }
}

// Each damaged file is told with its reason and kept from Allegro's loader;
// the game runs on without it, drawing from a missing sheet and firing the
// gun without its sample.
TEST_F(DamagedAssetTest, DamagedFilesAreRefusedBeforeTheLoaderSeesThem)
{
    const std::string bmp = read_file(data("main.bmp")), wav = read_file(data("sgun.wav"));
    ASSERT_GT(bmp.size(), 1000u);
    ASSERT_GT(wav.size(), 100u);
    // clang-format off
    const struct { const char* name; std::string bytes; const char* reason; } cases[] = {
        {"main.bmp", {}, "empty file"},
        {"main.bmp", bmp.substr(0, bmp.size() - 1), "truncated pixel data"},
        {"main.bmp", wav, "not a BMP image"},
        {"main.bmp", patched(bmp, 18, 1000000), "image dimensions out of range"},
        {"sgun.wav", {}, "empty file"},
        {"sgun.wav", patched(wav, 20, 3, 2), "not plain PCM"},  // IEEE float
        {"sgun.wav", patched(wav, 34, 24, 2), "unsupported sample size"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ": " + c.reason);
        const std::string said = start_up_with(c.name, &c.bytes);
        EXPECT_NE(said.find(std::string("data/") + c.name + ": " + c.reason), std::string::npos)
            << said;
        EXPECT_FALSE(asset_loaded(c.name[0] == 'm' ? ASSET_SPRITE_SHEET : ASSET_SHOT));
        pass();
        start_play();
        set_sound_output(true);  // a sample played from a missing file would crash here
        passes(2, SCRIPT_RIGHT | SCRIPT_SPACE);
        set_sound_output(false);
    }
}

// Their sounds: see scenarios/world.txt.
TEST_F(GameTest, AssetsLoadAndTheEditorNeverLoadsTheTitle)
{
    for (const AssetFile& file : ASSET_FILES)
        EXPECT_TRUE(asset_loaded(file.id)) << file.path;
    restart_headless_game(MODE_EDITOR);
    EXPECT_FALSE(asset_loaded(ASSET_TITLE_SHEET));
}

// A file the platform holds already is not read again (a browser's page makes
// its samples itself): in a folder with no data/, the sheets held are kept and
// not asked for, while the samples are.
TEST_F(GameTest, FilesThePlatformHoldsAreNotReadAgain)
{
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(scratch_folder("tarnblast-held"));
    release_assets();
    use_test_sheet();
    testing::internal::CaptureStderr();
    load_assets();
    const std::string said = testing::internal::GetCapturedStderr();
    std::filesystem::current_path(home);
    EXPECT_TRUE(said.find(".bmp") == std::string::npos
                && said.find("data/sgun.wav") != std::string::npos)
        << said;
}
