// The desktop program: brings up Allegro and the window, then runs one turn
// of the program's loop per displayed frame until Escape or the window's
// close button. Only this file owns the window, the retrace wait, the copy to
// the screen and the keyboard poll.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "base/assets.h"
#include "base/game_state.h"
#include "base/key_names.h"
#include "base/platform.h"
#include "platform/allegro/allegro_platform.h"
#include "platform/allegro/desktop_pad.h"
#include "platform/allegro/display_loss.h"
#include "platform/allegro/scaled_copy.h"
#include "program/command_line.h"
#include "program/program.h"
#include "program/settings.h"

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

// The window and what it shows: the scale, and for a scaled window a bitmap
// made once at start-up and the frame it showed last (rows that did not
// change are not sent again).
struct Window {
    int32_t scale = 1;
    BITMAP* scaled = nullptr;
    BITMAP* shown = nullptr;
    bool shown_once = false;
};
Window window;

// Copies a finished frame to the window. A scaled window gets each pixel as
// a square of scale x scale pixels, and only the rows that changed since the
// frame it showed last: enlarging and sending the whole window on every pass
// would cost several times what the game itself does.
void show_frame(BITMAP* frame)
{
    if (!window.scaled) {
        blit(frame, screen, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
        return;
    }
    int first = 0, end = SCREEN_HEIGHT;
    const int32_t scale = window.scale;
    while (!window.shown_once || next_changed_rows(frame, window.shown, first, end)) {
        window.shown_once = true;
        copy_scaled_rows(frame, window.scaled, scale, first, end);
        blit(window.scaled, screen, 0, first * scale, 0, first * scale, window.scaled->w,
             (end - first) * scale);
        blit(frame, window.shown, 0, first, 0, first, SCREEN_WIDTH, end - first);
        first = end;
    }
}

// Waits for the retrace, shows the frame, polls the keyboard and the pads.
PolledInput show_and_poll(bool)
{
    vsync();
    show_frame(back_buffer);
    PolledInput input;
    poll_physical_keys(input.keys);
    input.pad_count = poll_pads(input.pads);
    if (close_button_pressed)
        input.controls |= KEY_SET_ESC;
    return input;
}

// Allegro's services, the window and the bitmaps the window needs. Ends the
// program with 1 when there is no window to be had.
void open_desktop(int32_t wanted_scale)
{
    // Without an X display the system driver cannot start, and the keyboard
    // driver would crash if installed on top of it: say so and end instead.
    if (install_allegro(SYSTEM_AUTODETECT, &errno, std::atexit) != 0) {
        report_start_failure("cannot start Allegro", allegro_error);
        std::exit(1);
    }
    end_game_when_display_goes();
    gfx_capabilities = GFX_HW_VRAM_BLIT_MASKED;
    install_keyboard_with_taps();
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
    window.scale = open_window(wanted_scale);
    if (window.scale == 0)
        leave_without_display();
    // The game always draws at 320 x 200, whatever the window's size.
    if (!resize_frame(SCREEN_WIDTH, SCREEN_HEIGHT))
        leave_without_display();
    if (window.scale > 1) {
        window.scaled = create_scaled_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT, window.scale);
        window.shown = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
        if (!window.scaled || !window.shown)
            leave_without_display();
    }
    set_projection_viewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
}

void close_desktop()
{
    for (BITMAP* bitmap : {window.scaled, window.shown, back_buffer})
        if (bitmap)
            destroy_bitmap(bitmap);
    back_buffer = nullptr;
    release_assets();
    remove_sound();
}

}  // namespace

int main(int argc, char** argv)
{
    if (const int answered = answer_game_command_line(argc, argv); answered >= 0)
        return answered;
    ProgramSettings settings;
    if (!read_program_settings(settings))
        return 2;
    open_desktop(settings.window_scale);
    start_program(settings);
    while (run_program_turn(show_and_poll)) {
    }
    end_program();
    close_desktop();
    return 0;
}

END_OF_MAIN()
