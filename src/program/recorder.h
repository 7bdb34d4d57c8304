// Demo recording: the keys held at each pass of the main loop, written as a
// key script while the game runs, so that tarnblast-replay plays the same
// game back. One line per pass, each written to the file the moment its pass
// has polled the keyboard: if the game is killed or crashes, the file still
// holds every pass up to the last one or two, and always reads as a script.
// Its first line says how to replay it: with the same start mode
// (tarnblast-replay --start-mode N), or the keys drive a different game; a
// game on a level file has a second comment line naming it (--level FILE).
#pragma once

#include <cstddef>
#include <cstdint>

// Opens (creating or emptying) the file once, at start-up, and writes the
// header. On failure says so in one line on stderr and returns false; the
// game then plays on without recording.
bool start_recording(const char* path, int32_t start_mode);

// Appends the line for one pass. Does nothing when not recording. If the
// file cannot take the line (a full disk, say), the part written is taken
// back, the recording stops with one line on stderr, and play goes on.
void record_pass(uint16_t keys);

// Whether a recording is running.
bool recording();

// Closes the file; later passes are not recorded.
void stop_recording();
