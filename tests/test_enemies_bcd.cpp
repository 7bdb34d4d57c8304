// The groups side by side (arming beats, kills in the editor) and what sets
// B and D apart: B's endless death, D's solid body.
#include "test_enemy_fixture.h"
#include "world/camera.h"

namespace {

class EnemyGroupsTest : public EnemyFixture {};

std::vector<int> arming_visits(EnemyVisit visit, const EnemySlot& enemy, int visits)
{
    std::vector<int> armed;
    for (int v = 1; v <= visits; ++v) {
        const int32_t before = enemy.next_shot;
        visit(0, 10, 10);
        if (enemy.next_shot != before)
            armed.push_back(v);
    }
    return armed;
}

TEST_F(EnemyGroupsTest, EachGroupArmsOnItsOwnBeat)
{
    EXPECT_EQ(arming_visits(update_enemy_a, game.enemies_a[0], 250),
              (std::vector<int>{61, 121, 182, 242}));
    EXPECT_EQ(arming_visits(update_enemy_b, game.enemies_b[0], 170),
              (std::vector<int>{41, 82, 123, 164}));
    EXPECT_EQ(arming_visits(update_enemy_c, game.enemies_c[0], 90),
              (std::vector<int>{21, 41, 62, 82}));
    EXPECT_EQ(arming_visits(update_enemy_d, game.enemies_d[0], 250),
              (std::vector<int>{61, 122, 183, 244}));
}

TEST_F(EnemyGroupsTest, InTheEditorKillsScoreButTouchesLeaveTheMode)
{
    game.game_mode = MODE_EDITOR;
    game.player_x = game.player_y = 101;
    for (EnemyVisit visit : {update_enemy_a, update_enemy_b, update_enemy_c}) {
        fly_player_shot(1, 101, 103);
        visit(0, 10, 10);  // touched and shot at once
    }
    EXPECT_EQ(game.game_mode, MODE_EDITOR);
    EXPECT_EQ(game.score_digits[TENS_DIGIT], 6);
    EnemySlot& c = game.enemies_c[0];  // its hit also stops its fire timer
    EXPECT_TRUE(c.alive == FLAG_CLEAR && c.fire_timer == 0 && c.dying_frame == 1);
}

TEST_F(EnemyGroupsTest, GroupBStandsOnItsAnchorAndItsDeathExplosionRisesForever)
{
    use_test_sheet();
    EnemySlot& b = game.enemies_b[0];
    update_enemy_b(0, 10, 10);
    EXPECT_EQ(pixel(100, 102), test_sheet_colour("enemy B"));  // after the visit's fall
    fly_player_shot(1, 101, 103);
    for (int i = 0; i < 1001; ++i)
        update_enemy_b(0, 10, 10);
    EXPECT_TRUE(b.dying == FLAG_SET && b.dying_y == 102 - 3000 && b.screen_x == 100);
    b.dying_y = INT32_MIN + 1;  // wraps rather than overflow
    update_enemy_b(0, 10, 10);
    EXPECT_EQ(b.dying_y, INT32_MAX - 1);
}

TEST_F(EnemyGroupsTest, GroupDHoldsThrowsBackAndSwallowsShots)
{
    use_test_sheet();
    game.player_x = 101;  // 34 pixels above the turret at (100, 100)
    game.player_y = 66;
    fly_player_shot(1, 121, 121);
    fly_player_shot(2, 122, 110);
    update_enemy_d(0, 10, 10);
    EXPECT_TRUE(game.player_falling == FLAG_CLEAR && game.camera_x == 0);  // side reach from y 76
    EXPECT_TRUE(game.shot_active[1] == FLAG_CLEAR && game.shot_active[2] == FLAG_SET);
    EXPECT_TRUE(pass_sound_count() == 0 && game.score_digits[TENS_DIGIT] == 0);
    game.player_y = 76;
    for (int32_t facing : {PLAYER_RIGHT, PLAYER_LEFT}) {
        move_camera(-game.camera_x);
        game.player_facing = facing;
        game.player_falling = FLAG_SET;  // landed and thrown back in one visit
        clear_bitmap(back_buffer);
        update_enemy_d(0, 10, 10);
        EXPECT_EQ(game.camera_x, facing == PLAYER_RIGHT ? -20 : 20);
        EXPECT_EQ(pixel(100 - game.camera_x, 100), test_sheet_colour("enemy D"));
    }
    EXPECT_EQ(game.player_falling, FLAG_CLEAR);
}

}  // namespace
