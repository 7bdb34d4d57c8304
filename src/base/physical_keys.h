// The keys of a keyboard that the game can be told to use, by the names the
// player writes in TARNBLAST_KEYS. Each platform says which of them are down;
// what they mean to the game is decided by the key bindings.
#pragma once

#include <cstddef>
#include <cstdint>

enum PhysicalKey : uint8_t {
    PKEY_NONE,
    PKEY_A,
    PKEY_Z = PKEY_A + 25,
    PKEY_0,
    PKEY_9 = PKEY_0 + 9,
    PKEY_F1,
    PKEY_F12 = PKEY_F1 + 11,
    PKEY_PAD0,
    PKEY_PAD9 = PKEY_PAD0 + 9,
    PKEY_LEFT,
    PKEY_RIGHT,
    PKEY_UP,
    PKEY_DOWN,
    PKEY_SPACE,
    PKEY_ENTER,
    PKEY_TAB,
    PKEY_BACKSPACE,
    PKEY_INSERT,
    PKEY_DELETE,
    PKEY_HOME,
    PKEY_END,
    PKEY_PGUP,
    PKEY_PGDN,
    PKEY_LCTRL,
    PKEY_RCTRL,
    PKEY_LSHIFT,
    PKEY_RSHIFT,
    PKEY_ALT,
    PKEY_ALTGR,
    PKEY_COMMA,
    PKEY_PERIOD,
    PKEY_SLASH,
    PKEY_SEMICOLON,
    PKEY_MINUS,
    PKEY_EQUALS,
    PKEY_ESC,
    PKEY_COUNT
};

// Which keys are down at one poll.
struct PhysicalKeys {
    uint64_t bits[2] = {0, 0};
    bool down(PhysicalKey k) const { return bits[k >> 6] >> (k & 63) & 1; }
    void set(PhysicalKey k, bool is_down)
    {
        const uint64_t bit = uint64_t(1) << (k & 63);
        bits[k >> 6] = is_down ? bits[k >> 6] | bit : bits[k >> 6] & ~bit;
    }
};
static_assert(PKEY_COUNT <= 128, "PhysicalKeys holds 128 keys");

// The name of every key beside the runs a-z, 0-9, f1-f12 and pad0-pad9, and
// what a platform calls it: the browser's KeyboardEvent.code.
struct NamedPhysicalKey {
    const char* name;
    PhysicalKey key;
    const char* browser_code;
};
extern const NamedPhysicalKey NAMED_PHYSICAL_KEYS[];
extern const size_t NAMED_PHYSICAL_KEY_COUNT;

// A number of one or two digits, without a leading zero, from `first` to
// `last`; -1 for anything else.
int parse_small_number(const char* text, size_t length, int first, int last);

// The key with this name ("a", "f5", "pad3", "space"; any case), or
// PKEY_NONE. "ctrl", "shift" name two keys and give the second in `second`.
PhysicalKey physical_key_of_name(const char* name, size_t length, PhysicalKey& second);
