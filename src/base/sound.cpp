#include "base/sound.h"

#include "base/assets.h"

namespace {

// A pass starts at most a handful of samples (the gun, a few blasts); the log
// keeps the first ones and counts the rest, and never allocates.
constexpr int PASS_SOUND_LOG = 256;
AssetId pass_sounds[PASS_SOUND_LOG];
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
    return music_voice >= 0 && asset_loaded(ASSET_MUSIC)
           && (music_held || voice_plays(music_voice, ASSET_MUSIC));
}

}  // namespace

void start_sound(AssetId sample)
{
    if (pass_sounds_started < PASS_SOUND_LOG)
        pass_sounds[pass_sounds_started] = sample;
    if (pass_sounds_started < 0x7fffffff)
        ++pass_sounds_started;
    if (!sound_output || !asset_loaded(sample))
        return;
    // Muted, the music still runs on silently, so that it goes on where it
    // is when the sound comes back; effects are not played at all.
    if (sample == ASSET_MUSIC)
        music_voice = play_asset_sample(sample, sound_muted ? 0 : 255, true);
    else if (!sound_muted)
        play_asset_sample(sample, 255, false);
}

const char* sound_name(AssetId sample)
{
    return ASSET_FILES[sample].handle;
}

int pass_sound_count()
{
    return pass_sounds_started < PASS_SOUND_LOG ? pass_sounds_started : PASS_SOUND_LOG;
}

AssetId pass_sound(int index)
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
        stop_asset_sample(ASSET_SHOT);
        stop_asset_sample(ASSET_BLAST);
    }
    if (music_on_its_voice())
        set_voice_volume(music_voice, muted ? 0 : 255);
}

bool sound_is_muted()
{
    return sound_muted;
}

void pause_music(bool paused)
{
    if (!sound_output || paused == music_held || !music_on_its_voice())
        return;
    hold_voice(music_voice, paused);
    music_held = paused;
}
