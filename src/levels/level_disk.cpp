#include "levels/level_disk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "levels/level_export.h"

namespace {

// No export comes near this size; a larger file is refused unread.
constexpr off_t LARGEST_LEVEL_FILE = 1 << 20;

}  // namespace

bool read_level_text(const std::string& path, std::string& text, std::string& error)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::string("cannot be read: ") + std::strerror(errno);
        return false;
    }
    struct stat info;
    if (fstat(fd, &info) != 0)
        error = std::string("cannot be read: ") + std::strerror(errno);
    else if (S_ISDIR(info.st_mode))
        error = "is a folder, not a level file";
    else if (!S_ISREG(info.st_mode))
        error = "is not a regular file";
    else if (info.st_size > LARGEST_LEVEL_FILE)
        error = "is " + std::to_string(info.st_size) + " bytes, far more than an export's "
                + std::to_string(EXPORT_FILE_SIZE);
    if (!error.empty()) {
        close(fd);
        return false;
    }
    text.assign(size_t(info.st_size), '\0');
    size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = read(fd, &text[got], text.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += size_t(n);
    }
    const int reason = errno;
    close(fd);
    if (got != text.size()) {
        error = std::string("cannot be read: ")
                + (got < text.size() && reason ? std::strerror(reason) : "it changed while read");
        return false;
    }
    return true;
}

bool load_level_file(const std::string& path, int32_t uses, LevelGrid& grid,
                     std::vector<ExportProblem>& problems)
{
    std::string text, error;
    if (!read_level_text(path, text, error)) {
        grid = empty_level_grid();
        problems = {{0, 0, error}};
        return false;
    }
    problems = check_level_export(text, uses, grid);
    return problems.empty();
}

bool is_level_folder(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool list_level_folder(const std::string& folder, std::vector<std::string>& files,
                       std::string& error)
{
    files.clear();
    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        error = std::string("cannot be read: ") + std::strerror(errno);
        return false;
    }
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        struct stat info;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0
            && stat((prefix + name).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            files.push_back(prefix + name);
    }
    closedir(dir);
    std::sort(files.begin(), files.end());
    return true;
}
