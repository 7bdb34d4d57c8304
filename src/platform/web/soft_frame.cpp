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

// One axis of a copy clipped as Allegro clips: the source first, then the
// destination. The axes do not touch each other, so each is clipped alone.
static void clip_axis(int& from_at, int& to_at, int& length, int from_size, int to_size)
{
    if (from_at < 0) {
        length += from_at;
        to_at -= from_at;
        from_at = 0;
    }
    length = std::min(length, from_size - from_at);
    if (to_at < 0) {
        length += to_at;
        from_at -= to_at;
        to_at = 0;
    }
    length = std::min(length, to_size - to_at);
}

void soft_blit(const SoftBitmap& from, SoftBitmap& to, int sx, int sy, int dx, int dy, int width,
               int height, bool masked)
{
    if (sx >= from.width || sy >= from.height || dx >= to.width || dy >= to.height)
        return;
    clip_axis(sx, dx, width, from.width, to.width);
    clip_axis(sy, dy, height, from.height, to.height);
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
