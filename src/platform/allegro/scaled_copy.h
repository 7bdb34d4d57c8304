// Enlarging the 320 x 200 frame for a bigger window by a whole factor: every
// pixel becomes a square of scale x scale. Made for that case alone, it
// writes each enlarged row once and copies it down, which costs far less
// than a general stretch.
#pragma once

#include <allegro.h>

#include <cstdint>

// Draws the rows first to end - 1 of `from` enlarged `scale` times into `to`
// (at rows first * scale on), which must be at least scale times as large.
// Bitmaps of 32 bits per pixel in memory take the fast path; others go
// through stretch_blit.
void copy_scaled_rows(BITMAP* from, BITMAP* to, int32_t scale, int first, int end);

// The next run of rows, from row `first` on, in which two bitmaps of the
// same size and depth differ: sets first and end (one past the run's last row) and
// returns true, or returns false when no row from `first` on differs. A
// scaled window sends only the rows of its frame that changed.
bool next_changed_rows(BITMAP* frame, BITMAP* shown, int& first, int& end);

// A bitmap for copy_scaled_rows to fill, width x height enlarged `scale` times, in
// which the rows of each enlarged source row are one row of memory: the
// enlarged row is then written once, and a blit reads it `scale` times.
// Destroy it with destroy_bitmap.
BITMAP* create_scaled_bitmap(int32_t width, int32_t height, int32_t scale);
