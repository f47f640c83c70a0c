#pragma once
// Sound synthesis: layers of oscillators and noise shaped by envelopes and filters,
// mixed into one buffer and scaled to 16 bits without clipping.

#include <cstdint>
#include <vector>

#include "file_writers.h"

// A mono sound at Sample_Rate, samples nominally in -1..1 (mixing may exceed it; the
// final scaling brings the peak back under full scale).
struct TSound {
    std::vector<double> samples;
    double Seconds() const { return double(samples.size()) / Sample_Rate; }
};

enum class TWave { Sine, Triangle, Square, Saw };

// Attack then exponential decay (time constant `decay` seconds; 0 holds full level),
// with a short release ramp at the layer's end so nothing stops with a click.
struct TEnvelope {
    double attack = 0.002;
    double decay = 0.0;
    double release = 0.01;
};

TSound Silence(double seconds);
// A tone gliding exponentially from f0 to f1 Hz, optionally with vibrato.
TSound Tone(double seconds, double f0, double f1, TWave wave, TEnvelope env,
            double vibrato_hz = 0.0, double vibrato_depth = 0.0);
// A struck metal or glass sound: inharmonic partials, the higher ones dying sooner.
TSound Bell(double seconds, double freq, double decay, double brightness = 1.0);
// White noise from the generator's own seeded random numbers.
TSound Noise(double seconds, uint64_t seed, TEnvelope env);

// Biquad band-pass (constant peak gain) around centre Hz, sharper as q grows.
void Band_Pass(TSound& s, double centre, double q);
// One-pole low-pass and high-pass.
void Low_Pass(TSound& s, double cutoff);
void High_Pass(TSound& s, double cutoff);
// A low-pass whose cutoff glides exponentially from c0 to c1 over the sound.
void Low_Pass_Sweep(TSound& s, double c0, double c1);
// Band-pass whose centre glides from c0 to c1.
void Band_Pass_Sweep(TSound& s, double c0, double c1, double q);
// Multiplies by an envelope over the whole sound.
void Shape(TSound& s, TEnvelope env);
// Multiplies by 1 - depth/2 + depth/2 * sin(2 pi rate t): tremolo and flutter.
void Tremolo(TSound& s, double rate, double depth);

// Adds layer times gain into dst starting at `at` seconds; dst grows when needed.
void Mix(TSound& dst, const TSound& layer, double at, double gain = 1.0);

// Removes any offset, fades the first and last milliseconds, and scales so the peak is
// `peak` of full scale (0 < peak < 1): loud sounds never clip.
std::vector<int16_t> Finish(TSound s, double peak = 0.8);
// Like Finish for a piece that loops every loop_seconds: whatever rings on past the end
// (the tail of the last bar) is folded onto the start, so the end runs into the
// beginning without a click or a gap.
std::vector<int16_t> Finish_Loop(TSound s, double loop_seconds, double peak = 0.7);
