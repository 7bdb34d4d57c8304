// The HUD line: "SCORE: " and the nine shown digits, each in its place.
#include "game_fixture.h"
#include "shell/score.h"

namespace {

// Whether the top line of the back buffer shows the score's nine digits
// (a space for a place left blank) exactly as Allegro's font draws them.
bool shows_score(const char* nine)
{
    BITMAP* glyph = create_bitmap(8, 8);
    bool same = true;
    const std::string text = std::string("SCORE: ") + nine;
    for (size_t i = 0; i < text.size(); ++i) {
        const int x = i < 7 ? int(i) * 8 : 56 + 10 * int(i - 7);
        const char one[2] = {text[i], 0};
        clear_bitmap(glyph);
        textout_ex(glyph, font, one, 0, 0, palette_color[15], 0);
        for (int gy = 0; gy < 8; ++gy)
            for (int gx = 0; gx < 8; ++gx)
                same = same && GameTest::rgb_at(glyph, gx, gy) == GameTest::pixel(x + gx, gy);
    }
    destroy_bitmap(glyph);
    return same;
}

}  // namespace

TEST_F(GameTest, TheHudShowsTheNineDigitsAndLeavesADigitAboveNineBlankUntilTheCarry)
{
    pass();
    EXPECT_TRUE(shows_score("000000000"));
    start_play();
    clear_grid();
    game.score_digits[8] = 10;  // the fifth kill of a pass
    clear_bitmap(back_buffer);
    draw_hud();
    EXPECT_TRUE(shows_score("0000000 0"));
    pass();  // the next pass carries first
    EXPECT_TRUE(shows_score("000000100"));
}
