#include "levels/level_export.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/game_state.h"
#include "base/platform.h"
#include "base/setting_names.h"
#include "base/write_all.h"
#include "levels/level_pack.h"

namespace {

// The longest value, "-2147483648", with its comma takes 12 characters, so
// the padding always reaches the very next zone boundary and every field is
// exactly one zone wide, whatever the grid holds.
constexpr int32_t LONGEST_FIELD = 11 + 1;
static_assert(LONGEST_FIELD < PRINT_ZONE, "every field must fit in one print zone");

constexpr int32_t LAST_WRITTEN_COLUMN = 511;

// Everything the export needs lives here for the whole run: the export is
// held down at up to 70 passes a second and must not allocate.
char file_text[EXPORT_FILE_SIZE];
char target_path[PATH_MAX];
char temp_path[PATH_MAX];
char told_path[PATH_MAX];
char message[PATH_MAX + 256];
char reason_buffer[128];

// One cell as "% d" prints it, then a comma, then spaces to the zone's end.
char* put_field(char* out, int32_t value)
{
    std::memset(out, ' ', PRINT_ZONE);
    out[0] = value < 0 ? '-' : ' ';
    // Magnitude as unsigned, so that the most negative value has one too.
    uint32_t magnitude = value < 0 ? 0u - uint32_t(value) : uint32_t(value);
    char digits[10];
    int count = 0;
    do {
        digits[count++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int at = 1;
    while (count > 0)
        out[at++] = digits[--count];
    out[at] = ',';
    return out + PRINT_ZONE;
}

// Works with either flavour of strerror_r the C library offers.
[[maybe_unused]] const char* chosen_reason(const char* text, const char*)
{
    return text;
}
[[maybe_unused]] const char* chosen_reason(int, const char* buffer)
{
    return buffer;
}

}  // namespace

const char* export_failure_reason(int error)
{
    reason_buffer[0] = '\0';
    return chosen_reason(strerror_r(error, reason_buffer, sizeof reason_buffer), reason_buffer);
}

namespace {

void tell(const char* text, int length)
{
    if (length <= 0)
        return;
    if (length >= int(sizeof message))
        length = int(sizeof message) - 1;
    // stderr is only for the player's eyes; a failed write there is no
    // reason to stop the game.
    const ssize_t ignored = write(STDERR_FILENO, text, size_t(length));
    (void)ignored;
}

// The environment's choice of file; else the level file the editor opened,
// which the export writes back to; else the default one.
const char* export_path()
{
    const char* chosen = setting_value(SETTING_EXPORT_PATH);
    if (chosen && chosen[0] != '\0')
        return chosen;
    const char* fallback =
        level_pack_open() && *level_pack_path() ? level_pack_path() : LEVEL_EXPORT_PATH;
    if (chosen && !game.export_empty_path_told) {
        game.export_empty_path_told = 1;
        const int length = std::snprintf(message, sizeof message,
                                         "tarnblast: %s is empty; exporting the level to %s\n",
                                         setting_name(SETTING_EXPORT_PATH), fallback);
        tell(message, length);
    }
    return fallback;
}

// The notice in the window always shows; stderr hears of a failure only when
// its reason or path differs from the last one told, so that a held export
// key does not print 70 lines a second.
void report_failure(const char* path, int error)
{
    game.export_notice = EXPORT_NOTICE_PASSES;
    if (game.export_error == error && std::strcmp(told_path, path) == 0)
        return;
    game.export_error = error;
    std::snprintf(told_path, sizeof told_path, "%s", path);
    const int length =
        std::snprintf(message, sizeof message, "tarnblast: cannot export the level to %s: %s\n",
                      path, export_failure_reason(error));
    tell(message, length);
}

// The new text goes to a file beside the target and is renamed over it only
// once it is complete and on disk: a crash or a kill at any moment leaves the
// target either as it was or holding the whole new text.
int write_file(const char* path)
{
    const size_t length = std::strlen(path);
    if (length + sizeof ".tmp" > sizeof temp_path)
        return ENAMETOOLONG;
    std::memcpy(temp_path, path, length);
    std::memcpy(temp_path + length, ".tmp", sizeof ".tmp");

    if (const int error = make_folders(path))
        return error;
    // A temporary file left by an export that was cut short is replaced.
    unlink(temp_path);
    const int fd = open(temp_path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    int error = write_all(fd, file_text, sizeof file_text);
    if (error == 0 && fsync(fd) != 0)
        error = errno;
    if (close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && rename(temp_path, path) != 0)
        error = errno;
    if (error != 0)
        unlink(temp_path);
    return error;
}

}  // namespace

// Row 1 starts at column 1 (cell (1, 0) is left out); every later row starts
// at column 0. Row 0 and column 512 are never written. Each line ends in CR LF.
int32_t format_level_export(const int32_t* grid, char* out)
{
    char* const start = out;
    for (int32_t row = 1; row < GRID_ROWS; ++row) {
        for (int32_t column = row == 1 ? 1 : 0; column <= LAST_WRITTEN_COLUMN; ++column)
            out = put_field(out, grid[row * GRID_COLUMNS + column]);
        *out++ = '\r';
        *out++ = '\n';
    }
    return int32_t(out - start);
}

const char* last_export_path()
{
    return target_path;
}

void export_level()
{
    const char* chosen = export_path();
    // Kept in a buffer of our own: the environment may change under us.
    const size_t length = std::strlen(chosen);
    if (length >= sizeof target_path) {
        report_failure("(a path too long to show)", ENAMETOOLONG);
        return;
    }
    std::memcpy(target_path, chosen, length + 1);

    format_level_export(game.level_grid, file_text);
    if (const int error = write_file(target_path)) {
        report_failure(target_path, error);
        return;
    }
    game.export_error = 0;
    game.export_notice = 0;
    file_written(target_path);
}
