// The player's controls: own keys through TARNBLAST_KEYS, the gamepad's
// state as held keys and its button setting, and the enlarged copy of the
// frame for a scaled window.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "key_script.h"
#include "shell/game_state.h"
#include "shell/gamepad.h"
#include "shell/key_bindings.h"
#include "shell/scaled_copy.h"

namespace {

void hold_scancodes(std::initializer_list<int> scancodes)
{
    std::memset(const_cast<char*>(key), 0, KEY_MAX);
    for (int scancode : scancodes)
        key[scancode] = 1;
}

}  // namespace

TEST(KeyBindings, HeldKeysBecomeTheGamesKeysThroughTheList)
{
    const struct {
        const char* list;
        std::initializer_list<int> held;
        uint16_t want;
    } cases[] = {
        {"", {KEY_LEFT, KEY_SPACE, KEY_ESC}, SCRIPT_LEFT | SCRIPT_SPACE | SCRIPT_ESC},
        {"", {KEY_P, KEY_M, KEY_A}, CONTROL_PAUSE | CONTROL_MUTE},
        {"left=a,right=d,jump=w,fire=ctrl", {KEY_A, KEY_W, KEY_RCONTROL},
         SCRIPT_LEFT | SCRIPT_UP | SCRIPT_SPACE},
        {"left=a,right=d,jump=w,fire=ctrl", {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_SPACE}, 0},
        {"FIRE=LCtrl", {KEY_RCONTROL}, 0},
        {"jump=space,fire=up", {KEY_SPACE}, SCRIPT_UP},
        {"pause=f12,mute=pad0,export=enter,place=tab", {KEY_F12, KEY_0_PAD, KEY_ENTER},
         CONTROL_PAUSE | CONTROL_MUTE | SCRIPT_RSHIFT},
        {"start=period,down=9", {KEY_STOP, KEY_9, KEY_S}, SCRIPT_S | SCRIPT_DOWN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        KeyBindings bindings{};
        char error[512] = "";
        ASSERT_TRUE(parse_key_bindings(c.list, bindings, error, sizeof error)) << error;
        hold_scancodes(c.held);
        EXPECT_EQ(held_controls(bindings), c.want);
    }
    hold_scancodes({});
}

TEST(KeyBindings, BadListsAreRefusedWithTheReason)
{
    const struct {
        const char* list;
        const char* said;
    } cases[] = {
        {"leftt=a", "the actions are left, right, jump, down, fire, start, place, export, pause, mute"},
        {"quit=q", "unknown action \"quit\""},
        {"left=aa", "unknown key \"aa\" for left; the keys are a-z, 0-9, f1-f12"},
        {"left=f13", "unknown key"},
        {"left=pad", "unknown key"},
        {"left=", "unknown key \"\""},
        {"left", "has no key"},
        {"left=a,,right=d", "an empty entry"},
        {"left=a,", "an empty entry"},
        {"left=a,left=b", "left is given twice"},
        {"left=right", "left and right would share one key"},
        {"fire=esc", "fire and quit would share one key"},
        {"fire=f2", "fire and the editor's f2 would share one key"},
        {"jump=shift", "jump and export would share one key"},
    };
    for (const auto& c : cases) {
        KeyBindings bindings = default_key_bindings();
        const KeyBindings before = bindings;
        char error[512] = "";
        EXPECT_FALSE(parse_key_bindings(c.list, bindings, error, sizeof error)) << c.list;
        EXPECT_NE(std::string(error).find(c.said), std::string::npos) << c.list << ": " << error;
        EXPECT_EQ(std::memcmp(&bindings, &before, sizeof bindings), 0) << "kept on failure";
    }
}

// A pad as Allegro's Linux driver fills it: pairs of axes make sticks, the
// last pair being the d-pad of a two-stick pad.
TEST(Gamepad, PadStatesHoldTheGamesKeys)
{
    enum { LX, LY, RX, RY, HX, HY };
    const struct {
        int sticks;
        std::initializer_list<int> pushed;  // axis * 2 + (0 low, 1 high)
        std::initializer_list<int> buttons;
        int32_t mode;
        uint16_t want;
    } cases[] = {
        {4, {}, {}, MODE_PLAY, 0},
        {4, {LX * 2, LY * 2}, {}, MODE_PLAY, SCRIPT_LEFT | SCRIPT_UP},
        {4, {HX * 2 + 1, HY * 2 + 1}, {}, MODE_PLAY, SCRIPT_RIGHT | SCRIPT_DOWN},
        {4, {RX * 2, RY * 2 + 1}, {}, MODE_PLAY, 0},  // the right stick does nothing
        {1, {LX * 2 + 1}, {}, MODE_PLAY, SCRIPT_RIGHT},
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
            const int axis = push / 2;
            const int stick = axis == HX || axis == HY ? 3 : axis <= LY ? 0 : 1;
            JOYSTICK_AXIS_INFO& info = pad.stick[stick].axis[axis % 2];
            (push % 2 ? info.d2 : info.d1) = 1;
        }
        for (int button : c.buttons)
            pad.button[button].b = 1;
        EXPECT_EQ(pad_key_set(pad, c.mode, DEFAULT_PAD_BUTTONS), c.want)
            << "case " << (&c - cases);
    }
}

TEST(Gamepad, ButtonListsMoveTheButtonsOrAreRefused)
{
    PadButtons buttons = DEFAULT_PAD_BUTTONS;
    char error[256] = "";
    ASSERT_TRUE(parse_pad_buttons("fire=2,START=9,jump=0", buttons, error, sizeof error)) << error;
    EXPECT_EQ(buttons.fire, 2);
    EXPECT_EQ(buttons.jump, 0);
    EXPECT_EQ(buttons.start, 9);
    ASSERT_TRUE(parse_pad_buttons("jump=31", buttons, error, sizeof error)) << error;
    EXPECT_EQ(buttons.fire, 0) << "unnamed actions keep their usual buttons";
    for (const char* bad : {"fire=1", "fire=32", "fire=-1", "fire=01", "fire", "fire=a",
                            "pause=3", "fire=2,fire=3", ",fire=2"}) {
        buttons = DEFAULT_PAD_BUTTONS;
        EXPECT_FALSE(parse_pad_buttons(bad, buttons, error, sizeof error)) << bad;
        EXPECT_EQ(buttons.jump, DEFAULT_PAD_BUTTONS.jump) << bad;
    }
}

TEST(ScaledCopy, EveryPixelBecomesASquareAsAStretchMakesIt)
{
    set_color_depth(32);
    BITMAP* frame = create_bitmap(320, 200);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x)
            putpixel(frame, x, y, makecol((x * 7) & 255, (y * 13) & 255, (x ^ y) & 255));
    for (int scale = 1; scale <= 4; ++scale) {
        BITMAP* fast = create_scaled_bitmap(320, 200, scale);
        BITMAP* stretched = create_bitmap(320 * scale, 200 * scale);
        copy_scaled(frame, fast, scale);
        stretch_blit(frame, stretched, 0, 0, 320, 200, 0, 0, 320 * scale, 200 * scale);
        int differing = 0;
        for (int y = 0; y < fast->h; ++y)
            differing += std::memcmp(fast->line[y], stretched->line[y], size_t(fast->w) * 4) != 0;
        EXPECT_EQ(differing, 0) << "scale " << scale;
        destroy_bitmap(fast);
        destroy_bitmap(stretched);
    }
    destroy_bitmap(frame);
}
