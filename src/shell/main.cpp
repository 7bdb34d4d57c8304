// The program: brings up Allegro and the window, then runs one pass of the
// main loop per displayed frame until Escape or the window's close button.
// Only this file owns the window, the retrace wait, the copy to the screen
// and the keyboard poll.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "base/assets.h"
#include "base/game_state.h"
#include "base/key_names.h"
#include "base/sound.h"
#include "shell/display_loss.h"
#include "shell/gamepad.h"
#include "shell/key_bindings.h"
#include "shell/main_loop.h"
#include "shell/recorder.h"
#include "shell/scaled_copy.h"
#include "shell/settings.h"

namespace {

// Allegro's X11 retrace emulation only advances at the full 70 Hz while some
// timer routine is installed; without one it ticks two retraces at a time
// and the game would run at half speed. The routine itself has nothing to do.
void keep_retrace_at_full_rate() {}
END_OF_FUNCTION(keep_retrace_at_full_rate)

// Set by the window's close button (from Allegro's input thread); the loop
// then ends after the pass's frame is shown, as it does for Escape.
volatile int close_button_pressed = 0;
void press_close_button()
{
    close_button_pressed = 1;
}

END_OF_FUNCTION(press_close_button)

void leave_without_display()
{
    report_start_failure("cannot open a window", allegro_error);
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    std::exit(1);
}

// Opens the window at the wanted scale (for auto, the largest that fits the
// desktop comfortably), or at the largest that fits the desktop, or at 1 if
// the larger window cannot be opened. Returns the scale of the window opened,
// or 0 when there is no window at all.
int32_t open_window(int32_t wanted_scale)
{
    int32_t scale = wanted_scale;
    int desktop_width = 0, desktop_height = 0;
    const bool know_desktop = get_desktop_resolution(&desktop_width, &desktop_height) == 0;
    if (wanted_scale == AUTO_WINDOW_SCALE) {
        scale = know_desktop
                    ? auto_window_scale(SCREEN_WIDTH, SCREEN_HEIGHT, desktop_width, desktop_height)
                    : 1;
    } else if (scale > 1 && know_desktop) {
        scale = fitting_window_scale(wanted_scale, SCREEN_WIDTH, SCREEN_HEIGHT, desktop_width,
                                     desktop_height);
        if (scale != wanted_scale)
            std::fprintf(stderr,
                         "tarnblast: a %d x %d window (scale %d) does not fit the %d x %d "
                         "desktop; using scale %d\n",
                         int(SCREEN_WIDTH * wanted_scale), int(SCREEN_HEIGHT * wanted_scale),
                         int(wanted_scale), desktop_width, desktop_height, int(scale));
    }
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, SCREEN_WIDTH * scale, SCREEN_HEIGHT * scale, 0, 0)
        == 0)
        return scale;
    if (scale == 1)
        return 0;
    std::fprintf(stderr, "tarnblast: cannot open a window at scale %d; using scale 1\n",
                 int(scale));
    return set_gfx_mode(GFX_AUTODETECT_WINDOWED, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) == 0 ? 1 : 0;
}

// Copies a finished frame to the window. A scaled window gets each pixel as
// a square of scale x scale pixels, through a bitmap made once at start-up,
// and only the rows that changed since the frame it showed last (`shown`,
// empty before the first frame): enlarging and sending the whole window on
// every pass would cost several times what the game itself does.
void show_frame(BITMAP* frame, BITMAP* scaled, BITMAP* shown, int32_t scale)
{
    if (!scaled) {
        blit(frame, screen, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
        return;
    }
    static bool shown_once = false;
    int first = 0, end = SCREEN_HEIGHT;
    while (!shown_once || next_changed_rows(frame, shown, first, end)) {
        shown_once = true;
        copy_scaled_rows(frame, scaled, scale, first, end);
        blit(scaled, screen, 0, first * scale, 0, first * scale, scaled->w, (end - first) * scale);
        blit(frame, shown, 0, first, 0, first, SCREEN_WIDTH, end - first);
        first = end;
    }
}

// While the game is paused the window shows the last frame with "PAUSED"
// over it; back_buffer itself keeps the frame as the game drew it.
void draw_paused_frame(BITMAP* paused_frame)
{
    blit(back_buffer, paused_frame, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    const char* text = "PAUSED";
    const int width = text_length(font, text);
    textout_ex(paused_frame, font, text, (SCREEN_WIDTH - width) / 2, (SCREEN_HEIGHT - 8) / 2,
               palette_color[15], 0);
}

// The controls of a pass: the keyboard through the player's bindings and the
// pads. The game's part goes into Allegro's key array, where the pass and the
// world scan read it; the next poll puts the keyboard's own state back.
uint16_t read_controls()
{
    const uint16_t controls = held_controls() | polled_pad_key_set(game.game_mode);
    if ((controls & GAME_KEY_BITS) != held_key_set())
        hold_key_set(controls & GAME_KEY_BITS);
    return controls;
}

// TARNBLAST_FINAL_FRAME=FILE.bmp: the last frame shown, saved at the end, so
// that a test can check a recorded game against its replay.
void save_final_frame()
{
    const char* path = std::getenv("TARNBLAST_FINAL_FRAME");
    if (path && *path && save_bmp(path, back_buffer, nullptr) != 0)
        std::fprintf(stderr, "tarnblast: cannot write the final frame to %s\n", path);
}

}  // namespace

int main()
{
    int32_t start_mode = 1;
    int32_t wanted_scale = 1;
    if (!start_mode_setting(start_mode) || !window_scale_setting(wanted_scale)
        || !level_file_setting(start_mode) || !key_bindings_setting() || !pad_buttons_setting())
        return 2;
    // Without an X display the system driver cannot start, and the keyboard
    // driver would crash if installed on top of it: say so and end instead.
    if (install_allegro(SYSTEM_AUTODETECT, &errno, std::atexit) != 0) {
        report_start_failure("cannot start Allegro", allegro_error);
        return 1;
    }
    end_game_when_display_goes();
    gfx_capabilities = GFX_HW_VRAM_BLIT_MASKED;
    install_keyboard();
    install_timer();
    LOCK_FUNCTION(keep_retrace_at_full_rate);
    install_int_ex(keep_retrace_at_full_rate, BPS_TO_TIMER(70));
    install_sound(DIGI_AUTODETECT, MIDI_NONE, "");
    start_gamepad();
    set_window_title("Tarnblast");
    LOCK_VARIABLE(close_button_pressed);
    LOCK_FUNCTION(press_close_button);
    set_close_button_callback(press_close_button);
    // The sheets are true-colour images: at 32 bits they show their own
    // colours, and magenta is the mask colour.
    set_color_depth(32);
    const int32_t scale = open_window(wanted_scale);
    if (scale == 0)
        leave_without_display();
    // The game always draws at 320 x 200, whatever the window's size.
    back_buffer = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    BITMAP* paused_frame = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    if (!back_buffer || !paused_frame)
        leave_without_display();
    clear_bitmap(back_buffer);
    BITMAP* scaled = nullptr;
    BITMAP* shown = nullptr;
    if (scale > 1) {
        scaled = create_scaled_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT, scale);
        shown = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
        if (!scaled || !shown)
            leave_without_display();
    }
    set_projection_viewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    set_sound_output(true);
    if (const char* record = std::getenv("TARNBLAST_RECORD"))
        start_recording(record, start_mode);
    start_up_game(start_mode);
    // Pause and mute act when their key goes down. A paused game runs no
    // pass and records nothing, and the game's keys stay as the last pass
    // left them, so a recording replays as if the pause had never been.
    uint16_t previous = 0;
    uint16_t pressed = 0;
    // Waits for the retrace, shows the frame, polls the keyboard and merges
    // the pads into it; mute acts here. Returns the controls held, the close
    // button counting as Escape held on this pass, in the recording too, so
    // that its replay also stops here.
    const auto show_and_read = [&](BITMAP* frame) {
        vsync();
        show_frame(frame, scaled, shown, scale);
        poll_keyboard();
        const uint16_t controls = read_controls() | (close_button_pressed ? KEY_SET_ESC : 0);
        pressed = controls & ~previous;
        previous = controls;
        if (pressed & CONTROL_MUTE)
            set_sound_muted(!sound_is_muted());
        return controls;
    };
    const auto show_and_poll = [&] {
        const uint16_t held = show_and_read(back_buffer) & GAME_KEY_BITS;
        record_pass(held);
        return held;
    };
    // The window shows the paused frame until P comes again (true) or Escape
    // or the close button (false); the game's keys stay held as they were.
    const auto stay_paused = [&] {
        const uint16_t paused_keys = previous & GAME_KEY_BITS;
        draw_paused_frame(paused_frame);
        pause_music(true);
        for (;;) {
            const uint16_t controls = show_and_read(paused_frame);
            hold_key_set(paused_keys);
            if (controls & KEY_SET_ESC)
                return false;
            if (pressed & CONTROL_PAUSE) {
                pause_music(false);
                return true;
            }
        }
    };
    while (run_pass(show_and_poll))
        if ((pressed & CONTROL_PAUSE) && game.game_mode == MODE_PLAY && !stay_paused())
            break;
    stop_recording();
    save_final_frame();
    if (scaled) {
        destroy_bitmap(scaled);
        destroy_bitmap(shown);
    }
    destroy_bitmap(paused_frame);
    release_assets();
    return 0;
}

END_OF_MAIN()
