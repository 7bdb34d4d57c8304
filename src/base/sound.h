// Sound effects and music. Every sample the game starts goes through here, so
// that a replay can say which sounds a pass started even without a sound card.
#pragma once

enum SoundId { SOUND_SHOT, SOUND_BLAST, SOUND_MUSIC };

// Starts the sample of the given role at full volume, centre pan and its own
// pitch; music loops. A sample that failed to load plays nothing.
void start_sound(SoundId id);

// The names of the sound roles, as the samples' handles are called.
const char* sound_name(SoundId id);

// Samples started since the last call of forget_pass_sounds, in order.
int pass_sound_count();
SoundId pass_sound(int index);
void forget_pass_sounds();

// Whether samples are handed to the sound driver (the real program) or only
// counted (tests, replays and benchmarks).
void set_sound_output(bool enabled);
