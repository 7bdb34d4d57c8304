// Scenes for the enemy tests: play on an empty grid, the camera at 0, the
// player parked outside every box, a clean back buffer and no sounds yet.
#pragma once

#include <vector>

#include "base/score.h"
#include "enemies/enemy_groups.h"
#include "enemies/enemy_shots.h"
#include "enemies/enemy_tables.h"
#include "game_fixture.h"

using EnemyVisit = void (*)(int32_t slot, int32_t row, int32_t column);

class EnemyFixture : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        start_play();
        clear_grid();
        game.player_x = game.player_y = 2000;
        clear_bitmap(back_buffer);
        forget_pass_sounds();
    }

    static void fly_player_shot(int k, int32_t x, int32_t y)
    {
        game.shot_active[k] = FLAG_SET;
        game.shot_x[k] = x;
        game.shot_y[k] = y;
    }
};
