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

constexpr uint32_t PIXELS_PER_METRE = 0xb12;  // 72 dots per inch

// The bytes of a 24-bit BMP of the image.
std::string encode_bmp(const RgbImage& image)
{
    const uint32_t row_bytes = (uint32_t(image.width) * 3 + 3) & ~3u;
    const uint32_t image_bytes = row_bytes * uint32_t(image.height);
    std::string out;
    out.reserve(BMP_HEADER_BYTES + image_bytes);
    out += "BM";
    put32(out, BMP_HEADER_BYTES + image_bytes);
    put32(out, 0);
    put32(out, BMP_HEADER_BYTES);
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

}  // namespace

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

const char* read_bmp_header(const unsigned char* bytes, uint64_t file_size, BmpLayout& layout)
{
    if (bytes[0] != 'B' || bytes[1] != 'M')
        return "not a BMP image";
    const uint32_t info_size = le32(bytes + 14);
    if (info_size != 40 && info_size != 108 && info_size != 124)
        return "unsupported BMP header";
    layout.width = int32_t(le32(bytes + 18));
    const int32_t signed_height = int32_t(le32(bytes + 22));
    layout.top_down = signed_height < 0;
    layout.height = layout.top_down ? int32_t(0u - uint32_t(signed_height)) : signed_height;
    layout.bits = le16(bytes + 28);
    layout.data_offset = le32(bytes + 10);
    if (layout.width <= 0 || layout.width > BMP_MAX_SIDE || layout.height <= 0
        || layout.height > BMP_MAX_SIDE)
        return "image dimensions out of range";
    if (layout.bits != 1 && layout.bits != 4 && layout.bits != 8 && layout.bits != 24
        && layout.bits != 32)
        return "unsupported bits per pixel";
    if (le32(bytes + 30) != 0)
        return "compressed BMP not supported";
    layout.row_bytes = (uint64_t(layout.width) * layout.bits + 31) / 32 * 4;
    if (layout.data_offset < BMP_HEADER_BYTES
        || layout.data_offset + layout.row_bytes * uint64_t(layout.height) > file_size)
        return "truncated pixel data";
    return nullptr;
}

bool decode_bmp(const std::string& file, RgbImage& image)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
    BmpLayout layout;
    if (file.size() < BMP_HEADER_BYTES || read_bmp_header(bytes, file.size(), layout)
        || (layout.bits != 24 && layout.bits != 32))
        return false;
    const int32_t width = layout.width, height = layout.height;
    const size_t step = layout.bits / 8;
    image.width = width;
    image.height = height;
    image.pixels.assign(size_t(width) * size_t(height), 0);
    for (int32_t y = 0; y < height; ++y) {
        const size_t row =
            layout.data_offset + layout.row_bytes * size_t(layout.top_down ? y : height - 1 - y);
        for (int32_t x = 0; x < width; ++x) {
            const size_t at = row + size_t(x) * step;
            image.pixels[size_t(y) * size_t(width) + size_t(x)] =
                le16(bytes + at) | uint32_t(bytes[at + 2]) << 16;
        }
    }
    return true;
}
