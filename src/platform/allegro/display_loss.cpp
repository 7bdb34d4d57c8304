#include "platform/allegro/display_loss.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/write_all.h"

namespace {

std::atomic_flag display_lost = ATOMIC_FLAG_INIT;

// Xlib calls this on whichever thread found the connection gone: the game's
// own, in the retrace wait or the copy to the screen, or Allegro's input
// thread. Xlib's own handler would call exit(), whose handlers shut Allegro
// down, and that shutdown waits for the X lock the other thread holds, for
// ever. Nothing is left to finish: each recorded pass is written whole the
// moment it is read, and an export reaches its place only by a rename, so
// the game leaves at once, without running those handlers. Only the first
// thread to get here speaks.
int end_on_lost_display(Display*)
{
    if (!display_lost.test_and_set()) {
        static const char message[] = "tarnblast: the X display went away; the game ends\n";
        write_all(STDERR_FILENO, message, sizeof message - 1);
    }
    _exit(1);
}

}  // namespace

void end_game_when_display_goes()
{
    XSetIOErrorHandler(end_on_lost_display);
}

void report_start_failure(const char* failed_step, const char* library_reason)
{
    const char* display = std::getenv("DISPLAY");
    if (library_reason && *library_reason)
        std::fprintf(stderr, "tarnblast: %s: %s\n", failed_step, library_reason);
    else if (!display || !*display)
        std::fprintf(stderr, "tarnblast: %s: no X display (DISPLAY is not set)\n", failed_step);
    else
        std::fprintf(stderr, "tarnblast: %s: the X display %s cannot be opened\n", failed_step,
                     display);
}
