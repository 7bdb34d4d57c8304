// The replay runner: its key scripts, pass lists, options and outputs.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game_fixture.h"
#include "replay_run.h"

namespace {

KeyScript parse_ok(const std::string& text)
{
    KeyScript script;
    std::string error;
    EXPECT_TRUE(parse_key_script(text, script, error)) << error;
    return script;
}

std::string parse_error(const std::string& text)
{
    KeyScript script;
    std::string error;
    EXPECT_FALSE(parse_key_script(text, script, error));
    return error;
}

struct RunResult {
    int code;
    std::string out, err;
};

std::string read_all(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string scratch_dir()
{
    return scratch_folder("tarnblast-replay-test") + "/";
}

// Runs the real tarnblast-replay program from the build directory.
RunResult run_replay_program(const std::string& arguments, const std::string& script)
{
    const std::string dir = scratch_dir();
    std::ofstream(dir + "replay-script.txt") << script;
    const std::string command = std::string(TARNBLAST_REPLAY) + " " + arguments + " " + dir
                                + "replay-script.txt >" + dir + "replay.out 2>" + dir
                                + "replay.err";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_all(dir + "replay.out"),
            read_all(dir + "replay.err")};
}

}  // namespace

TEST(KeyScript, LinesCountsCommentsAndBlankPasses)
{
    const KeyScript script =
        parse_ok("# a comment line is no pass\nS\n\n40* RIGHT SPACE  # held\n 3 *\nLEFT RIGHT\r\n");
    EXPECT_EQ(script.total_passes, 1 + 1 + 40 + 3 + 1);
    ASSERT_EQ(script.runs.size(), 5u);
    EXPECT_EQ(script.runs[0].keys, SCRIPT_S);
    EXPECT_EQ(script.runs[1].keys, 0);
    EXPECT_EQ(script.runs[1].passes, 1);
    EXPECT_EQ(script.runs[2].keys, SCRIPT_RIGHT | SCRIPT_SPACE);
    EXPECT_EQ(script.runs[2].passes, 40);
    EXPECT_EQ(script.runs[3].passes, 3);
    EXPECT_EQ(script.runs[4].keys, SCRIPT_LEFT | SCRIPT_RIGHT);
    EXPECT_EQ(key_set_text(SCRIPT_LEFT | SCRIPT_F4 | SCRIPT_ESC), "LEFT F4 ESC");
    EXPECT_EQ(parse_ok("").total_passes, 0);
}

TEST(KeyScript, FaultsNameTheirLine)
{
    EXPECT_EQ(parse_error("S\nLEFT JUMP\n"), "line 2: unknown key name 'JUMP'");
    EXPECT_EQ(parse_error("\n\nleft\n"), "line 3: unknown key name 'left'");
    EXPECT_NE(parse_error("0* LEFT").find("line 1: a repeat count"), std::string::npos);
    EXPECT_NE(parse_error("S\n-4* LEFT").find("line 2: a repeat count"), std::string::npos);
    EXPECT_NE(parse_error("x* LEFT").find("line 1"), std::string::npos);
    EXPECT_NE(parse_error("99999999999999* LEFT").find("line 1"), std::string::npos);
}

TEST(KeyScript, PassLists)
{
    PassList list;
    std::string error;
    ASSERT_TRUE(parse_pass_list("1,47,100-120", 1, list, error));
    EXPECT_TRUE(list.contains(1));
    EXPECT_FALSE(list.contains(2));
    EXPECT_TRUE(list.contains(47));
    EXPECT_TRUE(list.contains(100));
    EXPECT_TRUE(list.contains(120));
    EXPECT_FALSE(list.contains(121));
    EXPECT_TRUE(PassList{}.contains(123456)) << "no list: every pass";
    EXPECT_TRUE(parse_pass_list("0", 0, list, error));
    for (const char* bad : {"0", "", "5-3", "a", "1,,2", "-3", "2-"})
        EXPECT_FALSE(parse_pass_list(bad, 1, list, error)) << bad;
}

TEST(ReplayProgram, BadInputIsRefusedWithExitCodeTwo)
{
    const struct {
        const char* arguments;
        const char* script;
        const char* says;
    } cases[] = {
        {"", "S\nFIRE\n", "line 2: unknown key name 'FIRE'"},
        {"--bogus", "", "unknown option --bogus"},
        {"--warp 7", "", "--warp must be a level from 1 to 6"},
        {"--warp 0", "", "--warp must be a level from 1 to 6"},
        {"--start-mode 2", "", "--start-mode must be 1 or 3"},
        {"--frames-out /tmp/x --frame-list 0", "", "--frame-list: bad list item '0'"},
        {"--trace /tmp/x --trace-list 3-1", "", "--trace-list: bad list item '3-1'"},
        {"--warp 3 --start-mode 3", "", "cannot be combined"},
    };
    for (const auto& c : cases) {
        const RunResult result = run_replay_program(c.arguments, c.script);
        EXPECT_EQ(result.code, 2) << c.arguments;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << c.arguments << ": " << result.err;
    }
    const int status =
        std::system((std::string(TARNBLAST_REPLAY) + " /no/such/script 2>/dev/null").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

TEST(ReplayProgram, TraceGridAndFramesFollowThePasses)
{
    const std::string dir = scratch_dir();
    const RunResult result =
        run_replay_program("--trace " + dir + "trace.jsonl --trace-list 0,2-3 --grid-out " + dir
                               + "grid.txt --frames-out " + dir + "frames --frame-list 2",
                           "S\n3* RIGHT SPACE\nESC\nS\n");
    ASSERT_EQ(result.code, 0) << result.err;
    std::istringstream trace(read_all(dir + "trace.jsonl"));
    std::string line;
    std::vector<std::string> lines;
    while (std::getline(trace, line))
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("{\"frame\":0,\"game_mode\":1,", 0), 0u);
    EXPECT_NE(lines[0].find("\"sounds\":[\"music\"]"), std::string::npos);
    EXPECT_NE(lines[0].find("\"camera_column\":1,"), std::string::npos);
    EXPECT_EQ(lines[1].rfind("{\"frame\":2,\"game_mode\":2,", 0), 0u);
    EXPECT_NE(lines[1].find("\"sounds\":[\"shot_sound\"]"), std::string::npos);
    EXPECT_NE(lines[1].find("\"score_digits\":[0,0,0,0,0,0,0,0,0,0]"), std::string::npos);
    EXPECT_NE(lines[1].find("\"enemies_d\":[{\"fire_timer\":"), std::string::npos);
    EXPECT_NE(lines[2].find("\"move_counter\":0"), std::string::npos);
    EXPECT_EQ(lines[1].find("level_grid"), std::string::npos);

    // The run stopped at ESC: the grid is level 2 as play left it.
    std::istringstream grid(read_all(dir + "grid.txt"));
    int rows = 0;
    while (std::getline(grid, line)) {
        std::istringstream numbers(line);
        int count = 0, value = 0, last = 0;
        while (numbers >> value) {
            last = value;
            ++count;
        }
        EXPECT_EQ(count, GRID_COLUMNS);
        if (rows == 17) {
            EXPECT_EQ(line.rfind("0 0 2 0 2 ", 0), 0u);
        }
        (void)last;
        ++rows;
    }
    EXPECT_EQ(rows, GRID_ROWS);

    BITMAP* frame = load_bmp((dir + "frames/frame-000002.bmp").c_str(), nullptr);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->w, 320);
    EXPECT_EQ(frame->h, 200);
    destroy_bitmap(frame);
    std::FILE* extra = std::fopen((dir + "frames/frame-000001.bmp").c_str(), "rb");
    EXPECT_EQ(extra, nullptr) << "only listed passes are written";
    if (extra)
        std::fclose(extra);
}

TEST(ReplayProgram, WarpStartsPlayOnTheLevelAndTimedemoReports)
{
    const std::string dir = scratch_dir();
    RunResult result =
        run_replay_program("--warp 5 --trace " + dir + "warp.jsonl --trace-list 0", "\n");
    ASSERT_EQ(result.code, 0) << result.err;
    const std::string first = read_all(dir + "warp.jsonl");
    EXPECT_NE(first.find("\"game_mode\":2,"), std::string::npos);
    EXPECT_NE(first.find("\"level_number\":5,"), std::string::npos);
    EXPECT_NE(first.find("\"camera_column\":0,"), std::string::npos);

    result = run_replay_program("--timedemo", "500* RIGHT SPACE\n");
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_NE(result.out.find("500 passes in "), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("passes per second"), std::string::npos);
}

TEST(ReplayProgram, TheSameScriptGivesTheSameFrames)
{
    const std::string dir = scratch_dir();
    const std::string script = "S\n300* RIGHT SPACE\n50* UP LEFT\n200* RIGHT\n";
    ASSERT_EQ(run_replay_program("--frames-out " + dir + "a --frame-list 540", script).code, 0);
    ASSERT_EQ(run_replay_program("--frames-out " + dir + "b --frame-list 540", script).code, 0);
    const std::string a = read_all(dir + "a/frame-000540.bmp");
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, read_all(dir + "b/frame-000540.bmp"));
}
