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
#include "base/key_names.h"
#include "base/platform.h"
#include "base/setting_names.h"
#include "platform/web/page_calls.h"
#include "platform/web/soft_frame.h"

namespace {

const FontGlyphs FONT_GLYPHS = {
#include "generated/font_glyphs.inc"
};

SoftBitmap frame;
SoftBitmap sheets[SHEET_COUNT];
bool samples_loaded[SAMPLE_COUNT] = {};
bool sound_in_page = false;
PhysicalKeys keys_down;
// Keys that went down since the last poll: a tap the page saw between two
// passes (a busy browser runs its passes in bursts) still reaches one pass.
PhysicalKeys keys_tapped;

// The on-screen controls held, and those that went down since the last poll.
uint16_t controls_touched = 0;
uint16_t controls_tapped = 0;

// The pads the page read last, by the Gamepad API's index.
PadState pads[PAD_MAX_PADS];
bool pad_connected[PAD_MAX_PADS];

void set_key(PhysicalKey key, bool down)
{
    keys_down.set(key, down);
    if (down)
        keys_tapped.set(key, true);
}

bool sheet_present(AssetId id)
{
    return sheets[id].width > 0;
}

bool read_whole_file(const char* path, std::string& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

// The setting from the process's environment, when the runner runs in node:
// its length in UTF-8 with the closing NUL (0 when it is not set), then the
// value itself, copied into memory of the game's own.
// clang-format off
EM_JS(int, environment_value_size, (const char* name), {
    if (typeof process === "undefined" || !process.env)
        return 0;
    const value = process.env[UTF8ToString(name)];
    return value === undefined ? 0 : lengthBytesUTF8(value) + 1;
});
EM_JS(void, copy_environment_value, (const char* name, char* out, int size), {
    stringToUTF8(process.env[UTF8ToString(name)], out, size);
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
    controls_touched = controls_tapped = 0;
}

void web_touch(const char* control, bool down)
{
    for (const ControlRow& row : CONTROLS) {
        const char* name = row.name ? row.name : row.action;
        if (!name || std::strcmp(name, control) != 0)
            continue;
        const uint16_t bit = key_bit(row.control);
        controls_touched = down ? controls_touched | bit : controls_touched & ~bit;
        controls_tapped |= down ? bit : 0;
    }
}

uint16_t web_touched_controls()
{
    const uint16_t held = controls_touched | controls_tapped;
    controls_tapped = 0;
    return held;
}

void web_pad(int pad, bool connected, const double* axes, uint32_t buttons)
{
    if (pad < 0 || pad >= PAD_MAX_PADS)
        return;
    pad_connected[pad] = connected;
    const auto position = [](double axis) {
        return axis >= -1 && axis <= 1 ? int(axis * PAD_AXIS_FULL) : 0;
    };
    pads[pad] = PadState{
        2,
        {{2, position(axes[0]), position(axes[1])}, {2, position(axes[2]), position(axes[3])}},
        buttons};
}

int web_pads(PadState* out)
{
    int count = 0;
    for (int pad = 0; pad < PAD_MAX_PADS; ++pad)
        if (pad_connected[pad])
            out[count++] = pads[pad];
    return count;
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
        return samples_loaded[sample_index(id)] = true;
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
    return is_sheet(id) ? sheet_present(id) : sound_in_page || samples_loaded[sample_index(id)];
}

void unload_assets()
{
    for (SoftBitmap& sheet : sheets)
        sheet = SoftBitmap{};
    for (int id = SHEET_COUNT; id < ASSET_COUNT; ++id) {
        stop_asset_sample(AssetId(id));
        samples_loaded[sample_index(AssetId(id))] = false;
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
    return tb_sound_play(sample_index(id), volume, loop ? 1 : 0);
}

void stop_asset_sample(AssetId id)
{
    if (!is_sheet(id) && sound_in_page)
        tb_sound_stop(sample_index(id));
}

bool voice_plays(int voice, AssetId id)
{
    return voice >= 0 && sound_in_page && !is_sheet(id) && tb_voice_plays(voice, sample_index(id));
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
    down |= keys_tapped;
    keys_tapped = PhysicalKeys{};
}

void file_written(const char* path)
{
    tb_file_written(path);
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
    static std::string values[SETTING_COUNT];
    static const char* names[SETTING_COUNT];
    const int size = environment_value_size(variable);
    if (size <= 0)
        return nullptr;
    size_t slot = 0;
    while (slot < SETTING_COUNT - 1 && names[slot] && std::strcmp(names[slot], variable) != 0)
        ++slot;
    names[slot] = variable;
    values[slot].assign(size_t(size), '\0');
    copy_environment_value(variable, values[slot].data(), size);
    values[slot].resize(size_t(size) - 1);
    return values[slot].c_str();
}

const char* platform_setting_name(const char* variable, const char* parameter)
{
    return in_page ? parameter : variable;
}

// The page reads the samples' files by their numbers (sample_index).
EMSCRIPTEN_KEEPALIVE const char* tb_sample_file(int number)
{
    return number >= 0 && number < SAMPLE_COUNT ? ASSET_FILES[SHEET_COUNT + number].path : nullptr;
}

void start_headless_platform()
{
    if (frame.width == 0)
        resize_frame(SCREEN_WIDTH, SCREEN_HEIGHT);
}
