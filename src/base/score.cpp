#include "base/score.h"

#include "base/game_state.h"

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
