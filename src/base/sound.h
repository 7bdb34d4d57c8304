// Sound effects and music. Every sample the game starts goes through here, so
// that a replay can say which sounds a pass started even without a sound card.
#pragma once

#include "base/platform.h"

// Starts a sample at full volume, centre pan and its own pitch; the music
// loops. A sample that failed to load plays nothing.
void start_sound(AssetId sample);

// A sample's name, as the game's handle for it is called ("shot_sound").
const char* sound_name(AssetId sample);

// Samples started since the last call of forget_pass_sounds, in order.
int pass_sound_count();
AssetId pass_sound(int index);
void forget_pass_sounds();

// Whether samples are handed to the sound driver (the real program) or only
// counted (tests, replays and benchmarks).
void set_sound_output(bool enabled);

// M: every sound off, or on again. The pass log is kept either way, so that
// a muted game records and replays as any other.
void set_sound_muted(bool muted);
bool sound_is_muted();

// Holds the music where it is (a paused game), or lets it play on.
void pause_music(bool paused);
