#include "base/bmp_file.h"

#include <cstdio>

#include "base/platform.h"

namespace {

void put16(std::string& out, uint32_t value)
{
    out += char(value & 0xff);
    out += char(value >> 8 & 0xff);
}

void put32(std::string& out, uint32_t value)
{
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

uint32_t get32(const std::string& bytes, size_t at)
{
    return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8
           | uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 3])) << 24;
}

uint32_t get16(const std::string& bytes, size_t at)
{
    return uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8;
}

constexpr uint32_t HEADER_BYTES = 54;
constexpr uint32_t PIXELS_PER_METRE = 0xb12;  // 72 dots per inch

}  // namespace

std::string encode_bmp(const RgbImage& image)
{
    const uint32_t row_bytes = (uint32_t(image.width) * 3 + 3) & ~3u;
    const uint32_t image_bytes = row_bytes * uint32_t(image.height);
    std::string out;
    out.reserve(HEADER_BYTES + image_bytes);
    out += "BM";
    put32(out, HEADER_BYTES + image_bytes);
    put32(out, 0);
    put32(out, HEADER_BYTES);
    put32(out, 40);
    put32(out, uint32_t(image.width));
    put32(out, uint32_t(image.height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, image_bytes);
    put32(out, PIXELS_PER_METRE);
    put32(out, PIXELS_PER_METRE);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        const uint32_t* row = &image.pixels[size_t(y) * size_t(image.width)];
        for (int x = 0; x < image.width; ++x) {
            out += char(row[x] & 0xff);
            out += char(row[x] >> 8 & 0xff);
            out += char(row[x] >> 16 & 0xff);
        }
        out.append(row_bytes - uint32_t(image.width) * 3, '\0');
    }
    return out;
}

bool write_bmp(const char* path, const RgbImage& image)
{
    const std::string bytes = encode_bmp(image);
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

RgbImage frame_image()
{
    RgbImage image;
    image.width = frame_width();
    image.height = frame_height();
    image.pixels.resize(size_t(image.width) * size_t(image.height));
    read_frame(image.pixels.data());
    return image;
}

bool save_frame_bmp(const char* path)
{
    return write_bmp(path, frame_image());
}

bool decode_bmp(const std::string& bytes, RgbImage& image)
{
    if (bytes.size() < HEADER_BYTES || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    const uint32_t offset = get32(bytes, 10);
    const int32_t width = int32_t(get32(bytes, 18));
    const int32_t signed_height = int32_t(get32(bytes, 22));
    const uint32_t bits = get16(bytes, 28);
    const bool top_down = signed_height < 0;
    const int32_t height = top_down ? -signed_height : signed_height;
    if ((bits != 24 && bits != 32) || get32(bytes, 30) != 0 || width <= 0 || height <= 0
        || width > 16384 || height > 16384)
        return false;
    const size_t step = bits / 8;
    const size_t row_bytes = (size_t(width) * step + 3) & ~size_t(3);
    if (size_t(offset) + row_bytes * size_t(height) > bytes.size())
        return false;
    image.width = width;
    image.height = height;
    image.pixels.assign(size_t(width) * size_t(height), 0);
    for (int32_t y = 0; y < height; ++y) {
        const size_t row = offset + row_bytes * size_t(top_down ? y : height - 1 - y);
        for (int32_t x = 0; x < width; ++x) {
            const size_t at = row + size_t(x) * step;
            image.pixels[size_t(y) * size_t(width) + size_t(x)] =
                uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8
                | uint32_t(uint8_t(bytes[at + 2])) << 16;
        }
    }
    return true;
}
