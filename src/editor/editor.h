// The level editor: a cursor hung on the cursor anchor, seven brushes,
// placement into the grid, horizontal scrolling and the export key.
#pragma once

#include <cstdint>

constexpr int32_t BRUSH_ERASE = 0;
constexpr int32_t BRUSH_BLOCK = 1;
constexpr int32_t BRUSH_ENEMY_A = 2;
constexpr int32_t BRUSH_ENEMY_B = 3;
constexpr int32_t BRUSH_ENEMY_C = 4;
constexpr int32_t BRUSH_ENEMY_D = 5;
constexpr int32_t BRUSH_DROP = 6;

// The editor's start values, set once when the program starts.
void init_editor();

// With a level file opened at start-up: its cells over level 1, and each
// enemy group's counter one above the highest code of the group in the file
// (its base when the file has none), so that no code the level already uses
// is given out again. Nothing without a level file.
void open_level_file_in_editor();

// Editor keys, each run on every pass it is held, in the order the main loop
// looks at them.
void editor_cursor_left();
void editor_cursor_right();
void editor_cursor_up();
void editor_cursor_down();
void editor_request_placement();
void editor_scroll_right();
void editor_scroll_left();
void editor_second_scroll_right();
void editor_second_scroll_left();
void editor_cycle_brush();
void editor_export();

// The cursor handler of the world scan, at the visited cell whose
// camera-relative cell holds the cursor anchor.
void update_editor_cursor(int32_t row, int32_t column);
