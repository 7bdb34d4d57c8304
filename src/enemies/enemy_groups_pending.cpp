// Enemies stand still until their behaviour is written.
#include "enemies/enemy_groups.h"

void update_enemy_a(int32_t, int32_t, int32_t) {}
void update_enemy_b(int32_t, int32_t, int32_t) {}
void update_enemy_c(int32_t, int32_t, int32_t) {}
void update_enemy_d(int32_t, int32_t, int32_t) {}
