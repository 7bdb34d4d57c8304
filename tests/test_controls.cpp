// The player's controls: own keys (TARNBLAST_KEYS), a pad's state as held
// keys and its buttons (TARNBLAST_PAD).
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/game_state.h"
#include "key_script.h"
#include "shell/gamepad.h"
#include "shell/key_bindings.h"

// Each list starts from bindings that already put left on A: a list that is
// taken replaces them whole, a refused one leaves them as they were.
TEST(KeyBindings, ListsMapHeldKeysToTheGamesKeysOrAreRefused)
{
    const struct {
        const char* list;
        std::initializer_list<int> held;
        int want;  // the controls held, or -1: refused with `said` in the reason
        const char* said;
    } cases[] = {
        {"",
         {KEY_LEFT, KEY_SPACE, KEY_ESC, KEY_P, KEY_M, KEY_A},
         SCRIPT_LEFT | SCRIPT_SPACE | SCRIPT_ESC | CONTROL_PAUSE | CONTROL_MUTE,
         ""},
        {"left=a,right=d,jump=w,fire=ctrl",
         {KEY_A, KEY_W, KEY_RCONTROL},
         SCRIPT_LEFT | SCRIPT_UP | SCRIPT_SPACE,
         ""},
        {"left=a,right=d,jump=w,fire=ctrl", {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_SPACE}, 0, ""},
        {"FIRE=LCtrl,jump=space", {KEY_RCONTROL, KEY_SPACE, KEY_A}, SCRIPT_UP, ""},
        {"pause=f12,mute=pad0,export=enter,place=tab,start=period",
         {KEY_F12, KEY_0_PAD, KEY_STOP},
         CONTROL_PAUSE | CONTROL_MUTE | SCRIPT_S,
         ""},
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        KeyBindings bindings;
        char error[512] = "";
        ASSERT_TRUE(parse_key_bindings("left=a", bindings, error, sizeof error));
        const bool taken = parse_key_bindings(c.list, bindings, error, sizeof error);
        ASSERT_EQ(taken, c.want >= 0) << error;
        EXPECT_NE(std::string(error).find(c.said), std::string::npos) << error;
        std::memset(const_cast<char*>(key), 0, KEY_MAX);
        for (int scancode : c.held)
            key[scancode] = 1;
        key[KEY_A] |= !taken;
        EXPECT_EQ(held_controls(bindings), taken ? c.want : SCRIPT_LEFT);
    }
    std::memset(const_cast<char*>(key), 0, KEY_MAX);
}

// Pads as Allegro's Linux driver fills them: pairs of axes make sticks; the
// last pair is the d-pad of a two-stick pad.
TEST(Gamepad, PadStatesHoldTheGamesKeys)
{
    const struct {
        int sticks;
        std::initializer_list<int> pushed;  // stick * 4 + 0 left, 1 right, 2 up, 3 down
        std::initializer_list<int> buttons;
        int32_t mode;
        uint16_t want;
    } cases[] = {
        {4, {0, 2}, {}, MODE_PLAY, SCRIPT_LEFT | SCRIPT_UP},
        {4, {13, 15}, {}, MODE_PLAY, SCRIPT_RIGHT | SCRIPT_DOWN},
        {4, {4, 9}, {}, MODE_PLAY, 0},  // the sticks between do nothing
        {1, {1}, {}, MODE_PLAY, SCRIPT_RIGHT},
        {4, {}, {0, 1, 7}, MODE_PLAY, SCRIPT_SPACE | SCRIPT_UP | SCRIPT_S},
        {4, {}, {0, 1}, MODE_EDITOR, SCRIPT_SPACE | SCRIPT_ENTER},
        {4, {}, {2, 3, 31}, MODE_TITLE, 0},
    };
    for (const auto& c : cases) {
        JOYSTICK_INFO pad{};
        pad.num_sticks = c.sticks;
        pad.num_buttons = 11;
        for (int s = 0; s < c.sticks; ++s)
            pad.stick[s].num_axis = 2;
        for (int push : c.pushed) {
            JOYSTICK_AXIS_INFO& axis = pad.stick[push / 4].axis[push % 4 / 2];
            (push % 2 ? axis.d2 : axis.d1) = 1;
        }
        for (int button : c.buttons)
            pad.button[button].b = 1;
        EXPECT_EQ(pad_key_set(pad, c.mode, DEFAULT_PAD_BUTTONS), c.want) << "case " << (&c - cases);
    }
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
