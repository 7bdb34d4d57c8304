// The horizontal scroll: camera_x in pixels and camera_column, the first
// scanned column.
#pragma once

#include <cstdint>

// Screen x of the left edge of a grid column with the camera as it stands.
int32_t cell_screen_x(int32_t column);

// Moves the camera by a number of pixels during play and recomputes the
// column at once. The sum wraps as on a 32-bit machine rather than overflow.
void move_camera(int32_t pixels);
