// What the browser's page tells the web platform, and reads back from it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/game_state.h"
#include "program/gamepad.h"

// The page's address parameters, read as the game's settings in a page.
extern std::vector<std::pair<std::string, std::string>> page_settings;
extern bool in_page;

// A key went down or up, by the browser's KeyboardEvent.code.
void web_key(const char* code, bool down);
void web_release_keys();

// One of the page's on-screen controls went down or up, by the name of the
// game's control it holds: its name in key scripts ("LEFT", "SPACE", "F1"),
// or for pause and mute, which never reach a pass, their action's name.
void web_touch(const char* control, bool down);
// The controls the on-screen ones hold, with those that went down and up
// again since the last poll.
uint16_t web_touched_controls();

// A pad the page reads through the Gamepad API in its standard mapping: the
// axes of its two sticks (left x, left y, right x, right y) from -1 to 1 and
// its buttons, bit n for button n. A pad no longer connected is forgotten.
void web_pad(int pad, bool connected, const double* axes, uint32_t buttons);
// The pads as the page last read them; returns how many are written.
int web_pads(PadState* pads);

// Whether samples go to the page's Web Audio player (in a page) or nowhere
// (the runner under node).
void web_sound_in_page(bool on);

// The frame as 0xRRGGBB pixels, SCREEN_WIDTH x SCREEN_HEIGHT.
const uint32_t* web_frame_pixels();

// The frame in the canvas's byte order: R, G, B and an opaque A per pixel.
struct RgbaFrame {
    uint8_t bytes[SCREEN_WIDTH * SCREEN_HEIGHT * 4];
};
void rgba_of_frame(const uint32_t* rgb, RgbaFrame& out);
