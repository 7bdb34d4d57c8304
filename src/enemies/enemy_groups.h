// One visit of an enemy by the world scan, per group: slot 0 to 50 and the
// visited anchor cell.
#pragma once

#include <cstdint>

void update_enemy_a(int32_t slot, int32_t row, int32_t column);
void update_enemy_b(int32_t slot, int32_t row, int32_t column);
void update_enemy_c(int32_t slot, int32_t row, int32_t column);
void update_enemy_d(int32_t slot, int32_t row, int32_t column);
