#include "game/main_loop.h"

#include <cstring>

#include "base/assets.h"
#include "base/game_state.h"
#include "base/platform.h"
#include "base/score.h"
#include "base/short_text.h"
#include "editor/editor.h"
#include "game/hud.h"
#include "game/title.h"
#include "game/world_reset.h"
#include "game/world_scan.h"
#include "levels/level_export.h"
#include "levels/level_pack.h"
#include "levels/level_tables.h"
#include "levels/load_level.h"
#include "world/player.h"
#include "world/player_shots.h"

namespace {

// The keys of every mode in the order a pass looks at them; a key acts only
// in the mode of its row, and one that changes the mode (S) changes what the
// rows after it do in the same pass.
struct KeyAction {
    Control key;
    int32_t mode;
    void (*action)();
};
const KeyAction KEY_TABLE[] = {
    {CONTROL_LEFT, MODE_EDITOR, editor_cursor_left},
    {CONTROL_LEFT, MODE_PLAY, walk_left},
    {CONTROL_RIGHT, MODE_EDITOR, editor_cursor_right},
    {CONTROL_RIGHT, MODE_PLAY, walk_right},
    {CONTROL_UP, MODE_EDITOR, editor_cursor_up},
    {CONTROL_UP, MODE_PLAY, jump},
    {CONTROL_DOWN, MODE_EDITOR, editor_cursor_down},
    {CONTROL_ENTER, MODE_EDITOR, editor_request_placement},
    {CONTROL_F2, MODE_EDITOR, editor_scroll_right},
    {CONTROL_F1, MODE_EDITOR, editor_scroll_left},
    {CONTROL_F3, MODE_EDITOR, editor_second_scroll_right},
    {CONTROL_F4, MODE_EDITOR, editor_second_scroll_left},
    {CONTROL_SPACE, MODE_PLAY, fire},
    {CONTROL_SPACE, MODE_EDITOR, editor_cycle_brush},
    {CONTROL_S, MODE_TITLE, start_game},
    {CONTROL_RSHIFT, MODE_EDITOR, editor_export},
};

// Start values of the title timer, the editor and the player; the mode; the
// assets; level 1, with the opened level file's cells over it in the editor.
void init_game()
{
    game.title_timer = 0;
    init_editor();
    reset_player_movement();
    game.level_number = 1;
    game.game_mode = game.start_mode;
    load_assets();
    load_level(1, game.level_grid);
    if (game.game_mode == MODE_EDITOR)
        open_level_file_in_editor();
}

}  // namespace

bool parse_start_mode(const char* text, int32_t& start_mode)
{
    const int mode = parse_small_number(text, std::strlen(text), MODE_TITLE, MODE_EDITOR);
    if (mode != MODE_TITLE && mode != MODE_EDITOR)
        return false;
    start_mode = mode;
    return true;
}

void start_up_game(int32_t start_mode)
{
    game.start_mode = start_mode;
    game.camera_column = 1;
    game.camera_x = 0;
    game.second_scroll_column = 1;
    game.second_scroll_x = 0;
    reset_world();
    init_game();
}

void draw_pass()
{
    clear_frame();
    normalise_score();
    if (game.game_mode == MODE_PLAY || game.game_mode == MODE_EDITOR)
        run_world_frame();
    advance_title_timer();
    if (game.game_mode == MODE_TITLE)
        draw_title();
    draw_hud();
    draw_editor_notice();
    if (game.camera_column == LEVEL_END_COLUMN && game.game_mode == MODE_PLAY)
        advance_level();
}

bool run_pass_holding(uint16_t keys)
{
    return run_pass([keys] {
        hold_key_set(keys);
        return keys;
    });
}

void handle_pass_keys()
{
    for (const KeyAction& entry : KEY_TABLE)
        if (key_held(entry.key) && game.game_mode == entry.mode)
            entry.action();
}

void advance_level()
{
    reset_world();
    game.level_number = level_after(game.level_number, game.level_count);
    game.pack_file = next_pack_file(game.pack_file);
    load_play_level(game.level_number, game.pack_file, game.level_grid);
    game.camera_x = 0;
    game.camera_column = 0;
}
