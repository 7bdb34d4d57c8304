// The player's controls: own keys (TARNBLAST_KEYS), a pad's state as held
// keys and its buttons (TARNBLAST_PAD), pause and mute.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "game_fixture.h"
#include "program/gamepad.h"
#include "program/key_bindings.h"
#include "program/key_help.h"
#include "program/key_script.h"
#include "program/program.h"

constexpr auto letter = [](char c) { return PhysicalKey(PKEY_A + (c - 'a')); };

// Each list starts from bindings that already put left on A: a list that is
// taken replaces them whole, a refused one leaves them as they were.
TEST(KeyBindings, ListsMapHeldKeysToTheGamesKeysOrAreRefused)
{
    // want: the controls held, or -1: refused with `said` in the reason
    // clang-format off
    const struct {
        const char* list; std::initializer_list<PhysicalKey> held; int want; const char* said;
    } cases[] = {
        {"", {PKEY_LEFT, PKEY_SPACE, PKEY_ESC, letter('p'), letter('m'), letter('a')},
         SCRIPT_LEFT | SCRIPT_SPACE | SCRIPT_ESC | CONTROL_PAUSE_BIT | CONTROL_MUTE_BIT, ""},
        {"left=a,right=d,jump=w,fire=ctrl", {letter('a'), letter('w'), PKEY_RCTRL},
         SCRIPT_LEFT | SCRIPT_UP | SCRIPT_SPACE, ""},
        {"left=a,right=d,jump=w,fire=ctrl", {PKEY_LEFT, PKEY_RIGHT, PKEY_UP, PKEY_SPACE}, 0, ""},
        {"FIRE=LCtrl,jump=space", {PKEY_RCTRL, PKEY_SPACE, letter('a')}, SCRIPT_UP, ""},
        {"pause=f12,mute=pad0,export=enter,place=tab,start=period",
         {PKEY_F12, PKEY_PAD0, PKEY_PERIOD}, CONTROL_PAUSE_BIT | CONTROL_MUTE_BIT | SCRIPT_S, ""},
        {"leftt=a", {}, -1, "the actions are left, right, jump, down, fire, start, place, export"},
        {"lef=a", {}, -1, "unknown action \"lef\""},
        {"left=spac", {}, -1, "unknown key \"spac\" for left"},
        {"left=aa", {}, -1, "unknown key \"aa\" for left; the keys are a-z, 0-9, f1-f12"},
        {"pause=f01", {}, -1, "unknown key \"f01\""},
        {"left", {}, -1, "has no key"},
        {"left=a,", {}, -1, "an empty entry"},
        {"left=b,left=c", {}, -1, "left is given twice"},
        {"left=right", {}, -1, "left and right would share one key"},
        {"fire=esc", {}, -1, "fire and quit would share one key"},
        {"fire=f2", {}, -1, "fire and the editor's f2 would share one key"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        KeyBindings bindings;
        char error[512] = "";
        ASSERT_TRUE(parse_key_bindings("left=a", bindings, error, sizeof error));
        const bool taken = parse_key_bindings(c.list, bindings, error, sizeof error);
        ASSERT_EQ(taken, c.want >= 0) << error;
        EXPECT_NE(std::string(error).find(c.said), std::string::npos) << error;
        PhysicalKeys down;
        for (PhysicalKey k : c.held)
            down.set(k, true);
        down.set(letter('a'), down.down(letter('a')) || !taken);
        EXPECT_EQ(held_controls(bindings, down), taken ? c.want : SCRIPT_LEFT);
    }
}

// Each platform's numbering: the left stick and the d-pad (the kernel's
// last stick, the standard mapping's buttons 12 to 15: up, down, left,
// right) hold the arrows once pushed beyond a quarter of the way; A fires, B
// jumps (places in the editor), Start is S; other sticks and buttons do
// nothing.
// The page's line of keys says what each key of the start mode does, named
// as the player bound them.
TEST(KeyBindings, TheLineOfKeysNamesTheModesKeysAsBound)
{
    KeyBindings bound;
    char error[512] = "";
    ASSERT_TRUE(parse_key_bindings("left=a,right=d,jump=w,fire=ctrl,export=f12,start=period", bound,
                                   error, sizeof error));
    EXPECT_EQ(key_help_line(MODE_TITLE, bound),
              "A and D walk, W jumps, Ctrl fires, Period starts, P pauses, M mutes, Esc quits.");
    EXPECT_EQ(key_help_line(MODE_EDITOR, bound),
              "A, D, W and Down move the cursor, Enter places, Ctrl picks the brush, F1, F2, F3 "
              "and F4 scroll, F12 exports, M mutes, Esc quits.");
}

TEST(Gamepad, PadStatesHoldTheGamesKeysInEachPlatformsNumbering)
{
    constexpr PadLayout K = PAD_KERNEL_NUMBERING, W = PAD_STANDARD_MAPPING;
    constexpr uint32_t A = 1u << 0, B = 1u << 1;
    // sticks: {axes, x, y}, the left stick first (an xpad: left, trigger, right, trigger, hat)
    // clang-format off
    const struct { PadLayout layout; std::vector<PadStick> sticks; uint32_t buttons; int32_t mode; uint16_t want; } cases[] = {
        {K, {{2, -127, -127}}, 0, MODE_PLAY, SCRIPT_LEFT | SCRIPT_UP},
        {K, {{2, 32, 32}}, 0, MODE_PLAY, SCRIPT_RIGHT | SCRIPT_DOWN},
        {K, {{2, -31, 31}}, 0, MODE_PLAY, 0},
        {K, {{2, 0, 0}, {1, 127, 0}, {2, 127, 127}, {1, -127, 0}, {2, 0, -127}}, 0, MODE_PLAY, SCRIPT_UP},
        {K, {{2, 0, 0}, {2, 127, 0}, {1, 127, 0}}, 0, MODE_PLAY, SCRIPT_RIGHT},
        {K, {{1, -127, 0}, {2, 0, 127}}, 0, MODE_PLAY, SCRIPT_DOWN},
        {K, {}, A | B | 1u << 7, MODE_PLAY, SCRIPT_SPACE | SCRIPT_UP | SCRIPT_S},
        {K, {}, A | B, MODE_EDITOR, SCRIPT_SPACE | SCRIPT_ENTER},
        {K, {}, 1u << 2 | 1u << 9 | 1u << 12 | 1u << 31, MODE_TITLE, 0},
        {W, {{2, 0, 0}, {2, 127, 127}}, 1u << 12 | 1u << 14 | 1u << 15, MODE_PLAY, SCRIPT_UP | SCRIPT_LEFT | SCRIPT_RIGHT},
        {W, {{2, -32, 0}}, 1u << 13, MODE_EDITOR, SCRIPT_DOWN | SCRIPT_LEFT},
        {W, {}, A | B | 1u << 9, MODE_PLAY, SCRIPT_SPACE | SCRIPT_UP | SCRIPT_S},
        {W, {}, 1u << 7, MODE_TITLE, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        PadState pad{int(c.sticks.size()), {}, c.buttons};
        std::copy(c.sticks.begin(), c.sticks.end(), pad.stick);
        EXPECT_EQ(pad_key_set(pad, c.mode, PAD_LAYOUTS[c.layout].buttons, c.layout), c.want)
            << "case " << (&c - cases);
    }
}

// A list moves buttons over the platform's own (a button another action
// keeps is refused), or is refused whole.
TEST(Gamepad, ButtonListsMoveTheButtonsOrAreRefused)
{
    const PadButtons standard = PAD_LAYOUTS[PAD_STANDARD_MAPPING].buttons;
    PadButtons buttons = standard;
    char error[256] = "";
    ASSERT_TRUE(parse_pad_buttons("fire=2,START=7,jump=31", buttons, error, sizeof error)) << error;
    EXPECT_EQ(buttons.fire * 10000 + buttons.jump * 100 + buttons.start, 2 * 10000 + 31 * 100 + 7);
    buttons = standard;
    ASSERT_TRUE(parse_pad_buttons("fire=2", buttons, error, sizeof error)) << error;
    EXPECT_EQ(buttons.jump * 100 + buttons.start, 1 * 100 + 9);
    for (const char* bad :
         {"fire=1", "fire=9", "fire=32", "fire=01", "fire", "pause=3", "fire=2,fire=3"})
        EXPECT_FALSE(parse_pad_buttons(bad, buttons, error, sizeof error)) << bad;
}

// P pauses only in play: a paused turn shows the frame marked as paused and
// runs no pass, until P goes down again; Escape still ends the game. M
// mutes and unmutes in every mode, paused too. Both act when their key goes
// down, not while it is held.
TEST_F(GameTest, PauseActsOnlyInPlayAndMuteInEveryMode)
{
    static uint16_t held;
    static bool shown_paused;
    const uint16_t P = CONTROL_PAUSE_BIT, M = CONTROL_MUTE_BIT, ESC = KEY_SET_ESC;
    // The start mode (0: go on), the controls held, and after the turn
    // whether the game goes on, is paused and is muted.
    // clang-format off
    const struct { int32_t start; uint16_t held; bool goes_on, paused, muted; } turns[] = {
        {1, P, 1, 0, 0}, {0, M, 1, 0, 1}, {0, M, 1, 0, 1}, {0, 0, 1, 0, 1}, {0, M, 1, 0, 0},
        {0, SCRIPT_S, 1, 0, 0}, {0, P, 1, 1, 0}, {0, P, 1, 1, 0}, {0, P | M, 1, 1, 1}, {0, 0, 1, 1, 1},
        {0, P, 1, 0, 1}, {0, 0, 1, 0, 1}, {0, P, 1, 1, 1}, {0, ESC, 0, 1, 1}, {3, P, 1, 0, 1},
    };
    // clang-format on
    for (const auto& t : turns) {
        SCOPED_TRACE("turn " + std::to_string(&t - turns));
        if (t.start)
            start_program(ProgramSettings{t.start, 1});
        const bool was_paused = program_paused();
        const int32_t timer = game.title_timer;
        held = t.held;
        EXPECT_EQ(run_program_turn([](bool paused) {
                      shown_paused = paused;
                      PolledInput input;
                      input.controls = held;
                      return input;
                  }),
                  t.goes_on);
        EXPECT_EQ(shown_paused, was_paused);
        EXPECT_EQ(game.title_timer != timer, !was_paused) << "a pass ran";
        EXPECT_EQ(program_paused() * 10 + sound_is_muted(), t.paused * 10 + t.muted);
    }
    set_sound_muted(false);
    set_sound_output(false);
}

// P in play pauses: the turns that follow run no pass and show the last frame
// with PAUSED over its middle (six 8 x 8 characters); P again plays on.
TEST_F(GameTest, APausedGameShowsItsLastFrameWithPausedOverIt)
{
    static uint16_t held = 0;
    const auto turn = [](uint16_t controls) {
        held = controls;
        run_program_turn([](bool) {
            PolledInput input;
            input.controls = held;
            return input;
        });
        return frame_image().pixels;
    };
    start_program(ProgramSettings{});  // no control held on the turn before
    start_play();
    const std::vector<uint32_t> played = turn(SCRIPT_RIGHT | CONTROL_PAUSE_BIT);
    const int32_t timer = game.title_timer;  // counts every pass
    const std::vector<uint32_t> paused = turn(SCRIPT_RIGHT);
    int moved = 0, white = 0;
    for (size_t i = 0; i < paused.size(); ++i) {
        const bool inside = i % 320 - 136 < 48 && i / 320 - 96 < 8;  // unsigned: below is outside
        moved += !inside && paused[i] != played[i];
        white += inside && paused[i] == 0xffffff;
    }
    EXPECT_TRUE(program_paused() && game.title_timer == timer && moved == 0 && white > 40);
    turn(CONTROL_PAUSE_BIT);
    turn(0);
    EXPECT_TRUE(!program_paused() && game.title_timer == timer + 1);
}
