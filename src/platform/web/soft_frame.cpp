#include "platform/web/soft_frame.h"

#include <algorithm>

void soft_resize(SoftBitmap& bitmap, int width, int height)
{
    bitmap.width = width;
    bitmap.height = height;
    bitmap.pixels.assign(size_t(width) * size_t(height), 0);
    bitmap.clear_owed = false;
}

void soft_clear(SoftBitmap& bitmap)
{
    bitmap.clear_owed = true;
}

static void pay_clear(SoftBitmap& bitmap)
{
    if (bitmap.clear_owed)
        std::fill(bitmap.pixels.begin(), bitmap.pixels.end(), 0u);
    bitmap.clear_owed = false;
}

const uint32_t* soft_pixels(SoftBitmap& bitmap)
{
    pay_clear(bitmap);
    return bitmap.pixels.data();
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
    if (!masked && dx == 0 && dy == 0 && width == to.width && height == to.height)
        to.clear_owed = false;  // every pixel is written below
    pay_clear(to);
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
    pay_clear(to);
    // The rows of the cells inside the picture; the columns of each cell
    // inside it are found per character.
    const int first_row = std::max(0, -y), end_row = std::min(FONT_SIZE, to.height - y);
    for (; *text; ++text, x += FONT_SIZE) {
        const unsigned char c = static_cast<unsigned char>(*text);
        const uint8_t* glyph = glyphs[(c >= ' ' && c <= 0x7f ? c : '^') - ' '];
        const int first_column = std::max(0, -x), end_column = std::min(FONT_SIZE, to.width - x);
        for (int row = first_row; row < end_row; ++row) {
            uint32_t* line = to.row(y + row);
            for (int column = first_column; column < end_column; ++column)
                line[x + column] = glyph[row] & (0x80 >> column) ? ink : background;
        }
    }
}
