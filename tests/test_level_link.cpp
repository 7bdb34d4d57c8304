// Levels as links: every level comes back byte for byte as the export it was
// made from, a link damaged on its way is refused with one line and the game
// goes on, and the level tool's link, unlink and gallery work on them.
#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <regex>
#include <sstream>

#include "base/platform.h"
#include "game_fixture.h"
#include "levels/level_export.h"
#include "levels/level_link.h"
#include "levels/level_pack.h"
#include "levels/level_tables.h"
#include "levels/load_level.h"
#include "levels_tool.h"
#include "program/level_changes.h"

namespace fs = std::filesystem;

namespace {

class LevelLinkTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        dir = scratch_folder("tarnblast-link");
    }
    void TearDown() override { close_level_pack(); }

    int tool(const std::vector<std::string>& args)
    {
        out.str("");
        err.str("");
        return run_levels_tool(args, out, err);
    }

    // The payload of a link: what follows "#level=".
    static std::string payload(const std::string& link)
    {
        return link.substr(link.find('#') + std::string(LEVEL_LINK_PLAY).size());
    }

    // A packed form made by hand: the bytes, then their CRC-32 (zlib's).
    static std::string link_of_packed(std::vector<uint8_t> bytes)
    {
        const uLong check = crc32(0, bytes.data(), uInt(bytes.size()));
        for (int i = 0; i < 4; ++i)
            bytes.push_back(uint8_t(check >> (8 * i)));
        std::vector<uint8_t> deflated;
        EXPECT_TRUE(deflate_bytes(bytes.data(), bytes.size(), deflated));
        return LEVEL_LINK_PLAY + base64url_text(deflated.data(), deflated.size());
    }

    std::string refusal(const std::string& link)
    {
        std::string text, error;
        bool edit = false;
        EXPECT_FALSE(level_link_export(link, text, edit, error)) << link;
        return error;
    }

    std::string dir;
    std::ostringstream out, err;
};

}  // namespace

// Every built-in level, and grids of any 32-bit values at any density, come
// back from their links as the export they were made from; the built-in
// levels' links stay short enough to send in a message.
TEST_F(LevelLinkTest, EveryLevelComesBackFromItsLinkByteForByte)
{
    for (int n = 1; n <= LEVEL_COUNT; ++n) {
        const std::string file = dir + "/level" + std::to_string(n) + ".txt";
        const std::string back = dir + "/back" + std::to_string(n) + ".txt";
        ASSERT_EQ(tool({"export", std::to_string(n), file}), 0);
        ASSERT_EQ(tool({"link", file}), 0) << err.str();
        const std::string link = out.str().substr(0, out.str().size() - 1);
        EXPECT_EQ(link.rfind(std::string(LEVEL_LINK_PAGE) + LEVEL_LINK_PLAY, 0), 0u);
        EXPECT_LE(link.size() - std::string(LEVEL_LINK_PAGE).size(), 700u) << "level " << n;
        ASSERT_EQ(tool({"unlink", link, back}), 0) << err.str();
        EXPECT_EQ(read_file(back), read_file(file)) << "level " << n;
    }
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        LevelGrid grid = empty_level_grid();
        const uint32_t density = 1u << (round % 8);  // 1 in 1 ... 1 in 128 cells
        for (int32_t row = 1; row < GRID_ROWS; ++row)
            for (int32_t column = 0; column < GRID_COLUMNS - 1; ++column)
                if (export_holds_cell(row, column) && random() % density == 0)
                    grid[size_t(row * GRID_COLUMNS + column)] =
                        round % 3 == 0 ? int32_t(random()) : int32_t(random() % 2100) - 50;
        std::string link, text, error;
        bool edit = false;
        ASSERT_TRUE(make_level_link(grid.data(), "", round % 2 == 1, link));
        ASSERT_TRUE(level_link_export(link, text, edit, error)) << error;
        EXPECT_EQ(edit, round % 2 == 1);
        EXPECT_EQ(text, export_of(grid.data())) << "round " << round;
    }
}

// One character changed anywhere, a link cut anywhere, characters no link
// holds, a stream that would unpack past the largest level, a form of
// another version and packed cells that do not cover the level exactly are
// all refused: never played as some other level.
TEST_F(LevelLinkTest, DamagedCutAndHostileLinksAreRefused)
{
    ASSERT_EQ(tool({"link", "3"}), 0);
    const std::string good = payload(out.str().substr(0, out.str().size() - 1));
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    for (size_t at = 0; at < good.size(); ++at) {
        std::string changed = good;
        changed[at] = alphabet[(alphabet.find(good[at]) + 1 + at % 63) % 64];
        refusal(LEVEL_LINK_PLAY + changed);
        refusal(LEVEL_LINK_PLAY + good.substr(0, at));
    }
    for (const char* bad : {"+", "/", "=", "%2B", " ", "."})
        EXPECT_NE(refusal(LEVEL_LINK_PLAY + good + bad), "");
    EXPECT_NE(refusal("http://127.0.0.1:8000/#lvl=" + good), "");

    std::vector<uint8_t> zeros(LEVEL_LINK_MAX_PACKED + 1, 0), bomb;
    ASSERT_TRUE(deflate_bytes(zeros.data(), zeros.size(), bomb));
    EXPECT_NE(refusal(LEVEL_LINK_PLAY + base64url_text(bomb.data(), bomb.size()))
                  .find("cannot be unpacked"),
              std::string::npos);

    // Hand-made forms with a sound check: the empty level is 1, then the
    // number of empty cells in base 128 (10239 = 0xFF 0x4F), nothing after.
    EXPECT_NE(refusal(link_of_packed({2, 0xff, 0x4f})).find("another version"), std::string::npos);
    for (const std::vector<uint8_t>& cut : std::vector<std::vector<uint8_t>>{
             {1, 0xfe, 0x4f},                                   // one cell short
             {1, 0x80, 0x50},                                   // one cell too many
             {1, 0xff, 0x4f, 0},                                // a byte after the last run
             {1, 0, 0, 0xfe, 0x4f},                             // a value of 0 is never written
             {1, 0, 0xff, 0xff, 0xff, 0xff, 0x1f, 0xfe, 0x4f},  // past 32 bits
             {1, 0, 0x84}})                                     // cut inside a number
        EXPECT_NE(refusal(link_of_packed(cut)).find("whole level"), std::string::npos);
    std::string text, error;
    bool edit = false;
    ASSERT_TRUE(level_link_export(link_of_packed({1, 0xff, 0x4f}), text, edit, error)) << error;
    EXPECT_EQ(text, export_of(empty_level_grid().data()));
}

// A link's level is read with the level reader's rules, through the game's
// own opening of a level (TARNBLAST_LEVEL, the runner's --level): a bad cell
// is refused with its line, the game keeps its built-in levels; a sound one
// opens in the editor, whose export gives back the file it was linked from,
// and a recording names the link.
TEST_F(LevelLinkTest, TheGameOpensALinkAsItsFileAndRefusesABadOne)
{
    LevelGrid grid = builtin_level_grid(2);
    grid[size_t(3 * GRID_COLUMNS + 16)] = 77777;
    std::string link, message;
    ASSERT_TRUE(make_level_link(grid.data(), LEVEL_LINK_PAGE, false, link));
    EXPECT_FALSE(open_level_pack(link.c_str(), MODE_TITLE, message));
    EXPECT_EQ(message.rfind("cannot use the level link: line 3, field 17 (row 3, column 16)", 0),
              0u)
        << message;
    EXPECT_FALSE(level_pack_open());

    grid = builtin_level_grid(4);
    ASSERT_TRUE(make_level_link(grid.data(), LEVEL_LINK_PAGE, true, link));
    ASSERT_TRUE(open_level_pack(link.c_str(), MODE_EDITOR, message)) << message;
    EXPECT_STREQ(level_pack_path(), "");
    EXPECT_EQ(level_pack_link(), link);
    const std::string exported = dir + "/edited.txt";
    setenv("TARNBLAST_EXPORT_PATH", exported.c_str(), 1);
    restart_headless_game(MODE_EDITOR, true);
    pass(SCRIPT_RSHIFT);
    unsetenv("TARNBLAST_EXPORT_PATH");
    EXPECT_EQ(read_file(exported), export_of(grid.data()));
}

// The page inflates a link itself (one it could not inflate is refused as
// cut), checks the open level again when it switches mode, and asks the game
// whether the level being edited holds changes not kept, in a play-test too.
TEST_F(LevelLinkTest, ThePageOpensInflatedLinksSwitchesModesAndKnowsChangesNotKept)
{
    LevelGrid grid = builtin_level_grid(1);
    std::replace(grid.begin(), grid.end(), TILE_PLAYER, TILE_EMPTY);  // to edit, not to play
    const std::vector<uint8_t> packed = pack_level_cells(grid.data());
    std::string link, message;
    ASSERT_TRUE(make_level_link(grid.data(), LEVEL_LINK_PAGE, true, link));
    EXPECT_FALSE(open_inflated_level_link(link, nullptr, 0, MODE_EDITOR, message));
    EXPECT_NE(message.find(LEVEL_LINK_NOT_UNPACKED), std::string::npos) << message;
    EXPECT_FALSE(level_pack_open());
    ASSERT_TRUE(open_inflated_level_link(link, packed.data(), packed.size(), MODE_EDITOR, message));
    EXPECT_EQ(level_pack_link(), link);
    EXPECT_TRUE(reopen_level_pack(MODE_EDITOR, message));
    EXPECT_FALSE(reopen_level_pack(MODE_TITLE, message));
    EXPECT_EQ(message.rfind("cannot use the level link: ", 0), 0u) << message;

    restart_headless_game(MODE_EDITOR, true);
    keep_level_cells();
    const bool kept = level_cells_changed();
    put(5, 40, TILE_BLOCK);
    const bool placed = level_cells_changed();
    keep_level_cells();
    restart_headless_game(MODE_TITLE, true);
    const bool play_test = level_cells_changed();  // the open level lacks the block
    keep_level_cells();
    close_level_pack();
    EXPECT_EQ(std::vector<bool>({kept, placed, play_test, level_cells_changed()}),
              std::vector<bool>({false, true, true, true}));

    write_file(dir + "/a.txt", export_of(builtin_level_grid(2).data()));
    ASSERT_TRUE(open_level_pack(dir.c_str(), MODE_TITLE, message)) << message;
    EXPECT_FALSE(reopen_level_pack(MODE_EDITOR, message));
    EXPECT_NE(message.find("cannot edit the level folder"), std::string::npos) << message;
}

// The tool refuses what is no link or cannot be written with one line; the
// gallery shows each level of a folder with its map and verdict, and every
// link on it opens the level it names. The search's time is a ceiling a
// slow (sanitized) build must not reach: the open floor of level 1 is
// crossed in a few seconds.
TEST_F(LevelLinkTest, ToolLinksUnlinksAndMakesAGalleryWhoseLinksOpenTheirLevels)
{
    EXPECT_EQ(tool({"link"}), 2);
    EXPECT_EQ(tool({"link", "2", "--page", "http://x/#y"}), 2);
    EXPECT_EQ(tool({"unlink", "#level=AAAA", dir + "/x.txt"}), 2);
    EXPECT_EQ(err.str().find('\n'), err.str().size() - 1) << err.str();
    ASSERT_EQ(tool({"link", "1", "--page", "https://example.org/tb/"}), 0);
    const std::string link1 = out.str().substr(0, out.str().size() - 1);
    EXPECT_EQ(tool({"unlink", link1, dir + "/no/such/folder/x.txt"}), 1);

    const std::string levels = dir + "/levels", page = dir + "/gallery";
    fs::create_directories(levels);
    ASSERT_EQ(tool({"export", "1", levels + "/a-floor.txt"}), 0);
    write_file(levels + "/b-broken.txt", "not a level\r\n");
    ASSERT_EQ(tool({"gallery", levels, page, "--seconds", "600", "--page", "https://example.org/"}),
              0)
        << err.str();
    const std::string html = read_file(page + "/index.html");
    EXPECT_NE(html.find("a-floor.txt"), std::string::npos);
    EXPECT_NE(html.find("can be finished"), std::string::npos);
    EXPECT_NE(html.find("b-broken.txt</h2>\n<p class=\"bad\">"), std::string::npos);
    EXPECT_EQ(read_file(page + "/level-01.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
    const std::regex href(
        "href=\"https://example.org/#(level|edit)=([^\"&]*)(&amp;watch=([^\"]*))?\"");
    int links = 0, watched = 0;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), href);
         it != std::sregex_iterator(); ++it, ++links) {
        std::string text, error;
        bool edit = false;
        ASSERT_TRUE(level_link_export("#level=" + (*it)[2].str(), text, edit, error)) << error;
        EXPECT_EQ(text, read_file(levels + "/a-floor.txt"));
        if ((*it)[4].matched) {
            std::vector<uint8_t> deflated, script;
            ASSERT_TRUE(base64url_bytes((*it)[4].str(), deflated));
            ASSERT_TRUE(inflate_bytes(deflated.data(), deflated.size(), 1 << 20, script));
            KeyScript keys;
            EXPECT_TRUE(parse_key_script(std::string(script.begin(), script.end()), keys, error));
            EXPECT_GT(keys.total_passes, 400);
            ++watched;
        }
    }
    EXPECT_EQ(links, 3);  // Play, Edit and Watch of the one sound level
    EXPECT_EQ(watched, 1);
}
