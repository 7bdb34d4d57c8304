// Preloaded into the game by gamepad.sh: lets a named pipe pass for a Linux
// joystick device. Allegro's driver asks the device for the driver version,
// the number of axes and of buttons, which a pipe refuses; this answers for
// any pipe (8 axes and 11 buttons, as a common two-stick pad).
#include <dlfcn.h>
#include <linux/joystick.h>
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
        case JSIOCGVERSION:
            *static_cast<uint32_t*>(argument) = JS_VERSION;
            return 0;
        case JSIOCGAXES:
            *static_cast<uint8_t*>(argument) = 8;
            return 0;
        case JSIOCGBUTTONS:
            *static_cast<uint8_t*>(argument) = 11;
            return 0;
        }
    }
    using Ioctl = int (*)(int, unsigned long, ...);
    static const Ioctl real_ioctl = reinterpret_cast<Ioctl>(dlsym(RTLD_NEXT, "ioctl"));
    return real_ioctl(fd, request, argument);
}
