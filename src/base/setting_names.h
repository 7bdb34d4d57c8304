// The program's settings, in one table: each has an environment variable's
// name, read on the desktop, and an address parameter's name, read in the
// browser (?start-mode=3&keys=left=a,right=d), and what the game's --help
// says of it: the form of its value and what it does (lines after the first
// indented under it). Each is read in one place, by the part of the game it
// concerns.
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
    const char* value_form;
    const char* meaning;
};
// clang-format off
inline constexpr SettingName SETTING_NAMES[SETTING_COUNT] = {
    {SETTING_START_MODE, "TARNBLAST_START_MODE", "start-mode", "1|3",
     "1: the title and play (the default);\n3: the level editor"},
    {SETTING_SCALE, "TARNBLAST_SCALE", "scale", "1..6|auto",
     "the window's size, a whole multiple of the game's frame"},
    {SETTING_KEYS, "TARNBLAST_KEYS", "keys", "ACTION=KEY,...",
     "your own keys, e.g. left=a,right=d,fire=ctrl"},
    {SETTING_PAD, "TARNBLAST_PAD", "pad", "fire=N,...",
     "the gamepad's buttons, e.g. fire=2,jump=0,start=9"},
    {SETTING_LEVEL, "TARNBLAST_LEVEL", "level", "FILE|FOLDER",
     "a level file to edit or to play instead of\nthe built-in levels, or a folder whose level\n"
     "files (*.txt, in name order) are played one\nafter another"},
    {SETTING_EXPORT_PATH, "TARNBLAST_EXPORT_PATH", "export-path", "FILE",
     "where the editor's Right Shift writes the level"},
    {SETTING_RECORD, "TARNBLAST_RECORD", "record", "FILE",
     "record every pass's keys as a replay script"},
    {SETTING_FINAL_FRAME, "TARNBLAST_FINAL_FRAME", "final-frame", "F.bmp",
     "save the last frame shown when the game ends"},
};
// clang-format on

// The setting's value as the platform has it, or nullptr when it is not set.
const char* setting_value(SettingId id);
// Its name for messages, as the player gives it on his platform: the
// variable on the desktop, the address parameter in a page.
const char* setting_name(SettingId id);
