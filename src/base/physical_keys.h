// The keys of a keyboard that the game can be told to use, by the names the
// player writes in TARNBLAST_KEYS. Each platform says which of them are down;
// what they mean to the game is decided by the key bindings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

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
    static constexpr int WORDS = (PKEY_COUNT + 63) / 64;
    uint64_t bits[WORDS] = {};
    bool down(PhysicalKey k) const { return bits[k >> 6] >> (k & 63) & 1; }
    void set(PhysicalKey k, bool is_down)
    {
        const uint64_t bit = uint64_t(1) << (k & 63);
        bits[k >> 6] = is_down ? bits[k >> 6] | bit : bits[k >> 6] & ~bit;
    }
    // The keys of both: those down at the poll and those tapped since the last.
    PhysicalKeys& operator|=(const PhysicalKeys& other)
    {
        for (int i = 0; i < WORDS; ++i)
            bits[i] |= other.bits[i];
        return *this;
    }
};

// The keys named by a prefix and a letter or number, as a run: "a" to "z",
// "0" to "9", "f1" to "f12", "pad0" to "pad9".
struct KeyRun {
    const char* prefix;
    int first, last;  // the letters, or the numbers after the prefix
    bool letters;
    PhysicalKey first_key;
};
inline constexpr KeyRun KEY_RUNS[] = {
    {"", 'a', 'z', true, PKEY_A},
    {"", 0, 9, false, PKEY_0},
    {"f", 1, 12, false, PKEY_F1},
    {"pad", 0, 9, false, PKEY_PAD0},
};
constexpr PhysicalKey last_key_of(const KeyRun& run)
{
    return PhysicalKey(run.first_key + (run.last - run.first));
}
static_assert(last_key_of(KEY_RUNS[0]) == PKEY_Z && last_key_of(KEY_RUNS[1]) == PKEY_9
                  && last_key_of(KEY_RUNS[2]) == PKEY_F12 && last_key_of(KEY_RUNS[3]) == PKEY_PAD9,
              "each run of names has its keys, and no more");

// The names that stand for both keys of a pair: either Ctrl, either Shift.
struct KeyPair {
    const char* name;
    PhysicalKey first, second;
};
inline constexpr KeyPair KEY_PAIRS[] = {
    {"ctrl", PKEY_LCTRL, PKEY_RCTRL},
    {"shift", PKEY_LSHIFT, PKEY_RSHIFT},
};

// The name of every other key, and what a platform calls it: the browser's
// KeyboardEvent.code.
struct NamedPhysicalKey {
    const char* name;
    PhysicalKey key;
    const char* browser_code;
};
extern const NamedPhysicalKey NAMED_PHYSICAL_KEYS[];
extern const size_t NAMED_PHYSICAL_KEY_COUNT;

// The key with this name ("a", "f5", "pad3", "space"; any case), or
// PKEY_NONE. A pair's name ("ctrl") gives its second key in `second`.
PhysicalKey physical_key_of_name(const char* name, size_t length, PhysicalKey& second);

// Every key name a player may write, for messages: the runs, the pairs and
// the other keys, ", " between them ("a-z, 0-9, ..., esc").
std::string physical_key_name_list();
