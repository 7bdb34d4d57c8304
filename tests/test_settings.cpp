// The settings read from the environment: the start mode and the window's
// scale, and how a scale too big for the desktop is brought down.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "program/settings.h"

namespace {

// Sets (or, for nullptr, removes) a variable for one check; the test
// program runs with neither set.
struct ScopedVariable {
    ScopedVariable(const char* name, const char* value) : name(name)
    {
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedVariable() { unsetenv(name); }
    const char* name;
};

struct Setting {
    const char* name;
    bool (*read)(int32_t&);
};
const Setting SCALE{"TARNBLAST_SCALE", window_scale_setting};
const Setting START_MODE{"TARNBLAST_START_MODE", start_mode_setting};
const Setting LEVEL{"TARNBLAST_LEVEL", [](int32_t& mode) { return level_file_setting(mode); }};

}  // namespace

TEST(Settings, UnsetOrValidValuesAreTaken)
{
    const auto taken = [](const Setting& setting, const char* value, int32_t want) {
        ScopedVariable set(setting.name, value);
        int32_t read = 0;
        EXPECT_TRUE(setting.read(read) && read == want)
            << setting.name << '=' << (value ? value : "unset");
    };
    for (const Setting& setting : {SCALE, START_MODE})
        for (const char* value : {(const char*)nullptr, "1", "3"})
            taken(setting, value, value ? value[0] - '0' : 1);
    taken(SCALE, "6", 6);
    taken(SCALE, "auto", AUTO_WINDOW_SCALE);
}

// A refused value leaves the setting alone and is told in one line.
TEST(Settings, InvalidValuesAreRefusedInOneLine)
{
    const auto refused = [](const Setting& setting, const char* value) {
        SCOPED_TRACE(std::string(setting.name) + "=\"" + value + '"');
        ScopedVariable set(setting.name, value);
        int32_t kept = 5;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(setting.read(kept));
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(kept, 5);
        EXPECT_NE(said.find(setting.name), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
        return said;
    };
    for (const char* bad :
         {"", "abc", "0", "7", "2x", " 2", "02", "+2", "-1", "1.5", "4294967298", "AUTO", "auto "})
        EXPECT_NE(refused(SCALE, bad).find(std::string("\"") + bad + "\""), std::string::npos);
    for (const char* bad : {"2", "", "1 "})
        refused(START_MODE, bad);
    refused(LEVEL, "");
}

// A scale too big for the desktop comes down to the largest that fits it
// (never below 1); auto takes the largest within three quarters of it (never
// above 6).
TEST(Settings, TheLargestScaleThatFitsTheDesktopIsUsed)
{
    // The scale asked for (0: auto), the desktop's width and height, the scale used.
    const int cases[][4] = {{6, 1920, 1080, 5}, {6, 1280, 1600, 4}, {2, 640, 400, 2},
                            {2, 639, 400, 1},   {4, 0, 0, 1},       {0, 1280, 800, 3},
                            {0, 1280, 799, 2},  {0, 3840, 2160, 6}};
    for (const auto& c : cases)
        EXPECT_EQ(c[0] ? fitting_window_scale(c[0], 320, 200, c[1], c[2])
                       : auto_window_scale(320, 200, c[1], c[2]),
                  c[3])
            << c[0] << " on " << c[1] << " x " << c[2];
}
