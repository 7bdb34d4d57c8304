// The title slideshow and the start of a game.
#pragma once

#include <cstdint>

constexpr int TITLE_CYCLE = 900;

void advance_title_timer();
void draw_title();
void start_game();

// Starts a game as S on the title does, but on the given level (1 to LEVEL_COUNT).
// Replays and tests use it to begin play anywhere.
void start_game_at_level(int32_t level);

// A level to warp to, as the replays and the page are told it: one digit
// from 1 to LEVEL_COUNT and nothing else. -1 for any other text.
int32_t warp_level_of(const char* text);
