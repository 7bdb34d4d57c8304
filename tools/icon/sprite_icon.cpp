// tarnblast-icon: makes the desktop icon from the game's own sprite sheet.
// Crops one sprite out of a 24- or 32-bit uncompressed BMP, centres it on a
// square canvas and writes it as an XPM image, with the game's mask colour
// (magenta) transparent.
//
//   tarnblast-icon SHEET.bmp X Y WIDTH HEIGHT SIZE OUT.xpm
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

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

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 8) {
        std::fprintf(stderr, "usage: tarnblast-icon SHEET.bmp X Y WIDTH HEIGHT SIZE OUT.xpm\n");
        return 2;
    }
    const int left = std::atoi(argv[2]), top = std::atoi(argv[3]);
    const int width = std::atoi(argv[4]), height = std::atoi(argv[5]);
    const int size = std::atoi(argv[6]);
    Image sheet;
    std::string error;
    if (!read_bmp(argv[1], sheet, error)) {
        std::fprintf(stderr, "tarnblast-icon: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    if (left < 0 || top < 0 || width < 1 || height < 1 || left + width > sheet.width
        || top + height > sheet.height || size < width || size < height || size > 256) {
        std::fprintf(stderr,
                     "tarnblast-icon: the sprite does not lie on the sheet or fit the icon\n");
        return 2;
    }

    // The icon's pixels, the sprite in the middle, everything else masked.
    std::vector<uint32_t> icon(size_t(size) * size_t(size), MASK);
    const int dx = (size - width) / 2, dy = (size - height) / 2;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            icon[size_t(y + dy) * size_t(size) + size_t(x + dx)] =
                sheet.pixels[size_t(top + y) * size_t(sheet.width) + size_t(left + x)];

    // One character per colour, the mask first as "None".
    const std::string symbols =
        " .abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+@#$%&*=-;:>,<";
    std::map<uint32_t, char> colours{{MASK, ' '}};
    for (uint32_t colour : icon)
        if (!colours.count(colour)) {
            if (colours.size() >= symbols.size()) {
                std::fprintf(stderr, "tarnblast-icon: the sprite has too many colours\n");
                return 1;
            }
            colours.emplace(colour, symbols[colours.size()]);
        }

    std::FILE* out = std::fopen(argv[7], "w");
    if (!out) {
        std::fprintf(stderr, "tarnblast-icon: cannot write %s\n", argv[7]);
        return 1;
    }
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
    if (std::fclose(out) != 0) {
        std::fprintf(stderr, "tarnblast-icon: cannot write %s\n", argv[7]);
        return 1;
    }
    return 0;
}
