// The score: ten separate decimal digits (index 9 the ones, index 1 the
// hundred-millions; index 0 is never shown), carried once per frame. The
// HUD that shows it is drawn at the top of the program (game/hud.h).
#pragma once

#include <cstdint>

// What one kill adds to the tens digit (20 points).
constexpr int32_t KILL_TENS = 2;
constexpr int32_t TENS_DIGIT = 8;

void add_kill_score();
void normalise_score();
