// The world frame: one scan of the visible window of the level grid, which
// moves, tests and draws everything anchored there.
#pragma once

constexpr int WINDOW_COLUMNS = 33;

void run_world_frame();
