// Music: looping pieces in the mood of each place, from a small sequencer of pads,
// bass, bells and a wandering melody over a chord progression.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "forge_random.h"
#include "map_pictures.h"
#include "synth.h"

namespace {

double midi_hz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

struct TPiece {
    int root;                // midi note of the key
    std::vector<int> scale;  // semitones above the root
    std::vector<int> chords; // scale degrees, one chord per bar
    double bar_seconds;
    int bars;
    double melody_density; // notes per beat, 0 for none
    TWave lead;
    bool bells;
    bool drone;
    double pad_cutoff;
    uint64_t seed;
};

int scale_note(const TPiece& p, int degree, int octave) {
    const int n = int(p.scale.size());
    const int o = (degree >= 0 ? degree / n : (degree - n + 1) / n);
    const int d = degree - o * n;
    return p.root + 12 * (octave + o) + p.scale[d];
}

TSound pad_note(double seconds, double f, double cutoff) {
    TSound s = Tone(seconds, f, f, TWave::Saw, TEnvelope{seconds * 0.3, 0, seconds * 0.3});
    TSound detuned =
        Tone(seconds, f * 1.004, f * 1.004, TWave::Saw, TEnvelope{seconds * 0.3, 0, seconds * 0.3});
    Mix(s, detuned, 0, 1.0);
    Low_Pass(s, cutoff);
    return s;
}

std::vector<int16_t> compose(const TPiece& p) {
    TForge_Random r(p.seed);
    const double length = p.bar_seconds * p.bars;
    TSound song = Silence(length + p.bar_seconds); // the tail folds back into the start
    int melody_degree = 7;
    for (int bar = 0; bar < p.bars; ++bar) {
        const double t = bar * p.bar_seconds;
        const int chord = p.chords[size_t(bar) % p.chords.size()];
        for (int k = 0; k < 3; ++k)
            Mix(song,
                pad_note(p.bar_seconds * 1.3, midi_hz(scale_note(p, chord + 2 * k, 0)),
                         p.pad_cutoff),
                t, 0.18);
        TSound bass = Tone(p.bar_seconds, midi_hz(scale_note(p, chord, -1)),
                           midi_hz(scale_note(p, chord, -1)), TWave::Triangle,
                           TEnvelope{0.02, p.bar_seconds * 0.6, 0.1});
        Mix(song, bass, t, 0.5);
        if (p.drone)
            Mix(song,
                Tone(p.bar_seconds * 1.2, midi_hz(p.root - 24), midi_hz(p.root - 24), TWave::Sine,
                     TEnvelope{p.bar_seconds * 0.4, 0, p.bar_seconds * 0.4}, 0.3, 0.01),
                t, 0.35);
        if (p.bells && bar % 2 == 0)
            Mix(song,
                Bell(p.bar_seconds * 1.5, midi_hz(scale_note(p, chord + 7, 1)), p.bar_seconds * 0.5,
                     0.6),
                t, 0.25);
        if (p.melody_density > 0) {
            const int beats = 4;
            const double beat = p.bar_seconds / beats;
            for (double b = 0; b < beats; b += 1.0 / p.melody_density) {
                if (r.Unit() < 0.25)
                    continue; // rests let the phrase breathe
                melody_degree += r.Range(-2, 2);
                melody_degree = std::clamp(melody_degree, 3, 12);
                const double f = midi_hz(scale_note(p, melody_degree, 0));
                const double d = beat / p.melody_density * 1.6;
                Mix(song, Tone(d, f, f, p.lead, TEnvelope{0.02, d * 0.5, d * 0.3}, 5, 0.004),
                    t + b * beat, 0.22);
            }
        }
    }
    return Finish_Loop(song, length, 0.6);
}

const std::vector<int> minor = {0, 2, 3, 5, 7, 8, 10};
const std::vector<int> major = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> phrygian = {0, 1, 3, 5, 7, 8, 10};
const std::vector<int> dorian = {0, 2, 3, 5, 7, 9, 10};

TSound_Entry piece(const char* name, TPiece p) {
    return TSound_Entry{"Music", name, [p] { return compose(p); }};
}

} // namespace

std::vector<TSound_Entry> Music_Pieces() {
    return {
        // The title: slow, solemn, a bell over a minor progression.
        piece("krelvane_intro.wav",
              {50, minor, {0, 5, 3, 4}, 3.0, 8, 1, TWave::Triangle, true, true, 900, 1}),
        piece("krelvane_death.wav",
              {45, phrygian, {0, 1, 0, 5}, 3.5, 6, 0.5, TWave::Sine, true, true, 600, 2}),
        // The town: warmer and moving, in a major key.
        piece("hollowmere_town.wav",
              {55, major, {0, 4, 5, 3}, 2.4, 10, 2, TWave::Triangle, false, false, 1400, 3}),
        piece("hollowmere_hope.wav",
              {57, major, {0, 3, 4, 0}, 2.8, 8, 1, TWave::Sine, true, false, 1600, 4}),
        // Below: dread and damp.
        piece("cellar_dread.wav",
              {45, minor, {0, 0, 5, 6}, 3.2, 8, 0.5, TWave::Sine, false, true, 500, 5}),
        piece("drowned_caves.wav",
              {43, dorian, {0, 3, 0, 6}, 3.6, 8, 0.5, TWave::Sine, true, true, 450, 6}),
        piece("ossuary_hymn.wav",
              {48, minor, {0, 3, 5, 4}, 3.0, 8, 1, TWave::Triangle, true, true, 700, 7}),
        piece("sunken_chapel.wav",
              {46, phrygian, {0, 6, 5, 1}, 3.4, 8, 0.5, TWave::Triangle, true, true, 550, 8}),
        // The boss is beaten.
        piece("bell_victory.wav",
              {60, major, {0, 3, 4, 0}, 2.0, 8, 2, TWave::Triangle, true, false, 2000, 9}),
    };
}
