// The browser's drawing: the game's own pixel loops into a frame of 32-bit
// pixels, giving exactly what Allegro's masked_blit, blit and textout_ex give
// on the desktop (the same clipping, the same mask colour, Allegro's own 8 x 8
// glyphs). Plain C++, so that the desktop tests can hold it against Allegro.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/platform.h"

// A picture of 0xRRGGBB pixels, row by row from the top.
struct SoftBitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    bool clear_owed = false;  // see soft_clear
    uint32_t* row(int y) { return &pixels[size_t(y) * size_t(width)]; }
    const uint32_t* row(int y) const { return &pixels[size_t(y) * size_t(width)]; }
};

// The mask colour of the sprite sheet: magenta, never drawn by a masked copy.
constexpr uint32_t SHEET_MASK_COLOUR = 0xff00ff;

// The glyphs of the characters ' ' to 0x7f, eight rows of eight bits each
// (the leftmost pixel in the highest bit).
using FontGlyphs = uint8_t[96][FONT_SIZE];

void soft_resize(SoftBitmap& bitmap, int width, int height);
// Clears the picture to black. The clear is owed rather than done: the next
// drawing does it first, unless it is an opaque copy that covers the whole
// picture anyway, as a title panel does on every pass of the title.
void soft_clear(SoftBitmap& bitmap);
// The picture's pixels, any clear it is owed done.
const uint32_t* soft_pixels(SoftBitmap& bitmap);
// Copies a width x height rectangle of `from` at (sx, sy) to (dx, dy) of `to`,
// clipped as Allegro clips a blit; a masked copy leaves out SHEET_MASK_COLOUR.
void soft_blit(const SoftBitmap& from, SoftBitmap& to, int sx, int sy, int dx, int dy, int width,
               int height, bool masked);
// Each character as an 8 x 8 cell: ink where its glyph has a bit, background
// elsewhere; characters without a glyph are drawn as '^', as Allegro does.
void soft_text(SoftBitmap& to, const FontGlyphs& glyphs, const char* text, int x, int y,
               uint32_t ink, uint32_t background);
