// Enemy shots: scroll shifts, where flights end, explosions and re-arming.
#include "shell/world_scan.h"
#include "test_enemy_fixture.h"

namespace {

class EnemyShotsTest : public EnemyFixture {};

TEST_F(EnemyShotsTest, ShiftsFollowTheArrowKeysAndBothTogetherCancel)
{
    EnemyShot& lob = game.enemies_a[0].shots[1];
    EnemyShot& arc = game.enemies_b[0].shots[1];
    EnemyShot& rising = game.enemies_d[0].shots[1];
    lob.flying = arc.flying = rising.flying = FLAG_SET;
    rising.y = 100;
    start_explosion(game.enemies_a[0].shots[2], 50, 50);
    start_explosion(game.enemies_b[0].shots[2], 50, 50);
    const uint16_t held[] = {SCRIPT_LEFT, SCRIPT_RIGHT, SCRIPT_RIGHT, SCRIPT_LEFT | SCRIPT_RIGHT};
    for (uint16_t keys : held) {
        hold_script_keys(keys);
        for (EnemyVisit visit : {update_enemy_a, update_enemy_b, update_enemy_d})
            visit(0, 10, 10);
    }
    for (const EnemyShot* shot : {&lob, &arc, &rising})
        EXPECT_EQ(shot->shift, 5);
    EXPECT_EQ(game.enemies_a[0].shots[2].explosion_shift, 5);
    EXPECT_EQ(game.enemies_b[0].shots[2].explosion_shift, 5);
}

TEST_F(EnemyShotsTest, LobbedShotArmedPastTheFloorIsDrawnOnceAndNeverExplodes)
{
    use_test_sheet();
    EnemySlot& a = game.enemies_a[0];
    a.falling = FLAG_CLEAR;
    a.offset_y = 2;  // at row 18 its shots rest at y 182
    a.fire_timer = 59;
    update_enemy_a(0, 18, 10);
    update_enemy_a(0, 18, 10);  // arms slot 1 from (99, 182)
    EXPECT_EQ(pixel(99, 181), test_sheet_colour("lobbed shot 1"));
    EXPECT_EQ(a.shots[1].flying, FLAG_CLEAR);
    for (int i = 0; i < 60; ++i)
        update_enemy_a(0, 18, 10);
    EXPECT_EQ(a.shots[1].explosion_state, FLAG_CLEAR);
}

TEST_F(EnemyShotsTest, ArcShotMeetingABlockExplodesWhereItWasLastDrawnFor78Visits)
{
    EnemySlot& b = game.enemies_b[0];
    EnemyShot& shot = b.shots[1];
    b.falling = FLAG_CLEAR;
    b.fire_timer = 39;
    update_enemy_b(0, 10, 10);  // rests at (100, 100); armed in the next visit
    hold_script_keys(SCRIPT_RIGHT);
    for (int i = 0; i < 10; ++i)
        update_enemy_b(0, 10, 10);
    hold_script_keys(0);  // flown 10 visits, shifted 50: drawn at (40, 90)
    shot.explosion_timer = 3;
    visit_block(8, 3);  // its window: x 31..51, y 81..101
    EXPECT_TRUE(shot.explosion_state == FLAG_SET && shot.flying == FLAG_CLEAR
                && shot.explosion_x == 40);
    EXPECT_EQ(shot.explosion_y, 58);
    EXPECT_TRUE(shot.flight_timer == 0 && shot.explosion_timer == 0);
    int visits = 0;
    for (; shot.explosion_state == FLAG_SET && visits < 1000; ++visits)
        update_enemy_b(0, 10, 10);
    EXPECT_EQ(visits, 78);
}

TEST_F(EnemyShotsTest, StraightShotArmedNearAnEdgeEndsInItsFirstVisit)
{
    const struct {
        int32_t walking, x;
        bool flies_on;
    } cases[] = {{2, 7, false}, {2, 8, true}, {1, 317, true}, {1, 318, false}};
    EnemySlot& c = game.enemies_c[0];
    for (const auto& k : cases) {
        reset_enemies();
        c.direction = k.walking;
        c.fire_timer = 20;
        c.shots[1].x = k.x;
        update_enemy_c(0, 10, 10);  // turns and fires the other way
        EXPECT_EQ(c.shots[1].direction, 3 - k.walking);
        EXPECT_EQ(c.shots[1].flying, k.flies_on ? FLAG_SET : FLAG_CLEAR) << "from x " << k.x;
    }
}

TEST_F(EnemyShotsTest, ReArmingAFlyingArcOrRisingShotDropsItsShift)
{
    for (EnemySlot* enemy : {&game.enemies_b[0], &game.enemies_d[0]}) {
        enemy->shots[1] = EnemyShot{2, 100, 100, 35, 5, 0, 1, 0, 0, 0, 1, 0};  // shifted 35
        enemy->fire_timer = 60;
    }
    game.enemies_b[0].fire_timer = 40;
    update_enemy_b(0, 10, 10);
    update_enemy_d(0, 10, 10);
    EXPECT_EQ(game.enemies_b[0].shots[1].shift, 0);
    EXPECT_EQ(game.enemies_d[0].shots[1].shift, 0);
}

}  // namespace
