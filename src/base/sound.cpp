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
bool sound_muted = false;
// The voice the looping music plays on, for pausing and muting it.
int music_voice = -1;
bool music_held = false;

// A held voice counts as finished to voice_check, but it stays the music's:
// nothing starts a sound while the game is paused.
bool music_on_its_voice()
{
    return music_voice >= 0 && music && (music_held || voice_check(music_voice) == music);
}

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
    if (!sound_output || !sample)
        return;
    // Muted, the music still runs on silently, so that it goes on where it
    // is when the sound comes back; effects are not played at all.
    if (id == SOUND_MUSIC)
        music_voice = play_sample(sample, sound_muted ? 0 : 255, 127, 1000, -1);
    else if (!sound_muted)
        play_sample(sample, 255, 127, 1000, 0);
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

void set_sound_muted(bool muted)
{
    sound_muted = muted;
    if (!sound_output)
        return;
    if (muted) {
        if (shot_sound)
            stop_sample(shot_sound);
        if (blast_sound)
            stop_sample(blast_sound);
    }
    if (music_on_its_voice())
        voice_set_volume(music_voice, muted ? 0 : 255);
}

bool sound_is_muted()
{
    return sound_muted;
}

void pause_music(bool paused)
{
    if (!sound_output || paused == music_held || !music_on_its_voice())
        return;
    if (paused)
        voice_stop(music_voice);
    else
        voice_start(music_voice);
    music_held = paused;
}
