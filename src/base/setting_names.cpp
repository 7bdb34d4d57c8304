#include "base/setting_names.h"

#include "base/platform.h"

namespace {

constexpr bool settings_in_order()
{
    for (int i = 0; i < SETTING_COUNT; ++i)
        if (SETTING_NAMES[i].id != i)
            return false;
    return true;
}
static_assert(settings_in_order(), "every setting has its row, in the order of SettingId");

}  // namespace

const char* setting_value(SettingId id)
{
    return platform_setting(SETTING_NAMES[id].variable, SETTING_NAMES[id].parameter);
}
