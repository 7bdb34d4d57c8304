// What ends a game: the touch of groups A, B and C, each kind of enemy shot
// and both kinds of explosion. Each kills in play when the player's corner
// lies strictly inside its box, on every edge of it but not a pixel outside,
// and does nothing in the editor, which runs the enemies too.
#include "enemies/enemy_groups.h"
#include "enemies/enemy_shots.h"
#include "game_fixture.h"

namespace {

// The open bounds of the player's top-left corner (x, y) that kill:
// left < x < right and top < y < bottom.
struct Bounds {
    int32_t left, right, top, bottom;
};

// A hazard's own box at (x, y): the player's corner kills when
// x < px < x + width and y < py + reach_above, py < y + height.
constexpr Bounds corner_in(int32_t x, int32_t y, int32_t reach_above, int32_t width, int32_t height)
{
    return {x, x + width, y - reach_above, y + height};
}

// A straight or rising shot kills when its corner (sx, sy) enters the
// player's 22 x 33 box: px < sx < px + 22 and py < sy < py + 33.
constexpr Bounds shot_in_player(int32_t sx, int32_t sy)
{
    return {sx - 22, sx, sy - 33, sy};
}

// Each hazard's visit, on an empty level in play with the camera at 0, so
// the enemy anchored at row 10, column 10 stands at (100, 100); shots and
// explosions (slot 1 of the group's first enemy) are put clear of its touch.
struct Hazard {
    const char* name;
    void (*visit)();
    Bounds kills;
};

EnemyShot& flying(EnemySlot* group, int32_t x, int32_t y)
{
    EnemyShot& shot = group[0].shots[1];
    shot.flying = FLAG_SET;
    shot.x = x, shot.y = y;
    return shot;
}

const Hazard HAZARDS[] = {
    {"group A's touch", [] { update_enemy_a(0, 10, 10); }, corner_in(100, 100, 10, 22, 33)},
    {"group B's touch", [] { update_enemy_b(0, 10, 10); }, corner_in(100, 100, 20, 33, 33)},
    {"group C's touch", [] { update_enemy_c(0, 10, 10); }, corner_in(100, 100, 20, 22, 33)},
    // Explosions in their first frame, at (200, 40).
    {"a lobbed shot's explosion (group A)",
     [] { start_explosion(game.enemies_a[0].shots[1], 200, 40), update_enemy_a(0, 10, 10); },
     corner_in(200, 40, 20, 35, 35)},
    {"an arc shot's explosion (group B)",
     [] { start_explosion(game.enemies_b[0].shots[1], 200, 40), update_enemy_b(0, 10, 10); },
     corner_in(200, 40, 12, 33, 33)},
    // At the top of its arc (visit 30 of its flight) the arc shot hangs for
    // one visit, so it is tested where it was put.
    {"an arc shot (group B)",
     [] { flying(game.enemies_b, 200, 40).flight_timer = 29, update_enemy_b(0, 10, 10); },
     corner_in(200, 40, 12, 12, 12)},
    // A straight shot flies 3 pixels before it is tested: from 197 to 200.
    {"a straight shot (group C)",
     [] { flying(game.enemies_c, 197, 60).direction = ENEMY_RIGHT, update_enemy_c(0, 10, 10); },
     shot_in_player(200, 60)},
    // A rising shot climbs 2 pixels before it is tested: from 62 to 60.
    {"a rising shot (group D)", [] { flying(game.enemies_d, 200, 62), update_enemy_d(0, 10, 10); },
     shot_in_player(200, 60)},
};

class HazardTest : public GameTest {
protected:
    // The mode after one visit of the hazard with the player's corner at (x, y).
    int32_t mode_after(const Hazard& hazard, int32_t x, int32_t y, int32_t mode)
    {
        restart_headless_game(MODE_TITLE, true);
        start_play();
        clear_grid();
        game.game_mode = mode;
        game.player_x = x;
        game.player_y = y;
        hazard.visit();
        return game.game_mode;
    }
};

TEST_F(HazardTest, EachKillsInPlayInsideItsBoxOnlyAndNeverInTheEditor)
{
    for (const Hazard& hazard : HAZARDS) {
        SCOPED_TRACE(hazard.name);
        const Bounds& b = hazard.kills;
        const int32_t mid_x = (b.left + b.right) / 2, mid_y = (b.top + b.bottom) / 2;
        const struct {
            int32_t x, y;
            bool kills;
        } corners[] = {
            {b.left + 1, mid_y, true},   {b.right - 1, mid_y, true}, {mid_x, b.top + 1, true},
            {mid_x, b.bottom - 1, true}, {b.left, mid_y, false},     {b.right, mid_y, false},
            {mid_x, b.top, false},       {mid_x, b.bottom, false},
        };
        for (const auto& corner : corners)
            EXPECT_EQ(mode_after(hazard, corner.x, corner.y, MODE_PLAY),
                      corner.kills ? MODE_TITLE : MODE_PLAY)
                << "player at (" << corner.x << ", " << corner.y << ")";
        EXPECT_EQ(mode_after(hazard, mid_x, mid_y, MODE_EDITOR), MODE_EDITOR);
    }
}

}  // namespace
