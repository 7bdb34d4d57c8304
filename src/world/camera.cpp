#include "world/camera.h"

#include "base/game_state.h"

namespace {

// camera_x / 10 to the nearest integer, a tie going to the even one.
int32_t camera_column_for(int32_t camera_x)
{
    // Floor division, then round the remainder half to even, all in integers.
    int32_t quotient = camera_x / 10;
    int32_t remainder = camera_x % 10;
    if (remainder < 0) {
        quotient -= 1;
        remainder += 10;
    }
    if (remainder > 5 || (remainder == 5 && (quotient & 1)))
        quotient += 1;
    return quotient;
}

}  // namespace

void move_camera(int32_t pixels)
{
    game.camera_x = int32_t(uint32_t(game.camera_x) + uint32_t(pixels));
    game.camera_column = camera_column_for(game.camera_x);
}

int32_t cell_screen_x(int32_t column)
{
    return wrap_sub(int32_t(uint32_t(column) * uint32_t(TILE_SIZE)), game.camera_x);
}
