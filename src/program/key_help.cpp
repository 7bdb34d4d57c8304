#include "program/key_help.h"

#include <cctype>
#include <cstring>

#include "base/game_state.h"

namespace {

// What the keys of each mode do, in the order the line names them; mode 0:
// every mode.
struct KeyHelp {
    int32_t mode;
    Control controls[4];
    int count;
    const char* does;
};
constexpr KeyHelp KEY_HELP[] = {
    {MODE_TITLE, {CONTROL_LEFT, CONTROL_RIGHT}, 2, "walk"},
    {MODE_TITLE, {CONTROL_UP}, 1, "jumps"},
    {MODE_TITLE, {CONTROL_SPACE}, 1, "fires"},
    {MODE_TITLE, {CONTROL_S}, 1, "starts"},
    {MODE_TITLE, {CONTROL_PAUSE}, 1, "pauses"},
    {MODE_EDITOR, {CONTROL_LEFT, CONTROL_RIGHT, CONTROL_UP, CONTROL_DOWN}, 4, "move the cursor"},
    {MODE_EDITOR, {CONTROL_ENTER}, 1, "places"},
    {MODE_EDITOR, {CONTROL_SPACE}, 1, "picks the brush"},
    {MODE_EDITOR, {CONTROL_F1, CONTROL_F2, CONTROL_F3, CONTROL_F4}, 4, "scroll"},
    {MODE_EDITOR, {CONTROL_RSHIFT}, 1, "exports"},
    {0, {CONTROL_MUTE}, 1, "mutes"},
    {0, {CONTROL_ESC}, 1, "quits"},
};

// Key names that read better written out than capitalised.
constexpr const char* SPELLED_OUT[][2] = {
    {"lctrl", "Left Ctrl"},    {"rctrl", "Right Ctrl"}, {"lshift", "Left Shift"},
    {"rshift", "Right Shift"}, {"pgup", "Page Up"},     {"pgdn", "Page Down"},
    {"altgr", "AltGr"},
};

std::string key_name(PhysicalKey key)
{
    if (key >= PKEY_A && key <= PKEY_Z)
        return std::string(1, char('A' + (key - PKEY_A)));
    if (key >= PKEY_0 && key <= PKEY_9)
        return std::string(1, char('0' + (key - PKEY_0)));
    if (key >= PKEY_F1 && key <= PKEY_F12)
        return "F" + std::to_string(key - PKEY_F1 + 1);
    if (key >= PKEY_PAD0 && key <= PKEY_PAD9)
        return "Pad " + std::to_string(key - PKEY_PAD0);
    for (size_t i = 0; i < NAMED_PHYSICAL_KEY_COUNT; ++i) {
        if (NAMED_PHYSICAL_KEYS[i].key != key)
            continue;
        const char* name = NAMED_PHYSICAL_KEYS[i].name;
        for (const auto& spelled : SPELLED_OUT)
            if (std::strcmp(spelled[0], name) == 0)
                return spelled[1];
        return char(std::toupper(static_cast<unsigned char>(name[0]))) + std::string(name + 1);
    }
    return "?";
}

// The keys a control is on: one, or both Ctrl or both Shift keys.
std::string keys_name(const PhysicalKey (&keys)[CONTROL_KEYS])
{
    return keys[1] == PKEY_RCTRL ? "Ctrl" : keys[1] == PKEY_RSHIFT ? "Shift" : key_name(keys[0]);
}

}  // namespace

std::string key_help_line(int32_t start_mode, const KeyBindings& bindings)
{
    std::string line;
    for (const KeyHelp& help : KEY_HELP) {
        if (help.mode != 0 && help.mode != start_mode)
            continue;
        line += line.empty() ? "" : ", ";
        for (int i = 0; i < help.count; ++i)
            line += (i == 0               ? ""
                     : i + 1 < help.count ? ", "
                                          : " and ")
                    + keys_name(bindings.keys[help.controls[i]]);
        line += std::string(" ") + help.does;
    }
    return line + ".";
}
