// Preloaded into the game by gamepad.sh: makes a named pipe pass for a Linux
// joystick device. Allegro's joystick driver opens the device named by its
// configuration, asks it for the driver version, the number of axes and the
// number of buttons, and then reads js_event records; a pipe refuses those
// questions, so this answers them for any pipe (8 axes, 11 buttons, as a
// common two-stick pad) and leaves every other call alone.
#include <dlfcn.h>
#include <linux/joystick.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include <cstdarg>
#include <cstdint>

extern "C" int ioctl(int fd, unsigned long request, ...)
{
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    struct stat status;
    if (fstat(fd, &status) == 0 && S_ISFIFO(status.st_mode)) {
        switch (request) {
        case JSIOCGVERSION: *static_cast<uint32_t*>(argument) = JS_VERSION; return 0;
        case JSIOCGAXES: *static_cast<uint8_t*>(argument) = 8; return 0;
        case JSIOCGBUTTONS: *static_cast<uint8_t*>(argument) = 11; return 0;
        }
    }
    using Ioctl = int (*)(int, unsigned long, ...);
    static const Ioctl real_ioctl = reinterpret_cast<Ioctl>(dlsym(RTLD_NEXT, "ioctl"));
    return real_ioctl(fd, request, argument);
}
