#include "base/write_all.h"

#include <unistd.h>

#include <cerrno>

int write_all(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return ENOSPC;
        data += written;
        size -= size_t(written);
    }
    return 0;
}
