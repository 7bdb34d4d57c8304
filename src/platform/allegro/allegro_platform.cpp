// The game's drawing, sound, files and keys on Allegro 4: masked_blit and
// blit from the two sheets, textout_ex in Allegro's 8 x 8 font, play_sample,
// and the key array after poll_keyboard.
#include "platform/allegro/allegro_platform.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <iterator>

#include "base/platform.h"

BITMAP* back_buffer = nullptr;

namespace {

BITMAP* sheets[SHEET_COUNT] = {};
SAMPLE* samples[SAMPLE_COUNT] = {};

SAMPLE* sample_of(AssetId id)
{
    return is_sheet(id) ? nullptr : samples[sample_index(id)];
}

// Allegro's scancode of each run's first key, in the order of KEY_RUNS.
constexpr int RUN_SCANCODES[] = {KEY_A, KEY_0, KEY_F1, KEY_0_PAD};
static_assert(std::size(RUN_SCANCODES) == std::size(KEY_RUNS), "a scancode for every run");

// Scancodes of the other keys.
struct KeyScancode {
    PhysicalKey key;
    int scancode;
};
constexpr KeyScancode NAMED_SCANCODES[] = {
    {PKEY_LEFT, KEY_LEFT},      {PKEY_RIGHT, KEY_RIGHT},         {PKEY_UP, KEY_UP},
    {PKEY_DOWN, KEY_DOWN},      {PKEY_SPACE, KEY_SPACE},         {PKEY_ENTER, KEY_ENTER},
    {PKEY_TAB, KEY_TAB},        {PKEY_BACKSPACE, KEY_BACKSPACE}, {PKEY_INSERT, KEY_INSERT},
    {PKEY_DELETE, KEY_DEL},     {PKEY_HOME, KEY_HOME},           {PKEY_END, KEY_END},
    {PKEY_PGUP, KEY_PGUP},      {PKEY_PGDN, KEY_PGDN},           {PKEY_LCTRL, KEY_LCONTROL},
    {PKEY_RCTRL, KEY_RCONTROL}, {PKEY_LSHIFT, KEY_LSHIFT},       {PKEY_RSHIFT, KEY_RSHIFT},
    {PKEY_ALT, KEY_ALT},        {PKEY_ALTGR, KEY_ALTGR},         {PKEY_COMMA, KEY_COMMA},
    {PKEY_PERIOD, KEY_STOP},    {PKEY_SLASH, KEY_SLASH},         {PKEY_SEMICOLON, KEY_COLON},
    {PKEY_MINUS, KEY_MINUS},    {PKEY_EQUALS, KEY_EQUALS},       {PKEY_ESC, KEY_ESC},
};

// Keys that went down since the last poll, by scancode (a release has the
// top bit set): Allegro's input thread marks them as they come, the poll
// takes them. A key
// pressed and let go between two passes, a quick tap or one during a pass
// that stalled, still reaches the next pass, as it does in the browser.
std::atomic<bool> pressed_since_poll[128];

void note_key_event(int scancode)
{
    if (!(scancode & 0x80))
        pressed_since_poll[scancode & 0x7f] = true;
}
END_OF_FUNCTION(note_key_event)

// Allegro's scancode for a key (0 for PKEY_NONE).
int allegro_scancode(PhysicalKey key)
{
    for (size_t i = 0; i < std::size(KEY_RUNS); ++i) {
        const KeyRun& run = KEY_RUNS[i];
        if (key >= run.first_key && key <= last_key_of(run))
            return RUN_SCANCODES[i] + (key - run.first_key);
    }
    for (const KeyScancode& named : NAMED_SCANCODES)
        if (named.key == key)
            return named.scancode;
    return 0;
}

// Selects the default palette, so that the text colour is white also
// without a window, and sets 32-bit colour.
void use_game_colours()
{
    set_color_depth(32);
    select_palette(default_palette);
}

}  // namespace

void clear_frame()
{
    if (back_buffer)
        clear_bitmap(back_buffer);
}

void draw_sheet_rect(int sheet_x, int sheet_y, int width, int height, int x, int y)
{
    if (sheets[ASSET_SPRITE_SHEET] && back_buffer)
        masked_blit(sheets[ASSET_SPRITE_SHEET], back_buffer, sheet_x, sheet_y, x, y, width, height);
}

void draw_title_panel(int sheet_x, int sheet_y)
{
    if (sheets[ASSET_TITLE_SHEET] && back_buffer)
        blit(sheets[ASSET_TITLE_SHEET], back_buffer, sheet_x, sheet_y, 0, 0, back_buffer->w,
             back_buffer->h);
}

void draw_text(const char* text, int x, int y, TextColour colour)
{
    if (!back_buffer)
        return;
    const int ink = colour == TEXT_WHITE ? palette_color[15] : makecol(255, 80, 80);
    textout_ex(back_buffer, font, text, x, y, ink, makecol(0, 0, 0));
}

int frame_width()
{
    return back_buffer ? back_buffer->w : 0;
}

int frame_height()
{
    return back_buffer ? back_buffer->h : 0;
}

void read_frame(uint32_t* out)
{
    if (!back_buffer)
        return;
    for (int y = 0; y < back_buffer->h; ++y)
        for (int x = 0; x < back_buffer->w; ++x) {
            const int c = getpixel(back_buffer, x, y);
            *out++ = uint32_t(getr32(c)) << 16 | uint32_t(getg32(c)) << 8 | uint32_t(getb32(c));
        }
}

bool resize_frame(int width, int height)
{
    BITMAP* frame = create_bitmap(width, height);
    if (!frame)
        return false;
    if (back_buffer)
        destroy_bitmap(back_buffer);
    back_buffer = frame;
    clear_bitmap(back_buffer);
    return true;
}

bool load_asset(AssetId id, const char* path)
{
    if (is_sheet(id)) {
        if (sheets[id])
            destroy_bitmap(sheets[id]);
        sheets[id] = load_bmp(path, nullptr);
        return sheets[id] != nullptr;
    }
    SAMPLE*& sample = samples[sample_index(id)];
    if (sample)
        destroy_sample(sample);
    sample = load_wav(path);
    return sample != nullptr;
}

bool asset_loaded(AssetId id)
{
    return is_sheet(id) ? sheets[id] != nullptr : sample_of(id) != nullptr;
}

void unload_assets()
{
    for (BITMAP*& sheet : sheets) {
        if (sheet)
            destroy_bitmap(sheet);
        sheet = nullptr;
    }
    for (SAMPLE*& sample : samples) {
        if (sample)
            destroy_sample(sample);
        sample = nullptr;
    }
}

void install_sheet_pixels(AssetId id, int width, int height, const uint32_t* rgb)
{
    if (!is_sheet(id))
        return;
    if (sheets[id])
        destroy_bitmap(sheets[id]);
    sheets[id] = width > 0 && height > 0 && rgb ? create_bitmap(width, height) : nullptr;
    if (!sheets[id])
        return;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, ++rgb)
            putpixel(sheets[id], x, y, makecol(*rgb >> 16 & 0xff, *rgb >> 8 & 0xff, *rgb & 0xff));
}

int play_asset_sample(AssetId id, int volume, bool loop)
{
    SAMPLE* sample = sample_of(id);
    return sample ? play_sample(sample, volume, 127, 1000, loop ? -1 : 0) : -1;
}

void stop_asset_sample(AssetId id)
{
    if (SAMPLE* sample = sample_of(id))
        stop_sample(sample);
}

bool voice_plays(int voice, AssetId id)
{
    return voice >= 0 && sample_of(id) && voice_check(voice) == sample_of(id);
}

void set_voice_volume(int voice, int volume)
{
    voice_set_volume(voice, volume);
}

void hold_voice(int voice, bool held)
{
    if (held)
        voice_stop(voice);
    else
        voice_start(voice);
}

void install_keyboard_with_taps()
{
    install_keyboard();
    LOCK_VARIABLE(pressed_since_poll);
    LOCK_FUNCTION(note_key_event);
    keyboard_lowlevel_callback = note_key_event;
}

void poll_physical_keys(PhysicalKeys& down)
{
    // Where the driver reads the keyboard by itself (X11 does), a first
    // poll_keyboard would switch it to polling for good, and keys would then
    // change, and be marked, only at each poll: a tap between two would be
    // lost.
    if (keyboard_needs_poll())
        poll_keyboard();
    for (int k = PKEY_NONE + 1; k < PKEY_COUNT; ++k) {
        const int scancode = allegro_scancode(PhysicalKey(k));
        const bool pressed = pressed_since_poll[scancode].exchange(false);
        down.set(PhysicalKey(k), key[scancode] != 0 || pressed);
    }
}

void file_written(const char*) {}

const char* platform_setting(const char* variable, const char*)
{
    return std::getenv(variable);
}

const char* platform_setting_name(const char* variable, const char*)
{
    return variable;
}

void start_headless_platform()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    install_allegro(SYSTEM_NONE, &errno, std::atexit);
    use_game_colours();
}
