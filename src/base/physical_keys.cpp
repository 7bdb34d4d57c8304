#include "base/physical_keys.h"

#include <cstring>
#include <strings.h>

const NamedPhysicalKey NAMED_PHYSICAL_KEYS[] = {
    {"left", PKEY_LEFT, "ArrowLeft"},
    {"right", PKEY_RIGHT, "ArrowRight"},
    {"up", PKEY_UP, "ArrowUp"},
    {"down", PKEY_DOWN, "ArrowDown"},
    {"space", PKEY_SPACE, "Space"},
    {"enter", PKEY_ENTER, "Enter"},
    {"tab", PKEY_TAB, "Tab"},
    {"backspace", PKEY_BACKSPACE, "Backspace"},
    {"insert", PKEY_INSERT, "Insert"},
    {"delete", PKEY_DELETE, "Delete"},
    {"home", PKEY_HOME, "Home"},
    {"end", PKEY_END, "End"},
    {"pgup", PKEY_PGUP, "PageUp"},
    {"pgdn", PKEY_PGDN, "PageDown"},
    {"lctrl", PKEY_LCTRL, "ControlLeft"},
    {"rctrl", PKEY_RCTRL, "ControlRight"},
    {"lshift", PKEY_LSHIFT, "ShiftLeft"},
    {"rshift", PKEY_RSHIFT, "ShiftRight"},
    {"alt", PKEY_ALT, "AltLeft"},
    {"altgr", PKEY_ALTGR, "AltRight"},
    {"comma", PKEY_COMMA, "Comma"},
    {"period", PKEY_PERIOD, "Period"},
    {"slash", PKEY_SLASH, "Slash"},
    {"semicolon", PKEY_SEMICOLON, "Semicolon"},
    {"minus", PKEY_MINUS, "Minus"},
    {"equals", PKEY_EQUALS, "Equal"},
    {"esc", PKEY_ESC, "Escape"},
};
const size_t NAMED_PHYSICAL_KEY_COUNT = sizeof NAMED_PHYSICAL_KEYS / sizeof NAMED_PHYSICAL_KEYS[0];

namespace {

bool same_name(const char* name, size_t length, const char* wanted)
{
    return std::strlen(wanted) == length && strncasecmp(name, wanted, length) == 0;
}

}  // namespace

PhysicalKey physical_key_of_name(const char* name, size_t length, PhysicalKey& second)
{
    second = PKEY_NONE;
    if (length == 1) {
        const char c = char(name[0] | 0x20);
        if (c >= 'a' && c <= 'z')
            return PhysicalKey(PKEY_A + (c - 'a'));
        if (name[0] >= '0' && name[0] <= '9')
            return PhysicalKey(PKEY_0 + (name[0] - '0'));
        return PKEY_NONE;
    }
    int number = -1;
    if ((name[0] | 0x20) == 'f' && (number = parse_small_number(name + 1, length - 1, 1, 12)) >= 0)
        return PhysicalKey(PKEY_F1 + number - 1);
    if (length == 4 && strncasecmp(name, "pad", 3) == 0
        && (number = parse_small_number(name + 3, 1, 0, 9)) >= 0)
        return PhysicalKey(PKEY_PAD0 + number);
    if (same_name(name, length, "ctrl")) {
        second = PKEY_RCTRL;
        return PKEY_LCTRL;
    }
    if (same_name(name, length, "shift")) {
        second = PKEY_RSHIFT;
        return PKEY_LSHIFT;
    }
    for (const NamedPhysicalKey& named : NAMED_PHYSICAL_KEYS)
        if (same_name(name, length, named.name))
            return named.key;
    return PKEY_NONE;
}

// A number of one or two digits from `first` to `last`, or -1.
int parse_small_number(const char* text, size_t length, int first, int last)
{
    if (length < 1 || length > 2 || (length == 2 && text[0] == '0'))
        return -1;
    int value = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value >= first && value <= last ? value : -1;
}
