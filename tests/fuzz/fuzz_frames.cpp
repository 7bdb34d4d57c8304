// Coverage-guided fuzzing of the game's frame step: any sequence of held
// keys, from the title, the editor or the start of any level, must keep the
// game's tables in bounds (the sanitizers watch memory and undefined
// behaviour) and its counters within their ranges.
// Input: byte 0 picks the start (title, editor, or play on level 1 to 6);
// then every two bytes are the keys held at one pass.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/game_state.h"
#include "base/platform.h"
#include "base/score.h"
#include "base/sound.h"
#include "enemies/enemy_groups.h"
#include "game/headless.h"
#include "game/main_loop.h"
#include "game/title.h"
#include "levels/load_level.h"
#include "program/key_script.h"

namespace {

constexpr size_t MAX_PASSES = 2000;
int32_t level_grids[7][GRID_CELLS];  // each built-in level as load_level leaves an empty grid

void check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

void check_range(int32_t value, int32_t low, int32_t high, const char* what)
{
    check(value >= low && value <= high, what);
}

void check_invariants(bool grid_may_change)
{
    check_range(game.game_mode, 1, 3, "game_mode in 1..3");
    check_range(game.next_shot_slot, 1, 20, "next_shot_slot in 1..20");
    for (const EnemyGroupRow& group : ENEMY_GROUPS)
        for (int slot = 0; slot < ENEMY_SLOTS; ++slot)
            check_range(group.slots[slot].next_shot, 1, 20, "every next_shot in 1..20");
    // Kills raise the tens digit by 2 during the scan and the carry at the
    // start of the next pass brings it back, so between passes it may stand
    // above 9, by at most two for every enemy that can die; no other digit may.
    for (int i = 0; i < SCORE_DIGITS; ++i)
        check_range(game.score_digits[i], 0, i == TENS_DIGIT ? 9 + 2 * 3 * ENEMY_SLOTS : 9,
                    "score digits in 0..9, the tens digit until the next carry");
    check(grid_may_change
              || !std::memcmp(game.level_grid, level_grids[game.level_number],
                              sizeof game.level_grid),
          "the grid is written only in the editor");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Exports go nowhere: the fuzzer tests the editor, not the disk.
    setenv("TARNBLAST_EXPORT_PATH", "/dev/null/fuzz/level.txt", 1);
    start_headless_platform();
    restart_headless_game(MODE_TITLE);
    for (int level = 1; level <= 6; ++level)
        load_level(level, level_grids[level]);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int start = data[0] % 8;  // 0 title, 1 editor, 2..7 play on level 1..6
    restart_headless_game(start == 1 ? MODE_EDITOR : MODE_TITLE, true);
    if (start >= 2)
        start_game_at_level(start - 1);
    const bool editor = game.game_mode == MODE_EDITOR;
    const size_t passes = (size - 1) / 2 < MAX_PASSES ? (size - 1) / 2 : MAX_PASSES;
    for (size_t i = 0; i < passes; ++i) {
        const uint16_t keys = uint16_t(data[1 + 2 * i] | data[2 + 2 * i] << 8) & 0x1fff;
        if (!run_pass_holding(keys))
            break;
        check_invariants(editor);
    }
    return 0;
}
