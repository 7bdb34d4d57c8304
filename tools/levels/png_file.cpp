#include "png_file.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <vector>

namespace {

void put_u32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(value >> shift));
}

// A chunk: its length, type, data and the CRC of type and data.
void put_chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    put_u32(out, uint32_t(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put_u32(out, uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
}

}  // namespace

bool write_png(const std::string& path, const RgbImage& image)
{
    // Every row starts with filter type 0 (none): the pixels as they are.
    std::vector<uint8_t> rows;
    rows.reserve(size_t(image.height) * (size_t(image.width) * 3 + 1));
    for (int y = 0; y < image.height; ++y) {
        rows.push_back(0);
        for (int x = 0; x < image.width; ++x) {
            const uint32_t rgb = image.pixels[size_t(y) * size_t(image.width) + size_t(x)];
            rows.insert(rows.end(), {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)});
        }
    }
    uLongf packed_size = compressBound(uLong(rows.size()));
    std::vector<uint8_t> packed(packed_size);
    if (compress2(packed.data(), &packed_size, rows.data(), uLong(rows.size()), 9) != Z_OK)
        return false;
    packed.resize(packed_size);

    std::vector<uint8_t> header;
    put_u32(header, uint32_t(image.width));
    put_u32(header, uint32_t(image.height));
    header.insert(header.end(),
                  {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter choice, no interlace
    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    put_chunk(file, "IHDR", header);
    put_chunk(file, "IDAT", packed);
    put_chunk(file, "IEND", {});
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    out.close();
    return bool(out);
}
