#include "game/title.h"

#include <cstring>

#include "base/game_state.h"
#include "base/platform.h"
#include "base/short_text.h"
#include "game/world_reset.h"
#include "levels/level_pack.h"
#include "levels/level_tables.h"

namespace {

// Which panel of the title sheet shows up to which timer value; the values
// 300, 500, 700 and 900 show no panel, so each change of panel is preceded by
// one black frame.
struct TitlePanel {
    int first, last;  // timer values, inclusive
    int sheet_x, sheet_y;
};
constexpr TitlePanel TITLE_PANELS[] = {
    {0, 299, 320, 200},  // the title itself, shown longest
    {301, 499, 0, 0},
    {501, 699, 320, 0},
    {701, 899, 0, 200},
};

}  // namespace

void advance_title_timer()
{
    game.title_timer += 1;
    if (game.title_timer > TITLE_CYCLE)
        game.title_timer = 0;
}

void draw_title()
{
    for (const TitlePanel& panel : TITLE_PANELS) {
        if (game.title_timer < panel.first || game.title_timer > panel.last)
            continue;
        draw_title_panel(panel.sheet_x, panel.sheet_y);
        return;
    }
}

void start_game()
{
    reset_world();
    game.camera_x = 0;
    game.camera_column = 0;
    game.game_mode = MODE_PLAY;
}

void start_game_at_level(int32_t level)
{
    game.game_mode = MODE_TITLE;
    start_game();
    load_play_level(level, game.pack_file, game.level_grid);
    game.level_number = level;
}

static_assert(LEVEL_COUNT <= 9, "a warp level is one digit");

int32_t warp_level_of(const char* text)
{
    return text ? parse_small_number(text, std::strlen(text), 1, LEVEL_COUNT) : -1;
}
