#include "program/recorder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/key_names.h"
#include "base/setting_names.h"
#include "base/write_all.h"
#include "levels/level_pack.h"

namespace {

// The open recording: its file, the bytes of complete lines in it (where a
// failed write is cut back to), and its path for messages. Fixed storage, so
// recording a pass touches no heap.
int record_fd = -1;
off_t recorded_bytes = 0;
char record_path[256];

// Appends a whole line or, failing that, nothing: a half-written line would
// not read back as a script.
bool append_line(const char* text, size_t length)
{
    const int reason = write_all(record_fd, text, length);
    if (reason == 0) {
        recorded_bytes += off_t(length);
        return true;
    }
    if (ftruncate(record_fd, recorded_bytes) == 0)
        lseek(record_fd, recorded_bytes, SEEK_SET);
    errno = reason;
    return false;
}

// A game on a level file, pack or link replays only on it: a second comment
// line names the file, the folder or the link. It is written at the start,
// before any pass, so the line may be made here.
bool record_level_file()
{
    if (!level_pack_open())
        return true;
    const bool link = *level_pack_link() != '\0';
    const std::string line = std::string("# on the level ")
                             + (link                     ? "link"
                                : level_pack_is_folder() ? "pack"
                                                         : "file")
                             + ": add --level " + (link ? level_pack_link() : level_pack_path())
                             + "\n";
    return append_line(line.data(), line.size());
}

// The first line of every recording. Returns the line's length; `out` takes
// RECORDING_HEADER_MAX bytes.
constexpr size_t RECORDING_HEADER_MAX = 96;
size_t recording_header(int32_t start_mode, char* out, size_t size)
{
    const int length = std::snprintf(out, size,
                                     "# tarnblast recording, start mode %d: replay with "
                                     "tarnblast-replay --start-mode %d\n",
                                     int(start_mode), int(start_mode));
    return length < 0 || size_t(length) >= size ? 0 : size_t(length);
}

// The script line for one pass: its key names and a newline. Returns the
// length; `out` takes RECORDED_LINE_MAX bytes. No heap is used.
constexpr size_t RECORDED_LINE_MAX = 64;
size_t recorded_line(uint16_t keys, char* out, size_t size)
{
    if (size < RECORDED_LINE_MAX)
        return 0;
    const size_t length = format_key_set(keys, out, size);
    out[length] = '\n';
    out[length + 1] = '\0';
    return length + 1;
}

}  // namespace

bool start_recording(const char* path, int32_t start_mode)
{
    stop_recording();
    if (!path || !*path) {
        std::fprintf(stderr, "tarnblast: %s is empty; playing without recording\n",
                     setting_name(SETTING_RECORD));
        return false;
    }
    std::snprintf(record_path, sizeof record_path, "%s", path);
    record_fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (record_fd < 0) {
        std::fprintf(stderr, "tarnblast: cannot record to %s: %s; playing without recording\n",
                     record_path, std::strerror(errno));
        return false;
    }
    recorded_bytes = 0;
    char header[RECORDING_HEADER_MAX];
    const size_t length = recording_header(start_mode, header, sizeof header);
    if (!append_line(header, length) || !record_level_file()) {
        std::fprintf(stderr, "tarnblast: cannot record to %s: %s; playing without recording\n",
                     record_path, std::strerror(errno));
        stop_recording();
        return false;
    }
    return true;
}

void record_pass(uint16_t keys)
{
    if (record_fd < 0)
        return;
    static char line[RECORDED_LINE_MAX];
    const size_t length = recorded_line(keys, line, sizeof line);
    if (!append_line(line, length)) {
        std::fprintf(stderr, "tarnblast: recording to %s stopped: %s\n", record_path,
                     std::strerror(errno));
        stop_recording();
    }
}

bool recording()
{
    return record_fd >= 0;
}

void stop_recording()
{
    if (record_fd >= 0)
        close(record_fd);
    record_fd = -1;
}
