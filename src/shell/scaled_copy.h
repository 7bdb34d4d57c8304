// Enlarging the 320 x 200 frame for a bigger window by a whole factor: every
// pixel becomes a square of scale x scale. Made for that case alone, it
// writes each enlarged row once and copies it down, which costs far less
// than a general stretch.
#pragma once

#include <allegro.h>

#include <cstdint>

// Draws `from` enlarged `scale` times into the top-left corner of `to`, which
// must be at least that large. Bitmaps of 32 bits per pixel in memory take
// the fast path; others go through stretch_blit.
void copy_scaled(BITMAP* from, BITMAP* to, int32_t scale);
