// The game's controls, in one list: the keys a pass looks at (under the names
// key scripts and demo recordings give them) and then pause and mute, which
// the program's loop handles itself. The bit of a control in a key set is its
// place in this list; the recorder, the replay runner's scripts, the pad and
// the player's own keys all follow it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/physical_keys.h"
#include "base/table_rows.h"

enum Control : int {
    CONTROL_LEFT,
    CONTROL_RIGHT,
    CONTROL_UP,
    CONTROL_DOWN,
    CONTROL_SPACE,
    CONTROL_S,
    CONTROL_ENTER,
    CONTROL_F1,
    CONTROL_F2,
    CONTROL_F3,
    CONTROL_F4,
    CONTROL_RSHIFT,
    CONTROL_ESC,  // the last key a pass sees
    CONTROL_PAUSE,
    CONTROL_MUTE,
    CONTROL_COUNT
};

// One control: its name in key scripts (the keys a pass sees) or nullptr,
// its action name for TARNBLAST_KEYS (nullptr: it stays on its key), a label
// for messages, and the key it is on unless the player moves it.
struct ControlRow {
    Control control;
    const char* name;
    const char* action;
    const char* label;
    PhysicalKey usual_key;
};
inline constexpr ControlRow CONTROLS[CONTROL_COUNT] = {
    {CONTROL_LEFT, "LEFT", "left", "left", PKEY_LEFT},
    {CONTROL_RIGHT, "RIGHT", "right", "right", PKEY_RIGHT},
    {CONTROL_UP, "UP", "jump", "jump", PKEY_UP},
    {CONTROL_DOWN, "DOWN", "down", "down", PKEY_DOWN},
    {CONTROL_SPACE, "SPACE", "fire", "fire", PKEY_SPACE},
    {CONTROL_S, "S", "start", "start", PhysicalKey(PKEY_A + ('s' - 'a'))},
    {CONTROL_ENTER, "ENTER", "place", "place", PKEY_ENTER},
    {CONTROL_F1, "F1", nullptr, "the editor's f1", PKEY_F1},
    {CONTROL_F2, "F2", nullptr, "the editor's f2", PhysicalKey(PKEY_F1 + 1)},
    {CONTROL_F3, "F3", nullptr, "the editor's f3", PhysicalKey(PKEY_F1 + 2)},
    {CONTROL_F4, "F4", nullptr, "the editor's f4", PhysicalKey(PKEY_F1 + 3)},
    {CONTROL_RSHIFT, "RSHIFT", "export", "export", PKEY_RSHIFT},
    {CONTROL_ESC, "ESC", nullptr, "quit", PKEY_ESC},
    {CONTROL_PAUSE, nullptr, "pause", "pause", PhysicalKey(PKEY_A + ('p' - 'a'))},
    {CONTROL_MUTE, nullptr, "mute", "mute", PhysicalKey(PKEY_A + ('m' - 'a'))},
};

static_assert(rows_in_order(CONTROLS, &ControlRow::control),
              "every control has its row, in the order of Control");

constexpr uint16_t key_bit(Control control)
{
    return uint16_t(1u << control);
}

// The game's keys: the controls a pass sees, each with a name.
constexpr int KEY_NAME_COUNT = CONTROL_ESC + 1;
constexpr uint16_t GAME_KEY_BITS = (1u << KEY_NAME_COUNT) - 1;
constexpr uint16_t KEY_SET_ESC = key_bit(CONTROL_ESC);
constexpr uint16_t CONTROL_PAUSE_BIT = key_bit(CONTROL_PAUSE);
constexpr uint16_t CONTROL_MUTE_BIT = key_bit(CONTROL_MUTE);

// The longest text of a key set: every name, one space between each.
constexpr size_t KEY_SET_TEXT_MAX = 55;

// The index of the key with this name (exact, upper case), or -1.
int key_name_index(const char* name, size_t length);

// The keys the current pass holds: the game's own state, which the platform
// (or a replay) sets before the pass; the pass's key handling and the world
// scan read it.
uint16_t held_key_set();
void hold_key_set(uint16_t keys);
inline bool key_held(Control control)
{
    return held_key_set() & key_bit(control);
}

// Writes the names of the keys in the set, in table order and one space
// apart, with a terminating NUL, and returns the length (no key: ""). Writes
// nothing and returns 0 when `size` is below KEY_SET_TEXT_MAX + 1. Uses no
// heap, so the main loop may call it on every pass.
size_t format_key_set(uint16_t keys, char* out, size_t size);
