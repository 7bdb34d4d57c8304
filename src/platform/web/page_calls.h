// The calls between the browser page (page.js) and the game's module: what
// the page calls (exported, by name, through cwrap) and what the game calls
// on the page (page_library.js). Key codes are KeyboardEvent.code names.
#pragma once

#include <stdint.h>

extern "C" {

// The page's calls. Those returning int give 0 for done and 2 for refused,
// after one line on stderr that the page shows.
void tb_setting(const char* name, const char* value);  // each address parameter, decoded once
int tb_start(void);        // the game from its start-up state, on the settings given
void tb_play_again(void);  // the same once more, after Escape or at any time
int tb_run(int passes);    // 1 once the game has ended (Escape)
int tb_screen_width(void);
int tb_screen_height(void);
uint8_t* tb_frame(void);  // the screen's pixels, R G B A, top row first
void tb_key(const char* code, int down);
void tb_touch(const char* control, int down);  // an on-screen control (web_platform.h)
void tb_pad(int pad, int connected, double left_x, double left_y, double right_x, double right_y,
            uint32_t buttons);  // the Gamepad API's standard mapping
void tb_hidden(int hidden);     // the tab was hidden (1) or shown (0)
int tb_paused(void);
int tb_game_mode(void);
int tb_open_level(const char* path);  // a level file or a folder of them
int tb_play_it(void);                 // from the editor: its level as it stands, played
int tb_edit(void);                    // the editor on the level open, or on level 1
void tb_keep_level(void);             // the level to edit counts as kept (exported)
int tb_level_changed(void);           // 1 while it holds changes not exported
// Level links: the page deflates and inflates with the browser's streams,
// and the bytes cross in a buffer of the game's.
uint8_t* tb_handed(int size);  // that buffer, made `size` bytes long
int tb_pack_level(void);       // the level as it stands packed into it; its size
int tb_packed_limit(void);     // the most packed bytes a link may inflate to
const char* tb_link_of(const char* page, int edit);  // the link of the deflated bytes in it
int tb_link_payload(const char* link);  // a link's deflated bytes into it: their size, or -1
int tb_open_link(const char* link, int inflated);  // its inflated cells in it (or not: 0)
int tb_base64url(const char* text);                // decoded into it: the size, or -1
int tb_replay(const char* path);                   // a key script: its keys replace the keyboard's
int tb_watch(int inflated);  // the same for a link's route, inflated into the buffer
int tb_replay_done(void);
const char* tb_recording(void);  // the path of this session's key recording
const char* tb_key_help(void);   // what the keys do, named as bound

// The game's art and sound, built from the sources compiled into the module
// and written into data/: the images before the first frame, the samples by
// a second copy of the module in a worker while the title shows.
void tb_build_images(void);
void tb_build_samples(void);
// The sample files by the page's sample numbers (their places among the
// samples of the game's ASSET_FILES, from 0); null past the last.
const char* tb_sample_file(int number);

// The game's calls on the page. Samples by their numbers (tb_sample_file);
// volume 0 to 255.
int tb_sound_play(int id, int volume, int loop);  // returns the voice's number
void tb_sound_stop(int id);                       // every voice of that sample
void tb_voice_volume(int voice, int volume);
void tb_voice_hold(int voice, int held);  // pause (1) or resume (0)
int tb_voice_plays(int voice, int id);    // 1 while the voice plays that sample
void tb_file_written(const char* path);   // the export, offered as level.txt
}
