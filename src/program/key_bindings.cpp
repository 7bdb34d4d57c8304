#include "program/key_bindings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace {

constexpr const char* KEY_NAME_LIST =
    "a-z, 0-9, f1-f12, pad0-pad9, left, right, up, down, space, enter, tab, backspace, "
    "insert, delete, home, end, pgup, pgdn, ctrl, lctrl, rctrl, shift, lshift, rshift, alt, "
    "altgr, comma, period, slash, semicolon, minus, equals, esc";
constexpr const char* ACTION_LIST =
    "left, right, jump, down, fire, start, place, export, pause, mute";

KeyBindings active_bindings = default_key_bindings();

bool same_name(const char* name, size_t length, const char* wanted)
{
    return std::strlen(wanted) == length && strncasecmp(name, wanted, length) == 0;
}

// The keys of a key name; false for an unknown name.
bool key_of_name(const char* name, size_t length, PhysicalKey (&keys)[CONTROL_KEYS])
{
    keys[0] = physical_key_of_name(name, length, keys[1]);
    return keys[0] != PKEY_NONE;
}

int control_of_action(const char* name, size_t length)
{
    for (int i = 0; i < CONTROL_COUNT; ++i)
        if (CONTROLS[i].action && same_name(name, length, CONTROLS[i].action))
            return i;
    return -1;
}

bool share_a_key(const PhysicalKey (&a)[CONTROL_KEYS], const PhysicalKey (&b)[CONTROL_KEYS])
{
    for (PhysicalKey x : a)
        for (PhysicalKey y : b)
            if (x != PKEY_NONE && x == y)
                return true;
    return false;
}

// The first two controls on one key, as indices; false when there are none.
bool find_shared_key(const KeyBindings& bindings, int& first, int& second)
{
    for (first = 0; first < CONTROL_COUNT; ++first)
        for (second = first + 1; second < CONTROL_COUNT; ++second)
            if (share_a_key(bindings.keys[first], bindings.keys[second]))
                return true;
    return false;
}

}  // namespace

bool next_assignment(const char*& text, Assignment& entry)
{
    if (!*text)
        return false;
    const char* end = std::strchr(text, ',');
    if (!end)
        end = text + std::strlen(text);
    const char* equals = static_cast<const char*>(std::memchr(text, '=', size_t(end - text)));
    entry.name = text;
    entry.name_length = size_t((equals ? equals : end) - text);
    entry.value = equals ? equals + 1 : nullptr;
    entry.value_length = equals ? size_t(end - equals - 1) : 0;
    text = *end ? end + 1 : end;
    return true;
}

bool has_empty_entry(const char* text)
{
    const size_t length = std::strlen(text);
    return length && (text[0] == ',' || text[length - 1] == ',' || std::strstr(text, ",,"));
}

KeyBindings default_key_bindings()
{
    KeyBindings bindings{};
    for (int i = 0; i < CONTROL_COUNT; ++i)
        bindings.keys[i][0] = CONTROLS[i].usual_key;
    return bindings;
}

bool parse_key_bindings(const char* text, KeyBindings& bindings, char* error, size_t size)
{
    KeyBindings result = default_key_bindings();
    bool named[CONTROL_COUNT] = {};
    if (has_empty_entry(text)) {
        std::snprintf(error, size, "an empty entry in \"%.60s\"; write action=key, ...", text);
        return false;
    }
    Assignment entry;
    while (next_assignment(text, entry)) {
        const int control = control_of_action(entry.name, entry.name_length);
        if (control < 0) {
            std::snprintf(error, size, "unknown action \"%.*s\"; the actions are %s",
                          int(entry.name_length < 40 ? entry.name_length : 40), entry.name,
                          ACTION_LIST);
            return false;
        }
        if (!entry.value) {
            std::snprintf(error, size, "\"%.*s\" has no key; write %s=KEY", int(entry.name_length),
                          entry.name, CONTROLS[control].action);
            return false;
        }
        if (named[control]) {
            std::snprintf(error, size, "%s is given twice", CONTROLS[control].action);
            return false;
        }
        named[control] = true;
        if (!key_of_name(entry.value, entry.value_length, result.keys[control])) {
            std::snprintf(error, size, "unknown key \"%.*s\" for %s; the keys are %s",
                          int(entry.value_length < 40 ? entry.value_length : 40), entry.value,
                          CONTROLS[control].action, KEY_NAME_LIST);
            return false;
        }
    }
    int first = 0, second = 0;
    if (find_shared_key(result, first, second)) {
        std::snprintf(error, size, "%s and %s would share one key; give each its own",
                      CONTROLS[first].label, CONTROLS[second].label);
        return false;
    }
    bindings = result;
    return true;
}

bool list_setting(SettingId id, bool (*parse)(const char* text, char* error, size_t size))
{
    const char* value = setting_value(id);
    if (!value)
        return true;
    char error[512];
    if (parse(value, error, sizeof error))
        return true;
    std::fprintf(stderr, "tarnblast: %s: %s\n", setting_variable(id), error);
    return false;
}

bool key_bindings_setting()
{
    return list_setting(SETTING_KEYS, [](const char* text, char* error, size_t size) {
        return parse_key_bindings(text, active_bindings, error, size);
    });
}

const KeyBindings& key_bindings_in_use()
{
    return active_bindings;
}

uint16_t held_controls(const KeyBindings& bindings, const PhysicalKeys& down)
{
    uint16_t controls = 0;
    for (int i = 0; i < CONTROL_COUNT; ++i)
        for (PhysicalKey k : bindings.keys[i])
            if (k != PKEY_NONE && down.down(k))
                controls |= uint16_t(1u << i);
    return controls;
}

uint16_t held_controls(const PhysicalKeys& down)
{
    return held_controls(active_bindings, down);
}
