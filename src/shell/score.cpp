#include "shell/score.h"

#include <allegro.h>

#include "shell/assets.h"
#include "shell/game_state.h"

void add_kill_score()
{
    game.score_digits[TENS_DIGIT] += KILL_TENS;
}

// A digit above 9 becomes 0 (not its value minus 10), clears every digit
// below it and carries one upwards; past the top digit the score wraps to 0.
// Several kills in one frame can therefore lose points.
void normalise_score()
{
    int32_t* digits = game.score_digits;
    for (int i = 9; i >= 2; --i) {
        if (digits[i] > 9) {
            for (int j = i; j <= 9; ++j)
                digits[j] = 0;
            digits[i - 1] += 1;
        }
    }
    if (digits[1] > 9)
        for (int j = 1; j <= 9; ++j)
            digits[j] = 0;
}

// "SCORE: " and then each shown digit as its own character; a digit outside
// 0 to 9 (a tens digit just raised past 9) leaves its place blank.
void draw_hud()
{
    if (!back_buffer)
        return;
    const int colour = palette_color[15];
    textout_ex(back_buffer, font, "SCORE: ", 0, 0, colour, 0);
    for (int i = 1; i <= 9; ++i) {
        const int32_t digit = game.score_digits[i];
        if (digit < 0 || digit > 9)
            continue;
        const char text[2] = {char('0' + digit), '\0'};
        textout_ex(back_buffer, font, text, 56 + 10 * (i - 1), 0, colour, 0);
    }
}
