// What the browser's page tells the web platform, and reads back from it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The page's address parameters, read as the game's settings in a page.
extern std::vector<std::pair<std::string, std::string>> page_settings;
extern bool in_page;

// A key went down or up, by the browser's KeyboardEvent.code.
void web_key(const char* code, bool down);
void web_release_keys();

// Whether samples go to the page's Web Audio player (in a page) or nowhere
// (the runner under node).
void web_sound_in_page(bool on);

// The frame as 0xRRGGBB pixels, 320 x 200.
const uint32_t* web_frame_pixels();

// The frame in the canvas's byte order: R, G, B and an opaque A per pixel.
struct RgbaFrame {
    uint8_t bytes[320 * 200 * 4];
};
void rgba_of_frame(const uint32_t* rgb, RgbaFrame& out);
