// The world scan and camera, blocks and drop markers, the title slideshow,
// the start of a game and the change of level.
#include "game_fixture.h"
#include "levels/load_level.h"
#include "shell/world_reset.h"
#include "shell/world_scan.h"
#include "world/blocks.h"
#include "world/camera.h"

namespace {

class WorldTest : public PlaySceneTest {
public:
    // The player as the scan left him: standing, facing right, at (px, py).
    static void place_player(int32_t px, int32_t py, int32_t falling = FLAG_CLEAR,
                             int32_t facing = 1)
    {
        game.player_x = px;
        game.player_y = py;
        game.player_falling = falling;
        game.player_facing = facing;
    }
};

}  // namespace

TEST_F(WorldTest, CameraColumnRoundsToTheNearestTiesToEven)
{
    const int32_t cases[][2] = {{0, 0},    {4, 0},      {5, 0},     {6, 1},   {15, 2},
                                {25, 2},   {35, 4},     {-5, 0},    {-6, -1}, {-15, -2},
                                {-25, -2}, {4805, 480}, {4815, 482}};
    for (const auto& c : cases)
        EXPECT_EQ(camera_column_for(c[0]), c[1]) << "camera_x " << c[0];
}

TEST_F(WorldTest, TheScanCoversThirtyThreeColumnsFromTheCameraColumn)
{
    use_test_sheet();
    game.game_mode = MODE_EDITOR;  // drop markers are drawn only there
    put(1, 0, TILE_DROP);
    put(1, 32, TILE_DROP);
    put(1, 33, TILE_DROP);
    put(20, 5, TILE_BLOCK);  // row 20 is scanned below the screen
    game.player_x = 52;
    game.player_y = 170;
    game.player_falling = FLAG_SET;
    pass();
    const int marker = test_sheet_colour("drop marker");
    EXPECT_EQ(pixel(0, 10), marker);
    EXPECT_EQ(pixel(315, 10), 0) << "column 32 lies beyond the right edge";
    EXPECT_EQ(game.drop_x, 320) << "column 32 was the last one handled";
    EXPECT_EQ(game.player_falling, FLAG_CLEAR) << "the block of row 20 caught him";

    clear_grid();
    put(1, 480, TILE_DROP);
    put(1, 512, TILE_DROP);
    put(1, 479, TILE_DROP);
    game.camera_x = 4800;
    game.camera_column = 480;
    game.drop_x = 0;
    pass();
    EXPECT_EQ(pixel(0, 10), marker);
    EXPECT_EQ(game.drop_x, 320);
}

TEST_F(WorldTest, ScrollsPastEitherEndOfTheGridSeeEmptyCells)
{
    load_level(2, game.level_grid);
    pass();
    game.camera_x = -200;  // walked left from the start of the level
    game.camera_column = -20;
    pass();
    EXPECT_EQ(game.game_mode, MODE_PLAY);
    game.camera_x = 4950;  // pushed past the end
    game.camera_column = 495;
    pass();
    // Row 2's column 0 would follow row 1's column 512 in memory; a window
    // reaching past the grid must not find row 2's cells there.
    put(2, 0, TILE_BLOCK);
    put(2, 1, TILE_BLOCK);
    put(1, 20, TILE_EMPTY);
    game.block_x = 12345;
    game.camera_column = 495;
    game.camera_x = 4950;
    run_world_frame();
    EXPECT_NE(game.block_y, 10) << "a block of row 2 was found in row 1's window";
}

TEST_F(WorldTest, APlayerFallingOntoABlockLandsAtByMinus34)
{
    // by = 150: falling 2 a frame from 110 he is tested at 114 (= by - 36,
    // not yet) and at 116 (= by - 34, lands), then stands at by - 32.
    put(15, 15, TILE_BLOCK);
    pass();
    pass();
    pass();
    EXPECT_EQ(game.player_y, 114);
    EXPECT_EQ(game.player_falling, FLAG_SET);
    pass();
    EXPECT_EQ(game.player_y, 116);
    EXPECT_EQ(game.player_falling, FLAG_CLEAR);
    passes(3);
    EXPECT_EQ(game.player_y, 118);
    EXPECT_EQ(game.camera_x, 0) << "standing at by - 32 is outside the push zone";
}

TEST_F(WorldTest, OnlyBlocksOneOrTwoColumnsLeftOfThePlayerHoldHim)
{
    const struct {
        int32_t column;
        bool holds;
    } cases[] = {{13, false}, {14, true}, {15, true}, {16, false}, {17, false}};
    for (const auto& c : cases) {
        SetUp();
        put(15, c.column, TILE_BLOCK);
        passes(6);
        EXPECT_EQ(game.player_falling == FLAG_CLEAR, c.holds) << "block in column " << c.column;
    }
}

TEST_F(WorldTest, RunningIntoABlockPushesTwentyAgainstTheFacingAndStartsAFall)
{
    place_player(160, 120);
    game.block_y = 0;
    visit_block(15, 15);  // bx 150, by 150: py 120 lies on the push zone's edge, not in it
    EXPECT_EQ(game.camera_x, 0);
    place_player(160, 121);
    visit_block(15, 15);
    EXPECT_EQ(game.camera_x, -20);
    EXPECT_EQ(game.camera_column, -2);
    EXPECT_EQ(game.player_falling, FLAG_SET);

    place_player(160, 121, 1, 2);
    game.camera_x = 0;
    visit_block(15, 15);
    EXPECT_EQ(game.camera_x, 20);
    EXPECT_EQ(game.camera_column, 2);
}

TEST_F(WorldTest, APushDuringTheScanMovesEverythingDrawnAfterItInTheSameRow)
{
    use_test_sheet();
    // The player walks right into a block beside him in row 12; a second
    // block later in the same row is drawn with the pushed camera.
    put(12, 15, TILE_BLOCK);
    put(12, 20, TILE_BLOCK);
    game.player_x = 160;
    game.player_y = 121;
    game.player_falling = FLAG_CLEAR;
    game.player_facing = PLAYER_RIGHT;
    put(11, 16, TILE_EMPTY);  // keep the player handler from moving him first
    pass();
    EXPECT_EQ(game.camera_x, -20);
    EXPECT_EQ(game.block_x, 220) << "the later block used the new camera";
    const int block = test_sheet_colour("block");
    EXPECT_EQ(pixel(220, 120), block);
    EXPECT_EQ(pixel(219, 120), 0);
    EXPECT_EQ(pixel(170, 120), block) << "the pushing block is drawn after its push";
}

TEST_F(WorldTest, BlocksStopPlayerShotsInsideTheirWindowOnly)
{
    const int32_t bx = 150, by = 150;
    const struct {
        int32_t x, y;
        int32_t after;
    } shots[] = {{151, 151, 1}, {171, 171, 1}, {150, 160, 2}, {160, 172, 2}, {172, 160, 2}};
    for (const auto& s : shots) {
        game.shot_active[4] = FLAG_SET;
        game.shot_x[4] = s.x;
        game.shot_y[4] = s.y;
        place_player(2000, 2000);
        visit_block(by / 10, bx / 10);
        EXPECT_EQ(game.shot_active[4], s.after) << s.x << "," << s.y;
    }
}

TEST_F(WorldTest, DropMarkersStartAFallFromTheirFourCellsOnly)
{
    // A player standing at py = by - 32 on a block with top by = 150: the
    // markers that trigger are those one column left of his, from by - 40 to
    // by - 10.
    for (int32_t row = 9; row <= 16; ++row) {
        place_player(160, 118);
        update_drop_marker(row, 15);
        EXPECT_EQ(game.player_falling == FLAG_SET, row >= 11 && row <= 14) << "row " << row;
    }
    for (int32_t column : {14, 16}) {
        place_player(160, 118);
        update_drop_marker(12, column);
        EXPECT_EQ(game.player_falling, FLAG_CLEAR) << "column " << column;
    }
}

TEST_F(WorldTest, BlocksLandFallingEnemiesAndExplodeArcShots)
{
    EnemySlot& gunner = game.enemies_b[7];
    gunner.screen_x = 155;
    gunner.screen_y = 120;  // by - 30: within the 35 above the block
    EnemyShot& shot = gunner.shots[3];
    shot.x = 165;
    shot.shift = 5;
    shot.y = 155;
    shot.flying = FLAG_SET;
    shot.flight_timer = 9;
    shot.explosion_timer = 4;
    game.enemies_c[50].screen_x = 155;
    game.enemies_c[50].screen_y = 115;  // exactly by - 35: not caught
    place_player(2000, 2000);
    visit_block(15, 15);
    EXPECT_EQ(gunner.falling, FLAG_CLEAR);
    EXPECT_EQ(game.enemies_c[50].falling, FLAG_SET);
    EXPECT_EQ(shot.flying, FLAG_CLEAR);
    EXPECT_EQ(shot.explosion_state, FLAG_SET);
    EXPECT_EQ(shot.explosion_x, 160);
    EXPECT_EQ(shot.explosion_y, 123);
    EXPECT_EQ(shot.flight_timer, 0);
    EXPECT_EQ(shot.explosion_timer, 0);
}

TEST_F(WorldTest, ReachingColumn480GoesOnToTheNextLevelKeepingTheScore)
{
    load_level(2, game.level_grid);
    game.score_digits[7] = 4;
    game.level_number = 6;
    game.camera_x = 4800;
    game.camera_column = 480;
    pass();
    EXPECT_EQ(game.level_number, 2) << "after level 6 comes level 2";
    EXPECT_EQ(game.camera_x, 0);
    EXPECT_EQ(game.camera_column, 0);
    EXPECT_EQ(game.score_digits[7], 4);
    EXPECT_EQ(grid_value(17, 27), TILE_BLOCK);

    game.camera_x = 4790;
    game.camera_column = 479;
    game.move_counter = 1;
    game.level_number = 3;
    pass(SCRIPT_RIGHT | SCRIPT_LEFT);  // a double step passes 480 without stopping there
    game.camera_x += 10;
    game.camera_column = 481;
    pass();
    EXPECT_EQ(game.level_number, 3);
}

TEST_F(GameTest, TheTitleShowsItsPanelsWithABlackFrameBetween)
{
    BITMAP* panels = create_bitmap(640, 400);
    for (int i = 0; i < 4; ++i)
        rectfill(panels, (i % 2) * 320, (i / 2) * 200, (i % 2) * 320 + 319, (i / 2) * 200 + 199,
                 makecol(40 * (i + 1), 0, 0));
    destroy_bitmap(title_sheet);
    title_sheet = panels;
    const auto panel_colour = [](int i) { return (40 * (i + 1)) << 16; };
    pass();
    EXPECT_EQ(game.title_timer, 1);
    EXPECT_EQ(pixel(200, 100), panel_colour(3)) << "the first frame shows panel (320, 200)";
    const struct {
        int timer;
        int panel;  // -1: black
    } frames[] = {{299, 3}, {300, -1}, {301, 0}, {499, 0}, {500, -1}, {501, 1},
                  {699, 1}, {700, -1}, {701, 2}, {899, 2}, {900, -1}};
    for (const auto& f : frames) {
        game.title_timer = f.timer - 1;
        pass();
        EXPECT_EQ(pixel(200, 100), f.panel < 0 ? 0 : panel_colour(f.panel)) << "timer " << f.timer;
    }
    pass();
    EXPECT_EQ(game.title_timer, 0);
}

TEST_F(GameTest, SStartsAGameOnLevelTwoAndDeathReturnsToTheTitle)
{
    game.title_timer = 640;
    pass(SCRIPT_S);
    EXPECT_EQ(game.game_mode, MODE_PLAY);
    EXPECT_EQ(game.level_number, 2);
    EXPECT_EQ(game.camera_x, 0);
    EXPECT_EQ(game.camera_column, 0);
    EXPECT_EQ(game.player_falling, FLAG_SET);
    EXPECT_EQ(grid_value(17, 27), TILE_BLOCK);
    pass(SCRIPT_S);  // S in play does nothing
    EXPECT_EQ(game.camera_x, 0);
    // The player drops off the bottom of the screen; the title then goes on
    // from where its timer stood.
    passes(3, SCRIPT_RIGHT);
    game.player_offset_y = 200;
    pass();
    ASSERT_EQ(game.game_mode, MODE_TITLE);
    const GameState at_death = game;
    pass();
    EXPECT_EQ(game.level_number, at_death.level_number);
    EXPECT_EQ(game.camera_x, at_death.camera_x);
    EXPECT_GT(game.title_timer, 640);
}

TEST_F(GameTest, StartUpSetsTheDocumentedValues)
{
    EXPECT_EQ(game.game_mode, MODE_TITLE);
    EXPECT_EQ(game.level_number, 1);
    EXPECT_EQ(game.level_count, 6);
    EXPECT_EQ(game.camera_x, 0);
    EXPECT_EQ(game.camera_column, 1);
    EXPECT_EQ(game.second_scroll_column, 1);
    EXPECT_EQ(game.player_falling, FLAG_SET);
    EXPECT_EQ(game.next_shot_slot, 1);
    EXPECT_EQ(game.next_code_d, ENEMY_D_BASE);
    EXPECT_EQ(grid_value(17, 22), TILE_BLOCK) << "level 1 is in the grid";
    EXPECT_EQ(grid_value(17, 27), TILE_EMPTY);

    // A reset in play keeps the score, the level and the camera; flying
    // shots come to rest at (0, 0) and keep their direction.
    start_play(4);
    game.score_digits[5] = 7;
    game.camera_x = 300;
    game.shot_active[2] = FLAG_SET;
    game.shot_direction[2] = PLAYER_LEFT;
    game.shot_x[2] = 99;
    reset_world();
    EXPECT_EQ(game.score_digits[5], 7);
    EXPECT_EQ(game.level_number, 4);
    EXPECT_EQ(game.camera_x, 300);
    EXPECT_EQ(game.shot_active[2], FLAG_CLEAR);
    EXPECT_EQ(game.shot_x[2], 0);
    EXPECT_EQ(game.shot_direction[2], PLAYER_LEFT);
}

TEST_F(GameTest, EscapeEndsThePassBeforeAnyOtherKey)
{
    pass(SCRIPT_ESC | SCRIPT_S);
    EXPECT_EQ(game.game_mode, MODE_TITLE);
}

// Blocks of one row share the list of arc shots at their height; an enemy
// visited between two of them may move shots into that height, and the
// later block must still see them.
TEST_F(WorldTest, ABlockSeesArcShotsMovedEarlierInItsOwnRow)
{
    put(11, 16, TILE_EMPTY);
    put(10, 10, TILE_BLOCK);    // gathers the row's shots first: none yet
    put(10, 20, ENEMY_B_BASE);  // a gunner whose resting shots it moves
    put(10, 21, TILE_BLOCK);    // must find the moved shot
    EnemySlot& gunner = game.enemies_b[0];
    gunner.offset_y = 10;
    gunner.falling = FLAG_CLEAR;
    gunner.shots[5].shift = -20;  // drawn 20 pixels right of its rest
    game.player_x = 2000;
    game.player_y = 2000;
    pass();
    EXPECT_EQ(gunner.shots[5].explosion_state, FLAG_SET);
    EXPECT_EQ(gunner.shots[5].explosion_x, 220);
    EXPECT_EQ(gunner.shots[5].explosion_y, 110 - 32);
    EXPECT_EQ(gunner.shots[4].explosion_state, FLAG_CLEAR)
        << "its neighbours rest under the gunner";
}
