// The keys the game looks at, under the names that key scripts and demo
// recordings give them. The real program's recorder and the replay runner
// both go through this one table, so a recorded demo always reads back as
// the keys that were held.
#pragma once

#include <allegro.h>

#include <cstddef>
#include <cstdint>

// A key the game looks at: its name in key scripts and recordings, and
// Allegro's scancode for it. A key set holds bit i for GAME_KEYS[i].
struct GameKey {
    const char* name;
    int scancode;
};
constexpr int KEY_NAME_COUNT = 13;
inline constexpr GameKey GAME_KEYS[KEY_NAME_COUNT] = {
    {"LEFT", KEY_LEFT},   {"RIGHT", KEY_RIGHT}, {"UP", KEY_UP},       {"DOWN", KEY_DOWN},
    {"SPACE", KEY_SPACE}, {"S", KEY_S},         {"ENTER", KEY_ENTER}, {"F1", KEY_F1},
    {"F2", KEY_F2},       {"F3", KEY_F3},       {"F4", KEY_F4},       {"RSHIFT", KEY_RSHIFT},
    {"ESC", KEY_ESC},
};
constexpr uint16_t KEY_SET_ESC = 1 << 12;

// The longest text of a key set: every name, one space between each.
constexpr size_t KEY_SET_TEXT_MAX = 55;

// The index of the key with this name (exact, upper case), or -1.
int key_name_index(const char* name, size_t length);

// The key set Allegro's key array holds now (only the keys named above).
uint16_t held_key_set();

// Sets Allegro's key array to exactly this key set for the keys named above.
void hold_key_set(uint16_t keys);

// Writes the names of the keys in the set, in table order and one space
// apart, with a terminating NUL, and returns the length (no key: ""). Writes
// nothing and returns 0 when `size` is below KEY_SET_TEXT_MAX + 1. Uses no
// heap, so the main loop may call it on every pass.
size_t format_key_set(uint16_t keys, char* out, size_t size);
