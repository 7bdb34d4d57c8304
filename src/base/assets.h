// The game's pictures and sounds: five files read once at start-up from the
// data directory under the working directory, and the back buffer every
// frame is drawn into.
#pragma once

#include <allegro.h>

extern BITMAP* back_buffer;
extern BITMAP* sprite_sheet;
extern BITMAP* title_sheet;
extern SAMPLE* shot_sound;
extern SAMPLE* blast_sound;
extern SAMPLE* music;

constexpr const char* SPRITE_SHEET_PATH = "data/main.bmp";
constexpr const char* TITLE_SHEET_PATH = "data/main2.bmp";
constexpr const char* SHOT_SOUND_PATH = "data/sgun.wav";
constexpr const char* BLAST_SOUND_PATH = "data/blowup.wav";
constexpr const char* MUSIC_PATH = "data/gmsong.wav";

// Loads the sheets and samples (the title sheet and the music only outside
// the editor) and starts the music. A file that cannot be loaded is named on
// stderr in one line; its handle stays null and the game runs on without it.
void load_assets();

// Destroys the back buffer, the sheets and the samples, and removes the
// sound driver. Safe to call when any of them is missing.
void release_assets();

// Checks a BMP or WAV file before Allegro's loader sees it, since those
// loaders trust the sizes a file claims. Returns nullptr when the file looks
// sound, or a short reason ("missing", "truncated", ...).
const char* bmp_file_problem(const char* path);
const char* wav_file_problem(const char* path);
