// The game in a browser page: the functions the page calls (page.js), each a
// thin door into the program's loop that the desktop runs too. The page
// paces the passes by its clock, draws the frame on its canvas, plays the
// samples and offers the files the game writes (the export, the recording)
// as downloads.
#include <emscripten.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/assets.h"
#include "base/game_state.h"
#include "base/key_names.h"
#include "base/platform.h"
#include "base/sound.h"
#include "game/main_loop.h"
#include "game/title.h"
#include "levels/level_export.h"
#include "levels/level_pack.h"
#include "platform/web/page_calls.h"
#include "platform/web/web_platform.h"
#include "program/key_script.h"
#include "program/program.h"

namespace {

// Every pass of a session is recorded here, so the page can offer the keys
// as a script that the replay runner plays back to the same frames.
constexpr const char* RECORDING_PATH = "/tarnblast-keys.txt";

ProgramSettings settings;
bool ended = false;
bool hidden_pause = false;
int32_t warp_level = 0;

// A key script playing instead of the keyboard: its runs, where it is, and
// whether it has played its last pass.
KeyScript replay_script;
size_t replay_run = 0;
int64_t replay_pass_in_run = 0;
bool replaying = false;
bool replay_done = false;

RgbaFrame rgba;

// Whether the script has a pass left; once it has none, the page holds the
// last frame it drew.
bool script_goes_on()
{
    while (replay_run < replay_script.runs.size()
           && replay_pass_in_run >= replay_script.runs[replay_run].passes) {
        ++replay_run;
        replay_pass_in_run = 0;
    }
    replay_done = replay_run >= replay_script.runs.size();
    return !replay_done;
}

uint16_t next_script_keys()
{
    if (!script_goes_on())
        return 0;
    ++replay_pass_in_run;
    return replay_script.runs[replay_run].keys;
}

// The page shows the frame itself once the animation frame's passes have
// run; a turn only reads the keys.
PolledInput poll_page(bool)
{
    PolledInput input;
    if (replaying)
        input.controls = next_script_keys();
    else
        poll_physical_keys(input.keys);
    return input;
}

std::string parameter(const char* name)
{
    for (const auto& setting : page_settings)
        if (setting.first == name)
            return setting.second;
    return "";
}

int hex_digit(char c)
{
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                  : -1;
}

std::string decoded(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex_digit(text[i + 1]) >= 0
            && hex_digit(text[i + 2]) >= 0) {
            out += char(hex_digit(text[i + 1]) * 16 + hex_digit(text[i + 2]));
            i += 2;
        } else
            out += text[i] == '+' ? ' ' : text[i];
    }
    return out;
}

void read_query(const std::string& query)
{
    page_settings.clear();
    size_t at = 0;
    while (at <= query.size()) {
        size_t end = query.find('&', at);
        if (end == std::string::npos)
            end = query.size();
        const std::string entry = query.substr(at, end - at);
        const size_t equals = entry.find('=');
        if (!entry.empty())
            page_settings.emplace_back(
                decoded(entry.substr(0, equals)),
                equals == std::string::npos ? "" : decoded(entry.substr(equals + 1)));
        at = end + 1;
    }
    // Every session is recorded, for the page's "download keys".
    if (parameter("record").empty())
        page_settings.emplace_back("record", RECORDING_PATH);
}

// The game from its start, as a new page would start it, in the given mode.
void start_session(int32_t start_mode)
{
    release_assets();
    clear_game_state();
    resize_frame(SCREEN_WIDTH, SCREEN_HEIGHT);
    settings.start_mode = start_mode;
    start_program(settings);
    if (warp_level)
        start_game_at_level(warp_level);
    ended = false;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int tb_start(const char* query)
{
    in_page = true;
    web_sound_in_page(true);
    read_query(query ? query : "");
    start_headless_platform();
    settings = ProgramSettings{};
    if (!read_program_settings(settings))
        return 2;
    const std::string warp = parameter("warp");
    warp_level = 0;
    if (!warp.empty()) {
        warp_level = std::atoi(warp.c_str());
        if (warp_level < 1 || warp_level > 6 || settings.start_mode != MODE_TITLE) {
            std::fprintf(stderr, "tarnblast: warp must be a level from 1 to 6, in start mode 1\n");
            return 2;
        }
    }
    start_session(settings.start_mode);
    return 0;
}

EMSCRIPTEN_KEEPALIVE int tb_run(int passes)
{
    for (int i = 0; i < passes && !ended && !(replaying && !script_goes_on()); ++i) {
        ended = !run_program_turn(poll_page);
    }
    return ended ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE uint8_t* tb_frame()
{
    rgba_of_frame(web_frame_pixels(), rgba);
    return rgba.bytes;
}

EMSCRIPTEN_KEEPALIVE void tb_key(const char* code, int down)
{
    web_key(code, down != 0);
}

EMSCRIPTEN_KEEPALIVE void tb_hidden(int hidden)
{
    if (hidden && !program_paused()) {
        hidden_pause = true;
        pause_program(true);
    } else if (!hidden && hidden_pause) {
        hidden_pause = false;
        pause_program(false);
    }
    if (hidden)
        web_release_keys();
}

EMSCRIPTEN_KEEPALIVE int tb_paused()
{
    return program_paused() ? 1 : 0;
}

// A level file (or a folder of them, a pack) the page has written into the
// file system: checked by the game's reader; the game starts again on it if
// it is sound, and goes on as it was if not.
EMSCRIPTEN_KEEPALIVE int tb_open_level(const char* path, int edit)
{
    const int32_t mode = edit ? MODE_EDITOR : MODE_TITLE;
    const std::string previous = level_pack_open() ? level_pack_path() : "";
    std::string message;
    if (!open_level_pack(path, mode, message)) {
        std::fprintf(stderr, "tarnblast: %s\n", message.c_str());
        if (!previous.empty())
            open_level_pack(previous.c_str(), settings.start_mode, message);
        return 2;
    }
    warp_level = 0;
    stop_asset_sample(ASSET_MUSIC);
    start_session(mode);
    return 0;
}

EMSCRIPTEN_KEEPALIVE int tb_replay(const char* path)
{
    std::string error;
    if (!load_key_script(path, replay_script, error)) {
        std::fprintf(stderr, "tarnblast: %s\n", error.c_str());
        return 2;
    }
    replaying = true;
    replay_done = false;
    replay_run = 0;
    replay_pass_in_run = 0;
    return 0;
}

EMSCRIPTEN_KEEPALIVE int tb_replay_done()
{
    return replaying && replay_done ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* tb_recording()
{
    static std::string path;
    path = parameter("record");
    return path.c_str();
}

}  // extern "C"
