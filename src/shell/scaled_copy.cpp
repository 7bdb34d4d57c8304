#include "shell/scaled_copy.h"

#include <cstring>

namespace {

bool fast_path_fits(BITMAP* from, BITMAP* to, int32_t scale)
{
    return bitmap_color_depth(from) == 32 && bitmap_color_depth(to) == 32
           && is_memory_bitmap(from) && is_memory_bitmap(to) && to->w >= from->w * scale
           && to->h >= from->h * scale;
}

}  // namespace

void copy_scaled(BITMAP* from, BITMAP* to, int32_t scale)
{
    if (scale < 1 || !fast_path_fits(from, to, scale)) {
        stretch_blit(from, to, 0, 0, from->w, from->h, 0, 0, from->w * scale, from->h * scale);
        return;
    }
    const size_t row_bytes = size_t(from->w) * size_t(scale) * sizeof(uint32_t);
    for (int y = 0; y < from->h; ++y) {
        const uint32_t* source = reinterpret_cast<const uint32_t*>(from->line[y]);
        uint32_t* row = reinterpret_cast<uint32_t*>(to->line[y * scale]);
        for (int x = 0; x < from->w; ++x)
            for (int32_t k = 0; k < scale; ++k)
                *row++ = source[x];
        for (int32_t k = 1; k < scale; ++k)
            std::memcpy(to->line[y * scale + k], to->line[y * scale], row_bytes);
    }
}
