#include "enemies/enemy_groups.h"

#include "enemies/enemy_shots.h"
#include "world/sprite_atlas.h"

namespace {

// The brushes' pictures: the walkers face left.
void preview_enemy_a(int32_t x, int32_t y)
{
    draw_enemy_a(ENEMY_LEFT, 1, x, y);
}

void preview_enemy_b(int32_t x, int32_t y)
{
    draw_sprite_rect(ATLAS_ENEMY_B, x, y);
}

void preview_enemy_c(int32_t x, int32_t y)
{
    draw_enemy_c(ENEMY_LEFT, 1, x, y);
}

void preview_enemy_d(int32_t x, int32_t y)
{
    draw_sprite_rect(ATLAS_ENEMY_D, x, y);
}

}  // namespace

// Indexed by EnemyGroup. Groups A to C fall until a block holds them; D is a
// turret that stands where it is put.
const EnemyGroupRow ENEMY_GROUPS[GROUP_COUNT] = {
    {'A', ENEMY_A_BASE, game.enemies_a, &GameState::next_code_a, update_enemy_a, &LOBBED_SHOT,
     preview_enemy_a, true, "enemies_a", "next_code_a"},
    {'B', ENEMY_B_BASE, game.enemies_b, &GameState::next_code_b, update_enemy_b, &ARC_SHOT,
     preview_enemy_b, true, "enemies_b", "next_code_b"},
    {'C', ENEMY_C_BASE, game.enemies_c, &GameState::next_code_c, update_enemy_c, &STRAIGHT_SHOT,
     preview_enemy_c, true, "enemies_c", "next_code_c"},
    {'D', ENEMY_D_BASE, game.enemies_d, &GameState::next_code_d, update_enemy_d, &RISING_SHOT,
     preview_enemy_d, false, "enemies_d", "next_code_d"},
};
