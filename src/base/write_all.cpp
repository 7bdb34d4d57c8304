#include "base/write_all.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

char folder_path[PATH_MAX];

}  // namespace

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

int make_folders(const char* path)
{
    if (std::strlen(path) >= sizeof folder_path)
        return ENAMETOOLONG;
    std::strcpy(folder_path, path);
    for (char* slash = std::strchr(folder_path + 1, '/'); slash;
         slash = std::strchr(slash + 1, '/')) {
        if (slash[-1] == '/')
            continue;
        *slash = '\0';
        const int result = mkdir(folder_path, 0777);
        const int error = errno;
        *slash = '/';
        if (result != 0 && error != EEXIST)
            return error;
    }
    return 0;
}
