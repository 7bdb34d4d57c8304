#include "platform/allegro/scaled_copy.h"

#include <cstring>

namespace {

bool fast_path_fits(BITMAP* from, BITMAP* to, int32_t scale)
{
    return bitmap_color_depth(from) == 32 && bitmap_color_depth(to) == 32 && is_memory_bitmap(from)
           && is_memory_bitmap(to) && to->w >= from->w * scale && to->h >= from->h * scale;
}

// One source row enlarged into one row; a scale known at compile time lets
// the compiler unroll the repeat.
template <int32_t SCALE>
void widen_row(const uint32_t* source, uint32_t* row, int width)
{
    for (int x = 0; x < width; ++x)
        for (int32_t k = 0; k < SCALE; ++k)
            *row++ = source[x];
}

using WidenRow = void (*)(const uint32_t*, uint32_t*, int);
constexpr WidenRow WIDEN_ROW[] = {nullptr,      widen_row<1>, widen_row<2>, widen_row<3>,
                                  widen_row<4>, widen_row<5>, widen_row<6>};

}  // namespace

void copy_scaled_rows(BITMAP* from, BITMAP* to, int32_t scale, int first, int end)
{
    if (scale < 1 || scale > 6 || !fast_path_fits(from, to, scale)) {
        stretch_blit(from, to, 0, first, from->w, end - first, 0, first * scale, from->w * scale,
                     (end - first) * scale);
        return;
    }
    const size_t row_bytes = size_t(from->w) * size_t(scale) * sizeof(uint32_t);
    for (int y = first; y < end; ++y) {
        WIDEN_ROW[scale](reinterpret_cast<const uint32_t*>(from->line[y]),
                         reinterpret_cast<uint32_t*>(to->line[y * scale]), from->w);
        for (int32_t k = 1; k < scale; ++k)
            if (to->line[y * scale + k] != to->line[y * scale])
                std::memcpy(to->line[y * scale + k], to->line[y * scale], row_bytes);
    }
}

BITMAP* create_scaled_bitmap(int32_t width, int32_t height, int32_t scale)
{
    BITMAP* bitmap = create_bitmap(width * scale, height * scale);
    if (bitmap && scale > 1 && fast_path_fits(bitmap, bitmap, 1))
        for (int y = 0; y < bitmap->h; ++y)
            bitmap->line[y] = bitmap->line[y - y % scale];
    return bitmap;
}

bool next_changed_rows(BITMAP* frame, BITMAP* shown, int& first, int& end)
{
    const size_t row_bytes = size_t(frame->w) * size_t((bitmap_color_depth(frame) + 7) / 8);
    const auto changed = [&](int y) {
        return std::memcmp(frame->line[y], shown->line[y], row_bytes) != 0;
    };
    while (first < frame->h && !changed(first))
        ++first;
    end = first;
    while (end < frame->h && changed(end))
        ++end;
    return first < end;
}
