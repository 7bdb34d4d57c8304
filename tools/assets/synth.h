// The game's sounds, synthesised from text: instruments made of oscillator
// layers with envelopes and filters, sound effects built from such layers,
// and a looping music track sequenced from note patterns.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "source_text.h"

enum class Wave { Sine, Triangle, Square, Saw, Noise };

// One oscillator of an instrument with its own envelope and filters. Times
// are in seconds, frequencies in Hz.
struct Layer {
    Wave wave = Wave::Sine;
    double duty = 0.5;         // square waves: share of the cycle spent high
    bool fixed_pitch = false;  // true: freq_from..freq_to; false: note x pitch
    double freq_from = 0, freq_to = 0;
    double pitch = 1.0;  // multiple of the played note's frequency
    double sweep = 0;    // time to slide freq_from to freq_to (0: attack+hold+decay)
    double level = 1.0;
    double delay = 0, attack = 0.002, hold = 0, decay = 0.2, sustain = 0, release = 0.02;
    double curve = 2.0;  // >1 makes the decay and release fall fast, then slowly
    bool lowpass = false;
    double lowpass_from = 0, lowpass_to = 0, lowpass_sweep = 0, resonance = 0.7;
    double highpass = 0;
    double vibrato_rate = 0, vibrato_depth = 0, vibrato_delay = 0;  // depth in semitones
};

struct Instrument {
    std::string name;
    std::vector<Layer> layers;
    // Pitched instruments play notes; the others (drums, effects) play hits.
    bool pitched() const;
};

struct Sound {
    int rate = 22050;
    std::vector<int16_t> samples;
    double seconds() const { return static_cast<double>(samples.size()) / rate; }
};

// data/sound/effects.txt: "rate N", then "effect NAME peak=P" each followed
// by its "layer ..." lines. Returns the effects by name.
std::map<std::string, Sound> build_effects(const SourceFile& file);

// data/sound/music.txt: tempo, instruments, patterns and the play order.
// The track is exactly the played steps long and loops without a seam.
struct Music {
    Sound sound;
    int samples_per_step = 0;
    int steps = 0;
};
Music build_music(const SourceFile& file);
