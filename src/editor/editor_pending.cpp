// The editor's keys do nothing until the editor is written.
#include "editor/editor.h"

#include "shell/game_state.h"

void init_editor()
{
    game.placement_armed = 1;
    game.cursor_dx = 0;
    game.cursor_dy = 0;
    game.brush = 0;
    game.place_request = 1;
    game.target_column = 0;
    game.target_row = 0;
    game.editor_repeat = 0;
}

void editor_cursor_left() {}
void editor_cursor_right() {}
void editor_cursor_up() {}
void editor_cursor_down() {}
void editor_request_placement() {}
void editor_scroll_right() {}
void editor_scroll_left() {}
void editor_second_scroll_right() {}
void editor_second_scroll_left() {}
void editor_cycle_brush() {}
void editor_export() {}
void update_editor_cursor(int32_t, int32_t) {}
