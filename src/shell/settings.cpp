#include "shell/settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

bool start_mode_setting(int32_t& start_mode)
{
    const char* value = std::getenv("TARNBLAST_START_MODE");
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
