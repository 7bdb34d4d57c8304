// The settings read from the environment: the start mode and the window's
// scale, and how a scale too big for the desktop is brought down.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "shell/settings.h"

namespace {

// Sets (or, for nullptr, removes) a variable for one test and puts it back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old, had_ = true;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedVariable() { had_ ? setenv(name_, old_.c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

}  // namespace

TEST(WindowScale, OnlyOneDigitFromOneToSixIsAScale)
{
    for (int32_t want = 1; want <= 6; ++want) {
        const char text[] = {char('0' + want), '\0'};
        int32_t scale = 0;
        EXPECT_TRUE(parse_window_scale(text, scale)) << text;
        EXPECT_EQ(scale, want);
    }
    for (const char* bad : {"", "abc", "0", "7", "9", "2x", " 2", "2 ", "02", "+2", "-1", "1.5",
                            "99999999999", "4294967298"}) {
        int32_t scale = 5;
        EXPECT_FALSE(parse_window_scale(bad, scale)) << '"' << bad << '"';
        EXPECT_EQ(scale, 5) << "a refused value leaves the scale alone";
    }
}

TEST(WindowScale, UnsetIsOneAndABadValueIsRefusedInOneLineThatQuotesIt)
{
    int32_t scale = 0;
    {
        ScopedVariable unset("TARNBLAST_SCALE", nullptr);
        EXPECT_TRUE(window_scale_setting(scale));
        EXPECT_EQ(scale, 1);
    }
    {
        ScopedVariable three("TARNBLAST_SCALE", "3");
        EXPECT_TRUE(window_scale_setting(scale));
        EXPECT_EQ(scale, 3);
    }
    for (const char* bad : {"", "2x", "0"}) {
        ScopedVariable set("TARNBLAST_SCALE", bad);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(window_scale_setting(scale)) << bad;
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said, std::string("tarnblast: TARNBLAST_SCALE must be a whole number from 1 to 6 "
                                    "(the window's size in 320 x 200 steps), not \"")
                            + bad + "\"\n");
    }
}

TEST(WindowScale, TheLargestScaleThatFitsTheDesktopIsUsed)
{
    EXPECT_EQ(fitting_window_scale(6, 320, 200, 1024, 768), 3);
    EXPECT_EQ(fitting_window_scale(2, 320, 200, 1024, 768), 2) << "a fitting scale is kept";
    EXPECT_EQ(fitting_window_scale(6, 320, 200, 1920, 1080), 5) << "the height decides";
    EXPECT_EQ(fitting_window_scale(6, 320, 200, 1280, 1600), 4) << "the width decides";
    EXPECT_EQ(fitting_window_scale(2, 320, 200, 640, 400), 2) << "an exact fit fits";
    EXPECT_EQ(fitting_window_scale(2, 320, 200, 639, 400), 1);
    EXPECT_EQ(fitting_window_scale(4, 320, 200, 100, 100), 1) << "never below 1";
    EXPECT_EQ(fitting_window_scale(1, 320, 200, 0, 0), 1);
}

TEST(StartMode, TitleByDefaultEditorOnThreeAnythingElseRefused)
{
    int32_t mode = 0;
    {
        ScopedVariable unset("TARNBLAST_START_MODE", nullptr);
        EXPECT_TRUE(start_mode_setting(mode));
        EXPECT_EQ(mode, 1);
    }
    {
        ScopedVariable editor("TARNBLAST_START_MODE", "3");
        EXPECT_TRUE(start_mode_setting(mode));
        EXPECT_EQ(mode, 3);
    }
    for (const char* bad : {"2", "", "1 "}) {
        ScopedVariable set("TARNBLAST_START_MODE", bad);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(start_mode_setting(mode)) << bad;
        EXPECT_NE(testing::internal::GetCapturedStderr().find("TARNBLAST_START_MODE"),
                  std::string::npos);
    }
}
