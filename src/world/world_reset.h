#pragma once

// Puts the player, his shots, every enemy and the editor's next-code counters
// back to their start values. On the title it also starts a new game: level
// 2, the score cleared, the camera at the level's left end.
void reset_world();

// The player's movement state and the next shot slot at their start values.
void reset_player_movement();
