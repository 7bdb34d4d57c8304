// BMP files the game writes (the replay runners' frames, the final frame, a
// level's map) and reads (the sheets, where the platform has no reader of its
// own): 24-bit colour, written exactly as Allegro's save_bmp writes them, so
// that every platform saves the same bytes for the same picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An image of 0xRRGGBB pixels, row by row from the top.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// Writes the image as a BMP file; false when the file cannot be written.
bool write_bmp(const char* path, const RgbImage& image);

// The frame as the game last drew it, and saved as a BMP file.
RgbImage frame_image();
bool save_frame_bmp(const char* path);

// The little-endian fields of the files the game reads (BMP and WAV).
inline uint16_t le16(const unsigned char* p)
{
    return uint16_t(p[0] | p[1] << 8);
}
inline uint32_t le32(const unsigned char* p)
{
    return uint32_t(le16(p)) | uint32_t(le16(p + 2)) << 16;
}

// What a BMP file's header says of its pixels.
struct BmpLayout {
    int32_t width = 0;
    int32_t height = 0;  // the rows, whichever way they run
    bool top_down = false;
    uint32_t bits = 0;
    uint32_t data_offset = 0;
    uint64_t row_bytes = 0;
};
constexpr size_t BMP_HEADER_BYTES = 54;
// The longest side of an image the game reads: far above its sheets and a
// whole level's map (5130 pixels wide), far below what would exhaust memory.
constexpr int32_t BMP_MAX_SIDE = 8192;

// Reads the first BMP_HEADER_BYTES bytes of a file of `file_size` bytes.
// Returns nullptr, with the layout, for an uncompressed image of 1, 4, 8, 24
// or 32 bits per pixel whose pixels the file holds; else a short reason
// ("not a BMP image", "truncated pixel data", ...).
const char* read_bmp_header(const unsigned char* header, uint64_t file_size, BmpLayout& layout);

// Reads an uncompressed BMP of 24 or 32 bits per pixel; false for anything
// else (the game checks its files before it loads them).
bool decode_bmp(const std::string& bytes, RgbImage& image);
