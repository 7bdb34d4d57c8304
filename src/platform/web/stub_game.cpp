// A stand-in for the game behind the browser page: the page's exports with a
// moving test pattern instead of the game, so that the build, the page, its
// sound, downloads and replays, and the browser tests run end to end before
// the game itself is built for the browser. The pattern shows what a test
// must see: bars that scroll one pixel per pass, a square that Left and
// Right walk, and one lamp per held key along the top.
#include <emscripten.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/web/page_calls.h"

namespace {

constexpr int STUB_W = 320, STUB_H = 200;
constexpr int SOUND_GUN = 0, SOUND_MUSIC = 2, MUSIC_VOLUME = 128;
constexpr const char* RECORDING_PATH = "/tarnblast-keys.txt";
constexpr const char* EXPORT_PATH = "d:/tilewerks/level.txt";  // under the working folder

// The keys a pass reads, in the order and under the names of key scripts,
// with the browser's KeyboardEvent.code of each.
struct StubKey {
    const char* name;
    const char* code;
};
constexpr StubKey STUB_KEYS[] = {
    {"LEFT", "ArrowLeft"}, {"RIGHT", "ArrowRight"},
    {"UP", "ArrowUp"},     {"DOWN", "ArrowDown"},
    {"SPACE", "Space"},    {"S", "KeyS"},
    {"ENTER", "Enter"},    {"F1", "F1"},
    {"F2", "F2"},          {"F3", "F3"},
    {"F4", "F4"},          {"RSHIFT", "ShiftRight"},
    {"ESC", "Escape"},
};
constexpr int STUB_KEY_COUNT = int(sizeof STUB_KEYS / sizeof STUB_KEYS[0]);
constexpr unsigned KEY_LEFT = 1, KEY_RIGHT = 2, KEY_SPACE = 16, KEY_RSHIFT = 1 << 11,
                   KEY_ESC = 1 << 12;

struct Stub {
    uint8_t frame[STUB_W * STUB_H * 4];
    unsigned held = 0, last = 0;
    int start_mode = 1, pass = 0, square_x = 150, music = -1;
    bool ended = false, paused = false, hidden = false, muted = false;
    std::vector<unsigned> replay;  // a script's key set per pass
    bool replaying = false;
    FILE* recording = nullptr;
} stub;

int refuse(const std::string& message)
{
    std::fprintf(stderr, "tarnblast: %s\n", message.c_str());
    return 2;
}

int key_index(const char* name, size_t length)
{
    for (int i = 0; i < STUB_KEY_COUNT; i++)
        if (std::strlen(STUB_KEYS[i].name) == length
            && std::strncmp(STUB_KEYS[i].name, name, length) == 0)
            return i;
    return -1;
}

void fill(int x0, int y0, int w, int h, uint32_t rgb)
{
    for (int y = y0; y < y0 + h && y < STUB_H; y++)
        for (int x = x0; x < x0 + w && x < STUB_W; x++) {
            uint8_t* p = stub.frame + 4 * (y * STUB_W + x);
            p[0] = uint8_t(rgb >> 16), p[1] = uint8_t(rgb >> 8), p[2] = uint8_t(rgb), p[3] = 255;
        }
}

void draw_pattern(unsigned keys)
{
    for (int x = 0; x < STUB_W; x++)
        fill(x, 0, 1, STUB_H, ((x + stub.pass) / 16) % 2 ? 0x203060 : 0x102040);
    fill(stub.square_x, 120, 20, 20, stub.start_mode == 3 ? 0x40e040 : 0xe0e040);
    for (int i = 0; i < STUB_KEY_COUNT; i++)
        fill(4 + 12 * i, 4, 8, 8, keys & (1u << i) ? 0xff4040 : 0x404040);
}

void record_pass(unsigned keys)
{
    if (!stub.recording)
        return;
    std::string line;
    for (int i = 0; i < STUB_KEY_COUNT; i++)
        if (keys & (1u << i))
            line += (line.empty() ? "" : " ") + std::string(STUB_KEYS[i].name);
    std::fprintf(stub.recording, "%s\n", line.c_str());
    std::fflush(stub.recording);
}

// Right Shift in the editor writes the "level" on every pass it is held.
void export_level()
{
    mkdir("d:", 0755);
    mkdir("d:/tilewerks", 0755);
    FILE* file = std::fopen(EXPORT_PATH, "wb");
    if (!file)
        return;
    std::fprintf(file, "stub level, square at %d\r\n", stub.square_x);
    std::fclose(file);
    tb_export_written(EXPORT_PATH);
}

void run_one_pass()
{
    unsigned keys = stub.held;
    if (stub.replaying)
        keys = stub.pass < int(stub.replay.size()) ? stub.replay[size_t(stub.pass)] : stub.last;
    record_pass(keys);
    stub.pass++;
    stub.square_x += (keys & KEY_RIGHT ? 1 : 0) - (keys & KEY_LEFT ? 1 : 0);
    stub.square_x = stub.square_x < 0 ? 0 : stub.square_x > 300 ? 300 : stub.square_x;
    if (keys & KEY_SPACE && !(stub.last & KEY_SPACE) && !stub.muted)
        tb_sound_play(SOUND_GUN, 255, 0);
    if (keys & KEY_RSHIFT && stub.start_mode == 3)
        export_level();
    stub.ended = keys & KEY_ESC;
    stub.last = keys;
    draw_pattern(keys);
}

bool parse_script(const char* text, std::vector<unsigned>& passes, std::string& error)
{
    int line_number = 0;
    for (const char* line = text; *line;) {
        const char* end = std::strchr(line, '\n');
        std::string body(line, end ? size_t(end - line) : std::strlen(line));
        line = end ? end + 1 : line + body.size();
        line_number++;
        const bool comment_only = body.find('#') != std::string::npos
                                  && body.find_first_not_of(" \t\r") == body.find('#');
        body = body.substr(0, body.find('#'));
        long count = 1;
        const size_t star = body.find('*');
        if (star != std::string::npos)
            count = std::strtol(body.c_str(), nullptr, 10), body = body.substr(star + 1);
        unsigned keys = 0;
        for (size_t at = 0; (at = body.find_first_not_of(" \t\r", at)) != std::string::npos;) {
            const size_t stop = std::min(body.find_first_of(" \t\r", at), body.size());
            const int index = key_index(body.c_str() + at, stop - at);
            if (index < 0) {
                error = "line " + std::to_string(line_number) + ": unknown key "
                        + body.substr(at, stop - at);
                return false;
            }
            keys |= 1u << index, at = stop;
        }
        if (comment_only && keys == 0)
            continue;
        passes.insert(passes.end(), size_t(count), keys);
    }
    return true;
}

bool read_file(const char* path, std::string& text)
{
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, n);
    std::fclose(file);
    return true;
}

// The stand-in's idea of a level file: the export's first field.
bool level_file_sound(const char* path, std::string& error)
{
    std::string text;
    if (!read_file(path, text) || text.compare(0, 3, " 0,") != 0) {
        error = std::string(path) + " is not a level export: line 1, field 1";
        return false;
    }
    return true;
}

std::string query_value(const std::string& query, const std::string& name)
{
    const std::string amp = "&" + query + "&";
    const size_t at = amp.find("&" + name + "=");
    if (at == std::string::npos)
        return "";
    const size_t from = at + name.size() + 2;
    return amp.substr(from, amp.find('&', from) - from);
}

void start_music()
{
    stub.music = tb_sound_play(SOUND_MUSIC, MUSIC_VOLUME, 1);
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int tb_start(const char* query)
{
    const std::string mode = query_value(query, "start-mode");
    if (!mode.empty() && mode != "1" && mode != "3")
        return refuse("TARNBLAST_START_MODE must be 1 or 3, not \"" + mode + "\"");
    stub.start_mode = mode == "3" ? 3 : 1;
    const std::string level = query_value(query, "level");
    std::string error;
    if (!level.empty() && !level_file_sound(level.c_str(), error))
        return refuse(error);
    for (const char* name : {"main.bmp", "main2.bmp", "sgun.wav", "blowup.wav", "gmsong.wav"}) {
        struct stat info;
        if (stat((std::string("data/") + name).c_str(), &info) != 0)
            std::fprintf(stderr, "tarnblast: data/%s is missing\n", name);
    }
    stub.recording = std::fopen(RECORDING_PATH, "w");
    if (stub.recording)
        std::fprintf(stub.recording,
                     "# tarnblast recording, start mode %d: replay with tarnblast-replay "
                     "--start-mode %d\n",
                     stub.start_mode, stub.start_mode);
    start_music();
    draw_pattern(0);
    return 0;
}

EMSCRIPTEN_KEEPALIVE int tb_run(int passes)
{
    for (int i = 0; i < passes && !stub.ended && !stub.paused && !stub.hidden && !tb_replay_done();
         i++)
        run_one_pass();
    return stub.ended ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE uint8_t* tb_frame(void)
{
    return stub.frame;
}

// P pauses and M mutes on the key's press; every other key is held.
EMSCRIPTEN_KEEPALIVE void tb_key(const char* code, int down)
{
    if (down && std::strcmp(code, "KeyP") == 0) {
        stub.paused = !stub.paused;
        tb_voice_hold(stub.music, stub.paused);
    }
    if (down && std::strcmp(code, "KeyM") == 0) {
        stub.muted = !stub.muted;
        tb_voice_volume(stub.music, stub.muted ? 0 : MUSIC_VOLUME);
    }
    for (int i = 0; i < STUB_KEY_COUNT; i++)
        if (std::strcmp(code, STUB_KEYS[i].code) == 0)
            stub.held = down ? stub.held | (1u << i) : stub.held & ~(1u << i);
}

EMSCRIPTEN_KEEPALIVE void tb_hidden(int hidden)
{
    stub.hidden = hidden;
    tb_voice_hold(stub.music, hidden || stub.paused);
}

EMSCRIPTEN_KEEPALIVE int tb_paused(void)
{
    return stub.paused || stub.hidden;
}

EMSCRIPTEN_KEEPALIVE int tb_open_level(const char* path, int edit)
{
    std::string error;
    if (!level_file_sound(path, error))
        return refuse(error);
    tb_sound_stop(SOUND_MUSIC);
    stub.start_mode = edit ? 3 : 1, stub.square_x = 150;
    start_music();
    return 0;
}

EMSCRIPTEN_KEEPALIVE int tb_replay(const char* path)
{
    std::string text, error;
    std::vector<unsigned> passes;
    if (!read_file(path, text))
        return refuse(std::string(path) + ": cannot be read");
    if (!parse_script(text.c_str(), passes, error))
        return refuse(std::string(path) + ": " + error);
    stub.replay = passes, stub.replaying = true, stub.pass = 0;
    return 0;
}

EMSCRIPTEN_KEEPALIVE int tb_replay_done(void)
{
    return stub.replaying && stub.pass >= int(stub.replay.size());
}

EMSCRIPTEN_KEEPALIVE const char* tb_recording(void)
{
    return RECORDING_PATH;
}

}  // extern "C"
