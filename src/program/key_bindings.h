// The player's own keys: which keyboard key stands for each of the game's
// keys. A pass of the game still sees only the game's own key set (the names
// of key_names.h), so recordings and replays are unchanged; the bindings only
// decide which physical keys hold which of those keys. Pause and mute, which
// the main loop handles itself, are bound the same way.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/key_names.h"

// A control set holds the game's key set in its low KEY_NAME_COUNT bits, then
// the two keys that never reach a pass (key_names.h lists them all).
constexpr int CONTROL_KEYS = 2;

// Up to two keys per control ("ctrl" is either Ctrl key); PKEY_NONE is no key.
struct KeyBindings {
    PhysicalKey keys[CONTROL_COUNT][CONTROL_KEYS];
};

// Reads a list such as "left=a,right=d,jump=w,fire=ctrl" (action and key
// names in any case) over the default bindings. On a bad list returns false
// with a one-line reason in `error` (no newline), naming the valid actions or
// keys: an unknown action or key, an entry without "=", an empty entry, an
// action named twice, or two controls left on one key.
bool parse_key_bindings(const char* text, KeyBindings& bindings, char* error, size_t size);

// TARNBLAST_KEYS: the bindings the game plays with (the defaults when
// unset). Returns false, after a one-line message on stderr, for a bad list.
bool key_bindings_setting();
// The bindings that setting gave.
const KeyBindings& key_bindings_in_use();

// The controls the keys that are down hold, through the given bindings (or
// through those of key_bindings_setting()).
uint16_t held_controls(const KeyBindings& bindings, const PhysicalKeys& down);
uint16_t held_controls(const PhysicalKeys& down);
