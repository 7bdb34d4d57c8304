// The game's drawing, sound, files and keys in the browser (and in node, for
// the web build of the replay runner): the frame and the sheets in memory,
// drawn by soft_frame's pixel loops; the samples played by the page through
// Web Audio; the keys the page reports.
#include "platform/web/web_platform.h"

#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "base/assets.h"
#include "base/bmp_file.h"
#include "base/game_state.h"
#include "base/platform.h"
#include "platform/web/page_calls.h"
#include "platform/web/soft_frame.h"

namespace {

const FontGlyphs FONT_GLYPHS = {
#include "generated/font_glyphs.inc"
};

SoftBitmap frame;
SoftBitmap sheets[2];  // ASSET_SPRITE_SHEET, ASSET_TITLE_SHEET
bool samples_loaded[3] = {false, false, false};
bool sound_in_page = false;
PhysicalKeys keys_down;
// Keys that went down since the last poll: a tap the page saw between two
// passes (a busy browser runs its passes in bursts) still reaches one pass.
PhysicalKeys keys_tapped;

void set_key(PhysicalKey key, bool down)
{
    keys_down.set(key, down);
    if (down)
        keys_tapped.set(key, true);
}

bool is_sheet(AssetId id)
{
    return id == ASSET_SPRITE_SHEET || id == ASSET_TITLE_SHEET;
}

bool sheet_present(AssetId id)
{
    return sheets[id].width > 0;
}

// A sample's number between the game and the page: its place among the
// samples of ASSET_FILES, which the page reads back through tb_sample_file.
int page_sample_number(AssetId id)
{
    int number = 0;
    for (const AssetFile& file : ASSET_FILES) {
        if (file.id == id)
            return file.is_image ? -1 : number;
        number += file.is_image ? 0 : 1;
    }
    return -1;
}

bool read_whole_file(const char* path, std::string& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

// The setting from the process's environment, when the runner runs in node.
// clang-format off
EM_JS(char*, environment_value, (const char* name), {
    if (typeof process === "undefined" || !process.env)
        return 0;
    const value = process.env[UTF8ToString(name)];
    return value === undefined ? 0 : stringToNewUTF8(value);
});
// clang-format on

}  // namespace

// Settings given by the page's address, when the game runs in a page.
std::vector<std::pair<std::string, std::string>> page_settings;
bool in_page = false;

void web_key(const char* code, bool down)
{
    for (size_t i = 0; i < NAMED_PHYSICAL_KEY_COUNT; ++i)
        if (std::strcmp(code, NAMED_PHYSICAL_KEYS[i].browser_code) == 0)
            set_key(NAMED_PHYSICAL_KEYS[i].key, down);
    const size_t length = std::strlen(code);
    if (length == 4 && std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z')
        set_key(PhysicalKey(PKEY_A + (code[3] - 'A')), down);
    else if (length == 6 && std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9')
        set_key(PhysicalKey(PKEY_0 + (code[5] - '0')), down);
    else if (length == 7 && std::strncmp(code, "Numpad", 6) == 0 && code[6] >= '0'
             && code[6] <= '9')
        set_key(PhysicalKey(PKEY_PAD0 + (code[6] - '0')), down);
    else if (code[0] == 'F' && length <= 3) {
        const int number = std::atoi(code + 1);
        if (number >= 1 && number <= 12)
            set_key(PhysicalKey(PKEY_F1 + number - 1), down);
    }
}

void web_release_keys()
{
    keys_down = PhysicalKeys{};
    keys_tapped = PhysicalKeys{};
}

void web_sound_in_page(bool on)
{
    sound_in_page = on;
}

void rgba_of_frame(const uint32_t* rgb, RgbaFrame& out)
{
    uint8_t* byte = out.bytes;
    for (int i = 0; i < SCREEN_WIDTH * SCREEN_HEIGHT; ++i, byte += 4) {
        byte[0] = uint8_t(rgb[i] >> 16);
        byte[1] = uint8_t(rgb[i] >> 8);
        byte[2] = uint8_t(rgb[i]);
        byte[3] = 0xff;
    }
}

const uint32_t* web_frame_pixels()
{
    return soft_pixels(frame);
}

void clear_frame()
{
    soft_clear(frame);
}

void draw_sheet_rect(int sheet_x, int sheet_y, int width, int height, int x, int y)
{
    if (sheet_present(ASSET_SPRITE_SHEET))
        soft_blit(sheets[ASSET_SPRITE_SHEET], frame, sheet_x, sheet_y, x, y, width, height, true);
}

void draw_title_panel(int sheet_x, int sheet_y)
{
    if (sheet_present(ASSET_TITLE_SHEET))
        soft_blit(sheets[ASSET_TITLE_SHEET], frame, sheet_x, sheet_y, 0, 0, SCREEN_WIDTH,
                  SCREEN_HEIGHT, false);
}

void draw_text(const char* text, int x, int y, TextColour colour)
{
    soft_text(frame, FONT_GLYPHS, text, x, y, colour == TEXT_WHITE ? 0xffffff : 0xff5050, 0);
}

int frame_width()
{
    return frame.width;
}

int frame_height()
{
    return frame.height;
}

void read_frame(uint32_t* out)
{
    std::memcpy(out, soft_pixels(frame), frame.pixels.size() * sizeof(uint32_t));
}

bool resize_frame(int width, int height)
{
    soft_resize(frame, width, height);
    return true;
}

bool load_asset(AssetId id, const char* path)
{
    std::string bytes;
    if (!read_whole_file(path, bytes))
        return false;
    if (!is_sheet(id))
        return samples_loaded[id - ASSET_SHOT] = true;
    RgbImage image;
    if (!decode_bmp(bytes, image))
        return false;
    install_sheet_pixels(id, image.width, image.height, image.pixels.data());
    return true;
}

// In a page the samples are the page's own, loaded or not: it builds them
// while the title already shows and plays each one once it has it.
bool asset_loaded(AssetId id)
{
    return is_sheet(id) ? sheet_present(id) : sound_in_page || samples_loaded[id - ASSET_SHOT];
}

void unload_assets()
{
    for (SoftBitmap& sheet : sheets)
        sheet = SoftBitmap{};
    for (int id = ASSET_SHOT; id <= ASSET_MUSIC; ++id) {
        stop_asset_sample(AssetId(id));
        samples_loaded[id - ASSET_SHOT] = false;
    }
}

void install_sheet_pixels(AssetId id, int width, int height, const uint32_t* rgb)
{
    if (!is_sheet(id))
        return;
    sheets[id] = SoftBitmap{};
    if (width <= 0 || height <= 0 || !rgb)
        return;
    sheets[id].width = width;
    sheets[id].height = height;
    sheets[id].pixels.assign(rgb, rgb + size_t(width) * size_t(height));
}

int play_asset_sample(AssetId id, int volume, bool loop)
{
    if (is_sheet(id) || !sound_in_page)
        return -1;
    return tb_sound_play(page_sample_number(id), volume, loop ? 1 : 0);
}

void stop_asset_sample(AssetId id)
{
    if (!is_sheet(id) && sound_in_page)
        tb_sound_stop(page_sample_number(id));
}

bool voice_plays(int voice, AssetId id)
{
    return voice >= 0 && sound_in_page && !is_sheet(id)
           && tb_voice_plays(voice, page_sample_number(id));
}

void set_voice_volume(int voice, int volume)
{
    if (voice >= 0 && sound_in_page)
        tb_voice_volume(voice, volume);
}

void hold_voice(int voice, bool held)
{
    if (voice >= 0 && sound_in_page)
        tb_voice_hold(voice, held ? 1 : 0);
}

void poll_physical_keys(PhysicalKeys& down)
{
    down = keys_down;
    for (int i = 0; i < 2; ++i)
        down.bits[i] |= keys_tapped.bits[i];
    keys_tapped = PhysicalKeys{};
}

const char* platform_setting(const char* variable, const char* parameter)
{
    if (in_page) {
        for (const auto& setting : page_settings)
            if (setting.first == parameter)
                return setting.second.c_str();
        return nullptr;
    }
    // The runner under node reads the environment as the desktop does; the
    // value is kept until the next read of the same setting.
    static std::string values[16];
    static const char* names[16];
    char* value = environment_value(variable);
    if (!value)
        return nullptr;
    size_t slot = 0;
    while (slot < 15 && names[slot] && std::strcmp(names[slot], variable) != 0)
        ++slot;
    names[slot] = variable;
    values[slot] = value;
    std::free(value);
    return values[slot].c_str();
}

EMSCRIPTEN_KEEPALIVE const char* tb_sample_file(int number)
{
    for (const AssetFile& file : ASSET_FILES)
        if (!file.is_image && number-- == 0)
            return file.path;
    return nullptr;
}

void start_headless_platform()
{
    if (frame.width == 0)
        resize_frame(SCREEN_WIDTH, SCREEN_HEIGHT);
}
