// The program: brings up Allegro and the window, then runs one pass of the
// main loop per displayed frame until Escape. Only this file owns the
// window, the retrace wait, the copy to the screen and the keyboard poll.
#include <allegro.h>

#include <cerrno>
#include <cstdlib>

#include "shell/assets.h"
#include "shell/game_state.h"
#include "shell/main_loop.h"
#include "shell/settings.h"
#include "shell/sound.h"

namespace {

// Allegro's X11 retrace emulation only advances at the full 70 Hz while some
// timer routine is installed; without one it ticks two retraces at a time
// and the game would run at half speed. The routine itself has nothing to do.
void keep_retrace_at_full_rate() {}
END_OF_FUNCTION(keep_retrace_at_full_rate)

void leave_without_display()
{
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    std::exit(1);
}

}  // namespace

int main()
{
    int32_t start_mode = 1;
    if (!start_mode_setting(start_mode))
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
    // The sheets are true-colour images: at 32 bits they show their own
    // colours, and magenta is the mask colour.
    set_color_depth(32);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0) != 0)
        leave_without_display();
    back_buffer = create_bitmap(SCREEN_W, SCREEN_H);
    clear_bitmap(back_buffer);
    set_projection_viewport(0, 0, SCREEN_W, SCREEN_H);
    set_sound_output(true);
    start_up_game(start_mode);
    for (;;) {
        forget_pass_sounds();
        draw_pass();
        vsync();
        blit(back_buffer, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
        poll_keyboard();
        if (escape_held())
            break;
        handle_pass_keys();
    }
    release_assets();
    return 0;
}
END_OF_MAIN()
