#include "base/setting_names.h"

#include "base/platform.h"
#include "base/table_rows.h"

static_assert(rows_in_order(SETTING_NAMES, &SettingName::id),
              "every setting has its row, in the order of SettingId");

const char* setting_value(SettingId id)
{
    return platform_setting(SETTING_NAMES[id].variable, SETTING_NAMES[id].parameter);
}

const char* setting_name(SettingId id)
{
    return platform_setting_name(SETTING_NAMES[id].variable, SETTING_NAMES[id].parameter);
}
