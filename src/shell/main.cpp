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
#include "shell/main_loop.h"
#include "shell/recorder.h"
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
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    std::exit(1);
}

// Opens the window at the wanted scale, or at the largest that fits the
// desktop, or at 1 if the larger window cannot be opened. Returns the scale
// of the window opened, or 0 when there is no window at all.
int32_t open_window(int32_t wanted_scale)
{
    int32_t scale = wanted_scale;
    int desktop_width = 0, desktop_height = 0;
    if (scale > 1 && get_desktop_resolution(&desktop_width, &desktop_height) == 0) {
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

// Copies the finished frame to the window; when the window is scaled, each
// pixel becomes a square of scale x scale pixels (an integer stretch is a
// plain pixel repeat), through a bitmap made once at start-up.
void show_frame(BITMAP* scaled)
{
    if (!scaled) {
        blit(back_buffer, screen, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
        return;
    }
    stretch_blit(back_buffer, scaled, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0, scaled->w,
                 scaled->h);
    blit(scaled, screen, 0, 0, 0, 0, scaled->w, scaled->h);
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
        || !level_file_setting(start_mode))
        return 2;
    // Without an X display the system driver cannot start, and the keyboard
    // driver would crash if installed on top of it: end quietly instead.
    if (install_allegro(SYSTEM_AUTODETECT, &errno, std::atexit) != 0)
        return 1;
    gfx_capabilities = GFX_HW_VRAM_BLIT_MASKED;
    install_keyboard();
    install_timer();
    LOCK_FUNCTION(keep_retrace_at_full_rate);
    install_int_ex(keep_retrace_at_full_rate, BPS_TO_TIMER(70));
    install_sound(DIGI_AUTODETECT, MIDI_NONE, "");
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
    clear_bitmap(back_buffer);
    BITMAP* scaled = nullptr;
    if (scale > 1) {
        scaled = create_bitmap(SCREEN_WIDTH * scale, SCREEN_HEIGHT * scale);
        if (!scaled)
            leave_without_display();
    }
    set_projection_viewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    set_sound_output(true);
    if (const char* record = std::getenv("TARNBLAST_RECORD"))
        start_recording(record, start_mode);
    start_up_game(start_mode);
    const auto show_and_poll = [scaled] {
        vsync();
        show_frame(scaled);
        poll_keyboard();
        // The close button counts as Escape held on this pass, in the
        // recording too, so that its replay also stops here.
        const uint16_t held = held_key_set() | (close_button_pressed ? KEY_SET_ESC : 0);
        record_pass(held);
        return held;
    };
    while (run_pass(show_and_poll)) {
    }
    stop_recording();
    save_final_frame();
    if (scaled)
        destroy_bitmap(scaled);
    release_assets();
    return 0;
}

END_OF_MAIN()
