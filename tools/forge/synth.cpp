#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "forge_random.h"

namespace {

constexpr double two_pi = 2.0 * std::numbers::pi;

size_t sample_count(double seconds) {
    return size_t(std::max(0.0, seconds) * Sample_Rate);
}

double envelope_at(const TEnvelope& env, double t, double length) {
    double a = env.attack > 0 && t < env.attack ? t / env.attack : 1.0;
    if (env.decay > 0 && t >= env.attack)
        a *= std::exp(-(t - env.attack) / env.decay);
    const double left = length - t;
    if (env.release > 0 && left < env.release)
        a *= std::max(0.0, left / env.release);
    return a;
}

double wave_at(TWave wave, double phase) {
    const double p = phase - std::floor(phase);
    switch (wave) {
    case TWave::Sine:
        return std::sin(two_pi * p);
    case TWave::Triangle:
        return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
    case TWave::Square:
        return p < 0.5 ? 0.8 : -0.8;
    case TWave::Saw:
        return 2 * p - 1;
    }
    return 0;
}

// A biquad band-pass applied in place with a centre that may change per sample; the
// coefficients are worked out again only when the centre has moved.
template <class Centre> void band_pass(TSound& s, Centre centre_at, double q) {
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    double b0 = 0, b2 = 0, a1 = 0, a2 = 0, last_f = -1;
    for (size_t i = 0; i < s.samples.size(); ++i) {
        if ((i & 15) == 0) {
            const double f = std::clamp(centre_at(i), 20.0, Sample_Rate * 0.45);
            if (f != last_f) {
                const double w = two_pi * f / Sample_Rate;
                const double alpha = std::sin(w) / (2 * q);
                const double a0 = 1 + alpha;
                b0 = alpha / a0;
                b2 = -alpha / a0;
                a1 = -2 * std::cos(w) / a0;
                a2 = (1 - alpha) / a0;
                last_f = f;
            }
        }
        const double x0 = s.samples[i];
        const double y0 = b0 * x0 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x0;
        y2 = y1;
        y1 = y0;
        s.samples[i] = y0;
    }
}

double one_pole_coefficient(double cutoff) {
    return 1.0 - std::exp(-two_pi * std::clamp(cutoff, 1.0, Sample_Rate * 0.45) / Sample_Rate);
}

} // namespace

TSound Silence(double seconds) {
    return TSound{std::vector<double>(sample_count(seconds), 0.0)};
}

TSound Tone(double seconds, double f0, double f1, TWave wave, TEnvelope env, double vibrato_hz,
            double vibrato_depth) {
    TSound s = Silence(seconds);
    double phase = 0;
    const double n = double(std::max<size_t>(1, s.samples.size()));
    // The glide multiplies the frequency by the same step every sample.
    const double glide = std::pow(f1 / f0, 1.0 / n);
    double base = f0;
    for (size_t i = 0; i < s.samples.size(); ++i, base *= glide) {
        const double t = double(i) / Sample_Rate;
        double f = base;
        if (vibrato_hz > 0)
            f *= 1.0 + vibrato_depth * std::sin(two_pi * vibrato_hz * t);
        s.samples[i] = wave_at(wave, phase) * envelope_at(env, t, seconds);
        phase += f / Sample_Rate;
    }
    return s;
}

TSound Bell(double seconds, double freq, double decay, double brightness) {
    static constexpr double ratios[] = {1.0, 2.0, 2.76, 5.40, 8.93};
    static constexpr double levels[] = {1.0, 0.6, 0.45, 0.25, 0.12};
    TSound s = Silence(seconds);
    for (int p = 0; p < 5; ++p) {
        const double f = freq * ratios[p];
        if (f > Sample_Rate * 0.45)
            continue;
        const double d = decay / (1.0 + p * 0.8);
        const double level = levels[p] * (p == 0 ? 1.0 : brightness);
        for (size_t i = 0; i < s.samples.size(); ++i) {
            const double t = double(i) / Sample_Rate;
            s.samples[i] += level * std::sin(two_pi * f * t) * std::exp(-t / d);
        }
    }
    Shape(s, TEnvelope{0.001, 0, 0.01});
    return s;
}

TSound Noise(double seconds, uint64_t seed, TEnvelope env) {
    TSound s = Silence(seconds);
    TForge_Random random(seed);
    for (size_t i = 0; i < s.samples.size(); ++i)
        s.samples[i] = random.Signed() * envelope_at(env, double(i) / Sample_Rate, seconds);
    return s;
}

void Band_Pass(TSound& s, double centre, double q) {
    band_pass(
        s, [centre](size_t) { return centre; }, q);
}

void Band_Pass_Sweep(TSound& s, double c0, double c1, double q) {
    const double n = double(std::max<size_t>(1, s.samples.size()));
    band_pass(
        s, [&](size_t i) { return c0 * std::pow(c1 / c0, double(i) / n); }, q);
}

void Low_Pass(TSound& s, double cutoff) {
    Low_Pass_Sweep(s, cutoff, cutoff);
}

void Low_Pass_Sweep(TSound& s, double c0, double c1) {
    const double n = double(std::max<size_t>(1, s.samples.size()));
    double y = 0, a = 0;
    for (size_t i = 0; i < s.samples.size(); ++i) {
        if ((i & 15) == 0)
            a = one_pole_coefficient(c0 * std::pow(c1 / c0, double(i) / n));
        y += a * (s.samples[i] - y);
        s.samples[i] = y;
    }
}

void High_Pass(TSound& s, double cutoff) {
    const double a = one_pole_coefficient(cutoff);
    double low = 0;
    for (double& v : s.samples) {
        low += a * (v - low);
        v -= low;
    }
}

void Shape(TSound& s, TEnvelope env) {
    const double length = s.Seconds();
    for (size_t i = 0; i < s.samples.size(); ++i)
        s.samples[i] *= envelope_at(env, double(i) / Sample_Rate, length);
}

void Tremolo(TSound& s, double rate, double depth) {
    for (size_t i = 0; i < s.samples.size(); ++i)
        s.samples[i] *=
            1.0 - depth / 2 + depth / 2 * std::sin(two_pi * rate * double(i) / Sample_Rate);
}

void Mix(TSound& dst, const TSound& layer, double at, double gain) {
    const size_t start = sample_count(at);
    if (dst.samples.size() < start + layer.samples.size())
        dst.samples.resize(start + layer.samples.size(), 0.0);
    for (size_t i = 0; i < layer.samples.size(); ++i)
        dst.samples[start + i] += layer.samples[i] * gain;
}

namespace {

std::vector<int16_t> to_pcm(const TSound& s, double peak) {
    double largest = 0;
    for (double v : s.samples)
        largest = std::max(largest, std::abs(v));
    const double scale = largest > 0 ? std::clamp(peak, 0.01, 0.98) * 32767.0 / largest : 0.0;
    std::vector<int16_t> pcm(s.samples.size());
    for (size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = int16_t(std::lround(std::clamp(s.samples[i] * scale, -32767.0, 32767.0)));
    return pcm;
}

} // namespace

std::vector<int16_t> Finish(TSound s, double peak) {
    High_Pass(s, 20.0);
    Shape(s, TEnvelope{0.002, 0, 0.006});
    return to_pcm(s, peak);
}

std::vector<int16_t> Finish_Loop(TSound s, double loop_seconds, double peak) {
    High_Pass(s, 20.0);
    const size_t loop = std::max<size_t>(1, sample_count(loop_seconds));
    if (s.samples.size() > loop) {
        for (size_t i = loop; i < s.samples.size(); ++i)
            s.samples[i % loop] += s.samples[i];
        s.samples.resize(loop);
    }
    return to_pcm(s, peak);
}
