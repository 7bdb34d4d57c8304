// The HUD: the score at the top of the screen and, in the editor, the line
// that tells of a failed export at the bottom, drawn last in every pass; and
// the word over a paused game.
#include "game/hud.h"

#include <cstdio>

#include "base/game_state.h"
#include "base/platform.h"
#include "levels/level_export.h"

// "SCORE: " and then each shown digit as its own character; a digit outside
// 0 to 9 (a tens digit just raised past 9) leaves its place blank.
void draw_hud()
{
    draw_text("SCORE: ", 0, 0, TEXT_WHITE);
    for (int i = 1; i <= 9; ++i) {
        const int32_t digit = game.score_digits[i];
        if (digit < 0 || digit > 9)
            continue;
        const char text[2] = {char('0' + digit), '\0'};
        draw_text(text, 56 + 10 * (i - 1), 0, TEXT_WHITE);
    }
}

void draw_pause_notice()
{
    constexpr char text[] = "PAUSED";
    constexpr int width = (sizeof text - 1) * FONT_SIZE;
    draw_text(text, (SCREEN_WIDTH - width) / 2, (SCREEN_HEIGHT - FONT_SIZE) / 2, TEXT_WHITE);
}

void draw_editor_notice()
{
    if (game.game_mode != MODE_EDITOR || game.export_notice <= 0)
        return;
    game.export_notice -= 1;
    // One text line of 40 characters fills the window's width.
    char line[41];
    std::snprintf(line, sizeof line, "EXPORT FAILED: %s", export_failure_reason(game.export_error));
    draw_text(line, 0, SCREEN_HEIGHT - FONT_SIZE, TEXT_WARNING);
}
