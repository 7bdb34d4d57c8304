// The level editor: cursor keys on their shared repeat counter, brush
// previews, pending placements, enemy codes and scrolling.
#include <cstring>

#include "editor/editor.h"
#include "game_fixture.h"

namespace {

class EditorTest : public GameTest {
protected:
    void SetUp() override { restart_headless_game(MODE_EDITOR); }
    // An empty level with only the cursor anchor, where level 1 has it.
    void empty_level()
    {
        clear_grid();
        put(1, 1, TILE_CURSOR);
    }
    // Enter (and Space to arm), then the pass whose scan places.
    void place(uint16_t also = 0)
    {
        pass(SCRIPT_ENTER | also);
        pass();
    }
    static int32_t cell(int32_t row, int32_t column) { return *grid_cell(row, column); }
};

TEST_F(EditorTest, ArrowsAndSpaceShareOneRepeatCounterThatIsNeverCleared)
{
    passes(3, SCRIPT_RIGHT);
    EXPECT_EQ(game.cursor_dx, 0);
    pass(SCRIPT_RIGHT);
    EXPECT_EQ(game.cursor_dx, 10);
    passes(2, SCRIPT_DOWN);
    pass();
    passes(2, SCRIPT_UP);  // the count carried over from Down
    EXPECT_EQ(game.cursor_dy, -10);
    game.editor_repeat = 1;  // two arrows: every second pass, one direction
    passes(8, SCRIPT_LEFT | SCRIPT_RIGHT);
    EXPECT_EQ(game.cursor_dx, 10 - 40);

    game.editor_repeat = 0;
    pass(SCRIPT_SPACE);
    EXPECT_EQ(game.placement_armed, FLAG_SET);
    passes(9, SCRIPT_SPACE);
    EXPECT_EQ(game.brush, 0);
    pass(SCRIPT_SPACE);
    EXPECT_EQ(game.brush, 1);
    passes(6 * 11, SCRIPT_SPACE);
    EXPECT_EQ(game.brush, 0);
    passes(100, SCRIPT_RIGHT | SCRIPT_SPACE);  // an arrow keeps the count low
    EXPECT_EQ(game.brush, 0);
}

// The editor starts at camera column 1 with the cursor over cell 2 of row 1,
// its top-left at pixel (20, 10); each brush previews its sprite there.
TEST_F(EditorTest, StartsAtCellTwoAndEachBrushPreviewsItsSpriteAtTheCursor)
{
    empty_level();
    use_test_sheet();
    EXPECT_EQ(game.camera_column, 1);
    const struct {
        const char* rect;
        int width, height;
    } previews[] = {{"eraser", 10, 10},     {"block", 20, 20},          {"enemy A left 1", 20, 32},
                    {"enemy B", 32, 32},    {"enemy C left 1", 20, 32}, {"enemy D", 20, 20},
                    {"drop marker", 10, 10}};
    for (game.brush = 0; game.brush < 7; ++game.brush) {
        const auto& preview = previews[game.brush];
        SCOPED_TRACE(preview.rect);
        game.cursor_dx = 30 * game.brush;  // the brush and offset move together
        game.cursor_dy = 10 * (game.brush % 2);
        pass();
        EXPECT_EQ(game.target_row, 1 + game.cursor_dy / 10);
        EXPECT_EQ(game.target_column, 2 + game.cursor_dx / 10);
        const int x = 20 + game.cursor_dx, y = 10 + game.cursor_dy;
        const int colour = test_sheet_colour(preview.rect);
        const int right = x + preview.width - 1, bottom = y + preview.height - 1;
        EXPECT_EQ(pixel(x + 9, y), colour);
        EXPECT_EQ(pixel(right, bottom), colour);
        EXPECT_NE(pixel(x - 1, y), colour);
        EXPECT_NE(pixel(right + 1, bottom), colour);
        EXPECT_NE(pixel(right, bottom + 1), colour);
    }
}

TEST_F(EditorTest, PlacementsAndEnemyCodes)
{
    empty_level();
    game.brush = BRUSH_BLOCK;
    place();
    EXPECT_EQ(cell(1, 2), TILE_BLOCK);
    EXPECT_EQ(game.place_request, FLAG_CLEAR);

    // An enemy brush waits for Space; one enemy per arming.
    game.brush = group_brush(GROUP_A);
    game.cursor_dy = 10;
    place();
    passes(5);
    EXPECT_EQ(cell(2, 2), TILE_EMPTY);
    pass(SCRIPT_SPACE);
    pass();
    EXPECT_EQ(cell(2, 2), ENEMY_A_BASE);
    EXPECT_EQ(game.placement_armed, FLAG_CLEAR);
    game.cursor_dy = 20;  // Enter and Space held: a code per pass, one cell
    passes(5, SCRIPT_ENTER | SCRIPT_SPACE);
    pass();
    EXPECT_EQ(cell(3, 2), ENEMY_A_BASE + 5);
    EXPECT_EQ(game.next_code_a, ENEMY_A_BASE + 6);

    // Fifty codes per group; the last slot code is never given out.
    game.cursor_dy = 0;
    game.editor_repeat = 0;  // so that Space does not turn the brush here
    const int32_t bases[] = {ENEMY_A_BASE, ENEMY_B_BASE, ENEMY_C_BASE, ENEMY_D_BASE};
    int32_t* counters[] = {&game.next_code_a, &game.next_code_b, &game.next_code_c,
                           &game.next_code_d};
    for (int group = 0; group < 4; ++group) {
        game.brush = BRUSH_FIRST_GROUP + group;
        *counters[group] = bases[group] + 49;
        game.cursor_dx = 10 * group;
        place(SCRIPT_SPACE);
        place(SCRIPT_SPACE);
        EXPECT_EQ(cell(1, 2 + group), bases[group] + 49);
        EXPECT_EQ(game.place_request, FLAG_SET);
        game.place_request = FLAG_CLEAR;
    }
    // A request group A cannot serve waits for the next brush that can.
    game.brush = group_brush(GROUP_A);
    game.next_code_b = ENEMY_B_BASE;
    game.cursor_dx = 100;
    place(SCRIPT_SPACE);
    for (int i = 0; i < 20 && game.brush == group_brush(GROUP_A); ++i)
        pass(SCRIPT_SPACE);
    pass();
    EXPECT_EQ(cell(1, 12), ENEMY_B_BASE);
}

TEST_F(EditorTest, PlacingOnTheAnchorAtCameraColumnZeroRemovesTheCursor)
{
    use_test_sheet();
    pass(SCRIPT_F2);
    pass(SCRIPT_F1);
    EXPECT_EQ(game.camera_column, 0);
    place();
    EXPECT_EQ(cell(1, 1), TILE_EMPTY);
    game.brush = BRUSH_BLOCK;
    place();
    EXPECT_EQ(cell(1, 1), TILE_EMPTY);
    EXPECT_NE(pixel(10, 10), test_sheet_colour("block"));
}

// F1 and F2 scroll a column a pass, with no stop on the left and a stop at
// column 500. Left of, below and right of the grid a placement writes nothing
// (not even into the neighbouring row the row-major index would reach), uses
// no code, and is dropped rather than carried back into the level.
TEST_F(EditorTest, ScrollingAndPlacementOutsideTheGrid)
{
    const struct {
        uint16_t scroll;
        int scroll_passes, camera_column, dx, dy;
    } cases[] = {
        {SCRIPT_F1, 4, -4, 0, 0}, {SCRIPT_F1, 1, -1, 0, 200}, {SCRIPT_F2, 600, 500, 120, 0}};
    static int32_t before[GRID_CELLS];
    for (const auto& c : cases) {
        restart_headless_game(MODE_EDITOR);
        passes(c.scroll_passes, c.scroll);
        EXPECT_EQ(game.camera_column, c.camera_column);
        game.cursor_dx = c.dx;
        game.cursor_dy = c.dy;
        game.brush = group_brush(GROUP_D);
        std::memcpy(before, game.level_grid, sizeof before);
        place(SCRIPT_SPACE);
        EXPECT_EQ(std::memcmp(before, game.level_grid, sizeof before), 0);
        EXPECT_EQ(game.next_code_d, ENEMY_D_BASE);
    }
    EXPECT_EQ(game.camera_x, 5000);
    passes(4, SCRIPT_F1);
    pass();
    EXPECT_EQ(game.target_column, 509);
    EXPECT_EQ(cell(1, 509), TILE_EMPTY);
    game.camera_x = -5;  // the column is cut towards zero, not rounded
    pass(SCRIPT_F1);
    EXPECT_EQ(game.camera_column, -1);
}

}  // namespace

// F3 and F4 move the second scroll pair; they shift the view's drawing
// (camera_x) without changing which columns are scanned.
TEST_F(EditorTest, F3AndF4MoveTheSecondScrollPair)
{
    pass(SCRIPT_F3);
    EXPECT_EQ(game.second_scroll_x, 10);
    EXPECT_EQ(game.second_scroll_column, 1);
    EXPECT_EQ(game.camera_x, 10) << "column below 2: the view shifts";
    EXPECT_EQ(game.camera_column, 1) << "but the scanned columns stay";
    pass(SCRIPT_F3);
    EXPECT_EQ(game.second_scroll_column, 2);
    EXPECT_EQ(game.camera_x, 10);
    pass(SCRIPT_F4);
    EXPECT_EQ(game.second_scroll_x, 10);
    EXPECT_EQ(game.camera_x, 10) << "F4 shifts only beyond column 500";
    game.second_scroll_x = 5020;
    pass(SCRIPT_F4);
    EXPECT_EQ(game.second_scroll_column, 501);
    EXPECT_EQ(game.camera_x, 20);
    EXPECT_EQ(game.camera_column, 1);
}
