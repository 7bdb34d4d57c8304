#include "shell/key_bindings.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace {

// The controls in the order of their bits: the game's keys as key_names.h
// orders them, then pause and mute. Those with an action name may be moved by
// TARNBLAST_KEYS; Escape and the editor's F keys stay where they are, but no
// action may take their key.
struct Control {
    const char* action;  // nullptr: not movable
    const char* label;   // for messages
    int own_key;         // pause and mute; the game's keys are on GAME_KEYS' scancodes
};
const Control CONTROLS[CONTROL_COUNT] = {
    {"left", "left", 0},
    {"right", "right", 0},
    {"jump", "jump", 0},
    {"down", "down", 0},
    {"fire", "fire", 0},
    {"start", "start", 0},
    {"place", "place", 0},
    {nullptr, "the editor's f1", 0},
    {nullptr, "the editor's f2", 0},
    {nullptr, "the editor's f3", 0},
    {nullptr, "the editor's f4", 0},
    {"export", "export", 0},
    {nullptr, "quit", 0},
    {"pause", "pause", KEY_P},
    {"mute", "mute", KEY_M},
};

// Key names beside the runs a-z, 0-9, f1-f12 and pad0-pad9.
struct NamedKey {
    const char* name;
    int scancodes[2];
};
const NamedKey NAMED_KEYS[] = {
    {"left", {KEY_LEFT, 0}},
    {"right", {KEY_RIGHT, 0}},
    {"up", {KEY_UP, 0}},
    {"down", {KEY_DOWN, 0}},
    {"space", {KEY_SPACE, 0}},
    {"enter", {KEY_ENTER, 0}},
    {"tab", {KEY_TAB, 0}},
    {"backspace", {KEY_BACKSPACE, 0}},
    {"insert", {KEY_INSERT, 0}},
    {"delete", {KEY_DEL, 0}},
    {"home", {KEY_HOME, 0}},
    {"end", {KEY_END, 0}},
    {"pgup", {KEY_PGUP, 0}},
    {"pgdn", {KEY_PGDN, 0}},
    {"ctrl", {KEY_LCONTROL, KEY_RCONTROL}},
    {"lctrl", {KEY_LCONTROL, 0}},
    {"rctrl", {KEY_RCONTROL, 0}},
    {"shift", {KEY_LSHIFT, KEY_RSHIFT}},
    {"lshift", {KEY_LSHIFT, 0}},
    {"rshift", {KEY_RSHIFT, 0}},
    {"alt", {KEY_ALT, 0}},
    {"altgr", {KEY_ALTGR, 0}},
    {"comma", {KEY_COMMA, 0}},
    {"period", {KEY_STOP, 0}},
    {"slash", {KEY_SLASH, 0}},
    {"semicolon", {KEY_COLON, 0}},
    {"minus", {KEY_MINUS, 0}},
    {"equals", {KEY_EQUALS, 0}},
    {"esc", {KEY_ESC, 0}},
};
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

// A number of one or two digits from `first` to `last`, or -1.
int small_number(const char* text, size_t length, int first, int last)
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

// The scancodes of a key name; false for an unknown name.
bool key_of_name(const char* name, size_t length, int (&scancodes)[2])
{
    scancodes[0] = scancodes[1] = 0;
    if (length == 1) {
        const char c = char(name[0] | 0x20);
        if (c >= 'a' && c <= 'z')
            scancodes[0] = KEY_A + (c - 'a');
        else if (name[0] >= '0' && name[0] <= '9')
            scancodes[0] = KEY_0 + (name[0] - '0');
        return scancodes[0] != 0;
    }
    int number = -1;
    if ((name[0] | 0x20) == 'f' && (number = small_number(name + 1, length - 1, 1, 12)) >= 0)
        scancodes[0] = KEY_F1 + number - 1;
    else if (length == 4 && strncasecmp(name, "pad", 3) == 0
             && (number = small_number(name + 3, 1, 0, 9)) >= 0)
        scancodes[0] = KEY_0_PAD + number;
    for (const NamedKey& named : NAMED_KEYS)
        if (same_name(name, length, named.name)) {
            scancodes[0] = named.scancodes[0];
            scancodes[1] = named.scancodes[1];
        }
    return scancodes[0] != 0;
}

int control_of_action(const char* name, size_t length)
{
    for (int i = 0; i < CONTROL_COUNT; ++i)
        if (CONTROLS[i].action && same_name(name, length, CONTROLS[i].action))
            return i;
    return -1;
}

bool share_a_key(const int (&a)[2], const int (&b)[2])
{
    for (int x : a)
        for (int y : b)
            if (x && x == y)
                return true;
    return false;
}

// The first two controls on one key, as indices; false when there are none.
bool find_shared_key(const KeyBindings& bindings, int& first, int& second)
{
    for (first = 0; first < CONTROL_COUNT; ++first)
        for (second = first + 1; second < CONTROL_COUNT; ++second)
            if (share_a_key(bindings.scancodes[first], bindings.scancodes[second]))
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
        bindings.scancodes[i][0] = i < KEY_NAME_COUNT ? GAME_KEYS[i].scancode : CONTROLS[i].own_key;
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
        if (!key_of_name(entry.value, entry.value_length, result.scancodes[control])) {
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

bool list_setting(const char* variable, bool (*parse)(const char* text, char* error, size_t size))
{
    const char* value = std::getenv(variable);
    if (!value)
        return true;
    char error[512];
    if (parse(value, error, sizeof error))
        return true;
    std::fprintf(stderr, "tarnblast: %s: %s\n", variable, error);
    return false;
}

bool key_bindings_setting()
{
    return list_setting("TARNBLAST_KEYS", [](const char* text, char* error, size_t size) {
        return parse_key_bindings(text, active_bindings, error, size);
    });
}

uint16_t held_controls(const KeyBindings& bindings)
{
    uint16_t controls = 0;
    for (int i = 0; i < CONTROL_COUNT; ++i)
        for (int scancode : bindings.scancodes[i])
            if (scancode && key[scancode])
                controls |= uint16_t(1u << i);
    return controls;
}

uint16_t held_controls()
{
    return held_controls(active_bindings);
}
