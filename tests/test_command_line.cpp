// --help, --version and a bad argument for the game, the replay runner and
// the level tool, run as real programs with no display; and every option and
// setting that --help names is in the program's manual page and the README.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <string>

#include "game_fixture.h"

namespace {

struct Answer {
    int code;
    std::string out, err;
};

Answer run(const std::string& program, const std::string& arguments)
{
    const std::string dir = scratch_folder("tarnblast-command-line");
    const std::string command =
        "cd " + dir + " && DISPLAY= " + program + " " + arguments + " >out 2>err";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(dir + "/out"),
            read_file(dir + "/err")};
}

// Every --option and TARNBLAST_ setting a text names.
std::set<std::string> names_in(std::string text)
{
    text = std::regex_replace(text, std::regex(R"(\\-)"), "-");  // the manual's hyphens
    std::set<std::string> names;
    const std::regex name(R"(--[a-z][a-z-]*|TARNBLAST_[A-Z_]+)");
    for (std::sregex_iterator it(text.begin(), text.end(), name), end; it != end; ++it)
        names.insert(it->str());
    return names;
}

const struct Program {
    const char* path;
    const char* name;
    const char* manual;
    const char* refused;  // a bad argument, the start of its message, and
    const char* message;  // whether the usage follows it
    bool usage;
} PROGRAMS[] = {
    {TARNBLAST_GAME, "tarnblast", "tarnblast.6", "--level x", "tarnblast: unknown argument", true},
    {TARNBLAST_REPLAY, "tarnblast-replay", "tarnblast-replay.1", "--levels x",
     "tarnblast-replay: unknown option --levels", false},
    {TARNBLAST_LEVELS, "tarnblast-levels", "tarnblast-levels.1", "chek x",
     "tarnblast-levels: unknown command 'chek'", true},
};

TEST(CommandLine, HelpAndVersionOnStdoutWithZeroAnythingElseRefusedWithTwo)
{
    const std::string version = std::string(" ") + TARNBLAST_VERSION
                                + "\nCopyright (c) 2026 The Tarnblast developers\nLicence: MIT";
    for (const Program& program : PROGRAMS) {
        SCOPED_TRACE(program.name);
        const Answer help = run(program.path, "--help");
        EXPECT_EQ(help.code, 0);
        EXPECT_EQ(help.out.rfind(std::string("usage: ") + program.name, 0), 0u) << help.out;
        for (const char* part : {"--help", "--version", "Exit codes:", "Example"})
            EXPECT_NE(help.out.find(part), std::string::npos) << part;
        const Answer shown = run(program.path, "--version");
        EXPECT_EQ(shown.code, 0);
        EXPECT_EQ(shown.out.rfind(program.name + version, 0), 0u) << shown.out;
        const Answer refused = run(program.path, program.refused);
        EXPECT_EQ(refused.code, 2);
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(refused.err.rfind(program.message, 0), 0u) << refused.err;
        EXPECT_EQ(refused.err.find("\nusage: ") != std::string::npos, program.usage) << refused.err;
        EXPECT_EQ(help.err + shown.err, "") << "help and version say nothing on stderr";

        const std::string top = std::string(TARNBLAST_SOURCE_DIR) + "/";
        const std::set<std::string> documented =
            names_in(read_file(top + "docs/man/" + program.manual));
        const std::set<std::string> in_readme = names_in(read_file(top + "README.md"));
        for (const std::string& name : names_in(help.out)) {
            EXPECT_TRUE(documented.count(name)) << name << " is not in " << program.manual;
            EXPECT_TRUE(in_readme.count(name)) << name << " is not in the README";
        }
    }
    for (const char* more : {"--help --version", "--version x", "-h -h"})
        EXPECT_EQ(run(TARNBLAST_GAME, more).code, 2) << more << ": one answer at a time";
}

}  // namespace
