// The level editor: a cursor hung on the cursor anchor, seven brushes,
// placement into the grid, horizontal scrolling and the export key.
#pragma once

#include <cstdint>

#include "enemies/enemy_groups.h"

// The eraser and the block, then one brush per enemy group in the order of
// the group table, then the drop marker.
constexpr int32_t BRUSH_ERASE = 0;
constexpr int32_t BRUSH_BLOCK = 1;
constexpr int32_t BRUSH_FIRST_GROUP = 2;
constexpr int32_t BRUSH_DROP = BRUSH_FIRST_GROUP + GROUP_COUNT;
constexpr int32_t BRUSH_COUNT = BRUSH_DROP + 1;

// The brush of an enemy group.
constexpr int32_t group_brush(EnemyGroup group)
{
    return BRUSH_FIRST_GROUP + group;
}

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
