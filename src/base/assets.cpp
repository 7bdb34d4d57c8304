#include "base/assets.h"

#include <cstdint>
#include <cstdio>

#include "base/bmp_file.h"
#include "base/game_state.h"
#include "base/sound.h"

namespace {

// Set once the files have been read; a restart of the game that keeps its
// assets (tests, the fuzzer) then finds them in place.
bool assets_loaded = false;

// The most sample data the game will hand to a loader: far above what the
// game's own files need, far below what would exhaust memory.
constexpr uint32_t MAX_SAMPLE_BYTES = 64u * 1024u * 1024u;

// Reads a whole small header; false when the file is shorter.
bool read_bytes(FILE* file, long offset, unsigned char* out, size_t count)
{
    return std::fseek(file, offset, SEEK_SET) == 0 && std::fread(out, 1, count, file) == count;
}

long file_size(FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    return std::ftell(file);
}

const char* bmp_problem(FILE* file)
{
    const long size = file_size(file);
    if (size <= 0)
        return "empty file";
    unsigned char header[BMP_HEADER_BYTES];
    if (!read_bytes(file, 0, header, sizeof header))
        return "truncated header";
    BmpLayout layout;
    return read_bmp_header(header, uint64_t(size), layout);
}

const char* wav_problem(FILE* file)
{
    const long size = file_size(file);
    if (size <= 0)
        return "empty file";
    unsigned char riff[12];
    if (!read_bytes(file, 0, riff, sizeof riff))
        return "truncated header";
    if (le32(riff) != 0x46464952u || le32(riff + 8) != 0x45564157u)  // "RIFF", "WAVE"
        return "not a WAV sample";
    long at = 12;
    bool have_format = false;
    while (at + 8 <= size) {
        unsigned char chunk[8];
        if (!read_bytes(file, at, chunk, sizeof chunk))
            return "truncated chunk";
        const uint32_t length = le32(chunk + 4);
        if (uint64_t(at) + 8 + length > uint64_t(size))
            return "truncated chunk";
        if (le32(chunk) == 0x20746d66u) {  // "fmt "
            unsigned char f[16];
            if (length < 16 || !read_bytes(file, at + 8, f, sizeof f))
                return "truncated format";
            const uint16_t channels = le16(f + 2);
            const uint16_t bits = le16(f + 14);
            if (le16(f) != 1)
                return "not plain PCM";
            if (channels != 1 && channels != 2)
                return "unsupported channel count";
            if (bits != 8 && bits != 16)
                return "unsupported sample size";
            if (le32(f + 4) == 0 || le32(f + 4) > 192000)
                return "sample rate out of range";
            have_format = true;
        } else if (le32(chunk) == 0x61746164u) {  // "data"
            if (!have_format)
                return "data before format";
            if (length == 0)
                return "no sample data";
            if (length > MAX_SAMPLE_BYTES)
                return "sample too large";
            return nullptr;
        }
        at += 8 + long(length) + long(length & 1u);
    }
    return "no sample data";
}

template <typename Check>
const char* file_problem(const char* path, Check check)
{
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return "missing or unreadable";
    const char* problem = check(file);
    std::fclose(file);
    return problem;
}

// Checks a BMP or WAV file before the platform's loader sees it, since those
// loaders trust the sizes a file claims. Returns nullptr when the file looks
// sound, or a short reason ("missing", "truncated", ...).
const char* bmp_file_problem(const char* path)
{
    return file_problem(path, bmp_problem);
}

const char* wav_file_problem(const char* path)
{
    return file_problem(path, wav_problem);
}

void report_unloaded(const char* path, const char* reason)
{
    std::fprintf(stderr, "tarnblast: cannot load %s: %s\n", path, reason);
}

bool load_checked_asset(const AssetFile& file)
{
    const bool image = is_sheet(file.id);
    const char* problem = image ? bmp_file_problem(file.path) : wav_file_problem(file.path);
    if (!problem && load_asset(file.id, file.path))
        return true;
    report_unloaded(file.path, problem ? problem
                               : image ? "not readable as a BMP image"
                                       : "not readable as a WAV sample");
    return false;
}

}  // namespace

void load_assets()
{
    const bool shows_title = game.game_mode == MODE_TITLE || game.game_mode == MODE_PLAY;
    if (!assets_loaded) {
        // A file the platform holds already is not read: a browser's page
        // makes its samples itself, after the title has started.
        for (const AssetFile& file : ASSET_FILES)
            if ((shows_title || file.editor_needs) && !asset_loaded(file.id))
                load_checked_asset(file);
        assets_loaded = true;
    }
    if (shows_title)
        start_sound(ASSET_MUSIC);
}

void release_assets()
{
    unload_assets();
    assets_loaded = false;
}
