// The replay runner: its key scripts, pass lists, options and outputs (its
// warp and trace over long runs: tests/long/).
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "game/title.h"
#include "game_fixture.h"
#include "replay_run.h"

namespace {

struct RunResult {
    int code;
    std::string out, err;
};

// Runs the real tarnblast-replay program from the build directory, in a
// scratch folder of its own, which it returns in dir.
RunResult run_replay_program(const std::string& arguments, const std::string& script,
                             std::string* dir_out = nullptr)
{
    const std::string dir = scratch_folder("tarnblast-replay-test") + "/";
    if (dir_out)
        *dir_out = dir;
    write_file(dir + "script.txt", script);
    const std::string command = "cd " + dir + " && " + TARNBLAST_REPLAY + " " + arguments
                                + " script.txt >replay.out 2>replay.err";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(dir + "replay.out"),
            read_file(dir + "replay.err")};
}

}  // namespace

TEST(KeyScript, LinesCountsCommentsAndFaultsNamingTheirLine)
{
    KeyScript script;
    std::string error;
    ASSERT_TRUE(parse_key_script(
        "# a comment line is no pass\nS\n\n40* RIGHT SPACE  # held\n 3 *\nLEFT RIGHT\r\n", script,
        error))
        << error;
    EXPECT_EQ(script.total_passes, 1 + 1 + 40 + 3 + 1);
    ASSERT_EQ(script.runs.size(), 5u);
    EXPECT_TRUE(script.runs[1].keys == 0 && script.runs[1].passes == 1);
    EXPECT_TRUE(script.runs[2].keys == (SCRIPT_RIGHT | SCRIPT_SPACE)
                && script.runs[2].passes == 40);
    EXPECT_EQ(script.runs[4].keys, SCRIPT_LEFT | SCRIPT_RIGHT);
    // Played pass by pass: each line's keys for its count of passes, then no pass.
    ScriptPlayer player(script);
    std::string played, expected = "S;;";
    for (uint16_t keys = 0; player.next_pass(keys);)
        played += key_set_text(keys) + ";";
    for (int i = 0; i < 40; ++i)
        expected += "RIGHT SPACE;";
    EXPECT_TRUE(played == expected + ";;;LEFT RIGHT;" && player.finished()) << played;
    const struct {
        const char* text;
        const char* names;
    } faults[] = {{"S\nLEFT JUMP\n", "line 2"}, {"\n\nleft\n", "line 3"},
                  {"0* LEFT", "line 1"},        {"S\n-4* LEFT", "line 2"},
                  {"x* LEFT", "line 1"},        {"99999999999999* LEFT", "line 1"}};
    for (const auto& fault : faults) {
        EXPECT_FALSE(parse_key_script(fault.text, script, error)) << fault.text;
        EXPECT_EQ(error.rfind(fault.names, 0), 0u) << error;
    }
}

TEST(KeyScript, PassLists)
{
    PassList list;
    std::string error;
    ASSERT_TRUE(parse_pass_list("1,47,100-120", 1, list, error));
    for (int64_t pass : {1, 47, 100, 120})
        EXPECT_TRUE(list.contains(pass)) << pass;
    for (int64_t pass : {2, 99, 121})
        EXPECT_FALSE(list.contains(pass)) << pass;
    EXPECT_TRUE(PassList{}.contains(123456)) << "no list: every pass";
    EXPECT_TRUE(parse_pass_list("0", 0, list, error));
    for (const char* bad : {"0", "", "5-3", "a", "1,,2", "-3", "2-"})
        EXPECT_FALSE(parse_pass_list(bad, 1, list, error)) << bad;
}

TEST(ReplayProgram, BadInputIsRefusedWithExitCodeTwoNamingWhatIsWrong)
{
    // clang-format off
    const struct { const char* arguments; const char* script; const char* names; } cases[] = {
        {"", "S\nFIRE\n", "line 2"}, {"--bogus", "", "--bogus"}, {"--warp 7", "", "--warp"},
        {"--warp 0", "", "--warp"}, {"--warp 3 --start-mode 3", "", "--warp"},
        {"--start-mode 2", "", "--start-mode"}, {"--trace x --trace-list 3-1", "", "--trace-list"},
        {"--frames-out x --frame-list 0", "", "--frame-list"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const RunResult result = run_replay_program(c.arguments, c.script);
        EXPECT_EQ(result.code, 2) << c.arguments;
        EXPECT_NE(result.err.find(c.names), std::string::npos) << c.arguments << ": " << result.err;
    }
    EXPECT_EQ(run_replay_program("/no/such/script", "").code, 2);
}

// The run stops on the first pass that holds ESC: a second one, or the S
// after them, would be a traced pass.
TEST(ReplayProgram, TraceGridAndFramesFollowThePassesAndStopAtEscape)
{
    std::string dir;
    const RunResult result = run_replay_program("--trace trace.jsonl --trace-list 0,2-9 --grid-out "
                                                "grid.txt --frames-out frames --frame-list 2",
                                                "S\n3* RIGHT SPACE\n2* ESC\nS\n", &dir);
    ASSERT_EQ(result.code, 0) << result.err;
    const std::string trace = read_file(dir + "trace.jsonl");
    EXPECT_EQ(std::count(trace.begin(), trace.end(), '\n'), 1 + 4) << "passes 0 and 2 to 5";
    EXPECT_EQ(trace.rfind("{\"frame\":0,\"game_mode\":1,", 0), 0u);
    EXPECT_NE(trace.find("\"sounds\":[\"music\"]}\n{\"frame\":2,\"game_mode\":2,"),
              std::string::npos);
    EXPECT_NE(trace.find("\"enemies_d\":[{\"fire_timer\":"), std::string::npos);
    EXPECT_EQ(trace.find("level_grid"), std::string::npos);
    const std::string grid = read_file(dir + "grid.txt");
    EXPECT_EQ(std::count(grid.begin(), grid.end(), '\n'), GRID_ROWS);
    EXPECT_EQ(std::count(grid.begin(), grid.end(), ' '), GRID_ROWS * (GRID_COLUMNS - 1));
    RgbImage frame;
    ASSERT_TRUE(decode_bmp(read_file(dir + "frames/frame-000002.bmp"), frame));
    EXPECT_TRUE(frame.width == 320 && frame.height == 200);
    EXPECT_EQ(read_file(dir + "frames/frame-000001.bmp"), "") << "only listed passes are written";
}

TEST(ReplayProgram, WarpStartsPlayOnTheLevelItNames)
{
    std::string dir;
    RunResult result = run_replay_program("--warp 5 --trace warp.jsonl --trace-list 0", "\n", &dir);
    ASSERT_EQ(result.code, 0) << result.err;
    const std::string first = read_file(dir + "warp.jsonl");
    for (const char* field : {"\"game_mode\":2,", "\"level_number\":5,", "\"camera_column\":0,"})
        EXPECT_NE(first.find(field), std::string::npos) << field;
    std::string warps;
    for (const char* text : {"1", "6", "0", "7", "16", "2 ", ""})
        warps += std::to_string(warp_level_of(text)) + " ";
    EXPECT_EQ(warps, "1 6 -1 -1 -1 -1 -1 ");
}
