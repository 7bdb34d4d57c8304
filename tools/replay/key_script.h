// Key scripts: one line per pass of the main loop naming the keys held when
// that pass polls the keyboard. "40* RIGHT SPACE" stands for 40 such lines,
// "#" starts a comment, and a line that held only a comment is no pass.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Keys a script can name, as bits of a pass's key set.
enum ScriptKey : uint16_t {
    SCRIPT_LEFT = 1 << 0,
    SCRIPT_RIGHT = 1 << 1,
    SCRIPT_UP = 1 << 2,
    SCRIPT_DOWN = 1 << 3,
    SCRIPT_SPACE = 1 << 4,
    SCRIPT_S = 1 << 5,
    SCRIPT_ENTER = 1 << 6,
    SCRIPT_F1 = 1 << 7,
    SCRIPT_F2 = 1 << 8,
    SCRIPT_F3 = 1 << 9,
    SCRIPT_F4 = 1 << 10,
    SCRIPT_RSHIFT = 1 << 11,
    SCRIPT_ESC = 1 << 12,
};

// Consecutive passes with the same keys held.
struct ScriptRun {
    int64_t passes;
    uint16_t keys;
};

struct KeyScript {
    std::vector<ScriptRun> runs;
    int64_t total_passes = 0;
};

// Parses a script's text. On a fault returns false with a message that names
// the line.
bool parse_key_script(const std::string& text, KeyScript& script, std::string& error);

// The script line for a key set ("LEFT SPACE"; empty for no key).
std::string key_set_text(uint16_t keys);

// Sets Allegro's key array to exactly the given key set.
void hold_script_keys(uint16_t keys);

// The key set Allegro's key array holds now (only keys a script can name).
uint16_t held_script_keys();

// Pass-number lists such as "1,47,100-120".
struct PassRange {
    int64_t first, last;
};
struct PassList {
    std::vector<PassRange> ranges;  // empty: every pass
    bool contains(int64_t pass) const;
};

// Parses a list; numbers below `lowest` are refused.
bool parse_pass_list(const std::string& text, int64_t lowest, PassList& list, std::string& error);
