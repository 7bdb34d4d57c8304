// Group A: the walker's patrol, its lobbed shots, kills and endless fall.
#include "test_enemy_fixture.h"

namespace {

class EnemyATest : public EnemyFixture {
protected:
    EnemySlot& a = game.enemies_a[0];
    void visit(int times = 1)  // anchored at (100, 100) on screen
    {
        for (int i = 0; i < times; ++i)
            update_enemy_a(0, 10, 10);
    }

    // Flies the shot the next visit arms; its height relative to where it
    // rested, visit by visit, until it lands 5 pixels above that spot.
    std::vector<int32_t> lobbed_flight(EnemyShot& shot, bool drawn)
    {
        std::vector<int32_t> path;
        const int32_t x0 = shot.x, y0 = shot.y;
        do {
            clear_bitmap(back_buffer);
            visit();
            path.push_back(shot.y - y0);
            if (shot.flying == FLAG_SET) {
                EXPECT_EQ(pixel(x0, shot.y) == test_sheet_colour("lobbed shot 1"), drawn);
            }
        } while (shot.flying == FLAG_SET && path.size() < 100);
        EXPECT_TRUE(shot.explosion_x == x0 && shot.explosion_y == y0 - 5);
        return path;
    }
};

TEST_F(EnemyATest, TurnsAtBothEndsOfItsPatrolWithTheirOwnStepCounts)
{
    a.falling = FLAG_CLEAR;
    visit(61);  // turns left to right in visit 61 and walks back at once
    EXPECT_TRUE(a.offset_x == -60 && a.direction == ENEMY_RIGHT && a.fire_timer == 1);
    EXPECT_EQ(a.anim_timer, 7);  // frame steps after 11, ..., 55 steps; two in the turn
    visit(60);                   // turns right to left in visit 121, still one pixel right
    EXPECT_TRUE(a.offset_x == 0 && a.direction == ENEMY_LEFT && a.fire_timer == 0);
}

TEST_F(EnemyATest, EveryFlightOfASlotLobsTheSameArcAndExplodesFor143Visits)
{
    use_test_sheet();
    a.falling = FLAG_CLEAR;
    EnemyShot& shot = a.shots[1];
    visit(60);
    const std::vector<int32_t> first = lobbed_flight(shot, true);
    ASSERT_EQ(first.size(), 60u);  // up 19, hangs one visit, down 39, lands
    EXPECT_TRUE(first[17] == -18 && first[18] == -19 && first[19] == -19 && first[58] == 20);
    clear_bitmap(back_buffer);
    visit();
    EXPECT_EQ(pixel(40, 95), test_sheet_colour("explosion 1"));
    int explosion_visits = 1;
    for (; shot.explosion_state == FLAG_SET && explosion_visits < 1000; ++explosion_visits)
        visit();
    EXPECT_EQ(explosion_visits, 143);
    // Twenty armings later the slot flies the same arc, unseen: its kind is
    // its explosion frame, 14 since that explosion ended.
    while (a.next_shot != 1 || a.fire_timer != 60)
        visit();
    EXPECT_EQ(lobbed_flight(shot, false), first);
}

TEST_F(EnemyATest, EveryShotInTheBoxScoresThoughTheTouchKillsThenTheWreckRisesAway)
{
    game.player_x = 101;  // touch box x 101..121, y 91..132; hit box y from 101
    game.player_y = 91;
    fly_player_shot(3, 101, 101);
    fly_player_shot(7, 121, 132);
    fly_player_shot(8, 122, 110);
    game.shot_x[9] = game.shot_y[9] = 110;  // resting: harmless
    a.shots[2].flying = FLAG_SET;
    visit();
    const int32_t frozen_y = a.shots[2].y;
    EXPECT_EQ(game.game_mode, MODE_TITLE);
    EXPECT_EQ(game.score_digits[TENS_DIGIT], 4);
    ASSERT_EQ(pass_sound_count(), 2);
    EXPECT_TRUE(pass_sound(0) == SOUND_BLAST && pass_sound(1) == SOUND_BLAST);
    EXPECT_EQ(game.shot_active[3], FLAG_SET);  // the shots fly on
    EXPECT_TRUE(a.alive == FLAG_CLEAR && a.dying_x == 100 && a.dying_y == 100);
    visit(31);  // rises 3 a visit until above y 5; its shots stay where they were
    EXPECT_EQ(a.dying, FLAG_SET);
    visit();
    EXPECT_TRUE(a.dying == FLAG_CLEAR && a.dying_y == 4 && a.shots[2].y == frozen_y);
}

TEST_F(EnemyATest, FallingForeverWrapsInsteadOfOverflowing)
{
    a.offset_y = 0x7ffffffe;
    a.fire_timer = 59;
    visit(3);  // arms a shot on the way
    EXPECT_EQ(a.offset_y, int32_t(0x80000004));
    EXPECT_EQ(a.next_shot, 2);
}

}  // namespace
