// The route finder: what it refuses and what it writes. Routes through the
// real levels, and a level it must give up on, are in the long run
// tests/long/routes.sh.
#include <gtest/gtest.h>

#include <sstream>

#include "base/game_state.h"
#include "levels_tool.h"
#include "program/key_script.h"
#include "route_command.h"

namespace {

TEST(RouteTest, BadCommandLinesAreRefusedWithExitCode2)
{
    for (const char* line : {"", "7", "0", "2 3", "2 --seconds", "2 --seconds 0", "2 --seconds -5",
                             "2 --seconds ten", "2 --out", "2 --fast"}) {
        std::vector<std::string> args = {"route"};
        std::istringstream words(line);
        for (std::string word; words >> word;)
            args.push_back(word);
        std::ostringstream out, err;
        EXPECT_EQ(run_levels_tool(args, out, err), 2) << line;
        EXPECT_EQ(err.str().rfind("tarnblast-levels: ", 0), 0u) << line;
        EXPECT_TRUE(out.str().empty());
    }
}

TEST(RouteTest, ScriptReadsBackAsTheSameKeysPassByPass)
{
    const uint16_t run_firing = SCRIPT_RIGHT | SCRIPT_SPACE;
    const std::vector<uint16_t> keys = {
        run_firing, run_firing, 0, SCRIPT_UP, SCRIPT_LEFT | SCRIPT_UP | SCRIPT_SPACE, 0};
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

}  // namespace
