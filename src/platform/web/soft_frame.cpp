#include "platform/web/soft_frame.h"

#include <algorithm>

void soft_resize(SoftBitmap& bitmap, int width, int height)
{
    bitmap.width = width;
    bitmap.height = height;
    bitmap.pixels.assign(size_t(width) * size_t(height), 0);
}

void soft_clear(SoftBitmap& bitmap)
{
    std::fill(bitmap.pixels.begin(), bitmap.pixels.end(), 0u);
}

void soft_blit(const SoftBitmap& from, SoftBitmap& to, int sx, int sy, int dx, int dy, int width,
               int height, bool masked)
{
    if (sx >= from.width || sy >= from.height || dx >= to.width || dy >= to.height)
        return;
    // The source first, then the destination, as Allegro clips.
    if (sx < 0) {
        width += sx;
        dx -= sx;
        sx = 0;
    }
    if (sy < 0) {
        height += sy;
        dy -= sy;
        sy = 0;
    }
    width = std::min(width, from.width - sx);
    height = std::min(height, from.height - sy);
    if (dx < 0) {
        width += dx;
        sx -= dx;
        dx = 0;
    }
    if (dy < 0) {
        height += dy;
        sy -= dy;
        dy = 0;
    }
    width = std::min(width, to.width - dx);
    height = std::min(height, to.height - dy);
    for (int y = 0; y < height; ++y) {
        const uint32_t* source = from.row(sy + y) + sx;
        uint32_t* target = to.row(dy + y) + dx;
        if (!masked) {
            std::copy(source, source + width, target);
            continue;
        }
        // Written as a choice rather than a jump, so that the compiler can
        // copy several pixels at once.
        for (int x = 0; x < width; ++x)
            target[x] = source[x] == SHEET_MASK_COLOUR ? target[x] : source[x];
    }
}

void soft_text(SoftBitmap& to, const FontGlyphs& glyphs, const char* text, int x, int y,
               uint32_t ink, uint32_t background)
{
    for (; *text; ++text, x += 8) {
        const unsigned char c = static_cast<unsigned char>(*text);
        const uint8_t* glyph = glyphs[(c >= ' ' && c <= 0x7f ? c : '^') - ' '];
        for (int row = 0; row < 8; ++row) {
            if (y + row < 0 || y + row >= to.height)
                continue;
            for (int column = 0; column < 8; ++column)
                if (x + column >= 0 && x + column < to.width)
                    to.row(y + row)[x + column] = glyph[row] & (0x80 >> column) ? ink : background;
        }
    }
}
