// tarnblast-icon: makes the desktop's and the browser page's icons from the
// game's own sprite sheet. Crops one sprite out of a 24- or 32-bit
// uncompressed BMP, scales it by the largest whole factor that fits a square
// of SIZE pixels (its pixels stay sharp squares), centres it there and writes
// it as an XPM image (the desktop's) or a PNG image (the page's), with the
// game's mask colour (magenta) transparent.
//
//   tarnblast-icon SHEET.bmp X Y WIDTH HEIGHT SIZE OUT.xpm|OUT.png
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <zlib.h>

namespace {

struct Image {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB, top row first
};

uint32_t little_endian(const std::vector<uint8_t>& bytes, size_t at, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[at + size_t(i)];
    return value;
}

bool read_bmp(const std::string& path, Image& image, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
        error = "not a BMP file";
        return false;
    }
    const uint32_t data = little_endian(bytes, 10, 4);
    const int32_t width = int32_t(little_endian(bytes, 18, 4));
    const int32_t height = int32_t(little_endian(bytes, 22, 4));
    const uint32_t bits = little_endian(bytes, 28, 2);
    const uint32_t compression = little_endian(bytes, 30, 4);
    if ((bits != 24 && bits != 32) || compression != 0 || width <= 0 || height == 0 || width > 16384
        || height > 16384 || height < -16384) {
        error = "only uncompressed 24- and 32-bit BMP files are read";
        return false;
    }
    const int rows = height < 0 ? -height : height;
    const size_t stride = (size_t(width) * bits / 8 + 3) / 4 * 4;
    if (data + stride * size_t(rows) > bytes.size()) {
        error = "the file is cut short";
        return false;
    }
    image.width = width;
    image.height = rows;
    image.pixels.resize(size_t(width) * size_t(rows));
    for (int y = 0; y < rows; ++y) {
        const size_t row = data + stride * size_t(height < 0 ? y : rows - 1 - y);
        for (int x = 0; x < width; ++x) {
            const size_t at = row + size_t(x) * bits / 8;
            image.pixels[size_t(y) * size_t(width) + size_t(x)] =
                uint32_t(bytes[at + 2]) << 16 | uint32_t(bytes[at + 1]) << 8 | bytes[at];
        }
    }
    return true;
}

constexpr uint32_t MASK = 0xff00ff;

void put32(std::string& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char(value >> shift & 0xff);
}

void put_chunk(std::string& out, const char* type, const std::string& data)
{
    put32(out, uint32_t(data.size()));
    const std::string typed = type + data;
    out += typed;
    put32(out,
          uint32_t(crc32(0, reinterpret_cast<const Bytef*>(typed.data()), uInt(typed.size()))));
}

// An 8-bit palette PNG: entry 0 is the mask, fully transparent. Each row is
// stored as its difference from the row above ("up" filter), so that the
// rows a whole-factor scale repeats compress to almost nothing.
bool write_png(const char* path, int size, const std::vector<uint32_t>& icon)
{
    std::map<uint32_t, uint8_t> index{{MASK, 0}};
    std::string palette;
    for (uint32_t colour : icon)
        if (!index.count(colour)) {
            if (index.size() == 256)
                return false;
            index.emplace(colour, uint8_t(index.size()));
        }
    palette.resize(index.size() * 3);
    for (const auto& [colour, at] : index)
        for (int channel = 0; channel < 3; ++channel)
            palette[size_t(at) * 3 + size_t(channel)] = char(colour >> (16 - 8 * channel) & 0xff);
    std::string rows;
    for (size_t y = 0; y < size_t(size); ++y) {
        rows += '\2';
        for (size_t x = 0; x < size_t(size); ++x) {
            const uint8_t above = y ? index[icon[(y - 1) * size_t(size) + x]] : 0;
            rows += char(uint8_t(index[icon[y * size_t(size) + x]] - above));
        }
    }
    uLongf packed_size = compressBound(uLong(rows.size()));
    std::string packed(packed_size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
                  reinterpret_cast<const Bytef*>(rows.data()), uLong(rows.size()), 9)
        != Z_OK)
        return false;
    packed.resize(packed_size);
    std::string header;
    put32(header, uint32_t(size));
    put32(header, uint32_t(size));
    header += std::string("\x08\x03\0\0\0", 5);  // 8 bits, palette, no interlace
    std::string png = "\x89PNG\r\n\x1a\n";
    put_chunk(png, "IHDR", header);
    put_chunk(png, "PLTE", palette);
    put_chunk(png, "tRNS", std::string(1, '\0'));
    put_chunk(png, "IDAT", packed);
    put_chunk(png, "IEND", "");
    std::FILE* out = std::fopen(path, "wb");
    const bool written = out && std::fwrite(png.data(), 1, png.size(), out) == png.size();
    return out && std::fclose(out) == 0 && written;
}

bool write_xpm(const char* path, int size, const std::vector<uint32_t>& icon)
{
    // One character per colour, the mask first as "None".
    const std::string symbols =
        " .abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+@#$%&*=-;:>,<";
    std::map<uint32_t, char> colours{{MASK, ' '}};
    for (uint32_t colour : icon)
        if (!colours.count(colour)) {
            if (colours.size() >= symbols.size())
                return false;
            colours.emplace(colour, symbols[colours.size()]);
        }
    std::FILE* out = std::fopen(path, "w");
    if (!out)
        return false;
    std::fprintf(out, "/* XPM */\nstatic char *tarnblast[] = {\n\"%d %d %zu 1\",\n", size, size,
                 colours.size());
    for (const auto& [colour, symbol] : colours) {
        if (colour == MASK)
            std::fprintf(out, "\"%c c None\",\n", symbol);
        else
            std::fprintf(out, "\"%c c #%06X\",\n", symbol, unsigned(colour));
    }
    for (int y = 0; y < size; ++y) {
        std::fputc('"', out);
        for (int x = 0; x < size; ++x)
            std::fputc(colours[icon[size_t(y) * size_t(size) + size_t(x)]], out);
        std::fprintf(out, "\"%s\n", y + 1 < size ? "," : "");
    }
    std::fprintf(out, "};\n");
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 8) {
        std::fprintf(stderr,
                     "usage: tarnblast-icon SHEET.bmp X Y WIDTH HEIGHT SIZE OUT.xpm|OUT.png\n");
        return 2;
    }
    const int left = std::atoi(argv[2]), top = std::atoi(argv[3]);
    const int width = std::atoi(argv[4]), height = std::atoi(argv[5]);
    const int size = std::atoi(argv[6]);
    const std::string out_path = argv[7];
    const bool png = out_path.size() > 4 && out_path.compare(out_path.size() - 4, 4, ".png") == 0;
    Image sheet;
    std::string error;
    if (!read_bmp(argv[1], sheet, error)) {
        std::fprintf(stderr, "tarnblast-icon: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    if (left < 0 || top < 0 || width < 1 || height < 1 || left + width > sheet.width
        || top + height > sheet.height || size < width || size < height || size > 1024) {
        std::fprintf(stderr,
                     "tarnblast-icon: the sprite does not lie on the sheet or fit the icon\n");
        return 2;
    }

    // The icon's pixels, the sprite scaled up in the middle, everything else
    // masked.
    const int scale = std::min(size / width, size / height);
    std::vector<uint32_t> icon(size_t(size) * size_t(size), MASK);
    const int dx = (size - width * scale) / 2, dy = (size - height * scale) / 2;
    for (int y = 0; y < height * scale; ++y)
        for (int x = 0; x < width * scale; ++x)
            icon[size_t(y + dy) * size_t(size) + size_t(x + dx)] =
                sheet.pixels[size_t(top + y / scale) * size_t(sheet.width)
                             + size_t(left + x / scale)];

    if (!(png ? write_png : write_xpm)(argv[7], size, icon)) {
        std::fprintf(stderr,
                     "tarnblast-icon: cannot write %s (or the sprite has too many colours)\n",
                     argv[7]);
        return 1;
    }
    return 0;
}
