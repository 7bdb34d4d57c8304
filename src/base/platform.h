// The few calls through which the game draws, sounds, loads its files and
// learns which keys are down. The game's logic uses only these; each platform
// implements them: src/platform/allegro/ on the desktop (with Allegro 4) and
// src/platform/web/ in the browser (its own pixel loops and Web Audio). Both
// draw the same frames, pixel for pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/physical_keys.h"

// The frame: 320 x 200 pixels, cleared and drawn completely on every pass.
// Tools may draw a larger picture into it (a whole level's map); every call
// clips to it.
void clear_frame();
// Copies a rectangle of the sprite sheet to (x, y), leaving out its mask
// colour (magenta). Draws nothing when the sheet failed to load.
void draw_sheet_rect(int sheet_x, int sheet_y, int width, int height, int x, int y);
// Copies a whole-frame panel of the title sheet, opaque. Nothing without it.
void draw_title_panel(int sheet_x, int sheet_y);
// A text in the 8 x 8 font, each character on an opaque black cell.
enum TextColour { TEXT_WHITE, TEXT_WARNING };
void draw_text(const char* text, int x, int y, TextColour colour);
constexpr int FONT_SIZE = 8;

// The frame's size and its pixels as 0xRRGGBB, row by row; `out` holds
// width x height values.
int frame_width();
int frame_height();
void read_frame(uint32_t* out);
// Makes the frame width x height (the game's 320 x 200 unless a tool needs a
// larger picture), cleared. Returns false when it cannot be made.
bool resize_frame(int width, int height);

// The two sheets and the three samples, by their place in ASSET_FILES: the
// sheets first. A platform keeps each kind in an array of its own.
enum AssetId {
    ASSET_SPRITE_SHEET,
    ASSET_TITLE_SHEET,
    ASSET_SHOT,
    ASSET_BLAST,
    ASSET_MUSIC,
    ASSET_COUNT
};
constexpr int SHEET_COUNT = ASSET_SHOT;
constexpr int SAMPLE_COUNT = ASSET_COUNT - SHEET_COUNT;
constexpr bool is_sheet(AssetId id)
{
    return id < SHEET_COUNT;
}
// A sample's place among the samples, from 0.
constexpr int sample_index(AssetId id)
{
    return id - SHEET_COUNT;
}
// Loads a file that the game has already checked; false when the platform
// cannot read it after all.
bool load_asset(AssetId id, const char* path);
bool asset_loaded(AssetId id);
// Forgets every loaded file (and, for a sheet, what it showed).
void unload_assets();
// Puts an image of width x height 0xRRGGBB pixels in place of a sheet: tests
// draw with sheets of their own. An empty image takes the sheet away.
void install_sheet_pixels(AssetId id, int width, int height, const uint32_t* rgb);

// Sound: starts a loaded sample at a volume (0 to 255), centre pan, its own
// pitch, once or looping; returns its voice, or -1.
int play_asset_sample(AssetId id, int volume, bool loop);
// Stops every voice playing the sample.
void stop_asset_sample(AssetId id);
// Whether the voice still plays that sample; its volume; holding it where it
// is, or letting it go on.
bool voice_plays(int voice, AssetId id);
void set_voice_volume(int voice, int volume);
void hold_voice(int voice, bool held);

// Which of the keyboard's keys are down now (after polling the keyboard).
void poll_physical_keys(PhysicalKeys& down);

// The game has written a file for the player to keep (the editor's export,
// whole on disk): the browser offers it as a download; on the desktop it
// stays where it was written.
void file_written(const char* path);

// A setting of the program by its environment variable's name (the desktop)
// or its address parameter's name (the browser); nullptr when it is not set.
const char* platform_setting(const char* variable, const char* parameter);
// Which of the two names the player gives the setting by, for messages.
const char* platform_setting_name(const char* variable, const char* parameter);

// Raw deflate (RFC 1951), the form a level's link travels in: deflate_bytes
// packs; inflate_bytes unpacks, refusing a stream that is damaged, cut, or
// would unpack to more than `limit` bytes. False where the platform cannot.
bool deflate_bytes(const uint8_t* in, size_t size, std::vector<uint8_t>& out);
bool inflate_bytes(const uint8_t* in, size_t size, size_t limit, std::vector<uint8_t>& out);

// Readies the platform for drawing without a window, once per process: for
// the replay runner, the tests and the tools.
void start_headless_platform();
