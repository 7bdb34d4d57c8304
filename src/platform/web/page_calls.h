// The calls between the browser page (page.js) and the game's module: what
// the page calls (exported, by name, through cwrap) and what the game calls
// on the page (page_library.js). Key codes are KeyboardEvent.code names.
#pragma once

#include <stdint.h>

extern "C" {

// The page's calls. Those returning int give 0 for done and 2 for refused,
// after one line on stderr that the page shows.
int tb_start(const char* query);  // the address's query, without "?"
int tb_run(int passes);           // 1 once the game has ended (Escape)
uint8_t* tb_frame(void);          // 320 x 200 pixels, R G B A, top row first
void tb_key(const char* code, int down);
void tb_hidden(int hidden);  // the tab was hidden (1) or shown (0)
int tb_paused(void);
int tb_open_level(const char* path, int edit);  // a level file or a folder of them
int tb_replay(const char* path);                // a key script: its keys replace the keyboard's
int tb_replay_done(void);
const char* tb_recording(void);  // the path of this session's key recording

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
void tb_voice_hold(int voice, int held);   // pause (1) or resume (0)
int tb_voice_plays(int voice, int id);     // 1 while the voice plays that sample
void tb_export_written(const char* path);  // offered as level.txt
}
