// Key scripts: one line per pass of the main loop naming the keys held when
// that pass polls the keyboard. "40* RIGHT SPACE" stands for 40 such lines,
// "#" starts a comment, and a line that held only a comment is no pass.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/key_names.h"

// Keys a script can name, as bits of a pass's key set: the game's controls
// (base/key_names.h) under their script names.
constexpr uint16_t SCRIPT_LEFT = key_bit(CONTROL_LEFT);
constexpr uint16_t SCRIPT_RIGHT = key_bit(CONTROL_RIGHT);
constexpr uint16_t SCRIPT_UP = key_bit(CONTROL_UP);
constexpr uint16_t SCRIPT_DOWN = key_bit(CONTROL_DOWN);
constexpr uint16_t SCRIPT_SPACE = key_bit(CONTROL_SPACE);
constexpr uint16_t SCRIPT_S = key_bit(CONTROL_S);
constexpr uint16_t SCRIPT_ENTER = key_bit(CONTROL_ENTER);
constexpr uint16_t SCRIPT_F1 = key_bit(CONTROL_F1);
constexpr uint16_t SCRIPT_F2 = key_bit(CONTROL_F2);
constexpr uint16_t SCRIPT_F3 = key_bit(CONTROL_F3);
constexpr uint16_t SCRIPT_F4 = key_bit(CONTROL_F4);
constexpr uint16_t SCRIPT_RSHIFT = key_bit(CONTROL_RSHIFT);
constexpr uint16_t SCRIPT_ESC = key_bit(CONTROL_ESC);

// Consecutive passes with the same keys held.
struct ScriptRun {
    int64_t passes;
    uint16_t keys;
};

struct KeyScript {
    std::vector<ScriptRun> runs;
    int64_t total_passes = 0;
};

// Reads and parses a script file; on a fault returns false with a message
// that names the file and the line.
bool load_key_script(const std::string& path, KeyScript& script, std::string& error);

// Parses a script's text. On a fault returns false with a message that names
// the line.
bool parse_key_script(const std::string& text, KeyScript& script, std::string& error);

// The script line for a key set ("LEFT SPACE"; empty for no key).
std::string key_set_text(uint16_t keys);

// A script played pass by pass, as the replay runners and the page play one.
class ScriptPlayer {
public:
    explicit ScriptPlayer(const KeyScript& script) : script_(&script) { skip_spent_runs(); }
    // The keys of the next pass; false when the script has no pass left.
    bool next_pass(uint16_t& keys);
    bool finished() const { return run_ >= script_->runs.size(); }

private:
    void skip_spent_runs();
    const KeyScript* script_;
    size_t run_ = 0;
    int64_t pass_in_run_ = 0;
};

// Holds exactly the given key set for the next pass.
void hold_script_keys(uint16_t keys);

// The key set held now.
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
