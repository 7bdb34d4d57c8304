// Lists of "action=value" entries, as the player gives his own keys
// ("left=a,fire=ctrl") and the pad's buttons ("fire=2,start=9"): one reader
// for both, so both refuse the same mistakes in the same words.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "base/setting_names.h"

// The actions of one kind of list, by index, and what their values are.
struct ActionList {
    int count;
    // An action's name, or nullptr for one that no list may name.
    const char* (*name)(int action);
    // What a value is ("key", "button"), for the messages.
    const char* value_word;
};

// Takes one entry's value for an action; false, with a one-line reason in
// `error`, for a value it refuses.
using TakeValue =
    std::function<bool(int action, const char* value, size_t length, char* error, size_t size)>;

// Reads a list, action names in any case, handing each value to `take`. On a
// bad list returns false with a one-line reason in `error` (no newline): an
// empty entry, an unknown action (naming the valid ones), an entry without
// "=", an action named twice, or a value `take` refuses.
bool read_action_list(const char* text, const ActionList& list, const TakeValue& take, char* error,
                      size_t size);

// How much of a name or value a message quotes: at most 40 characters.
int quoted_length(size_t length);

// Reads a list setting such as the player's keys: true when it is unset or
// `parse` takes it; otherwise says why in one line on stderr.
bool list_setting(SettingId id, bool (*parse)(const char* text, char* error, size_t size));
