// The player's controls: own keys (TARNBLAST_KEYS), a pad's state as held
// keys and its buttons (TARNBLAST_PAD), and pause.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game_fixture.h"
#include "program/gamepad.h"
#include "program/key_bindings.h"
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

// A pad's directions hold the arrows; its buttons fire, jump (place in the
// editor) and start, and the others do nothing.
TEST(Gamepad, PadStatesHoldTheGamesKeys)
{
    // clang-format off
    const struct { PadState pad; int32_t mode; uint16_t want; } cases[] = {
        {{true, false, true, false, 0}, MODE_PLAY, SCRIPT_LEFT | SCRIPT_UP},
        {{false, true, false, true, 0}, MODE_PLAY, SCRIPT_RIGHT | SCRIPT_DOWN},
        {{false, false, false, false, 1u << 0 | 1u << 1 | 1u << 7}, MODE_PLAY,
         SCRIPT_SPACE | SCRIPT_UP | SCRIPT_S},
        {{false, false, false, false, 1u << 0 | 1u << 1}, MODE_EDITOR, SCRIPT_SPACE | SCRIPT_ENTER},
        {{false, false, false, false, 1u << 2 | 1u << 3 | 1u << 31}, MODE_TITLE, 0},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(pad_key_set(c.pad, c.mode, DEFAULT_PAD_BUTTONS), c.want)
            << "case " << (&c - cases);
}

TEST(Gamepad, ButtonListsMoveTheButtonsOrAreRefused)
{
    PadButtons buttons = DEFAULT_PAD_BUTTONS;
    char error[256] = "";
    ASSERT_TRUE(parse_pad_buttons("fire=2,START=9,jump=31", buttons, error, sizeof error)) << error;
    EXPECT_EQ(buttons.fire * 10000 + buttons.jump * 100 + buttons.start, 2 * 10000 + 31 * 100 + 9);
    for (const char* bad : {"fire=1", "fire=32", "fire=01", "fire", "pause=3", "fire=2,fire=3"})
        EXPECT_FALSE(parse_pad_buttons(bad, buttons, error, sizeof error)) << bad;
}

// P in play pauses: the turns that follow run no pass and show the last frame
// with PAUSED over its middle (six 8 x 8 characters); P again plays on.
TEST_F(GameTest, APausedGameShowsItsLastFrameWithPausedOverIt)
{
    static uint16_t held = 0;
    const auto turn = [](uint16_t controls) {
        held = controls;
        run_program_turn([](bool) { return PolledInput{{}, held}; });
        return frame_image().pixels;
    };
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
