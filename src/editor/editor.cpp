// The level editor: a cursor hung on the cursor anchor, seven brushes,
// placement into the grid, horizontal scrolling and the export key.
#include "editor/editor.h"

#include "levels/level_export.h"
#include "levels/level_file.h"
#include "shell/game_state.h"
#include "world/sprite_atlas.h"

namespace {

// A held arrow moves the cursor on every fourth pass, a held Space changes
// the brush on every eleventh; all five keys count on one shared counter.
constexpr int32_t CURSOR_REPEAT = 3;
constexpr int32_t BRUSH_REPEAT = 10;
constexpr int32_t BRUSH_COUNT = 7;

// The right scroll stops with this column first in view; the left one has no
// stop at all.
constexpr int32_t SCROLL_LIMIT_COLUMN = 500;

// What each brush draws at the cursor and writes into the grid. An enemy
// brush hands out its group's codes from a counter, one per placement, while
// the counter is below its limit, and only once Space has armed it since
// the last enemy went down; the group's last slot code (53, 104, 155, 206)
// is therefore never given out.
struct Brush {
    void (*preview)(int32_t x, int32_t y);
    int32_t code;                   // written by a brush without a counter
    int32_t GameState::*counter;    // next code of an enemy group, or none
    int32_t limit;                  // the counter gives codes while below this
};

void preview_eraser(int32_t x, int32_t y) { draw_sprite_rect(ATLAS_ERASER, x, y); }
void preview_block(int32_t x, int32_t y) { draw_sprite_rect(ATLAS_BLOCK, x, y); }
void preview_enemy_a(int32_t x, int32_t y) { draw_enemy_a(1, 1, x, y); }
void preview_enemy_b(int32_t x, int32_t y) { draw_sprite_rect(ATLAS_ENEMY_B, x, y); }
void preview_enemy_c(int32_t x, int32_t y) { draw_enemy_c(1, 1, x, y); }
void preview_enemy_d(int32_t x, int32_t y) { draw_sprite_rect(ATLAS_ENEMY_D, x, y); }
void preview_drop(int32_t x, int32_t y) { draw_sprite_rect(ATLAS_DROP_MARKER, x, y); }

constexpr int32_t LAST_A = ENEMY_A_BASE + ENEMY_SLOTS - 1;
constexpr int32_t LAST_B = ENEMY_B_BASE + ENEMY_SLOTS - 1;
constexpr int32_t LAST_C = ENEMY_C_BASE + ENEMY_SLOTS - 1;
constexpr int32_t LAST_D = ENEMY_D_BASE + ENEMY_SLOTS - 1;

const Brush BRUSHES[BRUSH_COUNT] = {
    {preview_eraser, TILE_EMPTY, nullptr, 0},              // BRUSH_ERASE
    {preview_block, TILE_BLOCK, nullptr, 0},               // BRUSH_BLOCK
    {preview_enemy_a, 0, &GameState::next_code_a, LAST_A}, // BRUSH_ENEMY_A
    {preview_enemy_b, 0, &GameState::next_code_b, LAST_B}, // BRUSH_ENEMY_B
    {preview_enemy_c, 0, &GameState::next_code_c, LAST_C}, // BRUSH_ENEMY_C
    {preview_enemy_d, 0, &GameState::next_code_d, LAST_D}, // BRUSH_ENEMY_D
    {preview_drop, TILE_DROP, nullptr, 0},                 // BRUSH_DROP
};

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
        game.place_request = 1;
        return;
    }
    if (game.brush < 0 || game.brush >= BRUSH_COUNT)
        return;
    const Brush& brush = BRUSHES[game.brush];
    if (!brush.counter) {
        *cell = brush.code;
        game.place_request = 1;
        return;
    }
    int32_t& next_code = game.*brush.counter;
    if (next_code < brush.limit && game.placement_armed == 2) {
        *cell = next_code;
        game.place_request = 1;
        game.placement_armed = 1;
        next_code += 1;
    }
}

}  // namespace

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

void open_level_file_in_editor()
{
    if (!level_file_open())
        return;
    write_level_file_cells();
    for (const Brush& brush : BRUSHES) {
        if (!brush.counter)
            continue;
        // The group's codes run from its base up to the limit, its last
        // code, which the editor never gives out and so does not count.
        const int32_t base = brush.limit - (ENEMY_SLOTS - 1);
        int32_t next = base;
        for (int32_t row = 1; row < GRID_ROWS; ++row)
            for (int32_t column = 0; column < GRID_COLUMNS; ++column) {
                const int32_t code = level_file_cell(row, column);
                if (code >= next && code < brush.limit)
                    next = code + 1;
            }
        game.*brush.counter = next;
    }
}

void editor_cursor_left() { step_cursor(game.cursor_dx, -TILE_SIZE); }
void editor_cursor_right() { step_cursor(game.cursor_dx, TILE_SIZE); }
void editor_cursor_up() { step_cursor(game.cursor_dy, -TILE_SIZE); }
void editor_cursor_down() { step_cursor(game.cursor_dy, TILE_SIZE); }

void editor_request_placement()
{
    game.place_request = 2;
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
    game.placement_armed = 2;
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
    if (game.brush >= 0 && game.brush < BRUSH_COUNT)
        BRUSHES[game.brush].preview(x, y);
    if (game.place_request == 2)
        place_at_target();
}
