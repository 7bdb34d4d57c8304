#include "program/settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/setting_names.h"
#include "levels/level_pack.h"

bool start_mode_setting(int32_t& start_mode)
{
    const char* value = setting_value(SETTING_START_MODE);
    if (!value) {
        start_mode = 1;
        return true;
    }
    if (std::strcmp(value, "1") == 0 || std::strcmp(value, "3") == 0) {
        start_mode = value[0] - '0';
        return true;
    }
    std::fprintf(stderr,
                 "tarnblast: TARNBLAST_START_MODE must be 1 (title and play) or 3 (level "
                 "editor), not \"%.40s\"\n",
                 value);
    return false;
}

bool level_file_setting(int32_t start_mode)
{
    const char* value = setting_value(SETTING_LEVEL);
    if (!value)
        return true;
    if (!*value) {
        std::fprintf(
            stderr,
            "tarnblast: TARNBLAST_LEVEL is empty: name a level file or folder, or unset it\n");
        return false;
    }
    std::string message;
    if (open_level_pack(value, start_mode, message))
        return true;
    std::fprintf(stderr, "tarnblast: %s\n", message.c_str());
    return false;
}

bool parse_window_scale(const char* text, int32_t& scale)
{
    if (!text || text[0] < '0' + MIN_WINDOW_SCALE || text[0] > '0' + MAX_WINDOW_SCALE
        || text[1] != '\0')
        return false;
    scale = text[0] - '0';
    return true;
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
                 "tarnblast: TARNBLAST_SCALE must be a whole number from %d to %d (the "
                 "window's size in 320 x 200 steps) or auto, not \"%.40s\"\n",
                 int(MIN_WINDOW_SCALE), int(MAX_WINDOW_SCALE), value);
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
