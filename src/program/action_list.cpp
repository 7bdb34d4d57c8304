#include "program/action_list.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/short_text.h"

namespace {

// One "name=value" entry of a comma-separated list; `value` is nullptr when
// the entry has no "=". Both point into the list's text.
struct Assignment {
    const char* name;
    size_t name_length;
    const char* value;
    size_t value_length;
};

// Splits the next entry off the list; false at the end of the text.
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

// Whether a list has an empty entry (a comma at either end, or two together).
bool has_empty_entry(const char* text)
{
    const size_t length = std::strlen(text);
    return length && (text[0] == ',' || text[length - 1] == ',' || std::strstr(text, ",,"));
}

int action_of_name(const ActionList& list, const char* name, size_t length)
{
    for (int i = 0; i < list.count; ++i)
        if (list.name(i) && same_name(name, length, list.name(i)))
            return i;
    return -1;
}

// The names of the actions a list may name, ", " between them.
std::string action_name_list(const ActionList& list)
{
    std::string names;
    for (int i = 0; i < list.count; ++i)
        if (list.name(i))
            names += (names.empty() ? "" : ", ") + std::string(list.name(i));
    return names;
}

}  // namespace

int quoted_length(size_t length)
{
    return int(length < 40 ? length : 40);
}

bool read_action_list(const char* text, const ActionList& list, const TakeValue& take, char* error,
                      size_t size)
{
    if (has_empty_entry(text)) {
        std::snprintf(error, size, "an empty entry in \"%.60s\"; write action=%s, ...", text,
                      list.value_word);
        return false;
    }
    std::vector<bool> named(size_t(list.count), false);
    Assignment entry;
    while (next_assignment(text, entry)) {
        const int action = action_of_name(list, entry.name, entry.name_length);
        if (action < 0) {
            std::snprintf(error, size, "unknown action \"%.*s\"; the actions are %s",
                          quoted_length(entry.name_length), entry.name,
                          action_name_list(list).c_str());
            return false;
        }
        if (!entry.value) {
            std::string example = list.value_word;
            for (char& c : example)
                c = char(std::toupper(static_cast<unsigned char>(c)));
            std::snprintf(error, size, "\"%.*s\" has no %s; write %s=%s",
                          quoted_length(entry.name_length), entry.name, list.value_word,
                          list.name(action), example.c_str());
            return false;
        }
        if (named[size_t(action)]) {
            std::snprintf(error, size, "%s is given twice", list.name(action));
            return false;
        }
        named[size_t(action)] = true;
        if (!take(action, entry.value, entry.value_length, error, size))
            return false;
    }
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
    std::fprintf(stderr, "tarnblast: %s: %s\n", setting_name(id), error);
    return false;
}
