#include "base/physical_keys.h"

#include <cstring>
#include <strings.h>

#include "base/short_text.h"

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

// The key of a run that the name gives, or PKEY_NONE.
PhysicalKey key_of_run(const KeyRun& run, const char* name, size_t length)
{
    const size_t prefix = std::strlen(run.prefix);
    if (length <= prefix || strncasecmp(name, run.prefix, prefix) != 0)
        return PKEY_NONE;
    const char* rest = name + prefix;
    const int value = run.letters ? (length == prefix + 1 ? rest[0] | 0x20 : -1)
                                  : parse_small_number(rest, length - prefix, run.first, run.last);
    if (value < run.first || value > run.last)
        return PKEY_NONE;
    return PhysicalKey(run.first_key + (value - run.first));
}

}  // namespace

PhysicalKey physical_key_of_name(const char* name, size_t length, PhysicalKey& second)
{
    second = PKEY_NONE;
    for (const KeyRun& run : KEY_RUNS)
        if (const PhysicalKey key = key_of_run(run, name, length))
            return key;
    for (const KeyPair& pair : KEY_PAIRS)
        if (same_name(name, length, pair.name)) {
            second = pair.second;
            return pair.first;
        }
    for (const NamedPhysicalKey& named : NAMED_PHYSICAL_KEYS)
        if (same_name(name, length, named.name))
            return named.key;
    return PKEY_NONE;
}

std::string physical_key_name_list()
{
    std::string list;
    const auto add = [&list](const std::string& name) {
        list += (list.empty() ? "" : ", ") + name;
    };
    for (const KeyRun& run : KEY_RUNS) {
        const auto end = [&run](int value) {
            return run.prefix + (run.letters ? std::string(1, char(value)) : std::to_string(value));
        };
        add(end(run.first) + "-" + end(run.last));
    }
    for (const KeyPair& pair : KEY_PAIRS)
        add(pair.name);
    for (const NamedPhysicalKey& named : NAMED_PHYSICAL_KEYS)
        add(named.name);
    return list;
}
