// Every module-wide variable of the game, under the names the game uses for
// them, gathered in one record so that a test, a replay or a benchmark can put
// the whole program back to its start-up state with one call.
#pragma once

#include <cstdint>

// Grid and tile codes.
constexpr int32_t GRID_ROWS = 21;
constexpr int32_t GRID_COLUMNS = 513;
constexpr int32_t GRID_CELLS = GRID_ROWS * GRID_COLUMNS;
constexpr int32_t TILE_SIZE = 10;
// The columns the world scan visits from the camera's: the screen's width
// and the one partly shown beyond it.
constexpr int32_t WINDOW_COLUMNS = 33;

constexpr int32_t TILE_EMPTY = 0;
constexpr int32_t TILE_PLAYER = 1;
constexpr int32_t TILE_BLOCK = 2;
constexpr int32_t ENEMY_SLOTS = 51;
constexpr int32_t ENEMY_A_BASE = 3;
constexpr int32_t ENEMY_B_BASE = 54;
constexpr int32_t ENEMY_C_BASE = 105;
constexpr int32_t ENEMY_D_BASE = 156;
// Every enemy group's codes, from the first group's base to one past the
// last group's last code (enemies/enemy_groups.h knows which is which).
constexpr int32_t ENEMY_CODES_FIRST = ENEMY_A_BASE;
constexpr int32_t ENEMY_CODES_END = ENEMY_D_BASE + ENEMY_SLOTS;
constexpr int32_t TILE_CURSOR = 1014;
constexpr int32_t TILE_DROP = 1020;

// Two-valued flags hold 1 and 2, never 0 and 1: 1 is "no" (standing, at
// rest, not armed), 2 is "yes" (falling, flying, armed).
constexpr int32_t FLAG_CLEAR = 1;
constexpr int32_t FLAG_SET = 2;

// Directions hold 1 and 2 too, with opposite meanings: the player (his
// facing and his shots) goes right at 1, enemies and their shots go left
// at 1.
constexpr int32_t PLAYER_RIGHT = 1;
constexpr int32_t PLAYER_LEFT = 2;
constexpr int32_t ENEMY_LEFT = 1;
constexpr int32_t ENEMY_RIGHT = 2;

// Modes.
constexpr int32_t MODE_TITLE = 1;
constexpr int32_t MODE_PLAY = 2;
constexpr int32_t MODE_EDITOR = 3;

// Screen.
constexpr int32_t SCREEN_WIDTH = 320;
constexpr int32_t SCREEN_HEIGHT = 200;

// Score.
constexpr int32_t SCORE_DIGITS = 10;

// Player shots: slots 1 to 20 are fired in turn, slot 0 only rides along.
constexpr int32_t PLAYER_SHOT_SLOTS = 21;

// Enemy shots: slots 1 to 20 are armed in turn, slot 0 rests for good.
constexpr int32_t ENEMY_SHOTS = 21;

// The camera column at which a level is finished.
constexpr int32_t LEVEL_END_COLUMN = 480;

// S starts play on this level, and the last level goes on with it again;
// level 1 is only the editor's empty frame.
constexpr int32_t FIRST_PLAY_LEVEL = 2;

// One shot slot of one enemy: the shot itself and, for groups A and B, an
// explosion that runs independently of the slot's next flight.
struct EnemyShot {
    int32_t flying;
    int32_t x;
    int32_t y;
    int32_t shift;
    int32_t flight_timer;
    int32_t direction;
    int32_t explosion_state;
    int32_t explosion_x;
    int32_t explosion_y;
    int32_t explosion_shift;
    int32_t explosion_frame;
    int32_t explosion_timer;
};

// One enemy: its offsets from its anchor cell, life, death, timers and shots.
struct EnemySlot {
    int32_t fire_timer;
    int32_t anim_frame;
    int32_t anim_timer;
    int32_t direction;
    int32_t offset_x;
    int32_t offset_y;
    int32_t screen_x;
    int32_t screen_y;
    int32_t falling;
    int32_t alive;
    int32_t dying;
    int32_t dying_x;
    int32_t dying_y;
    int32_t dying_frame;
    int32_t next_shot;
    EnemyShot shots[ENEMY_SHOTS];
};

struct GameState {
    // Shell.
    int32_t game_mode;
    int32_t start_mode;
    int32_t level_number;
    int32_t level_count;
    // Which file of a level pack is played, from 0 (see levels/level_pack.h).
    int32_t pack_file;
    int32_t title_timer;
    int32_t score_digits[SCORE_DIGITS];
    // The keys held for this pass, as a key set (base/key_names.h): the
    // platform or a replay writes it before the pass reads its keys.
    int32_t held_keys;

    // Camera.
    int32_t camera_x;
    int32_t camera_column;

    // Player.
    int32_t player_x;
    int32_t player_y;
    int32_t player_offset_y;
    int32_t player_facing;
    int32_t player_frame;
    int32_t player_jumping;
    int32_t player_falling;
    int32_t jump_counter;
    int32_t move_counter;

    // Player shots.
    int32_t shot_active[PLAYER_SHOT_SLOTS];
    int32_t shot_x[PLAYER_SHOT_SLOTS];
    int32_t shot_y[PLAYER_SHOT_SLOTS];
    int32_t shot_direction[PLAYER_SHOT_SLOTS];
    int32_t fire_counter;
    int32_t next_shot_slot;

    // Block and drop-marker temporaries of the cell being handled.
    int32_t block_x;
    int32_t block_y;
    int32_t drop_x;
    int32_t drop_y;

    // Enemies.
    EnemySlot enemies_a[ENEMY_SLOTS];
    EnemySlot enemies_b[ENEMY_SLOTS];
    EnemySlot enemies_c[ENEMY_SLOTS];
    EnemySlot enemies_d[ENEMY_SLOTS];

    // Level editor.
    int32_t cursor_dx;
    int32_t cursor_dy;
    int32_t brush;
    int32_t place_request;
    int32_t placement_armed;
    int32_t editor_repeat;
    int32_t target_row;
    int32_t target_column;
    int32_t next_code_a;
    int32_t next_code_b;
    int32_t next_code_c;
    int32_t next_code_d;
    int32_t second_scroll_x;
    int32_t second_scroll_column;
    // A failed export: passes left to show it at the bottom of the screen,
    // the reason (errno) last told on stderr (0 after a success), and whether
    // an empty TARNBLAST_EXPORT_PATH has been told about.
    int32_t export_notice;
    int32_t export_error;
    int32_t export_empty_path_told;

    // The level: 21 rows by 513 columns, row-major.
    int32_t level_grid[GRID_CELLS];
};

// Sums and differences of positions wrap as on a 32-bit machine: values the
// game lets grow without limit (an enemy falling for hours, a death explosion
// that never ends) must never overflow into undefined behaviour.
constexpr int32_t wrap_add(int32_t a, int32_t b)
{
    return int32_t(uint32_t(a) + uint32_t(b));
}
constexpr int32_t wrap_sub(int32_t a, int32_t b)
{
    return int32_t(uint32_t(a) - uint32_t(b));
}

// The one instance. All of it is zero at program start.
extern GameState game;

// Puts every game variable back to zero, as at program start, and forgets the
// sounds of the pass. The platform's sheets and samples are not touched.
void clear_game_state();

// The level grid cell (row, column), or nullptr outside the grid. The world
// scan and the editor read and write the grid only through this, so that a
// scroll past either end of the level never touches memory outside it.
inline int32_t* grid_cell(int32_t row, int32_t column)
{
    if (row < 0 || row >= GRID_ROWS || column < 0 || column >= GRID_COLUMNS)
        return nullptr;
    return &game.level_grid[row * GRID_COLUMNS + column];
}

// The value of a cell, 0 (an empty cell) outside the grid.
inline int32_t grid_value(int32_t row, int32_t column)
{
    const int32_t* cell = grid_cell(row, column);
    return cell ? *cell : TILE_EMPTY;
}
