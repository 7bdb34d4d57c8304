#include "base/sound.h"

#include <allegro.h>

#include "base/assets.h"

namespace {

// A pass starts at most a handful of samples (the gun, a few blasts); the log
// keeps the first ones and counts the rest, and never allocates.
constexpr int PASS_SOUND_LOG = 256;
SoundId pass_sounds[PASS_SOUND_LOG];
int pass_sounds_started = 0;
bool sound_output = false;

SAMPLE* sample_of(SoundId id)
{
    switch (id) {
    case SOUND_SHOT:
        return shot_sound;
    case SOUND_BLAST:
        return blast_sound;
    case SOUND_MUSIC:
        return music;
    }
    return nullptr;
}

}  // namespace

void start_sound(SoundId id)
{
    if (pass_sounds_started < PASS_SOUND_LOG)
        pass_sounds[pass_sounds_started] = id;
    if (pass_sounds_started < 0x7fffffff)
        ++pass_sounds_started;
    SAMPLE* sample = sample_of(id);
    if (sound_output && sample)
        play_sample(sample, 255, 127, 1000, id == SOUND_MUSIC ? -1 : 0);
}

const char* sound_name(SoundId id)
{
    switch (id) {
    case SOUND_SHOT:
        return "shot_sound";
    case SOUND_BLAST:
        return "blast_sound";
    case SOUND_MUSIC:
        return "music";
    }
    return "";
}

int pass_sound_count()
{
    return pass_sounds_started < PASS_SOUND_LOG ? pass_sounds_started : PASS_SOUND_LOG;
}

SoundId pass_sound(int index)
{
    return pass_sounds[index];
}

void forget_pass_sounds()
{
    pass_sounds_started = 0;
}

void set_sound_output(bool enabled)
{
    sound_output = enabled;
}
