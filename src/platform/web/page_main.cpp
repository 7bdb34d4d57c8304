// The game in a browser page: the functions the page calls (page.js), each a
// thin door into the program's loop that the desktop runs too. The page
// paces the passes by its clock, draws the frame on its canvas, plays the
// samples, reads the keyboard, the on-screen controls and the pads, and
// offers the files the game writes (the export, the recording) as downloads.
#include <emscripten.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "base/game_state.h"
#include "base/platform.h"
#include "game/title.h"
#include "levels/level_pack.h"
#include "levels/level_tables.h"
#include "platform/web/page_calls.h"
#include "platform/web/web_platform.h"
#include "program/key_bindings.h"
#include "program/key_help.h"
#include "program/key_script.h"
#include "program/program.h"

namespace {

// Every pass of a session is recorded here unless the address names another
// file, so the page can offer the keys as a script that the replay runner
// plays back to the same frames.
constexpr const char* RECORDING_PATH = "/tarnblast-keys.txt";

ProgramSettings settings;
bool ended = false;

// A key script playing instead of the keyboard, from ?replay=.
KeyScript replay_script;
ScriptPlayer replay(replay_script);
bool replaying = false;

RgbaFrame rgba;

// The page shows the frame itself once the animation frame's passes have
// run; a turn only reads what the player holds.
PolledInput poll_page(bool paused)
{
    PolledInput input;
    if (replaying && paused)
        return input;
    if (replaying) {
        uint16_t keys = 0;
        replay.next_pass(keys);
        input.controls = keys;
        return input;
    }
    poll_physical_keys(input.keys);
    input.pad_count = web_pads(input.pads);
    input.controls = web_touched_controls();
    return input;
}

const char* setting(const char* name)
{
    for (const auto& entry : page_settings)
        if (entry.first == name)
            return entry.second.c_str();
    return nullptr;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void tb_setting(const char* name, const char* value)
{
    page_settings.emplace_back(name, value);
}

EMSCRIPTEN_KEEPALIVE int tb_start()
{
    in_page = true;
    web_sound_in_page(true);
    start_headless_platform();
    if (!setting("record"))
        page_settings.emplace_back("record", RECORDING_PATH);
    settings = ProgramSettings{};
    settings.pad_layout = PAD_STANDARD_MAPPING;
    if (!read_program_settings(settings))
        return 2;
    if (const char* warp = setting("warp")) {
        settings.warp_level = warp_level_of(warp);
        if (settings.warp_level < 0 || settings.start_mode != MODE_TITLE) {
            std::fprintf(stderr, "tarnblast: warp must be a level from 1 to %d, in start mode 1\n",
                         int(LEVEL_COUNT));
            return 2;
        }
    }
    tb_play_again();
    return 0;
}

EMSCRIPTEN_KEEPALIVE void tb_play_again()
{
    restart_program(settings);
    ended = false;
}

// After Escape the page waits for Play again, or for the start key: the
// game from its start-up state again.
EMSCRIPTEN_KEEPALIVE int tb_run(int passes)
{
    if (ended && !replaying && (polled_controls(poll_page(false)) & key_bit(CONTROL_S)))
        tb_play_again();
    for (int i = 0; i < passes && !ended && !(replaying && replay.finished()); ++i)
        ended = !run_program_turn(poll_page);
    return ended ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int tb_screen_width()
{
    return SCREEN_WIDTH;
}

EMSCRIPTEN_KEEPALIVE int tb_screen_height()
{
    return SCREEN_HEIGHT;
}

EMSCRIPTEN_KEEPALIVE uint8_t* tb_frame()
{
    rgba_of_frame(web_frame_pixels(), rgba);
    return rgba.bytes;
}

EMSCRIPTEN_KEEPALIVE void tb_key(const char* code, int down)
{
    web_key(code, down != 0);
}

EMSCRIPTEN_KEEPALIVE void tb_touch(const char* control, int down)
{
    web_touch(control, down != 0);
}

EMSCRIPTEN_KEEPALIVE void tb_pad(int pad, int connected, double left_x, double left_y,
                                 double right_x, double right_y, uint32_t buttons)
{
    const double axes[] = {left_x, left_y, right_x, right_y};
    web_pad(pad, connected != 0, axes, buttons);
}

// A hidden tab pauses the game, and it stays paused when the tab comes back
// until the player presses P: the hands may not be on the keys yet. A replay
// needs no hands and goes on.
EMSCRIPTEN_KEEPALIVE void tb_hidden(int hidden)
{
    if (!hidden || replaying)
        return;
    pause_program(true);
    web_release_keys();
}

EMSCRIPTEN_KEEPALIVE int tb_paused()
{
    return program_paused() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int tb_game_mode()
{
    return game.game_mode;
}

// A level file (or a folder of them, a pack) the page has written into the
// file system, for the mode the page started in: checked by the game's
// reader; the game starts again on it if every file is sound, and goes on
// with the level it has if not.
EMSCRIPTEN_KEEPALIVE int tb_open_level(const char* path)
{
    std::string message;
    if (!open_level_pack(path, settings.start_mode, message)) {
        std::fprintf(stderr, "tarnblast: %s\n", message.c_str());
        return 2;
    }
    settings.warp_level = 0;
    tb_play_again();
    return 0;
}

EMSCRIPTEN_KEEPALIVE int tb_replay(const char* path)
{
    std::string error;
    if (!load_key_script(path, replay_script, error)) {
        std::fprintf(stderr, "tarnblast: %s\n", error.c_str());
        return 2;
    }
    replay = ScriptPlayer(replay_script);
    replaying = true;
    return 0;
}

EMSCRIPTEN_KEEPALIVE int tb_replay_done()
{
    return replaying && replay.finished() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* tb_recording()
{
    return setting("record");
}

EMSCRIPTEN_KEEPALIVE const char* tb_key_help()
{
    static std::string line;
    line = key_help_line(settings.start_mode, key_bindings_in_use());
    return line.c_str();
}

}  // extern "C"
