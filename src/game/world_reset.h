#pragma once

// Puts the player, his shots, every enemy and the editor's next-code counters
// back to their start values. On the title it also starts a new game: level
// 2, the score cleared, the camera at the level's left end.
void reset_world();
