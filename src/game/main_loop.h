// One pass of the main loop. The real program, the replay runner, the tests,
// the fuzz target and the allocation counter all run the game through
// run_pass, so a pass is the same sequence everywhere.
#pragma once

#include <cstdint>

#include "base/key_names.h"
#include "base/sound.h"

// The modes the game may start in, as the player names them: 1, the title
// and play, or 3, the level editor. Reads "1" or "3" exactly; false for
// anything else.
bool parse_start_mode(const char* text, int32_t& start_mode);
constexpr const char* START_MODE_CHOICES = "1 (title and play) or 3 (level editor)";

// The last steps of start-up, once the platform's frame exists: the camera's
// first values, the first world reset and init_game with the given start
// mode.
void start_up_game(int32_t start_mode);

// Steps of a pass before the retrace: clear, carry the score, the world scan
// in play or the editor, the title timer and panel, the HUD, and the change
// of level when the camera has reached the level's end.
void draw_pass();

// The held keys of the current mode, in the fixed order of the key table.
void handle_pass_keys();

// One pass: forget the last pass's sounds, draw the frame, hand it to
// show_and_poll, then apply the keys held. show_and_poll shows the frame
// (the real program waits for the retrace and copies it to the window; the
// replay runner may save it), holds the keys of this pass as the game's key
// set (hold_key_set) and returns them. Returns false when they include
// Escape: the game ends there, before any other key acts.
template <typename ShowAndPoll>
bool run_pass(ShowAndPoll&& show_and_poll)
{
    forget_pass_sounds();
    draw_pass();
    const uint16_t held = show_and_poll();
    if (held & KEY_SET_ESC)
        return false;
    handle_pass_keys();
    return true;
}

// A pass without a window: the frame stays as the pass drew it and the keys
// of the set are held.
bool run_pass_holding(uint16_t keys);

// The end of a level in play: the next level (after the last, the first play
// level again) with the score kept.
void advance_level();
