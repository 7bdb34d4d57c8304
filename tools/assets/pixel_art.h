// Pixel art for the game's two images: the palette, sprites drawn as text
// grids, the sprite sheet assembled from them and the title panels composed
// from sprites, text and simple fills.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "source_text.h"

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};
inline bool operator==(Rgb a, Rgb b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}
inline bool operator!=(Rgb a, Rgb b)
{
    return !(a == b);
}

// The colour the game's masked_blit leaves out.
constexpr Rgb MASK_COLOUR{255, 0, 255};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // row by row, top row first

    Image() = default;
    Image(int w, int h, Rgb fill);
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Rgb at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    void set(int x, int y, Rgb c) { pixels[static_cast<size_t>(y * width + x)] = c; }
    bool opaque(int x, int y) const { return at(x, y) != MASK_COLOUR; }
};

// Colours by one-character key (used in sprite grids) and by name (used in
// the panel layout). The key '.' is always the transparent mask colour.
class Palette {
public:
    static constexpr char TRANSPARENT_KEY = '.';
    void add(char key, const std::string& name, Rgb colour, const Statement& where);
    bool find_key(char key, Rgb* out) const;
    // A palette name or a literal "#rrggbb".
    Rgb colour(const Statement& where, const std::string& name) const;
    size_t size() const { return by_key_.size(); }

private:
    std::map<char, Rgb> by_key_;
    std::map<std::string, Rgb> by_name_;
};

Palette parse_palette(const SourceFile& file);

// Sprites by name; transparent pixels hold MASK_COLOUR.
using SpriteLibrary = std::map<std::string, Image>;
void parse_sprites(const SourceFile& file, const Palette& palette, SpriteLibrary* library);

// The sprite sheet: "size W H" then "place SPRITE X Y" lines. Sprites may
// share pixels only where they agree on the colour.
Image build_sprite_sheet(const SourceFile& layout, const SpriteLibrary& sprites);

// Allegro's built-in 8x8 font as bit rows (bit 7 is the leftmost pixel).
struct Glyphs {
    std::array<std::array<uint8_t, 8>, 128> rows{};
};
Glyphs allegro_font_glyphs();

// The title sheet: panels drawn from fills, gradients, star fields, boxes,
// sprites and text. See data/art/title_sheet.txt for the commands.
Image build_title_sheet(const SourceFile& layout, const Palette& palette,
                        const SpriteLibrary& sprites, const Glyphs& glyphs);
