// The game in a browser page: the functions the page calls (page.js), each a
// thin door into the program's loop that the desktop runs too. The page
// paces the passes by its clock, draws the frame on its canvas, plays the
// samples, reads the keyboard, the on-screen controls and the pads, offers
// the files the game writes (the export, the recording) as downloads, and
// does the deflating of level links with the browser's own streams.
#include <emscripten.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "base/game_state.h"
#include "base/platform.h"
#include "game/title.h"
#include "levels/level_export.h"
#include "levels/level_file.h"
#include "levels/level_link.h"
#include "levels/level_pack.h"
#include "levels/level_tables.h"
#include "platform/web/page_calls.h"
#include "platform/web/web_platform.h"
#include "program/key_bindings.h"
#include "program/key_help.h"
#include "program/key_script.h"
#include "program/level_changes.h"
#include "program/program.h"

namespace {

// Every pass of a session is recorded here unless the address names another
// file, so the page can offer the keys as a script that the replay runner
// plays back to the same frames.
constexpr const char* RECORDING_PATH = "/tarnblast-keys.txt";

ProgramSettings settings;
bool ended = false;

// A key script playing instead of the keyboard, from ?replay=.
KeyScript replay_script;
ScriptPlayer replay(replay_script);
bool replaying = false;

RgbaFrame rgba;

// The page's own file of the level played from the editor when it came from
// no file (level 1, a link): the play-test opens it as the desktop's opens
// an export, and the editor then writes back to it.
constexpr const char* PLAY_TEST_FOLDER = "/edited";
constexpr const char* PLAY_TEST_PATH = "/edited/level.txt";

// Bytes the page and the game hand each other: the packed level (Share and
// Play it), a link's payload and its inflated cells, a route's script.
std::vector<uint8_t> handed;

int refuse(const std::string& message)
{
    std::fprintf(stderr, "tarnblast: %s\n", message.c_str());
    return 2;
}

// The page shows the frame itself once the animation frame's passes have
// run; a turn only reads what the player holds.
PolledInput poll_page(bool paused)
{
    PolledInput input;
    if (replaying && paused)
        return input;
    if (replaying) {
        uint16_t keys = 0;
        replay.next_pass(keys);
        input.controls = keys;
        return input;
    }
    poll_physical_keys(input.keys);
    input.pad_count = web_pads(input.pads);
    input.controls = web_touched_controls();
    return input;
}

int start_replay(const KeyScript& script)
{
    replay_script = script;
    replay = ScriptPlayer(replay_script);
    replaying = true;
    return 0;
}

// The game anew in a start mode, on the level pack now open.
void start_anew(int32_t start_mode)
{
    settings.start_mode = start_mode;
    settings.warp_level = 0;
    restart_program(settings);
    ended = false;
}

bool write_level_text(const std::string& path, const std::string& text)
{
    mkdir(PLAY_TEST_FOLDER, 0777);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

const char* setting(const char* name)
{
    for (const auto& entry : page_settings)
        if (entry.first == name)
            return entry.second.c_str();
    return nullptr;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void tb_setting(const char* name, const char* value)
{
    page_settings.emplace_back(name, value);
}

EMSCRIPTEN_KEEPALIVE int tb_start()
{
    in_page = true;
    web_sound_in_page(true);
    start_headless_platform();
    if (!setting("record"))
        page_settings.emplace_back("record", RECORDING_PATH);
    settings = ProgramSettings{};
    settings.pad_layout = PAD_STANDARD_MAPPING;
    if (!read_program_settings(settings))
        return 2;
    if (const char* warp = setting("warp")) {
        settings.warp_level = warp_level_of(warp);
        if (settings.warp_level < 0 || settings.start_mode != MODE_TITLE) {
            std::fprintf(stderr, "tarnblast: warp must be a level from 1 to %d, in start mode 1\n",
                         int(LEVEL_COUNT));
            return 2;
        }
    }
    tb_play_again();
    keep_level_cells();
    return 0;
}

EMSCRIPTEN_KEEPALIVE void tb_play_again()
{
    restart_program(settings);
    ended = false;
}

// After Escape the page waits for Play again, or for the start key: the
// game from its start-up state again. With changes to the level not yet
// exported only Play again does, which asks first.
EMSCRIPTEN_KEEPALIVE int tb_run(int passes)
{
    if (ended && !replaying && (polled_controls(poll_page(false)) & key_bit(CONTROL_S))
        && !level_cells_changed())
        tb_play_again();
    for (int i = 0; i < passes && !ended && !(replaying && replay.finished()); ++i)
        ended = !run_program_turn(poll_page);
    return ended ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int tb_screen_width()
{
    return SCREEN_WIDTH;
}

EMSCRIPTEN_KEEPALIVE int tb_screen_height()
{
    return SCREEN_HEIGHT;
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

EMSCRIPTEN_KEEPALIVE void tb_touch(const char* control, int down)
{
    web_touch(control, down != 0);
}

EMSCRIPTEN_KEEPALIVE void tb_pad(int pad, int connected, double left_x, double left_y,
                                 double right_x, double right_y, uint32_t buttons)
{
    const double axes[] = {left_x, left_y, right_x, right_y};
    web_pad(pad, connected != 0, axes, buttons);
}

// A hidden tab pauses the game, and it stays paused when the tab comes back
// until the player presses P: the hands may not be on the keys yet. A replay
// needs no hands and goes on.
EMSCRIPTEN_KEEPALIVE void tb_hidden(int hidden)
{
    if (!hidden || replaying)
        return;
    pause_program(true);
    web_release_keys();
}

EMSCRIPTEN_KEEPALIVE int tb_paused()
{
    return program_paused() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int tb_game_mode()
{
    return game.game_mode;
}

// A level file (or a folder of them, a pack) the page has written into the
// file system, for the mode the page started in: checked by the game's
// reader; the game starts again on it if every file is sound, and goes on
// with the level it has if not.
EMSCRIPTEN_KEEPALIVE int tb_open_level(const char* path)
{
    std::string message;
    if (!open_level_pack(path, settings.start_mode, message))
        return refuse(message);
    start_anew(settings.start_mode);
    keep_level_cells();
    return 0;
}

// Play it: the level as it stands in the editor, played from the title as
// the desktop's play-test plays an export. It is written to the file it came
// from in the page's own files (or to the page's play-test file) and opened
// from there, so that Edit comes back to it and exports go where they went.
EMSCRIPTEN_KEEPALIVE int tb_play_it()
{
    if (settings.start_mode != MODE_EDITOR)
        return 0;
    std::string text(size_t(EXPORT_FILE_SIZE), '\0');
    format_level_export(game.level_grid, text.data());
    LevelGrid grid;
    const std::vector<ExportProblem> problems = check_level_export(text, LEVEL_FOR_PLAY, grid);
    if (!problems.empty())
        return refuse("cannot play the level as it stands: " + describe_problem(problems.front()));
    const std::string path =
        level_pack_open() && *level_pack_path() ? level_pack_path() : PLAY_TEST_PATH;
    std::string message;
    if (!write_level_text(path, text))
        return refuse("cannot write the level to play it: " + path);
    if (!open_level_pack(path.c_str(), MODE_TITLE, message))
        return refuse(message);
    start_anew(MODE_TITLE);
    return 0;
}

// Edit: the editor on the level open (the one a play-test came from, with
// its placements), or on level 1 without one.
EMSCRIPTEN_KEEPALIVE int tb_edit()
{
    std::string message;
    if (!reopen_level_pack(MODE_EDITOR, message))
        return refuse(message);
    start_anew(MODE_EDITOR);
    return 0;
}

EMSCRIPTEN_KEEPALIVE void tb_keep_level()
{
    keep_level_cells();
}

EMSCRIPTEN_KEEPALIVE int tb_level_changed()
{
    return level_cells_changed() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE uint8_t* tb_handed(int size)
{
    handed.resize(size_t(size));
    return handed.data();
}

EMSCRIPTEN_KEEPALIVE int tb_pack_level()
{
    handed = pack_level_cells(game.level_grid);
    return int(handed.size());
}

EMSCRIPTEN_KEEPALIVE int tb_packed_limit()
{
    return int(LEVEL_LINK_MAX_PACKED);
}

EMSCRIPTEN_KEEPALIVE const char* tb_link_of(const char* page, int edit)
{
    static std::string link;
    link = level_link_of_deflated(handed.data(), handed.size(), page, edit != 0);
    return link.c_str();
}

EMSCRIPTEN_KEEPALIVE int tb_link_payload(const char* link)
{
    bool edit = false;
    std::string error;
    if (level_link_deflated(link, handed, edit, error))
        return int(handed.size());
    refuse("cannot use the level link: " + error);
    return -1;
}

// A link's level, its cells handed over inflated (or not, when they could
// not be): the game anew on it, on the title or in the editor as the link
// asks.
EMSCRIPTEN_KEEPALIVE int tb_open_link(const char* link, int inflated)
{
    std::vector<uint8_t> payload;
    std::string message;
    bool edit = false;
    level_link_deflated(link, payload, edit, message);
    const int32_t mode = edit ? MODE_EDITOR : MODE_TITLE;
    if (!open_inflated_level_link(link, inflated ? handed.data() : nullptr, handed.size(), mode,
                                  message))
        return refuse(message);
    start_anew(mode);
    keep_level_cells();
    return 0;
}

EMSCRIPTEN_KEEPALIVE int tb_base64url(const char* text)
{
    return base64url_bytes(text, handed) ? int(handed.size()) : -1;
}

EMSCRIPTEN_KEEPALIVE int tb_replay(const char* path)
{
    KeyScript script;
    std::string error;
    if (!load_key_script(path, script, error))
        return refuse(error);
    return start_replay(script);
}

// A link's route (&watch=), its script handed over inflated (or not).
EMSCRIPTEN_KEEPALIVE int tb_watch(int inflated)
{
    KeyScript script;
    std::string error = "it is cut or damaged";
    if (!inflated || !parse_key_script(std::string(handed.begin(), handed.end()), script, error))
        return refuse("cannot replay the link's route: " + error);
    return start_replay(script);
}

EMSCRIPTEN_KEEPALIVE int tb_replay_done()
{
    return replaying && replay.finished() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* tb_recording()
{
    return setting("record");
}

EMSCRIPTEN_KEEPALIVE const char* tb_key_help()
{
    static std::string line;
    line = key_help_line(settings.start_mode, key_bindings_in_use());
    return line.c_str();
}

}  // extern "C"
