#include "program/key_bindings.h"

#include <cstdio>

#include "program/action_list.h"

namespace {

// Every control on its usual key: the arrows, Space, S, Enter, F1 to F4,
// Right Shift, Escape, P and M.
KeyBindings default_key_bindings()
{
    KeyBindings bindings{};
    for (int i = 0; i < CONTROL_COUNT; ++i)
        bindings.keys[i][0] = CONTROLS[i].usual_key;
    return bindings;
}

KeyBindings active_bindings = default_key_bindings();

// The actions a player may move: the controls with an action name.
const ActionList KEY_ACTIONS = {CONTROL_COUNT, [](int control) { return CONTROLS[control].action; },
                                "key"};

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

bool parse_key_bindings(const char* text, KeyBindings& bindings, char* error, size_t size)
{
    KeyBindings result = default_key_bindings();
    const auto take_key = [&result](int control, const char* name, size_t length, char* why,
                                    size_t why_size) {
        PhysicalKey(&keys)[CONTROL_KEYS] = result.keys[control];
        keys[0] = physical_key_of_name(name, length, keys[1]);
        if (keys[0] != PKEY_NONE)
            return true;
        std::snprintf(why, why_size, "unknown key \"%.*s\" for %s; the keys are %s",
                      quoted_length(length), name, CONTROLS[control].action,
                      physical_key_name_list().c_str());
        return false;
    };
    if (!read_action_list(text, KEY_ACTIONS, take_key, error, size))
        return false;
    int first = 0, second = 0;
    if (find_shared_key(result, first, second)) {
        std::snprintf(error, size, "%s and %s would share one key; give each its own",
                      CONTROLS[first].label, CONTROLS[second].label);
        return false;
    }
    bindings = result;
    return true;
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
