// The player: walking scrolls the level, jumping, falling, dying off the
// bottom of the screen, and the shots he fires.
#include "game_fixture.h"
#include "world/player.h"

namespace {

class PlayerTest : public PlaySceneTest {
public:
    // A block the player stands on: two columns left of his, its top 32
    // pixels below his marker's row.
    void stand_on_block()
    {
        put(15, 15, TILE_BLOCK);  // top 150: he lands at py 116 and stands at 118
        for (int i = 0; i < 40 && game.player_falling == FLAG_SET; ++i)
            pass();
        ASSERT_EQ(game.player_falling, FLAG_CLEAR);
    }
};

}  // namespace

TEST_F(PlayerTest, FallingFromRowElevenDiesInTheFortySeventhFrame)
{
    for (int frame = 1; frame <= 46; ++frame) {
        pass();
        ASSERT_EQ(game.player_y, 110 + 2 * (frame - 1)) << "frame " << frame;
        ASSERT_EQ(game.game_mode, MODE_PLAY) << "frame " << frame;
    }
    pass();
    EXPECT_EQ(game.player_y, 202);
    EXPECT_EQ(game.player_offset_y, 94);
    EXPECT_EQ(game.game_mode, MODE_TITLE);
    // A death changes nothing but the mode.
    EXPECT_EQ(game.level_number, 2);
    EXPECT_EQ(game.player_falling, FLAG_SET);
}

TEST_F(PlayerTest, AJumpRisesSixtyPixelsInThirtyFramesAndLandsWhereItStarted)
{
    pass(SCRIPT_UP);
    EXPECT_EQ(game.player_jumping, FLAG_CLEAR) << "no jump while falling";
    stand_on_block();
    const int32_t standing = game.player_offset_y;
    pass(SCRIPT_UP);
    EXPECT_EQ(game.player_jumping, FLAG_SET);
    int32_t highest = standing;
    for (int i = 0; i < 30; ++i) {
        pass();
        highest = std::min(highest, game.player_offset_y);
    }
    EXPECT_EQ(standing - highest, 60);
    EXPECT_EQ(game.player_jumping, FLAG_CLEAR);
    EXPECT_EQ(game.player_falling, FLAG_SET);
    for (int i = 0; i < 40 && game.player_falling == FLAG_SET; ++i)
        pass();
    EXPECT_EQ(game.player_falling, FLAG_CLEAR);
    EXPECT_EQ(game.player_offset_y, standing);
}

TEST_F(PlayerTest, TenFramesOfLeftTakeFiveStepsWithoutMovingThePlayer)
{
    pass();
    const int32_t x = game.player_x;
    for (int frame = 1; frame <= 10; ++frame) {
        pass(SCRIPT_LEFT);
        EXPECT_EQ(game.camera_x, -10 * (frame / 2)) << "frame " << frame;
    }
    EXPECT_EQ(game.player_facing, PLAYER_LEFT);
    EXPECT_EQ(game.player_frame, 2);
    EXPECT_EQ(game.camera_column, -5);
    pass();
    EXPECT_EQ(game.player_x, x);
    EXPECT_EQ(x, 160);
}

TEST_F(PlayerTest, BothArrowsStepEveryFrameInOneDirection)
{
    for (int frame = 1; frame <= 4; ++frame) {
        pass(SCRIPT_LEFT | SCRIPT_RIGHT);
        EXPECT_EQ(game.camera_x, 10 * frame);
    }
    EXPECT_EQ(game.player_facing, PLAYER_RIGHT);

    game.move_counter = 1;  // from an odd count the left arrow takes the step
    pass(SCRIPT_LEFT | SCRIPT_RIGHT);
    EXPECT_EQ(game.camera_x, 30);
    EXPECT_EQ(game.player_facing, PLAYER_LEFT);

    pass(SCRIPT_RIGHT);
    pass();
    pass(SCRIPT_RIGHT);  // the count survives the release: a step
    EXPECT_EQ(game.camera_x, 40);
}

TEST_F(PlayerTest, ShotsLeaveEverySixthFrameWithTheGunSoundOnEveryFrame)
{
    for (int frame = 1; frame <= 12; ++frame) {
        pass(SCRIPT_SPACE);
        EXPECT_EQ(pass_sound_count(), 1);
        EXPECT_EQ(pass_sound(0), SOUND_SHOT);
        EXPECT_EQ(game.shot_active[1], frame >= 6 ? 2 : 1) << "frame " << frame;
        EXPECT_EQ(game.shot_active[2], frame >= 12 ? 2 : 1) << "frame " << frame;
    }
    EXPECT_EQ(game.next_shot_slot, 3);
    game.next_shot_slot = 20;
    passes(12, SCRIPT_SPACE);
    EXPECT_EQ(game.next_shot_slot, 2) << "slot 20 is followed by slot 1";
    EXPECT_EQ(game.shot_active[0], FLAG_CLEAR) << "slot 0 is never armed";
}

TEST_F(PlayerTest, AShotFiredRightFliesFiveAFrameAndIsDrawnUntilItIsRetired)
{
    use_test_sheet();
    stand_on_block();
    passes(5, SCRIPT_SPACE);
    pass(SCRIPT_SPACE);  // armed between frames, from where the slot rode
    ASSERT_EQ(game.shot_active[1], FLAG_SET);
    ASSERT_EQ(game.shot_x[1], 160);
    const int32_t y = game.shot_y[1];
    EXPECT_EQ(y, game.player_y + 15);
    const int shot_colour = test_sheet_colour("straight shot");
    for (int32_t x = 165; x <= 320; x += 5) {
        pass();
        ASSERT_EQ(game.shot_x[1], x);
        ASSERT_EQ(game.shot_active[1], FLAG_SET) << "x " << x;
        if (x >= 180 && x < 320) {  // the player is drawn over his shot before that
            ASSERT_EQ(pixel(x, y), shot_colour) << "x " << x;
        }
    }
    pass();
    EXPECT_EQ(game.shot_x[1], 325);
    EXPECT_EQ(game.shot_active[1], FLAG_CLEAR);
    pass();
    EXPECT_EQ(game.shot_x[1], 160) << "an idle shot rides with the player again";
}

TEST_F(PlayerTest, AShotFiredLeftIsRetiredAtTheLeftEdgeAndDrawnThereOnceMore)
{
    use_test_sheet();
    stand_on_block();
    pass(SCRIPT_LEFT);
    pass(SCRIPT_LEFT);  // a step: now facing left
    put(15, 15, TILE_EMPTY);
    put(15, 14, TILE_BLOCK);  // the block under him after the step
    game.fire_counter = 5;
    pass(SCRIPT_SPACE);
    ASSERT_EQ(game.shot_direction[1], PLAYER_LEFT);
    for (int32_t x = 155; x >= 5; x -= 5) {
        pass();
        ASSERT_EQ(game.shot_active[1], FLAG_SET) << "x " << x;
    }
    pass();
    EXPECT_EQ(game.shot_x[1], 0);
    EXPECT_EQ(game.shot_active[1], FLAG_CLEAR);
    EXPECT_EQ(pixel(0, game.shot_y[1]), test_sheet_colour("straight shot"));
}

TEST_F(PlayerTest, AShotKeepsItsDirectionWhenThePlayerTurnsAndReArmingTurnsIt)
{
    stand_on_block();
    game.fire_counter = 5;
    pass(SCRIPT_SPACE);
    passes(4);
    const int32_t x = game.shot_x[1];
    passes(2, SCRIPT_LEFT);
    EXPECT_EQ(game.shot_direction[1], PLAYER_RIGHT);
    EXPECT_EQ(game.shot_x[1], x + 10);
    game.next_shot_slot = 1;
    game.fire_counter = 5;
    pass(SCRIPT_SPACE);
    pass();
    EXPECT_EQ(game.shot_direction[1], PLAYER_LEFT) << "re-armed in flight, it takes the new facing";
    EXPECT_EQ(game.shot_x[1], x + 10) << "and flies on from where it was";
}

TEST_F(PlayerTest, TheSpriteIsDrawnAfterTheMoveWhileTestsSeeTheHeightBeforeIt)
{
    use_test_sheet();
    pass();
    EXPECT_EQ(game.player_y, 110);
    EXPECT_EQ(pixel(160, 112), test_sheet_colour("player right 1"));
    EXPECT_EQ(pixel(160, 111), 0);
}

// The player runs only in play, and only for a marker in columns 0 to 32.
TEST_F(PlayerTest, ThePlayerIsNotRunInTheEditorNorBeyondColumnThirtyTwo)
{
    game.game_mode = MODE_EDITOR;
    game.shot_active[3] = FLAG_SET;
    game.shot_direction[3] = PLAYER_RIGHT;
    game.shot_x[3] = 100;
    passes(3);
    EXPECT_EQ(game.player_offset_y, 0);
    EXPECT_EQ(game.shot_x[3], 100) << "his shots do not move either";

    game.game_mode = MODE_PLAY;
    put(11, 16, TILE_EMPTY);
    put(11, 33, TILE_PLAYER);
    passes(5);
    EXPECT_EQ(game.player_offset_y, 0);
    EXPECT_EQ(game.player_x, 0);
}
