#include "base/assets.h"

#include <cstdint>
#include <cstdio>

#include "base/game_state.h"
#include "base/sound.h"

namespace {

// Set once the files have been read; a restart of the game that keeps its
// assets (tests, the fuzzer) then finds them in place.
bool assets_loaded = false;

}  // namespace

namespace {

// Limits of what the game will hand to Allegro's loaders: far above what the
// game's own files need, far below what would exhaust memory.
constexpr int32_t MAX_IMAGE_SIDE = 4096;
constexpr uint32_t MAX_SAMPLE_BYTES = 64u * 1024u * 1024u;

// Reads a whole small header; false when the file is shorter.
bool read_bytes(FILE* file, long offset, unsigned char* out, size_t count)
{
    return std::fseek(file, offset, SEEK_SET) == 0 && std::fread(out, 1, count, file) == count;
}

uint32_t le32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t le16(const unsigned char* p)
{
    return uint16_t(p[0] | p[1] << 8);
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
    unsigned char h[54];
    if (!read_bytes(file, 0, h, sizeof h))
        return "truncated header";
    if (h[0] != 'B' || h[1] != 'M')
        return "not a BMP image";
    const uint32_t data_offset = le32(h + 10);
    const uint32_t info_size = le32(h + 14);
    if (info_size != 40 && info_size != 108 && info_size != 124)
        return "unsupported BMP header";
    const int32_t width = int32_t(le32(h + 18));
    const int32_t height = int32_t(le32(h + 22));
    const uint16_t bits = le16(h + 28);
    const uint32_t compression = le32(h + 30);
    if (width <= 0 || width > MAX_IMAGE_SIDE || height == 0 || height > MAX_IMAGE_SIDE
        || height < -MAX_IMAGE_SIDE)
        return "image dimensions out of range";
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return "unsupported bits per pixel";
    if (compression != 0)
        return "compressed BMP not supported";
    const uint64_t row_bytes = ((uint64_t(width) * bits + 31) / 32) * 4;
    const uint64_t rows = uint64_t(height < 0 ? -int64_t(height) : height);
    if (data_offset < 54 || uint64_t(data_offset) + row_bytes * rows > uint64_t(size))
        return "truncated pixel data";
    return nullptr;
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

void report_unloaded(const char* path, const char* reason)
{
    std::fprintf(stderr, "tarnblast: cannot load %s: %s\n", path, reason);
}

bool load_checked_asset(const AssetFile& file)
{
    const char* problem = file.is_image ? bmp_file_problem(file.path) : wav_file_problem(file.path);
    if (!problem && load_asset(file.id, file.path))
        return true;
    report_unloaded(file.path, problem         ? problem
                               : file.is_image ? "not readable as a BMP image"
                                               : "not readable as a WAV sample");
    return false;
}

}  // namespace

const char* bmp_file_problem(const char* path)
{
    return file_problem(path, bmp_problem);
}

const char* wav_file_problem(const char* path)
{
    return file_problem(path, wav_problem);
}

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
        start_sound(SOUND_MUSIC);
}

void release_assets()
{
    unload_assets();
    assets_loaded = false;
}
