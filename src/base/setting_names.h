// The program's settings, in one table: each has an environment variable's
// name, read on the desktop, and an address parameter's name, read in the
// browser (?start-mode=3&keys=left=a,right=d). Each is read in one place, by
// the part of the game it concerns.
#pragma once

enum SettingId {
    SETTING_START_MODE,
    SETTING_SCALE,
    SETTING_KEYS,
    SETTING_PAD,
    SETTING_LEVEL,
    SETTING_EXPORT_PATH,
    SETTING_RECORD,
    SETTING_FINAL_FRAME,
    SETTING_COUNT
};

struct SettingName {
    SettingId id;
    const char* variable;
    const char* parameter;
};
inline constexpr SettingName SETTING_NAMES[SETTING_COUNT] = {
    {SETTING_START_MODE, "TARNBLAST_START_MODE", "start-mode"},
    {SETTING_SCALE, "TARNBLAST_SCALE", "scale"},
    {SETTING_KEYS, "TARNBLAST_KEYS", "keys"},
    {SETTING_PAD, "TARNBLAST_PAD", "pad"},
    {SETTING_LEVEL, "TARNBLAST_LEVEL", "level"},
    {SETTING_EXPORT_PATH, "TARNBLAST_EXPORT_PATH", "export-path"},
    {SETTING_RECORD, "TARNBLAST_RECORD", "record"},
    {SETTING_FINAL_FRAME, "TARNBLAST_FINAL_FRAME", "final-frame"},
};

// The setting's value as the platform has it, or nullptr when it is not set.
const char* setting_value(SettingId id);
// Its name for messages, as the player gives it on his platform: the
// variable on the desktop, the address parameter in a page.
const char* setting_name(SettingId id);
