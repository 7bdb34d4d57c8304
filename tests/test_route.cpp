// The route finder: what it refuses, what it writes, and a level it must give
// up on. Routes through the real levels are found and replayed by the long
// run tests/long/routes.sh.
#include <gtest/gtest.h>

#include <sstream>

#include "base/game_state.h"
#include "levels_tool.h"
#include "route_command.h"
#include "shell/key_script.h"

namespace {

TEST(RouteTest, BadCommandLinesAreRefusedWithExitCode2)
{
    const std::vector<std::vector<std::string>> bad = {
        {"route"},
        {"route", "7"},
        {"route", "0"},
        {"route", "2", "3"},
        {"route", "2", "--seconds"},
        {"route", "2", "--seconds", "0"},
        {"route", "2", "--seconds", "-5"},
        {"route", "2", "--seconds", "ten"},
        {"route", "2", "--out"},
        {"route", "2", "--fast"},
    };
    for (const auto& args : bad) {
        std::ostringstream out, err;
        EXPECT_EQ(run_levels_tool(args, out, err), 2) << args.back();
        EXPECT_EQ(err.str().rfind("tarnblast-levels: ", 0), 0u) << args.back();
        EXPECT_TRUE(out.str().empty());
    }
}

TEST(RouteTest, ScriptReadsBackAsTheSameKeysPassByPass)
{
    const std::vector<uint16_t> keys = {SCRIPT_RIGHT | SCRIPT_SPACE,
                                        SCRIPT_RIGHT | SCRIPT_SPACE,
                                        0,
                                        SCRIPT_UP,
                                        SCRIPT_LEFT | SCRIPT_UP | SCRIPT_SPACE,
                                        0};
    const RouteLevel level = builtin_route_level(4);
    const std::string text = route_script_text(level, keys, 3);
    EXPECT_NE(text.find("tarnblast-replay --warp 4 SCRIPT"), std::string::npos);
    EXPECT_NE(text.find("6 passes, 3 enemies shot"), std::string::npos);
    KeyScript script;
    std::string error;
    ASSERT_TRUE(parse_key_script(text, script, error)) << error;
    std::vector<uint16_t> back;
    for (const ScriptRun& run : script.runs)
        back.insert(back.end(), size_t(run.passes), run.keys);
    EXPECT_EQ(back, keys);
}

// Nothing to stand on from column 60 to the end, and a drop marker in every
// cell so that no one walks on air: the search stops at its time and says
// how far it came. (A wall of blocks would not do: a player
// facing left is pushed through any wall, the higher the faster.)
TEST(RouteTest, ABottomlessPitToTheEndLeavesNoRoute)
{
    constexpr int32_t PIT_COLUMN = 60;
    RouteLevel level = builtin_route_level(2);
    const auto start_level_2 = level.start.restart;
    level.start.restart = [start_level_2]() {
        start_level_2();
        for (int32_t row = 0; row < GRID_ROWS; ++row)
            for (int32_t column = PIT_COLUMN; column < GRID_COLUMNS; ++column)
                *grid_cell(row, column) = TILE_DROP;
    };
    const double limit = 1.0;
    int reports = 0;
    const RouteResult result =
        find_route(level.start, limit, [&](const RouteProgress&) { ++reports; });
    EXPECT_FALSE(result.found);
    EXPECT_TRUE(result.keys.empty());
    // A jump or a fall carries him some way into the pit before he drops
    // off the screen; the player stands 16 columns right of the camera.
    EXPECT_GT(result.progress.furthest_column, PIT_COLUMN - 30);
    EXPECT_LT(result.progress.furthest_column, PIT_COLUMN + 60);
    EXPECT_GE(result.progress.cpu_seconds, limit);
    EXPECT_LT(result.progress.cpu_seconds, limit + 1.0);
    EXPECT_GE(reports, 1);
}

}  // namespace
