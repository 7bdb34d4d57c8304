// Demo recording: the shared key-name table, the recorded lines, and files
// that read back through the replay runner's parser as the very key sets
// recorded, even while the game still runs or after the disk fills up.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include "base/key_names.h"
#include "game_fixture.h"
#include "program/key_script.h"
#include "program/recorder.h"

namespace {

// The key set of every pass of a parsed script.
std::vector<uint16_t> passes_of(const std::string& text)
{
    KeyScript script;
    std::string error;
    EXPECT_TRUE(parse_key_script(text, script, error)) << error;
    std::vector<uint16_t> keys;
    for (const ScriptRun& run : script.runs)
        keys.insert(keys.end(), size_t(run.passes), run.keys);
    return keys;
}

constexpr uint16_t EVERY_KEY = (1 << KEY_NAME_COUNT) - 1;

}  // namespace

// Every key set is held, and written as a line that reads back as itself.
TEST(KeyNames, EveryKeySetIsHeldAndWrittenAsTextUnchanged)
{
    for (uint16_t keys = 0; keys <= EVERY_KEY; ++keys) {
        hold_key_set(keys);
        ASSERT_EQ(held_key_set() * 0x10000 + held_script_keys(), keys * 0x10001);
        char text[KEY_SET_TEXT_MAX + 1];
        const size_t length = format_key_set(keys, text, sizeof text);
        ASSERT_EQ(passes_of(std::string(text, length) + "\n"), std::vector<uint16_t>{keys});
    }
    EXPECT_EQ(key_set_text(EVERY_KEY).size(), KEY_SET_TEXT_MAX);
    for (const char* bad : {"RIGH", "RIGHTS", "left", "SHIFT"})
        EXPECT_EQ(key_name_index(bad, std::strlen(bad)), -1) << bad;
    hold_key_set(0);
}

TEST(Recorder, AFileReadsBackAsTheKeySetsRecordedAtEveryPass)
{
    const std::string path = scratch_folder("tarnblast-recorder") + "/demo.txt";
    write_file(path, "an older file\n");
    ASSERT_TRUE(start_recording(path.c_str(), 3));
    std::vector<uint16_t> recorded = {0, 0, SCRIPT_S, SCRIPT_S, SCRIPT_LEFT | SCRIPT_ESC};
    for (uint16_t keys = 0; keys <= EVERY_KEY; keys += 7)
        recorded.push_back(keys);
    for (size_t i = 0; i < recorded.size(); ++i) {
        record_pass(recorded[i]);
        if (i == 3) {  // mid-game, as after a crash: already complete
            const std::vector<uint16_t> so_far(recorded.begin(), recorded.begin() + 4);
            EXPECT_EQ(passes_of(read_file(path)), so_far);
        }
    }
    EXPECT_TRUE(recording());
    stop_recording();
    record_pass(SCRIPT_DOWN);  // after the end: not recorded
    const std::string text = read_file(path);
    const std::string header =
        "# tarnblast recording, start mode 3: replay with tarnblast-replay --start-mode 3\n";
    EXPECT_EQ(text.substr(0, header.size()), header) << "the old file is replaced";
    EXPECT_EQ(passes_of(text), recorded);
    EXPECT_EQ(size_t(std::count(text.begin(), text.end(), '\n')), recorded.size() + 1)
        << "one line per pass";
}

TEST(Recorder, AFileThatCannotBeWrittenCostsOneMessageAndNoRecording)
{
    for (const char* path : {"/nonexistent-folder/demo.txt", "", "/dev/full"}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(start_recording(path, 1)) << path;
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_FALSE(recording());
        record_pass(SCRIPT_LEFT);
    }
}

TEST(Recorder, AFullDiskStopsTheRecordingAfterTheLastWholeLine)
{
    const std::string path = scratch_folder("tarnblast-recorder") + "/full.txt";
    ASSERT_TRUE(start_recording(path.c_str(), 1));
    const off_t header = off_t(read_file(path).size());
    // "RIGHT SPACE\n" is 12 bytes: room for 10 lines and 5 bytes of the 11th.
    rlimit old_limit;
    getrlimit(RLIMIT_FSIZE, &old_limit);
    const rlimit limit{rlim_t(header + 10 * 12 + 5), old_limit.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    testing::internal::CaptureStderr();
    for (int i = 0; i < 20; ++i)
        record_pass(SCRIPT_RIGHT | SCRIPT_SPACE);
    const std::string said = testing::internal::GetCapturedStderr();
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_FALSE(recording());
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find(path), std::string::npos) << said;
    EXPECT_EQ(passes_of(read_file(path)),
              std::vector<uint16_t>(10, uint16_t(SCRIPT_RIGHT | SCRIPT_SPACE)));
}
