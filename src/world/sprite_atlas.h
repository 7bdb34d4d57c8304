// The sprite atlas: every figure of the game world is a fixed rectangle of
// the sprite sheet, drawn masked into the back buffer at full size.
#pragma once

#include <cstdint>

struct SpriteRect {
    int16_t x, y, width, height;
};

// Rectangles the handlers draw directly.
constexpr SpriteRect ATLAS_STRAIGHT_SHOT{0, 81, 10, 5};  // player's and group C's shot
constexpr SpriteRect ATLAS_BLOCK{0, 40, 20, 20};
constexpr SpriteRect ATLAS_ARC_SHOT{0, 60, 10, 10};  // group B
constexpr SpriteRect ATLAS_ENEMY_B{192, 0, 32, 32};
constexpr SpriteRect ATLAS_RISING_SHOT{109, 42, 20, 20};  // group D
constexpr SpriteRect ATLAS_ENEMY_D{80, 40, 20, 20};
constexpr SpriteRect ATLAS_DROP_MARKER{0, 120, 10, 10};
constexpr SpriteRect ATLAS_ERASER{500, 0, 10, 10};  // editor preview only

// Rectangles chosen by the sprite routines, indexed by their selectors.
// Player: [facing - 1][frame - 1], facing 1 right, 2 left.
constexpr SpriteRect ATLAS_PLAYER[2][2] = {
    {{0, 0, 20, 32}, {20, 0, 20, 32}},   // facing right, frames 1 and 2
    {{40, 0, 20, 32}, {60, 0, 20, 32}},  // facing left
};
// Enemies: [direction - 1][frame - 1], direction 1 left, 2 right.
constexpr SpriteRect ATLAS_ENEMY_A[2][2] = {
    {{120, 0, 20, 32}, {140, 0, 20, 32}},  // walking left
    {{80, 0, 20, 32}, {100, 0, 20, 32}},   // walking right
};
constexpr SpriteRect ATLAS_ENEMY_C[2][2] = {
    {{329, 0, 20, 32}, {349, 0, 20, 32}},  // walking left
    {{291, 0, 20, 32}, {311, 0, 20, 32}},  // walking right (311 overlaps 329 by two columns)
};
constexpr SpriteRect ATLAS_LOBBED_SHOT[2] = {{0, 70, 10, 10}, {10, 70, 10, 10}};
constexpr int32_t EXPLOSION_FRAMES = 13;
constexpr SpriteRect ATLAS_EXPLOSION[EXPLOSION_FRAMES] = {
    {103, 35, 32, 32},  // 1: flash
    {139, 35, 32, 32},  // 2
    {175, 70, 10, 10},  // 3: the small cell
    {103, 35, 32, 32},  // 4: the flash again
    {211, 35, 32, 32},  // 5
    {248, 35, 32, 32},  // 6
    {284, 35, 32, 32},  // 7
    {320, 35, 32, 32},  // 8
    {355, 35, 32, 32},  // 9
    {391, 35, 32, 32},  // 10
    {427, 35, 32, 32},  // 11
    {463, 35, 32, 32},  // 12
    {499, 35, 32, 32},  // 13
};
constexpr SpriteRect ATLAS_DYING_ENEMY[3] = {{0, 90, 20, 20}, {20, 90, 20, 20}, {40, 90, 20, 20}};

// Every rectangle of the sheet, for tools and tests that check a sheet.
struct NamedSpriteRect {
    const char* name;
    SpriteRect rect;
};
extern const NamedSpriteRect SPRITE_ATLAS[];
extern const int SPRITE_ATLAS_SIZE;

// Draws one rectangle of the sheet with its top-left corner at (x, y).
// Nothing is drawn when the sheet failed to load.
void draw_sprite_rect(const SpriteRect& rect, int32_t x, int32_t y);

// The sprite routines; each draws nothing for selector values it does not know.
void draw_player(int32_t facing, int32_t frame, int32_t x, int32_t y);
void draw_enemy_a(int32_t direction, int32_t frame, int32_t x, int32_t y);
void draw_enemy_c(int32_t direction, int32_t frame, int32_t x, int32_t y);
void draw_lobbed_shot(int32_t kind, int32_t x, int32_t y);
void draw_explosion(int32_t frame, int32_t x, int32_t y);
void draw_dying_enemy(int32_t frame, int32_t x, int32_t y);
