// The level editor: a cursor hung on the cursor anchor, seven brushes,
// placement into the grid, horizontal scrolling and the export key.
#include "editor/editor.h"

#include "base/game_state.h"
#include "levels/level_export.h"
#include "levels/level_pack.h"
#include "world/sprite_atlas.h"

namespace {

// A held arrow moves the cursor on every fourth pass, a held Space changes
// the brush on every eleventh; all five keys count on one shared counter.
constexpr int32_t CURSOR_REPEAT = 3;
constexpr int32_t BRUSH_REPEAT = 10;

// The right scroll stops with this column first in view; the left one has no
// stop at all.
constexpr int32_t SCROLL_LIMIT_COLUMN = 500;

// What the eraser, the block and the drop marker draw at the cursor and
// write into the grid. An enemy group's brush draws the group's preview and
// hands out its codes from the group's counter, one per placement, while the
// counter is below the group's last code, and only once Space has armed it
// since the last enemy went down; the group's last slot code (53, 104, 155,
// 206) is therefore never given out.
struct FixedBrush {
    int32_t brush;
    void (*preview)(int32_t x, int32_t y);
    int32_t code;
};

void preview_eraser(int32_t x, int32_t y)
{
    draw_sprite_rect(ATLAS_ERASER, x, y);
}

void preview_block(int32_t x, int32_t y)
{
    draw_sprite_rect(ATLAS_BLOCK, x, y);
}

void preview_drop(int32_t x, int32_t y)
{
    draw_sprite_rect(ATLAS_DROP_MARKER, x, y);
}

const FixedBrush FIXED_BRUSHES[] = {
    {BRUSH_ERASE, preview_eraser, TILE_EMPTY},
    {BRUSH_BLOCK, preview_block, TILE_BLOCK},
    {BRUSH_DROP, preview_drop, TILE_DROP},
};

const FixedBrush* fixed_brush(int32_t brush)
{
    for (const FixedBrush& fixed : FIXED_BRUSHES)
        if (fixed.brush == brush)
            return &fixed;
    return nullptr;
}

// The group of an enemy brush, or nullptr.
const EnemyGroupRow* brush_group(int32_t brush)
{
    if (brush < BRUSH_FIRST_GROUP || brush >= BRUSH_FIRST_GROUP + GROUP_COUNT)
        return nullptr;
    return &ENEMY_GROUPS[brush - BRUSH_FIRST_GROUP];
}

void draw_brush_preview(int32_t brush, int32_t x, int32_t y)
{
    if (const FixedBrush* fixed = fixed_brush(brush))
        fixed->preview(x, y);
    else if (const EnemyGroupRow* group = brush_group(brush))
        group->preview(x, y);
}

void step_cursor(int32_t& offset, int32_t pixels)
{
    game.editor_repeat += 1;
    if (game.editor_repeat > CURSOR_REPEAT) {
        offset = wrap_add(offset, pixels);
        game.editor_repeat = 0;
    }
}

// The editor's scroll keys keep camera_column at camera_x / 10 cut towards
// zero, not rounded as in play; camera_x only ever moves by tens here, so the
// two agree on every view the keys reach.
void set_camera_x(int32_t camera_x)
{
    game.camera_x = camera_x;
    game.camera_column = camera_x / TILE_SIZE;
}

// The pending request, at the anchor's visit. Eraser, block and drop marker
// always write; an enemy brush writes only when armed and its group still
// has codes, and otherwise keeps the request for a later visit, when Space
// may have armed it or moved on to a brush that can place.
void place_at_target()
{
    int32_t* cell = grid_cell(game.target_row, game.target_column);
    // A cursor moved or scrolled beyond the level has nothing under it.
    // Enter there is dropped rather than kept: a request left pending would
    // write, unasked, into whatever cell the cursor reaches on coming back.
    // Nothing is written and no enemy code is used up.
    if (!cell) {
        game.place_request = FLAG_CLEAR;
        return;
    }
    if (const FixedBrush* fixed = fixed_brush(game.brush)) {
        *cell = fixed->code;
        game.place_request = FLAG_CLEAR;
        return;
    }
    const EnemyGroupRow* group = brush_group(game.brush);
    if (!group)
        return;
    int32_t& next_code = game.*group->next_code;
    if (next_code < group->base_code + ENEMY_SLOTS - 1 && game.placement_armed == FLAG_SET) {
        *cell = next_code;
        game.place_request = FLAG_CLEAR;
        game.placement_armed = FLAG_CLEAR;
        next_code += 1;
    }
}

}  // namespace

void init_editor()
{
    game.placement_armed = FLAG_CLEAR;
    game.cursor_dx = 0;
    game.cursor_dy = 0;
    game.brush = 0;
    game.place_request = FLAG_CLEAR;
    game.target_column = 0;
    game.target_row = 0;
    game.editor_repeat = 0;
}

void open_level_file_in_editor()
{
    if (!level_pack_open())
        return;
    write_pack_file_cells(0, game.level_grid);
    for (const EnemyGroupRow& group : ENEMY_GROUPS) {
        // The group's codes run from its base up to its last code, which the
        // editor never gives out and so does not count.
        const int32_t last = group.base_code + ENEMY_SLOTS - 1;
        int32_t next = group.base_code;
        for (int32_t row = 1; row < GRID_ROWS; ++row)
            for (int32_t column = 0; column < GRID_COLUMNS; ++column) {
                const int32_t code = pack_file_cell(0, row, column);
                if (code >= next && code < last)
                    next = code + 1;
            }
        game.*group.next_code = next;
    }
}

void editor_cursor_left()
{
    step_cursor(game.cursor_dx, -TILE_SIZE);
}

void editor_cursor_right()
{
    step_cursor(game.cursor_dx, TILE_SIZE);
}

void editor_cursor_up()
{
    step_cursor(game.cursor_dy, -TILE_SIZE);
}

void editor_cursor_down()
{
    step_cursor(game.cursor_dy, TILE_SIZE);
}

void editor_request_placement()
{
    game.place_request = FLAG_SET;
}

// F2: one cell right, taken back when it would bring a column past 500 to the
// left edge of the view.
void editor_scroll_right()
{
    set_camera_x(wrap_add(game.camera_x, TILE_SIZE));
    if (game.camera_column > SCROLL_LIMIT_COLUMN)
        set_camera_x(wrap_sub(game.camera_x, TILE_SIZE));
}

// F1: one cell left, with no stop; the scan shows empty cells left of the
// level and the editor places nothing there.
void editor_scroll_left()
{
    set_camera_x(wrap_sub(game.camera_x, TILE_SIZE));
}

// F3 and F4 keep a scroll pair of their own that nothing else reads. F3
// nudges camera_x by 10 pixels while that pair's column is below 2, F4 while
// it is above 500; camera_column stays, so the same columns are scanned and
// the whole view, cursor included, is drawn 10 pixels further left.
void editor_second_scroll_right()
{
    game.second_scroll_x = wrap_add(game.second_scroll_x, TILE_SIZE);
    game.second_scroll_column = game.second_scroll_x / TILE_SIZE;
    if (game.second_scroll_column < 2)
        game.camera_x = wrap_add(game.camera_x, TILE_SIZE);
}

void editor_second_scroll_left()
{
    game.second_scroll_x = wrap_sub(game.second_scroll_x, TILE_SIZE);
    game.second_scroll_column = game.second_scroll_x / TILE_SIZE;
    if (game.second_scroll_column > SCROLL_LIMIT_COLUMN)
        game.camera_x = wrap_add(game.camera_x, TILE_SIZE);
}

// Space arms an enemy placement at once, on every pass it is held, and steps
// through the brushes 0 to 6 and round again.
void editor_cycle_brush()
{
    game.placement_armed = FLAG_SET;
    game.editor_repeat += 1;
    if (game.editor_repeat > BRUSH_REPEAT) {
        game.brush += 1;
        if (game.brush >= BRUSH_COUNT)
            game.brush = 0;
        game.editor_repeat = 0;
    }
}

void editor_export()
{
    export_level();
}

// The anchor's visited cell moved by the cursor's offsets is the target; the
// brush's preview is drawn where the scan draws that cell, and a pending
// request is carried out there.
void update_editor_cursor(int32_t row, int32_t column)
{
    game.target_column = int32_t((int64_t(column) * TILE_SIZE + game.cursor_dx) / TILE_SIZE);
    game.target_row = int32_t((int64_t(row) * TILE_SIZE + game.cursor_dy) / TILE_SIZE);
    const int32_t x = int32_t(int64_t(column) * TILE_SIZE + game.cursor_dx - game.camera_x);
    const int32_t y = int32_t(int64_t(row) * TILE_SIZE + game.cursor_dy);
    draw_brush_preview(game.brush, x, y);
    if (game.place_request == FLAG_SET)
        place_at_target();
}
