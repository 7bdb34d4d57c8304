#include "world/sprite_atlas.h"

#include "base/platform.h"

const NamedSpriteRect SPRITE_ATLAS[] = {
    {"player right 1", ATLAS_PLAYER[0][0]},
    {"player right 2", ATLAS_PLAYER[0][1]},
    {"player left 1", ATLAS_PLAYER[1][0]},
    {"player left 2", ATLAS_PLAYER[1][1]},
    {"enemy A left 1", ATLAS_ENEMY_A[0][0]},
    {"enemy A left 2", ATLAS_ENEMY_A[0][1]},
    {"enemy A right 1", ATLAS_ENEMY_A[1][0]},
    {"enemy A right 2", ATLAS_ENEMY_A[1][1]},
    {"enemy C left 1", ATLAS_ENEMY_C[0][0]},
    {"enemy C left 2", ATLAS_ENEMY_C[0][1]},
    {"enemy C right 1", ATLAS_ENEMY_C[1][0]},
    {"enemy C right 2", ATLAS_ENEMY_C[1][1]},
    {"lobbed shot 1", ATLAS_LOBBED_SHOT[0]},
    {"lobbed shot 2", ATLAS_LOBBED_SHOT[1]},
    {"explosion 1", ATLAS_EXPLOSION[0]},
    {"explosion 2", ATLAS_EXPLOSION[1]},
    {"explosion 3", ATLAS_EXPLOSION[2]},
    {"explosion 5", ATLAS_EXPLOSION[4]},
    {"explosion 6", ATLAS_EXPLOSION[5]},
    {"explosion 7", ATLAS_EXPLOSION[6]},
    {"explosion 8", ATLAS_EXPLOSION[7]},
    {"explosion 9", ATLAS_EXPLOSION[8]},
    {"explosion 10", ATLAS_EXPLOSION[9]},
    {"explosion 11", ATLAS_EXPLOSION[10]},
    {"explosion 12", ATLAS_EXPLOSION[11]},
    {"explosion 13", ATLAS_EXPLOSION[12]},
    {"dying enemy 1", ATLAS_DYING_ENEMY[0]},
    {"dying enemy 2", ATLAS_DYING_ENEMY[1]},
    {"dying enemy 3", ATLAS_DYING_ENEMY[2]},
    {"straight shot", ATLAS_STRAIGHT_SHOT},
    {"block", ATLAS_BLOCK},
    {"arc shot", ATLAS_ARC_SHOT},
    {"enemy B", ATLAS_ENEMY_B},
    {"rising shot", ATLAS_RISING_SHOT},
    {"enemy D", ATLAS_ENEMY_D},
    {"drop marker", ATLAS_DROP_MARKER},
    {"eraser", ATLAS_ERASER},
};
const int SPRITE_ATLAS_SIZE = int(sizeof SPRITE_ATLAS / sizeof SPRITE_ATLAS[0]);

namespace {

bool is_one_or_two(int32_t value)
{
    return value == 1 || value == 2;
}

}  // namespace

void draw_sprite_rect(const SpriteRect& rect, int32_t x, int32_t y)
{
    // A figure wholly off the buffer draws nothing; skipping it also keeps
    // far-off positions (an enemy that has fallen for hours) away from the
    // library's clipping arithmetic.
    if (x <= -rect.width || y <= -rect.height || x >= frame_width() || y >= frame_height())
        return;
    draw_sheet_rect(rect.x, rect.y, rect.width, rect.height, x, y);
}

void draw_player(int32_t facing, int32_t frame, int32_t x, int32_t y)
{
    if (is_one_or_two(facing) && is_one_or_two(frame))
        draw_sprite_rect(ATLAS_PLAYER[facing - 1][frame - 1], x, y);
}

void draw_enemy_a(int32_t direction, int32_t frame, int32_t x, int32_t y)
{
    if (is_one_or_two(direction) && is_one_or_two(frame))
        draw_sprite_rect(ATLAS_ENEMY_A[direction - 1][frame - 1], x, y);
}

void draw_enemy_c(int32_t direction, int32_t frame, int32_t x, int32_t y)
{
    if (is_one_or_two(direction) && is_one_or_two(frame))
        draw_sprite_rect(ATLAS_ENEMY_C[direction - 1][frame - 1], x, y);
}

void draw_lobbed_shot(int32_t kind, int32_t x, int32_t y)
{
    if (is_one_or_two(kind))
        draw_sprite_rect(ATLAS_LOBBED_SHOT[kind - 1], x, y);
}

void draw_explosion(int32_t frame, int32_t x, int32_t y)
{
    if (frame >= 1 && frame <= EXPLOSION_FRAMES)
        draw_sprite_rect(ATLAS_EXPLOSION[frame - 1], x, y);
}

void draw_dying_enemy(int32_t frame, int32_t x, int32_t y)
{
    if (frame >= 1 && frame <= 3)
        draw_sprite_rect(ATLAS_DYING_ENEMY[frame - 1], x, y);
}
