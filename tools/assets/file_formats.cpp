// BMP and WAV writers. Every header field is written byte by byte, so the
// files come out the same on any machine.
#include "file_formats.h"

#include <fstream>
#include <stdexcept>

namespace {

void put16(Bytes* out, uint32_t v)
{
    out->push_back(static_cast<uint8_t>(v));
    out->push_back(static_cast<uint8_t>(v >> 8));
}

void put32(Bytes* out, uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

void put_tag(Bytes* out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        out->push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

Bytes encode_bmp24(const Image& image)
{
    const uint32_t row_bytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    const uint32_t pixel_bytes = row_bytes * static_cast<uint32_t>(image.height);
    const uint32_t header_bytes = 14 + 40;
    Bytes out;
    out.reserve(header_bytes + pixel_bytes);
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    put32(&out, header_bytes + pixel_bytes);
    put32(&out, 0);  // reserved
    put32(&out, header_bytes);
    // BITMAPINFOHEADER
    put32(&out, 40);
    put32(&out, static_cast<uint32_t>(image.width));
    put32(&out, static_cast<uint32_t>(image.height));  // positive: bottom row first
    put16(&out, 1);                                    // planes
    put16(&out, 24);                                   // bits per pixel
    put32(&out, 0);                                    // BI_RGB, no compression
    put32(&out, pixel_bytes);
    put32(&out, 2835);  // 72 dpi, as most paint programs write
    put32(&out, 2835);
    put32(&out, 0);  // colours used
    put32(&out, 0);  // important colours
    for (int y = image.height - 1; y >= 0; --y) {
        size_t row_start = out.size();
        for (int x = 0; x < image.width; ++x) {
            Rgb c = image.at(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        while (out.size() - row_start < row_bytes)
            out.push_back(0);
    }
    return out;
}

Bytes encode_wav16(const Sound& sound)
{
    const uint32_t data_bytes = static_cast<uint32_t>(sound.samples.size()) * 2;
    Bytes out;
    out.reserve(44 + data_bytes);
    put_tag(&out, "RIFF");
    put32(&out, 36 + data_bytes);
    put_tag(&out, "WAVE");
    put_tag(&out, "fmt ");
    put32(&out, 16);
    put16(&out, 1);  // PCM
    put16(&out, 1);  // mono
    put32(&out, static_cast<uint32_t>(sound.rate));
    put32(&out, static_cast<uint32_t>(sound.rate) * 2);  // bytes per second
    put16(&out, 2);                                      // bytes per frame
    put16(&out, 16);                                     // bits per sample
    put_tag(&out, "data");
    put32(&out, data_bytes);
    for (int16_t s : sound.samples)
        put16(&out, static_cast<uint16_t>(s));
    return out;
}

void write_bytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error(path + ": cannot open for writing");
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error(path + ": write failed");
}
