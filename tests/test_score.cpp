// The score counter's carry and the HUD line.
#include "base/score.h"
#include "game_fixture.h"
#include "shell/hud.h"

namespace {

void set_score(std::initializer_list<int32_t> shown)  // the nine shown digits, top first
{
    int i = 1;
    for (int32_t digit : shown)
        game.score_digits[i++] = digit;
}

// Whether the 8 x 8 cells at the given x positions of the back buffer's top
// row show exactly these characters as Allegro's font draws them.
bool shows_text(const char* text, std::initializer_list<int> xs)
{
    BITMAP* glyph = create_bitmap(8, 8);
    bool same = true;
    const int* x = xs.begin();
    for (const char* c = text; *c && x != xs.end(); ++c, ++x) {
        const char one[2] = {*c, 0};
        clear_bitmap(glyph);
        textout_ex(glyph, font, one, 0, 0, palette_color[15], 0);
        for (int gy = 0; gy < 8; ++gy)
            for (int gx = 0; gx < 8; ++gx)
                same = same && GameTest::rgb_at(glyph, gx, gy) == GameTest::pixel(*x + gx, gy);
    }
    destroy_bitmap(glyph);
    return same;
}

bool shows_score(const char* nine)
{
    return shows_text("SCORE: ", {0, 8, 16, 24, 32, 40, 48})
           && shows_text(nine, {56, 66, 76, 86, 96, 106, 116, 126, 136});
}

}  // namespace

using ScoreTest = GameTest;

TEST_F(ScoreTest, CarryTurnsAnOverflowingDigitIntoZeroNotItsRemainder)
{
    set_score({0, 0, 0, 0, 0, 0, 0, 8, 0});
    game.score_digits[8] += 4;  // two kills in one frame: tens digit 12
    normalise_score();
    EXPECT_EQ(game.score_digits[7], 1);
    EXPECT_EQ(game.score_digits[8], 0);  // 20 points lost: the score rose by 20, not 40
    EXPECT_EQ(game.score_digits[9], 0);

    set_score({0, 0, 0, 0, 0, 9, 9, 10, 5});
    normalise_score();  // the tens carry ripples up through two nines
    EXPECT_EQ(game.score_digits[5], 1);
    EXPECT_EQ(game.score_digits[6], 0);
    EXPECT_EQ(game.score_digits[7], 0);
    EXPECT_EQ(game.score_digits[8], 0);
    EXPECT_EQ(game.score_digits[9], 0);  // the digits below a carry are cleared
}

TEST_F(ScoreTest, NineNinesWrapToZeroWithoutTouchingIndexZero)
{
    set_score({9, 9, 9, 9, 9, 9, 9, 8, 9});
    game.score_digits[0] = 0;
    add_kill_score();
    normalise_score();
    for (int i = 0; i < SCORE_DIGITS; ++i)
        EXPECT_EQ(game.score_digits[i], 0) << "digit " << i;
}

TEST_F(ScoreTest, FirstFrameShowsScoreAndNineZeros)
{
    pass();
    EXPECT_TRUE(shows_score("000000000"));
}

TEST_F(ScoreTest, DigitAboveNineLeavesItsPlaceBlankUntilTheNextCarry)
{
    start_play();
    clear_grid();
    game.score_digits[8] = 10;  // the fifth kill of a frame
    clear_bitmap(back_buffer);
    draw_hud();
    EXPECT_TRUE(shows_score("0000000 0"));
    EXPECT_EQ(pixel(126, 3), 0) << "nothing at all is drawn for the tens place";

    pass();  // the next frame carries first
    EXPECT_TRUE(shows_score("000000100"));
}

TEST_F(ScoreTest, DeathKeepsTheScoreAndANewGameClearsIt)
{
    start_play();
    game.score_digits[7] = 3;
    game.game_mode = MODE_TITLE;  // as a death leaves it
    pass();
    EXPECT_EQ(game.score_digits[7], 3);
    pass(SCRIPT_S);
    EXPECT_EQ(game.game_mode, MODE_PLAY);
    EXPECT_EQ(game.score_digits[7], 0);
}
