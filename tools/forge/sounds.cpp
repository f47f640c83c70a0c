// The sounds the engine names itself: interface clicks, item handling, locks and doors,
// misses, hits by armour material and size, elemental hits, and the character's moments.

#include <cmath>
#include <string>

#include "forge.h"
#include "forge_random.h"
#include "synth.h"

namespace {

using TPCM = std::vector<int16_t>;

TEnvelope hit(double decay, double attack = 0.001) {
    return TEnvelope{attack, decay, 0.01};
}

TSound filtered_noise(double seconds, uint64_t seed, TEnvelope env, double centre, double q) {
    TSound n = Noise(seconds, seed, env);
    Band_Pass(n, centre, q);
    return n;
}

TSound thump(double seconds, double f0, double f1, double decay) {
    return Tone(seconds, f0, f1, TWave::Sine, hit(decay));
}

// ---- interface and items --------------------------------------------------------

TPCM button() {
    TSound s = Silence(0.09);
    Mix(s, filtered_noise(0.02, 1, hit(0.004), 2500, 1.5), 0, 0.6);
    Mix(s, Tone(0.08, 900, 700, TWave::Sine, hit(0.018)), 0, 0.8);
    Mix(s, thump(0.06, 220, 160, 0.015), 0, 0.5);
    return Finish(s, 0.6);
}

TPCM item_sel() {
    TSound s = Tone(0.06, 1500, 1700, TWave::Triangle, hit(0.012));
    Mix(s, filtered_noise(0.015, 2, hit(0.003), 4000, 2), 0, 0.4);
    return Finish(s, 0.45);
}

TPCM rustle(uint64_t seed, double seconds, double rise) {
    TSound s = Noise(seconds, seed, TEnvelope{0.02, 0, seconds * 0.5});
    Band_Pass_Sweep(s, 1200, 1200 * rise, 1.2);
    Tremolo(s, 35, 0.7);
    return Finish(s, 0.5);
}

TPCM itemdrop() {
    TSound s = Silence(0.3);
    Mix(s, thump(0.25, 140, 70, 0.05), 0, 1.0);
    TSound n = Noise(0.2, 3, hit(0.03));
    Low_Pass(n, 900);
    Mix(s, n, 0, 0.8);
    Mix(s, filtered_noise(0.1, 4, hit(0.02), 2200, 3), 0.06, 0.25);
    return Finish(s, 0.7);
}

TPCM put_down() {
    TSound s = thump(0.15, 260, 160, 0.03);
    TSound n = filtered_noise(0.1, 5, hit(0.015), 1200, 1.5);
    Mix(s, n, 0, 0.6);
    return Finish(s, 0.55);
}

TSound clink(double at_freq, uint64_t seed, double decay) {
    TSound s = Bell(decay * 5, at_freq, decay, 0.8);
    Mix(s, filtered_noise(0.01, seed, hit(0.002), at_freq * 2, 2), 0, 0.3);
    return s;
}

TPCM money() {
    TForge_Random r(6);
    TSound s = Silence(0.5);
    for (int i = 0; i < 9; ++i)
        Mix(s, clink(2400 + r.Unit() * 2200, 100 + i, 0.03 + r.Unit() * 0.03),
            0.02 + r.Unit() * 0.32, 0.4 + r.Unit() * 0.5);
    return Finish(s, 0.6);
}

TPCM eat() {
    TForge_Random r(7);
    TSound s = Silence(0.55);
    for (int bite = 0; bite < 3; ++bite)
        for (int g = 0; g < 14; ++g)
            Mix(s,
                filtered_noise(0.012, 200 + bite * 20 + g, hit(0.004), 1500 + r.Unit() * 2500, 1.2),
                bite * 0.17 + r.Unit() * 0.08, 0.5 + r.Unit() * 0.5);
    return Finish(s, 0.6);
}

TPCM drink() {
    TSound s = Silence(0.6);
    for (int g = 0; g < 3; ++g) {
        TSound gulp =
            Tone(0.12, 180 + g * 15, 380 + g * 20, TWave::Sine, TEnvelope{0.01, 0.04, 0.02});
        Mix(s, gulp, g * 0.17, 0.9);
        TSound slosh = Noise(0.1, 300 + g, hit(0.03));
        Low_Pass(slosh, 700);
        Mix(s, slosh, g * 0.17 + 0.02, 0.5);
    }
    return Finish(s, 0.6);
}

TPCM metal_clicks(uint64_t seed, int count, double spacing, double freq) {
    TSound s = Silence(0.1 + count * spacing + 0.2);
    for (int i = 0; i < count; ++i) {
        Mix(s, filtered_noise(0.02, seed + i, hit(0.004), 3500, 3), i * spacing, 0.8);
        Mix(s, Bell(0.12, freq * (1 + 0.12 * i), 0.02, 0.6), i * spacing, 0.5);
    }
    return Finish(s, 0.6);
}

TPCM use_key() {
    TSound s = Silence(0.5);
    TForge_Random r(8);
    for (int i = 0; i < 5; ++i)
        Mix(s, clink(3000 + r.Unit() * 1500, 400 + i, 0.02), 0.01 + i * 0.04, 0.35);
    Mix(s, filtered_noise(0.03, 9, hit(0.006), 2800, 3), 0.28, 1.0);
    Mix(s, thump(0.08, 500, 300, 0.015), 0.28, 0.5);
    return Finish(s, 0.6);
}

TPCM shovel() {
    TSound s = Noise(0.4, 10, TEnvelope{0.03, 0.15, 0.05});
    Band_Pass_Sweep(s, 1800, 900, 1.5);
    Tremolo(s, 22, 0.8);
    Mix(s, thump(0.2, 110, 70, 0.05), 0.28, 0.8);
    TSound grit = Noise(0.2, 11, hit(0.05));
    Low_Pass(grit, 1200);
    Mix(s, grit, 0.3, 0.5);
    return Finish(s, 0.7);
}

TPCM doorbash() {
    TSound s = Silence(0.9);
    Mix(s, thump(0.5, 90, 45, 0.12), 0, 1.0);
    TSound crash = Noise(0.6, 12, hit(0.12));
    Low_Pass_Sweep(crash, 3000, 400);
    Mix(s, crash, 0, 0.9);
    TForge_Random r(13);
    for (int i = 0; i < 12; ++i)
        Mix(s, filtered_noise(0.02, 500 + i, hit(0.005), 700 + r.Unit() * 1500, 4),
            0.05 + r.Unit() * 0.4, 0.3 + r.Unit() * 0.4);
    return Finish(s, 0.85);
}

TPCM punch() {
    TSound s = thump(0.18, 150, 60, 0.04);
    TSound slap = Noise(0.06, 14, hit(0.012));
    Low_Pass(slap, 2000);
    Mix(s, slap, 0, 0.8);
    return Finish(s, 0.75);
}

TPCM miss(int k) {
    const double len = 0.18 + 0.03 * (k % 4);
    TSound s = Noise(len, 20 + uint64_t(k), TEnvelope{len * 0.45, 0, len * 0.5});
    const double c0 = 500 + 120 * k, c1 = c0 * (k % 2 ? 3.2 : 2.4);
    Band_Pass_Sweep(s, c0, c1, 2.0 + 0.3 * (k % 3));
    return Finish(s, 0.45 + 0.03 * (k % 3));
}

// ---- hits by armour material and size ---------------------------------------------

// size 0 minor, 1 medium, 2 major.
TPCM material_hit(int material, int size, uint64_t seed) {
    const double big = 1.0 + 0.35 * size;
    TSound s = Silence(0.2 * big + 0.3);
    // Every hit has a body blow under the material's voice.
    TSound body = thump(0.2 * big, 140 / big, 55 / big, 0.04 * big);
    Mix(s, body, 0, 0.7);
    TForge_Random r(seed);
    switch (material) {
    case 0: // chain: a shower of small rings
        for (int i = 0; i < 8 + size * 6; ++i)
            Mix(s, clink(2500 + r.Unit() * 3000, seed + i, 0.015 + r.Unit() * 0.02),
                r.Unit() * 0.06 * big, 0.2 + r.Unit() * 0.25);
        Mix(s, filtered_noise(0.15 * big, seed, hit(0.04 * big), 5000, 1.0), 0, 0.4);
        break;
    case 1: // plate: a ringing clang
        Mix(s, Bell(0.5 * big, 520 / std::sqrt(big), 0.09 * big, 1.0), 0, 0.8);
        Mix(s, Bell(0.4 * big, 1370 / std::sqrt(big), 0.05 * big, 0.7), 0.002, 0.4);
        Mix(s, filtered_noise(0.05, seed, hit(0.01), 3000, 1.0), 0, 0.6);
        break;
    case 2: // leather: a dull slap
        Mix(s, filtered_noise(0.12 * big, seed, hit(0.02 * big), 900 / big, 1.2), 0, 1.0);
        break;
    case 3: // wood: a hollow knock
        Mix(s, filtered_noise(0.2 * big, seed, hit(0.035 * big), 650 / std::sqrt(big), 8), 0, 1.6);
        Mix(s, Tone(0.15 * big, 320 / big, 280 / big, TWave::Triangle, hit(0.03 * big)), 0, 0.5);
        break;
    default: { // cloth: a soft thud
        TSound n = Noise(0.15 * big, seed, hit(0.03 * big));
        Low_Pass(n, 700 / big);
        Mix(s, n, 0, 1.0);
        break;
    }
    }
    return Finish(s, 0.6 + 0.1 * size);
}

// ---- elemental hits ------------------------------------------------------------

TPCM cold_hit(int size) {
    const double big = 1.0 + 0.4 * size;
    TSound s = Noise(0.3 * big, 40 + size, TEnvelope{0.005, 0.08 * big, 0.05});
    High_Pass(s, 3000);
    TForge_Random r(41 + size);
    for (int i = 0; i < 5 + 4 * size; ++i)
        Mix(s, Bell(0.3, 2000 + r.Unit() * 3000, 0.05, 0.5), r.Unit() * 0.15 * big, 0.3);
    Mix(s, thump(0.15, 200, 120, 0.03), 0, 0.3 * size);
    return Finish(s, 0.55 + 0.1 * size);
}

TPCM fire_hit(int size) {
    const double big = 1.0 + 0.5 * size;
    TSound s = Noise(0.35 * big, 50 + size, TEnvelope{0.03 * big, 0.12 * big, 0.06});
    Low_Pass_Sweep(s, 600, 3500);
    TForge_Random r(51 + size);
    for (int i = 0; i < 10 + 10 * size; ++i)
        Mix(s, filtered_noise(0.006, 600 + i, hit(0.002), 2500 + r.Unit() * 3000, 2),
            r.Unit() * 0.3 * big, 0.4 + r.Unit() * 0.4);
    Mix(s, thump(0.2 * big, 90, 50, 0.06 * big), 0, 0.5);
    return Finish(s, 0.6 + 0.1 * size);
}

TPCM lightning_hit(int size) {
    const double big = 1.0 + 0.5 * size;
    TSound s = Silence(0.3 * big);
    TForge_Random r(61 + size);
    for (double t = 0; t < 0.22 * big; t += 0.012) {
        const double f = 60 + r.Unit() * 300;
        Mix(s, Tone(0.014, f, f * 0.8, TWave::Square, TEnvelope{0.001, 0, 0.004}), t,
            std::exp(-t / (0.1 * big)));
    }
    Mix(s, filtered_noise(0.25 * big, 62 + size, hit(0.06 * big), 4000, 0.8), 0, 0.8);
    Mix(s, thump(0.3 * big, 70, 40, 0.1 * big), 0, 0.4 * size);
    return Finish(s, 0.55 + 0.1 * size);
}

TPCM magic_hit(int size) {
    const double big = 1.0 + 0.4 * size;
    TSound s = Silence(0.5 * big);
    static constexpr double notes[] = {660, 830, 990, 1320};
    for (int i = 0; i < 3 + size; ++i)
        Mix(s,
            Tone(0.3 * big, notes[i % 4], notes[i % 4] * 1.02, TWave::Sine,
                 TEnvelope{0.01, 0.1 * big, 0.05}, 7, 0.01),
            i * 0.04, 0.5);
    TSound shimmer = Noise(0.4 * big, 70 + size, TEnvelope{0.02, 0.12 * big, 0.05});
    Band_Pass(shimmer, 6000, 3);
    Mix(s, shimmer, 0, 0.4);
    return Finish(s, 0.55 + 0.1 * size);
}

TPCM poison_hit(int size) {
    const double big = 1.0 + 0.4 * size;
    TSound s = Noise(0.35 * big, 80 + size, TEnvelope{0.02, 0.1 * big, 0.05});
    Band_Pass(s, 4500, 1.5);
    TForge_Random r(81 + size);
    for (int i = 0; i < 4 + 3 * size; ++i) {
        const double f = 250 + r.Unit() * 400;
        Mix(s, Tone(0.05, f, f * 2.2, TWave::Sine, hit(0.015)), 0.02 + r.Unit() * 0.25 * big, 0.6);
    }
    return Finish(s, 0.5 + 0.1 * size);
}

// ---- the character's moments ---------------------------------------------------

TSound chime_note(double freq, double seconds) {
    TSound s = Bell(seconds, freq, seconds * 0.35, 0.5);
    Mix(s, Tone(seconds, freq, freq, TWave::Triangle, TEnvelope{0.005, seconds * 0.3, 0.05}), 0,
        0.3);
    return s;
}

TPCM newlevel() {
    TSound s = Silence(1.6);
    static constexpr double notes[] = {523.25, 659.25, 783.99, 1046.5};
    for (int i = 0; i < 4; ++i)
        Mix(s, chime_note(notes[i], 1.0), i * 0.11, 0.6);
    for (double f : {523.25, 659.25, 783.99})
        Mix(s, Tone(0.9, f, f, TWave::Triangle, TEnvelope{0.02, 0.4, 0.2}, 5, 0.004), 0.5, 0.25);
    return Finish(s, 0.75);
}

TPCM chardie() {
    TSound s = Tone(1.1, 150, 70, TWave::Saw, TEnvelope{0.05, 0.5, 0.2}, 6, 0.02);
    Low_Pass_Sweep(s, 1400, 300);
    TSound breath = Noise(1.0, 90, TEnvelope{0.1, 0.4, 0.3});
    Band_Pass(breath, 700, 1.0);
    Mix(s, breath, 0.05, 0.4);
    Mix(s, thump(0.4, 80, 45, 0.12), 0.85, 0.8);
    return Finish(s, 0.75);
}

TPCM new_q() {
    TSound s = Silence(1.0);
    Mix(s, chime_note(783.99, 0.8), 0, 0.6);
    Mix(s, chime_note(1046.5, 0.8), 0.14, 0.6);
    return Finish(s, 0.6);
}

TPCM q_comp() {
    TSound s = Silence(1.6);
    static constexpr double notes[] = {587.33, 739.99, 880.0};
    for (int i = 0; i < 3; ++i)
        Mix(s, chime_note(notes[i], 0.6), i * 0.12, 0.5);
    for (double f : {587.33, 739.99, 880.0, 1174.66})
        Mix(s, chime_note(f, 1.2), 0.4, 0.35);
    return Finish(s, 0.75);
}

TPCM q_fail() {
    TSound s = Silence(1.3);
    Mix(s, Tone(0.5, 392, 392, TWave::Triangle, TEnvelope{0.01, 0.3, 0.1}), 0, 0.6);
    Mix(s, Tone(0.9, 311.13, 300, TWave::Triangle, TEnvelope{0.01, 0.5, 0.3}, 5, 0.01), 0.3, 0.6);
    Mix(s, Tone(0.9, 155.56, 150, TWave::Sine, TEnvelope{0.01, 0.5, 0.3}), 0.3, 0.5);
    return Finish(s, 0.65);
}

TSound_Entry snd(std::string name, std::function<TPCM()> make) {
    return TSound_Entry{"Sounds", std::move(name), std::move(make)};
}

} // namespace

std::vector<TSound_Entry> Engine_Sounds() {
    std::vector<TSound_Entry> list = {
        snd("button.wav", button),
        snd("item_sel.wav", item_sel),
        snd("itempick.wav", [] { return rustle(30, 0.22, 2.0); }),
        snd("itemdrop.wav", itemdrop),
        snd("pick_up.wav", [] { return rustle(31, 0.15, 1.6); }),
        snd("put_down.wav", put_down),
        snd("money.wav", money),
        snd("eat.wav", eat),
        snd("drink.wav", drink),
        snd("use_key.wav", use_key),
        snd("unlock.wav", [] { return metal_clicks(32, 2, 0.11, 1800); }),
        snd("shovel.wav", shovel),
        snd("doorbash.wav", doorbash),
        snd("punch.wav", punch),
        snd("newlevel.wav", newlevel),
        snd("chardie2.wav", chardie),
        snd("new_q.wav", new_q),
        snd("q_comp.wav", q_comp),
        snd("q_fail.wav", q_fail),
    };
    for (int k = 1; k <= 7; ++k)
        list.push_back(snd("miss_0" + std::to_string(k) + ".wav", [k] { return miss(k); }));
    // The file names are irregular on purpose: the engine asks for them so.
    static const char* materials[] = {"chain", "plate", "leth_", "wood_", "cloth"};
    static const char* sizes[] = {"min", "med", "maj"};
    for (int m = 0; m < 5; ++m)
        for (int z = 0; z < 3; ++z)
            list.push_back(snd(std::string(materials[m]) + sizes[z] + ".wav",
                               [m, z] { return material_hit(m, z, uint64_t(1000 + m * 10 + z)); }));
    using TElement = TPCM (*)(int);
    static const std::pair<const char*, TElement> elements[] = {{"cold_", cold_hit},
                                                                {"fire_", fire_hit},
                                                                {"lit_", lightning_hit},
                                                                {"mag_", magic_hit},
                                                                {"pois_", poison_hit}};
    for (const auto& [prefix, make] : elements)
        for (int z = 0; z < 3; ++z)
            list.push_back(
                snd(std::string(prefix) + sizes[z] + ".wav", [make, z] { return make(z); }));
    return list;
}
