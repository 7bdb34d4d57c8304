#include "program/program.h"

#include <cstdio>

#include "base/assets.h"
#include "base/bmp_file.h"
#include "base/game_state.h"
#include "base/key_names.h"
#include "base/platform.h"
#include "base/setting_names.h"
#include "base/sound.h"
#include "game/hud.h"
#include "game/main_loop.h"
#include "game/title.h"
#include "program/gamepad.h"
#include "program/key_bindings.h"
#include "program/recorder.h"
#include "program/settings.h"

namespace {

// Pause and mute act when their key goes down: the controls of the last
// turn tell which went down on this one.
uint16_t previous_controls = 0;
bool paused = false;

// The controls of a turn, and those that went down on it; mute acts here.
uint16_t read_controls(const PolledInput& input, uint16_t& pressed)
{
    const uint16_t controls = polled_controls(input);
    pressed = controls & ~previous_controls;
    previous_controls = controls;
    if (pressed & CONTROL_MUTE_BIT)
        set_sound_muted(!sound_is_muted());
    return controls;
}

// A paused game runs no pass and records nothing, and the game's keys stay
// as the last pass left them, so a recording replays as if the pause had
// never been.
bool paused_turn(ShowAndPoll show_and_poll)
{
    draw_pause_notice();
    uint16_t pressed = 0;
    const uint16_t controls = read_controls(show_and_poll(true), pressed);
    if (controls & KEY_SET_ESC)
        return false;
    if (pressed & CONTROL_PAUSE_BIT)
        pause_program(false);
    return true;
}

}  // namespace

uint16_t polled_controls(const PolledInput& input)
{
    return held_controls(input.keys) | pads_key_set(input.pads, input.pad_count, game.game_mode)
           | input.controls;
}

bool read_program_settings(ProgramSettings& settings)
{
    return start_mode_setting(settings.start_mode) && window_scale_setting(settings.window_scale)
           && level_file_setting(settings.start_mode) && key_bindings_setting()
           && pad_buttons_setting(settings.pad_layout);
}

void start_program(const ProgramSettings& settings)
{
    previous_controls = 0;
    paused = false;
    set_sound_output(true);
    if (const char* record = setting_value(SETTING_RECORD))
        start_recording(record, settings.start_mode);
    start_up_game(settings.start_mode);
    if (settings.warp_level)
        start_game_at_level(settings.warp_level);
}

void restart_program(const ProgramSettings& settings)
{
    release_assets();
    clear_game_state();
    resize_frame(SCREEN_WIDTH, SCREEN_HEIGHT);
    start_program(settings);
}

bool run_program_turn(ShowAndPoll show_and_poll)
{
    if (paused)
        return paused_turn(show_and_poll);
    uint16_t pressed = 0;
    // The close button counts as Escape held on this pass, in the recording
    // too, so that its replay also stops here.
    const bool goes_on = run_pass([&] {
        const uint16_t held = read_controls(show_and_poll(false), pressed) & GAME_KEY_BITS;
        hold_key_set(held);
        record_pass(held);
        return held;
    });
    if (goes_on && (pressed & CONTROL_PAUSE_BIT) && game.game_mode == MODE_PLAY)
        pause_program(true);
    return goes_on;
}

bool program_paused()
{
    return paused;
}

void pause_program(bool pause)
{
    if (pause == paused)
        return;
    paused = pause;
    pause_music(pause);
}

void end_program()
{
    stop_recording();
    const char* path = setting_value(SETTING_FINAL_FRAME);
    if (path && *path && !save_frame_bmp(path))
        std::fprintf(stderr, "tarnblast: cannot write the final frame to %s\n", path);
}
