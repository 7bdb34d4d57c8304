// Sound synthesis and the music sequencer.
#include "synth.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "prng.h"

namespace {

const double PI = 3.14159265358979323846;
const double FOREVER = std::numeric_limits<double>::infinity();

// Band-limiting correction for the jumps of square and saw waves (polyBLEP),
// so high notes do not fold back into harsh whistles at 22 kHz.
double blep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// Two-pole state-variable filter (trapezoidal form): stable for any cutoff
// below the Nyquist frequency, which matters while a cutoff sweeps.
class Svf {
public:
    void set(double cutoff, double resonance, int rate)
    {
        double fc = std::min(cutoff, rate * 0.45);
        g_ = std::tan(PI * fc / rate);
        k_ = 1.0 / resonance;
        a1_ = 1.0 / (1.0 + g_ * (g_ + k_));
    }
    void run(double in, double* low, double* high)
    {
        double a2 = g_ * a1_, a3 = g_ * a2;
        double v3 = in - ic2_;
        double v1 = a1_ * ic1_ + a2 * v3;
        double v2 = ic2_ + a2 * ic1_ + a3 * v3;
        ic1_ = 2.0 * v1 - ic1_;
        ic2_ = 2.0 * v2 - ic2_;
        *low = v2;
        *high = in - k_ * v1 - v2;
    }

private:
    double g_ = 0, k_ = 1, a1_ = 1, ic1_ = 0, ic2_ = 0;
};

double exp_slide(double from, double to, double t, double span)
{
    if (from == to || span <= 0)
        return to;
    double u = std::min(1.0, std::max(0.0, t / span));
    return from * std::pow(to / from, u);
}

double layer_shape_end(const Layer& l)
{
    return l.attack + l.hold + l.decay;
}

// The layer's envelope before release, at layer time t.
double envelope(const Layer& l, double t)
{
    if (t < l.attack)
        return t / l.attack;
    t -= l.attack;
    if (t < l.hold)
        return 1.0;
    t -= l.hold;
    if (t >= l.decay)
        return l.sustain;
    return l.sustain + (1.0 - l.sustain) * std::pow(1.0 - t / l.decay, l.curve);
}

// When a layer falls silent, in layer time, for a gate in layer time.
double layer_end(const Layer& l, double gate)
{
    double natural = l.sustain > 0 ? FOREVER : layer_shape_end(l);
    double released = gate + l.release;
    return std::min(natural, released);
}

Wave parse_wave(const Statement& st, const std::string& name)
{
    if (name == "sine")
        return Wave::Sine;
    if (name == "triangle")
        return Wave::Triangle;
    if (name == "square")
        return Wave::Square;
    if (name == "saw")
        return Wave::Saw;
    if (name == "noise")
        return Wave::Noise;
    st.fail("wave is sine, triangle, square, saw or noise, not '" + name + "'");
}

Sound to_pcm(const std::vector<double>& mix, int rate, double peak_fraction)
{
    double peak = 0;
    for (double v : mix)
        peak = std::max(peak, std::fabs(v));
    double gain = peak > 0 ? peak_fraction * 32767.0 / peak : 0.0;
    Sound sound;
    sound.rate = rate;
    sound.samples.reserve(mix.size());
    for (double v : mix) {
        long s = std::lround(v * gain);
        sound.samples.push_back(static_cast<int16_t>(std::max(-32767L, std::min(32767L, s))));
    }
    return sound;
}

// layer wave=W [freq=A..B | pitch=R] [duty=D] [sweep=S] [level=L] [delay=T]
//       [attack=T] [hold=T] [decay=T] [sustain=L] [release=T] [curve=C]
//       [lowpass=A..B] [lowpass_sweep=T] [resonance=Q] [highpass=F]
//       [vibrato=RATE] [vibrato_depth=SEMITONES] [vibrato_delay=T]
Layer parse_layer(const Statement& st, int rate)
{
    Layer l;
    double nyquist = rate / 2.0;
    l.wave = parse_wave(st, st.text_option("wave", "sine"));
    l.duty = st.number_option("duty", 0.5, 0.05, 0.95);
    l.fixed_pitch = st.range_option("freq", 1.0, nyquist, &l.freq_from, &l.freq_to);
    if (l.fixed_pitch && st.has("pitch"))
        st.fail("a layer has either freq= or pitch=, not both");
    // White noise needs no frequency: it changes value on every sample.
    if (!l.fixed_pitch && l.wave == Wave::Noise && !st.has("pitch")) {
        l.fixed_pitch = true;
        l.freq_from = l.freq_to = rate;
    }
    l.pitch = st.number_option("pitch", 1.0, 0.0625, 16.0);
    l.sweep = st.number_option("sweep", 0.0, 0.0, 30.0);
    l.level = st.number_option("level", 1.0, 0.0, 4.0);
    l.delay = st.number_option("delay", 0.0, 0.0, 10.0);
    // Half a millisecond is the shortest rise that does not click.
    l.attack = st.number_option("attack", 0.002, 0.0005, 10.0);
    l.hold = st.number_option("hold", 0.0, 0.0, 30.0);
    l.decay = st.number_option("decay", 0.2, 0.001, 30.0);
    l.sustain = st.number_option("sustain", 0.0, 0.0, 1.0);
    l.release = st.number_option("release", 0.02, 0.001, 10.0);
    l.curve = st.number_option("curve", 2.0, 0.25, 8.0);
    l.lowpass = st.range_option("lowpass", 20.0, nyquist, &l.lowpass_from, &l.lowpass_to);
    l.lowpass_sweep = st.number_option("lowpass_sweep", 0.0, 0.0, 30.0);
    l.resonance = st.number_option("resonance", 0.7, 0.5, 10.0);
    l.highpass = st.number_option("highpass", 0.0, 0.0, nyquist);
    l.vibrato_rate = st.number_option("vibrato", 0.0, 0.0, 30.0);
    l.vibrato_depth = st.number_option("vibrato_depth", 0.15, 0.0, 12.0);
    l.vibrato_delay = st.number_option("vibrato_delay", 0.0, 0.0, 10.0);
    return l;
}

// Frequency of a note written like "A4", "C#3" or "Bb1"; false if malformed.
bool parse_note(const std::string& word, double* hz)
{
    static const int SEMITONE[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (word.size() < 2 || word[0] < 'A' || word[0] > 'G')
        return false;
    int semitone = SEMITONE[word[0] - 'A'];
    size_t i = 1;
    if (word[i] == '#') {
        ++semitone;
        ++i;
    } else if (word[i] == 'b') {
        --semitone;
        ++i;
    }
    int octave = 0;
    if (i + 1 != word.size() || !parse_int_word(word.substr(i), &octave) || octave < 0
        || octave > 8)
        return false;
    int midi = (octave + 1) * 12 + semitone;
    *hz = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
    return true;
}

// How long a voice of `instrument` sounds for a given gate (seconds).
double voice_length(const Instrument& instrument, double gate)
{
    double end = 0;
    for (const Layer& l : instrument.layers)
        end = std::max(end, l.delay + layer_end(l, gate - l.delay));
    return end;
}

// Renders one note (note_hz 0 for a hit of an unpitched instrument) into
// `mix` from sample `start` on. A finite `gate` (seconds) is when the note is
// released. With `wrap` the voice continues from the start of `mix` when it
// runs past the end, which is how the music's loop seam stays continuous.
void render_voice(const Instrument& instrument, double note_hz, double velocity, double gate,
                  uint32_t seed, int rate, std::vector<double>* mix, int64_t start, bool wrap)
{
    const int64_t size = static_cast<int64_t>(mix->size());
    uint32_t layer_seed = seed;
    for (const Layer& l : instrument.layers) {
        Prng noise(layer_seed++ * 2654435761U);
        double layer_gate = gate - l.delay;
        if (layer_gate <= 0)
            continue;
        double end = layer_end(l, layer_gate);
        double sweep = l.sweep > 0 ? l.sweep : layer_shape_end(l);
        double filter_sweep = l.lowpass_sweep > 0 ? l.lowpass_sweep : layer_shape_end(l);
        Svf lowpass, highpass;
        if (l.highpass > 0)
            highpass.set(l.highpass, 0.7, rate);
        double phase = 0, held = noise.signed_unit();
        int64_t first = start + static_cast<int64_t>(std::llround(l.delay * rate));
        int64_t count = static_cast<int64_t>(std::ceil(end * rate)) + 1;
        for (int64_t n = 0; n < count; ++n) {
            double t = static_cast<double>(n) / rate;
            double amp = envelope(l, t);
            if (t >= layer_gate)
                amp *= std::pow(std::max(0.0, 1.0 - (t - layer_gate) / l.release), l.curve);
            double freq =
                l.fixed_pitch ? exp_slide(l.freq_from, l.freq_to, t, sweep) : note_hz * l.pitch;
            if (l.vibrato_rate > 0 && t > l.vibrato_delay) {
                // The vibrato fades in over a tenth of a second instead of jumping.
                double depth = l.vibrato_depth * std::min(1.0, (t - l.vibrato_delay) / 0.1);
                freq *= std::pow(
                    2.0, depth / 12.0 * std::sin(2 * PI * l.vibrato_rate * (t - l.vibrato_delay)));
            }
            double dt = std::min(0.5, freq / rate);
            double v = 0;
            switch (l.wave) {
            case Wave::Sine:
                v = std::sin(2 * PI * phase);
                break;
            case Wave::Triangle:
                v = 4.0 * std::fabs(phase - 0.5) - 1.0;
                break;
            case Wave::Saw:
                v = 2.0 * phase - 1.0 - blep(phase, dt);
                break;
            case Wave::Square:
                // Less the pulse's average, so narrow pulses add no DC offset.
                v = (phase < l.duty ? 1.0 : -1.0) + blep(phase, dt)
                    - blep(std::fmod(phase + 1.0 - l.duty, 1.0), dt) - (2.0 * l.duty - 1.0);
                break;
            case Wave::Noise:
                v = held;
                break;
            }
            phase += freq / rate;
            if (phase >= 1.0) {
                phase -= std::floor(phase);
                held = noise.signed_unit();  // noise steps to a new value once per cycle
            }
            if (l.lowpass) {
                lowpass.set(exp_slide(l.lowpass_from, l.lowpass_to, t, filter_sweep), l.resonance,
                            rate);
                double low, high;
                lowpass.run(v, &low, &high);
                v = low;
            }
            if (l.highpass > 0) {
                double low, high;
                highpass.run(v, &low, &high);
                v = high;
            }
            int64_t at = first + n;
            if (wrap)
                at %= size;
            else if (at >= size)
                break;
            (*mix)[static_cast<size_t>(at)] += v * amp * l.level * velocity;
        }
    }
}

}  // namespace

bool Instrument::pitched() const
{
    for (const Layer& l : layers)
        if (!l.fixed_pitch)
            return true;
    return false;
}

// ---------------------------------------------------------------- effects

std::map<std::string, Sound> build_effects(const SourceFile& file)
{
    struct Pending {
        Instrument instrument;
        double peak;
        int line;
    };
    int rate = 22050;
    std::vector<Pending> effects;
    for (size_t i = 0; i < file.lines.size(); ++i) {
        Statement st(file, static_cast<int>(i));
        if (st.empty())
            continue;
        const std::string& verb = st.word(0);
        if (verb == "rate") {
            st.expect_words(2, 2, "rate SAMPLES_PER_SECOND");
            if (!effects.empty())
                st.fail("the rate must come before the first effect");
            rate = st.integer(1, "rate");
            if (rate < 8000 || rate > 48000)
                st.fail("rate must be 8000..48000");
        } else if (verb == "effect") {
            st.expect_words(2, 2, "effect NAME peak=P");
            for (const Pending& e : effects)
                if (e.instrument.name == st.word(1))
                    st.fail("effect '" + st.word(1) + "' defined twice");
            effects.push_back(
                {Instrument{st.word(1), {}}, st.number_option("peak", 0.9, 0.01, 1.0), st.line()});
        } else if (verb == "layer") {
            st.expect_words(1, 1, "layer OPTION=VALUE ...");
            if (effects.empty())
                st.fail("a layer must follow an 'effect NAME' line");
            Layer l = parse_layer(st, rate);
            if (!l.fixed_pitch)
                st.fail("an effect plays no note: give its layers freq=, not pitch=");
            if (l.sustain > 0)
                st.fail("an effect is never released, so its layers need sustain=0");
            effects.back().instrument.layers.push_back(l);
        } else {
            st.fail("expected 'rate', 'effect' or 'layer'");
        }
        st.finish();
    }
    std::map<std::string, Sound> out;
    for (const Pending& e : effects) {
        if (e.instrument.layers.empty())
            throw SourceError(file.name, e.line,
                              "effect '" + e.instrument.name + "' has no layers");
        double length = voice_length(e.instrument, FOREVER);
        // One sample past the envelopes' end, so the last sample is silence.
        std::vector<double> mix(static_cast<size_t>(std::ceil(length * rate)) + 1, 0.0);
        render_voice(e.instrument, 0.0, 1.0, FOREVER, 1, rate, &mix, 0, false);
        out[e.instrument.name] = to_pcm(mix, rate, e.peak);
    }
    return out;
}

// ---------------------------------------------------------------- music

namespace {

struct NoteEvent {
    const Instrument* instrument;
    double hz;
    double velocity;
    int step;   // first step, counted in the pattern
    int steps;  // gate length in steps
};

struct Pattern {
    std::string name;
    int line = 0;
    int steps = -1;                       // all lanes have this many steps
    std::vector<std::string> lane_order;  // as first written
    std::map<std::string, int> lane_steps;
    std::map<std::string, int> lane_line;
    std::vector<NoteEvent> notes;
};

// A lane line: "NAME: tokens", one token per step. Tokens: a note such as
// C#3 (pitched instruments), x or o for a full or soft hit (drums), '.' for a
// rest, '-' to hold the previous note one more step; '|' marks bars for the
// reader and takes no step.
void parse_lane(const Statement& st, const std::map<std::string, Instrument>& instruments,
                Pattern* pattern)
{
    std::string name = st.word(0).substr(0, st.word(0).size() - 1);
    auto found = instruments.find(name);
    if (found == instruments.end())
        st.fail("unknown instrument '" + name + "'");
    const Instrument& instrument = found->second;
    if (!pattern->lane_steps.count(name))
        pattern->lane_order.push_back(name);
    int& step = pattern->lane_steps[name];
    pattern->lane_line[name] = st.line();
    // Index of the note a '-' would lengthen, or -1 after a rest. A lane
    // continued on a later line may hold a note across the line break.
    long last = -1;
    for (size_t k = pattern->notes.size(); k-- > 0;)
        if (pattern->notes[k].instrument == &instrument) {
            if (pattern->notes[k].step + pattern->notes[k].steps == step)
                last = static_cast<long>(k);
            break;
        }
    for (size_t i = 1; i < st.size(); ++i) {
        const std::string& token = st.word(i);
        if (token == "|")
            continue;
        if (token == ".") {
            last = -1;
        } else if (token == "-") {
            if (last < 0)
                st.fail("'-' holds a note, but none sounds before it");
            ++pattern->notes[static_cast<size_t>(last)].steps;
        } else if (token == "x" || token == "o") {
            if (instrument.pitched())
                st.fail("instrument '" + name + "' plays notes such as C3, not hits");
            pattern->notes.push_back({&instrument, 0.0, token == "x" ? 1.0 : 0.55, step, 1});
            last = static_cast<long>(pattern->notes.size()) - 1;
        } else {
            double hz = 0;
            if (!parse_note(token, &hz))
                st.fail("'" + token + "' is not a note, hit, '.' or '-'");
            if (!instrument.pitched())
                st.fail("instrument '" + name + "' plays hits (x or o), not notes");
            pattern->notes.push_back({&instrument, hz, 1.0, step, 1});
            last = static_cast<long>(pattern->notes.size()) - 1;
        }
        ++step;
    }
}

void close_pattern(const SourceFile& file, Pattern* pattern)
{
    if (pattern->lane_steps.empty())
        throw SourceError(file.name, pattern->line, "pattern '" + pattern->name + "' has no lanes");
    // The first lane sets the pattern's length; a lane that differs is the
    // one reported.
    for (const std::string& lane : pattern->lane_order) {
        int steps = pattern->lane_steps[lane];
        if (pattern->steps < 0)
            pattern->steps = steps;
        if (steps != pattern->steps)
            throw SourceError(file.name, pattern->lane_line[lane],
                              "lane '" + lane + "' of pattern '" + pattern->name + "' has "
                                  + std::to_string(steps) + " steps, its first lane "
                                  + std::to_string(pattern->steps));
    }
}

}  // namespace

Music build_music(const SourceFile& file)
{
    int rate = 22050, steps_per_beat = 4;
    double tempo = 120, peak = 0.45;
    std::map<std::string, Instrument> instruments;
    std::map<std::string, std::unique_ptr<Pattern>> patterns;
    Instrument* instrument = nullptr;  // receiving "layer" lines
    Pattern* pattern = nullptr;        // receiving lanes
    struct Play {
        std::vector<const Pattern*> patterns;
        int repeats;
    };
    std::vector<Play> order;
    for (size_t i = 0; i < file.lines.size(); ++i) {
        Statement st(file, static_cast<int>(i));
        if (st.empty())
            continue;
        const std::string& verb = st.word(0);
        bool lane = verb.size() > 1 && verb.back() == ':';
        if (!lane && verb != "layer")
            instrument = nullptr;
        if (!lane && pattern) {
            close_pattern(file, pattern);
            pattern = nullptr;
        }
        if (lane) {
            if (!pattern)
                st.fail("a lane must follow a 'pattern NAME' line");
            parse_lane(st, instruments, pattern);
        } else if (verb == "rate" || verb == "steps_per_beat") {
            st.expect_words(2, 2, "rate N | steps_per_beat N");
            if (!instruments.empty())
                st.fail(verb + " must come before the instruments");
            int value = st.integer(1, verb.c_str());
            if (verb == "rate" && (value < 8000 || value > 48000))
                st.fail("rate must be 8000..48000");
            if (verb == "steps_per_beat" && (value < 1 || value > 16))
                st.fail("steps_per_beat must be 1..16");
            (verb == "rate" ? rate : steps_per_beat) = value;
        } else if (verb == "tempo") {
            st.expect_words(2, 2, "tempo BEATS_PER_MINUTE");
            tempo = st.number(1, "tempo");
            if (tempo < 30 || tempo > 300)
                st.fail("tempo must be 30..300");
        } else if (verb == "peak") {
            st.expect_words(2, 2, "peak FRACTION_OF_FULL_SCALE");
            peak = st.number(1, "peak");
            if (peak <= 0 || peak > 1)
                st.fail("peak must be above 0 and at most 1");
        } else if (verb == "instrument") {
            st.expect_words(2, 2, "instrument NAME");
            if (instruments.count(st.word(1)))
                st.fail("instrument '" + st.word(1) + "' defined twice");
            instrument = &instruments[st.word(1)];
            instrument->name = st.word(1);
        } else if (verb == "layer") {
            st.expect_words(1, 1, "layer OPTION=VALUE ...");
            if (!instrument)
                st.fail("a layer must follow an 'instrument NAME' line");
            Layer l = parse_layer(st, rate);
            if (l.decay > 4.0 || l.release > 4.0)
                st.fail("music notes must fade within a few seconds (decay and release at most 4)");
            instrument->layers.push_back(l);
        } else if (verb == "pattern") {
            st.expect_words(2, 2, "pattern NAME");
            if (patterns.count(st.word(1)))
                st.fail("pattern '" + st.word(1) + "' defined twice");
            auto made = std::make_unique<Pattern>();
            made->name = st.word(1);
            made->line = st.line();
            pattern = made.get();
            patterns[st.word(1)] = std::move(made);
        } else if (verb == "play") {
            // play PATTERN... [xN]: the patterns sound together, N times over.
            Play play{{}, 1};
            for (size_t w = 1; w < st.size(); ++w) {
                const std::string& word = st.word(w);
                int repeats = 0;
                if (word.size() > 1 && word[0] == 'x' && parse_int_word(word.substr(1), &repeats)) {
                    if (repeats < 1 || repeats > 64)
                        st.fail("repeat count must be 1..64");
                    play.repeats = repeats;
                    continue;
                }
                auto found = patterns.find(word);
                if (found == patterns.end())
                    st.fail("unknown pattern '" + word + "'");
                if (!play.patterns.empty() && found->second->steps != play.patterns[0]->steps)
                    st.fail("pattern '" + word + "' is " + std::to_string(found->second->steps)
                            + " steps long, '" + play.patterns[0]->name + "' is "
                            + std::to_string(play.patterns[0]->steps));
                play.patterns.push_back(found->second.get());
            }
            if (play.patterns.empty())
                st.fail("expected: play PATTERN... [xN]");
            order.push_back(play);
        } else {
            st.fail("unknown command '" + verb + "'");
        }
        st.finish();
    }
    if (pattern)
        close_pattern(file, pattern);
    for (const auto& named : instruments)
        if (named.second.layers.empty())
            throw SourceError(file.name, 0, "instrument '" + named.first + "' has no layers");
    if (order.empty())
        throw SourceError(file.name, 0, "nothing is played: add 'play' lines");

    // Every step is a whole number of samples, so the loop is exactly its
    // steps long and each bar starts on the same sample every time round.
    Music music;
    music.samples_per_step = static_cast<int>(std::lround(rate * 60.0 / (tempo * steps_per_beat)));
    for (const Play& play : order)
        music.steps += play.patterns[0]->steps * play.repeats;
    std::vector<double> mix(
        static_cast<size_t>(music.steps) * static_cast<size_t>(music.samples_per_step), 0.0);
    double step_seconds = static_cast<double>(music.samples_per_step) / rate;
    int at = 0;
    uint32_t voice = 0;
    for (const Play& play : order) {
        for (int r = 0; r < play.repeats; ++r) {
            for (const Pattern* p : play.patterns)
                for (const NoteEvent& note : p->notes)
                    // Tails that run past the end sound on at the start: the
                    // track's last sample flows into its first.
                    render_voice(*note.instrument, note.hz, note.velocity,
                                 note.steps * step_seconds, ++voice, rate, &mix,
                                 static_cast<int64_t>(at + note.step) * music.samples_per_step,
                                 true);
            at += play.patterns[0]->steps;
        }
    }
    music.sound = to_pcm(mix, rate, peak);
    return music;
}
