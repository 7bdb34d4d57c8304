#include "program/settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/game_state.h"
#include "base/setting_names.h"
#include "base/short_text.h"
#include "game/main_loop.h"
#include "levels/level_pack.h"

namespace {

// Reads a window scale: a whole number from MIN_WINDOW_SCALE to
// MAX_WINDOW_SCALE, nothing around it.
bool parse_window_scale(const char* text, int32_t& scale)
{
    const int value =
        text ? parse_small_number(text, std::strlen(text), MIN_WINDOW_SCALE, MAX_WINDOW_SCALE) : -1;
    if (value < 0)
        return false;
    scale = value;
    return true;
}

}  // namespace

bool start_mode_setting(int32_t& start_mode)
{
    const char* value = setting_value(SETTING_START_MODE);
    if (!value) {
        start_mode = 1;
        return true;
    }
    if (parse_start_mode(value, start_mode))
        return true;
    std::fprintf(stderr, "tarnblast: %s must be %s, not \"%.40s\"\n",
                 setting_name(SETTING_START_MODE), START_MODE_CHOICES, value);
    return false;
}

bool level_file_setting(int32_t start_mode)
{
    const char* value = setting_value(SETTING_LEVEL);
    if (!value)
        return true;
    if (!*value) {
        std::fprintf(stderr, "tarnblast: %s is empty: name a level file or folder, or unset it\n",
                     setting_name(SETTING_LEVEL));
        return false;
    }
    std::string message;
    if (open_level_pack(value, start_mode, message))
        return true;
    std::fprintf(stderr, "tarnblast: %s\n", message.c_str());
    return false;
}

bool window_scale_setting(int32_t& scale)
{
    const char* value = setting_value(SETTING_SCALE);
    if (!value) {
        scale = 1;
        return true;
    }
    if (std::strcmp(value, "auto") == 0) {
        scale = AUTO_WINDOW_SCALE;
        return true;
    }
    if (parse_window_scale(value, scale))
        return true;
    std::fprintf(stderr,
                 "tarnblast: %s must be a whole number from %d to %d (the window's size in "
                 "%d x %d steps) or auto, not \"%.40s\"\n",
                 setting_name(SETTING_SCALE), int(MIN_WINDOW_SCALE), int(MAX_WINDOW_SCALE),
                 int(SCREEN_WIDTH), int(SCREEN_HEIGHT), value);
    return false;
}

int32_t fitting_window_scale(int32_t wanted, int32_t width, int32_t height, int32_t desktop_width,
                             int32_t desktop_height)
{
    int32_t scale = wanted;
    while (scale > 1 && (width * scale > desktop_width || height * scale > desktop_height))
        --scale;
    return scale < 1 ? 1 : scale;
}

int32_t auto_window_scale(int32_t width, int32_t height, int32_t desktop_width,
                          int32_t desktop_height)
{
    return fitting_window_scale(MAX_WINDOW_SCALE, width, height, desktop_width * 3 / 4,
                                desktop_height * 3 / 4);
}
