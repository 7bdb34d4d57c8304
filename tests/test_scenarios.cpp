// Runs the scenario files in tests/scenarios/: key scripts in the replay
// runner's format, with set-up and expected values of the fields the state
// trace names between them. The format is described in tests/scenarios/README.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "base/score.h"
#include "enemies/enemy_groups.h"
#include "enemies/enemy_shots.h"
#include "enemies/enemy_tables.h"
#include "game/hud.h"
#include "game/world_reset.h"
#include "game/world_scan.h"
#include "game_fixture.h"
#include "levels/load_level.h"
#include "pixel_art.h"
#include "state_trace.h"
#include "world/blocks.h"
#include "world/camera.h"
#include "world/sprite_atlas.h"

namespace {

using Args = std::vector<int32_t>;

// Game operations a scenario may call between passes, with their arguments.
struct Operation {
    const char* name;
    size_t arguments;
    void (*run)(const Args&);
};
const Operation OPERATIONS[] = {
    {"visit_block", 2, [](const Args& a) { visit_block(a[0], a[1]); }},
    {"update_drop_marker", 2, [](const Args& a) { update_drop_marker(a[0], a[1]); }},
    {"update_enemy_a", 3, [](const Args& a) { update_enemy_a(a[0], a[1], a[2]); }},
    {"update_enemy_b", 3, [](const Args& a) { update_enemy_b(a[0], a[1], a[2]); }},
    {"update_enemy_c", 3, [](const Args& a) { update_enemy_c(a[0], a[1], a[2]); }},
    {"update_enemy_d", 3, [](const Args& a) { update_enemy_d(a[0], a[1], a[2]); }},
    {"start_explosion", 5,  // group (0 to 3), slot, shot, x, y
     [](const Args& a) {
         start_explosion(ENEMY_GROUPS[a[0] & 3].slots[a[1]].shots[a[2]], a[3], a[4]);
     }},
    {"move_camera", 1, [](const Args& a) { move_camera(a[0]); }},
    {"load_level", 1, [](const Args& a) { load_level(a[0], game.level_grid); }},
    {"reset_world", 0, [](const Args&) { reset_world(); }},
    {"reset_enemies", 0, [](const Args&) { reset_enemies(); }},
    {"add_kill_score", 0, [](const Args&) { add_kill_score(); }},
    {"normalise_score", 0, [](const Args&) { normalise_score(); }},
    {"draw_player", 4, [](const Args& a) { draw_player(a[0], a[1], a[2], a[3]); }},
    {"draw_enemy_a", 4, [](const Args& a) { draw_enemy_a(a[0], a[1], a[2], a[3]); }},
    {"draw_enemy_c", 4, [](const Args& a) { draw_enemy_c(a[0], a[1], a[2], a[3]); }},
    {"draw_lobbed_shot", 3, [](const Args& a) { draw_lobbed_shot(a[0], a[1], a[2]); }},
    {"draw_explosion", 3, [](const Args& a) { draw_explosion(a[0], a[1], a[2]); }},
    {"draw_dying_enemy", 3, [](const Args& a) { draw_dying_enemy(a[0], a[1], a[2]); }},
    {"draw_hud", 0, [](const Args&) { draw_hud(); }},
    {"clear_screen", 0, [](const Args&) { clear_frame(); }},
    {"forget_sounds", 0, [](const Args&) { forget_pass_sounds(); }},
};

const struct {
    const char* name;
    int32_t value;
} NAMED_VALUES[] = {{"EMPTY", TILE_EMPTY},   {"PLAYER", TILE_PLAYER}, {"BLOCK", TILE_BLOCK},
                    {"CURSOR", TILE_CURSOR}, {"DROP", TILE_DROP},     {"TITLE", MODE_TITLE},
                    {"PLAY", MODE_PLAY},     {"EDITOR", MODE_EDITOR}};

// Whether the top line of the frame shows "SCORE: " and the nine digits ("_"
// for a blank place), each character exactly as Allegro's font draws it,
// white on black.
bool shows_score(const std::string& nine)
{
    static const Glyphs glyphs = allegro_font_glyphs();
    const RgbImage frame = frame_image();
    bool same = true;
    const std::string text = "SCORE: " + nine;
    for (size_t i = 0; i < text.size(); ++i) {
        const int x = i < 7 ? int(i) * 8 : 56 + 10 * int(i - 7);
        const size_t c = size_t(text[i] == '_' ? ' ' : text[i]);
        for (int gy = 0; gy < 8; ++gy)
            for (int gx = 0; gx < 8; ++gx) {
                const bool ink = glyphs.rows[c][size_t(gy)] & (0x80 >> gx);
                same = same
                       && frame.pixels[size_t(gy) * size_t(frame.width) + size_t(x + gx)]
                              == (ink ? 0xffffffu : 0u);
            }
    }
    return same;
}

// Reads the next group of words of a statement that takes its arguments in
// groups ("put ROW COLUMN CODE..."): false at the statement's end. A group
// cut short is refused, so that a typo cannot drop a check silently.
bool next_group(std::istringstream& words, std::initializer_list<std::string*> group)
{
    size_t read = 0;
    for (std::string* word : group)
        read += bool(words >> *word);
    if (read % group.size())
        ADD_FAILURE() << "a statement ends inside a group of " << group.size() << " words";
    return read == group.size();
}

// Whether the frame shows the test sheet's rectangle with its top-left
// corner at (x, y), all of it and no more to its right and below.
bool shows_sprite(int x, int y, const SheetRect& r)
{
    const RgbImage frame = frame_image(), &sheet = test_sheet();
    const auto at = [](const RgbImage& image, int px, int py) {
        return px < 0 || py < 0 || px >= image.width || py >= image.height
                   ? ~0u
                   : image.pixels[size_t(py * image.width + px)];
    };
    bool same = at(frame, x + r.width, y) != at(sheet, r.x + r.width - 1, r.y)
                && at(frame, x, y + r.height) != at(sheet, r.x, r.y + r.height - 1);
    for (int dy = 0; dy < r.height; ++dy)
        for (int dx = 0; dx < r.width; ++dx)
            same = same
                   && (at(frame, x + dx, y + dy) == ~0u
                       || at(frame, x + dx, y + dy) == at(sheet, r.x + dx, r.y + dy));
    return same;
}

class ScenarioRun : public GameTest {
public:
    void TestBody() override {}
    void run_file(const std::string& path);

private:
    void line(std::istringstream& words, const std::string& first, const std::string& text);
    int32_t value(const std::string& word);
    int32_t* field(const std::string& name);
    void expect(std::istringstream& words);
    // Start-up in a mode; the files read at the first start are used again
    // unless a test sheet has replaced them.
    void restart(int32_t mode)
    {
        restart_headless_game(mode, !sheet_used);
        sheet_used = false;
        passes_run = 0;
    }
    int64_t passes_run = 0;
    bool sheet_used = true;
};

int32_t ScenarioRun::value(const std::string& word)
{
    for (const auto& named : NAMED_VALUES)
        if (word == named.name)
            return named.value;
    char* end = nullptr;
    const long long parsed = std::strtoll(word.c_str(), &end, 0);
    if (word.empty() || *end)
        ADD_FAILURE() << "not a number: '" << word << "'";
    return int32_t(parsed);
}

int32_t* ScenarioRun::field(const std::string& name)
{
    int32_t* found = find_state_field(name.c_str());
    static int32_t nowhere;
    if (!found)
        ADD_FAILURE() << "no field named " << name;
    return found ? found : &nowhere;
}

// expect FIELD [!=] VALUE | FIELD VALUE... | cell ROW COLUMN VALUE... | pixel X Y [!=] RECT
// NAME|black | sprite X Y RECT NAME | hud DIGITS | sounds NAME...
void ScenarioRun::expect(std::istringstream& words)
{
    std::string what;
    words >> what;
    std::string a, b, c;
    if (what == "cell") {
        while (next_group(words, {&a, &b, &c}))
            EXPECT_EQ(grid_value(value(a), value(b)), value(c))
                << "cell (" << a << ", " << b << ")";
    } else if (what == "pixel" || what == "sprite") {
        int x = 0, y = 0;
        std::string name;
        if (!(words >> x >> y >> std::ws))
            ADD_FAILURE() << "expect " << what << ": no place";
        const bool differs = words.peek() == '!' && words.get() && words.get();
        std::getline(words >> std::ws, name);
        name.erase(name.find_last_not_of(' ') + 1);
        if (what == "sprite") {
            const SheetRect* r = sheet_rect(name);
            EXPECT_TRUE(r && !differs && shows_sprite(x, y, *r))
                << name << " not at " << x << ", " << y;
            return;
        }
        const int want = name == "black" ? 0 : test_sheet_colour(name.c_str());
        if (differs)
            EXPECT_NE(pixel(x, y), want) << "pixel (" << x << ", " << y << ") is " << name;
        else
            EXPECT_EQ(pixel(x, y), want) << "pixel (" << x << ", " << y << ") is not " << name;
    } else if (what == "hud") {  // the nine digits shown, "_" for a place left blank
        std::string nine;
        words >> nine;
        EXPECT_TRUE(shows_score(nine)) << "the HUD does not show " << nine;
    } else if (what == "sounds") {
        std::string heard, name;
        for (int i = 0; i < pass_sound_count(); ++i)
            heard += std::string(i ? " " : "") + sound_name(pass_sound(i));
        std::getline(words >> std::ws, name);
        name.erase(name.find_last_not_of(' ') + 1);
        EXPECT_EQ(heard, name);
    } else {  // FIELD [!=] VALUE, or FIELD VALUE pairs as set takes them
        std::string want;
        words >> want;
        if (want == "!=" && words >> want) {
            EXPECT_NE(*field(what), value(want)) << what;
            return;
        }
        do
            EXPECT_EQ(*field(what), value(want)) << what;
        while (next_group(words, {&what, &want}));
    }
}

void ScenarioRun::line(std::istringstream& words, const std::string& first, const std::string& text)
{
    if (first == "start") {
        std::string mode;
        int32_t level = 2;
        words >> mode >> level;
        restart(mode == "editor" ? MODE_EDITOR : MODE_TITLE);
        if (mode == "play")
            start_play(level);
        if (mode == "scene") {  // play on an empty level holding only the player's marker
            start_play();
            clear_grid();
            put(11, 16, TILE_PLAYER);
        }
    } else if (first == "clear") {
        clear_grid();
    } else if (first == "sheet") {
        use_test_sheet();
        sheet_used = true;
    } else if (first == "put") {
        std::string row, column, code;
        while (next_group(words, {&row, &column, &code}))
            put(value(row), value(column), value(code));
    } else if (first == "set") {
        std::string name, to;
        while (next_group(words, {&name, &to}))
            *field(name) = value(to);
    } else if (first == "hold") {
        KeyScript script;
        std::string error, keys;
        std::getline(words >> std::ws, keys);
        ASSERT_TRUE(parse_key_script(keys, script, error)) << error;
        hold_script_keys(script.runs.empty() ? 0 : script.runs[0].keys);
    } else if (first == "call") {
        std::string name, word;
        Args args;
        int times = 1;
        words >> name;
        while (words >> word)
            word[0] == '*' ? void(times = int(value(word.substr(1)))) : args.push_back(value(word));
        for (const Operation& operation : OPERATIONS)
            if (name == operation.name) {
                ASSERT_EQ(args.size(), operation.arguments) << name;
                for (int i = 0; i < times; ++i)
                    operation.run(args);
                return;
            }
        ADD_FAILURE() << "no operation " << name;
    } else if (first == "expect") {
        expect(words);
    } else {
        KeyScript script;
        std::string error;
        ASSERT_TRUE(parse_key_script(text, script, error)) << error;
        for (const ScriptRun& run : script.runs)
            for (int64_t i = 0; i < run.passes; ++i, ++passes_run)
                pass(run.keys);
        words.str("");
    }
}

void ScenarioRun::run_file(const std::string& path)
{
    std::string text = read_file(path), case_name = "(before the first case)";
    std::istringstream lines(text);
    int number = 0;
    for (std::string line_text; std::getline(lines, line_text);) {
        ++number;
        if (line_text.rfind("== ", 0) == 0) {
            case_name = line_text.substr(3);
            restart(MODE_TITLE);
            continue;
        }
        std::istringstream statements(line_text.substr(0, line_text.find('#')));
        for (std::string code; std::getline(statements, code, ';');) {
            std::istringstream words(code);
            std::string first;
            if (!(words >> first))
                continue;
            SCOPED_TRACE(path + ":" + std::to_string(number) + " (" + case_name + ", after pass "
                         + std::to_string(passes_run) + ")");
            line(words, first, code);
            if (std::string rest; words >> rest)
                ADD_FAILURE() << "left over in '" << code << "': " << rest;
            if (testing::Test::HasFatalFailure())
                return;
        }
    }
}

class Scenario : public testing::TestWithParam<std::string> {};

TEST_P(Scenario, HoldsItsExpectations)
{
    ScenarioRun run;
    run.SetUp();
    run.run_file(std::string(TARNBLAST_SOURCE_DIR) + "/tests/scenarios/" + GetParam());
}

std::vector<std::string> scenario_files()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(TARNBLAST_SOURCE_DIR)
                                                                 + "/tests/scenarios"))
        if (entry.path().extension() == ".txt")
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Files, Scenario, testing::ValuesIn(scenario_files()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             return info.param.substr(0, info.param.size() - 4);
                         });

}  // namespace
