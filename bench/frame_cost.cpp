// The cost of one pass of the game (world scan, drawing and HUD) on the
// busiest window of each playable level, beside the floor every pass pays
// anyway: clearing the back buffer, drawing the HUD and copying 320 x 200.
// Run from the build directory (it reads data/).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "base/platform.h"

#include <cstring>

#include "base/assets.h"
#include "base/game_state.h"
#include "base/score.h"
#include "base/sound.h"
#include "game/headless.h"
#include "game/hud.h"
#include "game/main_loop.h"
#include "game/title.h"

namespace {

// The camera column whose 33-column window holds the most non-empty cells.
int32_t busiest_column()
{
    int32_t best = 0, best_count = -1;
    for (int32_t first = 0; first <= 480; ++first) {
        int32_t count = 0;
        for (int32_t row = 0; row < GRID_ROWS; ++row)
            for (int32_t column = first; column < first + 33; ++column)
                count += grid_value(row, column) != TILE_EMPTY;
        if (count > best_count) {
            best = first;
            best_count = count;
        }
    }
    return best;
}

GameState snapshot;

void pass_on_busiest_window(benchmark::State& state)
{
    const int32_t level = int32_t(state.range(0));
    restart_headless_game(MODE_TITLE);
    start_game_at_level(level);
    const int32_t column = busiest_column();
    game.camera_x = column * TILE_SIZE;
    game.camera_column = column;
    std::memcpy(&snapshot, &game, sizeof game);
    for (auto _ : state) {
        forget_pass_sounds();
        draw_pass();
        if (game.game_mode != MODE_PLAY) {  // the player died: play the view again
            state.PauseTiming();
            std::memcpy(&game, &snapshot, sizeof game);
            state.ResumeTiming();
        }
    }
    state.counters["column"] = column;
}

BENCHMARK(pass_on_busiest_window)->DenseRange(2, 6)->Unit(benchmark::kMicrosecond);

void floor_of_a_pass(benchmark::State& state)
{
    restart_headless_game(MODE_TITLE);
    // A copy of a 320 x 200 frame of 32-bit pixels stands for the copy to the
    // window.
    std::vector<uint32_t> frame(SCREEN_WIDTH * SCREEN_HEIGHT), shown(frame.size());
    for (auto _ : state) {
        clear_frame();
        draw_hud();
        std::copy(frame.begin(), frame.end(), shown.begin());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(floor_of_a_pass)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    start_headless_platform();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
