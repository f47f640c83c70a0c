// Sounds the default module's data names: creature growls, attacks and deaths, weapon
// and spell sounds, and the sounds of doors and chests.

#include <cmath>
#include <string>

#include "forge_random.h"
#include "map_pictures.h"
#include "synth.h"

namespace {

using TPCM = std::vector<int16_t>;

TEnvelope env(double attack, double decay, double release = 0.03) {
    return TEnvelope{attack, decay, release};
}

// A throat: a buzzing source through a vocal band, with breath noise.
TSound voice(double seconds, double f0, double f1, double formant, double rough, uint64_t seed,
             TEnvelope e, double vibrato = 5, double depth = 0.02) {
    TSound s = Tone(seconds, f0, f1, TWave::Saw, e, vibrato, depth);
    Band_Pass(s, formant, 1.8);
    TSound second = Tone(seconds, f0, f1, TWave::Saw, e, vibrato, depth);
    Band_Pass(second, formant * 2.6, 3);
    Mix(s, second, 0, 0.4);
    if (rough > 0) {
        TSound breath = Noise(seconds, seed, e);
        Band_Pass(breath, formant * 1.5, 1.2);
        Mix(s, breath, 0, rough);
    }
    return s;
}

TSound clicks(double seconds, int count, double centre, uint64_t seed) {
    TSound s = Silence(seconds);
    TForge_Random r(seed);
    for (int i = 0; i < count; ++i) {
        TSound k = Noise(0.012, seed + 7 + i, env(0.001, 0.003, 0.002));
        Band_Pass(k, centre * (0.8 + 0.4 * r.Unit()), 4);
        Mix(s, k, r.Unit() * (seconds - 0.02), 0.6 + 0.4 * r.Unit());
    }
    return s;
}

TSound swoosh(double seconds, uint64_t seed, double c0 = 600, double c1 = 2400) {
    TSound s = Noise(seconds, seed, env(seconds * 0.4, 0, seconds * 0.5));
    Band_Pass_Sweep(s, c0, c1, 2);
    return s;
}

TSound bubbles(double seconds, int count, uint64_t seed) {
    TSound s = Silence(seconds);
    TForge_Random r(seed);
    for (int i = 0; i < count; ++i) {
        const double f = 200 + r.Unit() * 500;
        Mix(s, Tone(0.06, f, f * 2.3, TWave::Sine, env(0.005, 0.02, 0.01)),
            r.Unit() * (seconds - 0.07), 0.5);
    }
    return s;
}

enum class TMoment { Attack, Death, Growl };

TPCM creature(const std::string& kind, TMoment m, uint64_t seed) {
    const bool attack = m == TMoment::Attack, death = m == TMoment::Death;
    const double len = attack ? 0.35 : death ? 0.9 : 0.7;
    TSound s = Silence(len);
    if (kind == "human") {
        if (attack)
            Mix(s, voice(0.2, 170, 140, 700, 0.3, seed, env(0.01, 0.08)), 0.05);
        else if (death)
            Mix(s, voice(0.8, 220, 110, 800, 0.3, seed, env(0.02, 0.35)), 0);
        else
            Mix(s, voice(0.5, 120, 115, 600, 0.2, seed, env(0.05, 0.3)), 0);
        if (attack)
            Mix(s, swoosh(0.25, seed + 1), 0, 0.6);
    } else if (kind == "hound") {
        if (attack) {
            Mix(s, voice(0.12, 380, 300, 1100, 0.5, seed, env(0.003, 0.05)), 0);
            Mix(s, voice(0.12, 360, 280, 1100, 0.5, seed + 1, env(0.003, 0.05)), 0.16);
        } else if (death) {
            Mix(s, voice(0.8, 900, 500, 1400, 0.1, seed, env(0.02, 0.3), 7, 0.04), 0);
        } else {
            TSound g = voice(0.7, 85, 80, 500, 0.8, seed, env(0.08, 0.5));
            Tremolo(g, 28, 0.8);
            Mix(s, g, 0);
        }
    } else if (kind == "ghoul" || kind == "golem" || kind == "drowned") {
        const double base = kind == "golem" ? 55 : kind == "drowned" ? 80 : 95;
        TSound g =
            voice(len, base * (death ? 1.2 : 1), base * (death ? 0.6 : 0.9),
                  kind == "golem" ? 300 : 450, 0.9, seed, env(attack ? 0.01 : 0.06, len * 0.45));
        Tremolo(g, kind == "golem" ? 12 : 24, 0.7);
        Mix(s, g, 0);
        if (kind == "drowned")
            Mix(s, bubbles(len, 8, seed + 3), 0, 0.5);
        if (kind == "golem") {
            TSound mud = Noise(len, seed + 4, env(0.02, len * 0.3));
            Low_Pass(mud, 500);
            Mix(s, mud, 0, 0.8);
        }
        if (attack)
            Mix(s, swoosh(0.25, seed + 5, 300, 1500), 0.05, 0.6);
    } else if (kind == "rat") {
        const int squeaks = attack ? 2 : death ? 1 : 3;
        for (int i = 0; i < squeaks; ++i)
            Mix(s,
                Tone(death ? 0.4 : 0.08, 2400 + i * 300, death ? 1200 : 3200, TWave::Triangle,
                     env(0.005, death ? 0.15 : 0.03), 30, 0.05),
                i * 0.12, 0.7);
    } else if (kind == "maggot" || kind == "leech") {
        TSound squish = Noise(len, seed, env(0.02, len * 0.3));
        Band_Pass_Sweep(squish, kind == "leech" ? 400 : 900, kind == "leech" ? 200 : 1600, 3);
        Tremolo(squish, kind == "leech" ? 9 : 17, 0.9);
        Mix(s, squish, 0);
        if (attack)
            Mix(s, Tone(0.12, 300, 120, TWave::Sine, env(0.005, 0.04)), 0.05, 0.6);
    } else if (kind == "spider" || kind == "crawler") {
        Mix(s, clicks(len, attack ? 10 : 18, kind == "spider" ? 3500 : 2200, seed), 0);
        TSound hiss = Noise(len, seed + 1, env(0.03, len * 0.35));
        High_Pass(hiss, 3000);
        Mix(s, hiss, 0, death ? 0.7 : 0.35);
    } else if (kind == "shade" || kind == "bell" || kind == "wisp" || kind == "witch") {
        if (kind == "shade") {
            TSound wail = Noise(len, seed, env(0.1, len * 0.5, 0.1));
            Band_Pass_Sweep(wail, death ? 1400 : 700, death ? 300 : 1100, 12);
            Mix(s, wail, 0, 1.5);
            Mix(s, Tone(len, 440, death ? 220 : 470, TWave::Sine, env(0.1, len * 0.5), 4, 0.03), 0,
                0.3);
        } else if (kind == "bell") {
            const double f = death ? 330 : attack ? 660 : 440;
            Mix(s, Bell(len, f, len * 0.4, 0.8), 0);
            Mix(s, Bell(len, f * 1.06, len * 0.3, 0.6), 0.02, 0.5);
            TSound air = Noise(len, seed, env(0.05, len * 0.4));
            Band_Pass(air, 1200, 2);
            Mix(s, air, 0, 0.3);
        } else if (kind == "wisp") {
            TSound fire = Noise(len, seed, env(0.05, len * 0.4));
            Low_Pass_Sweep(fire, 800, death ? 300 : 2500);
            Mix(s, fire, 0);
            Mix(s, clicks(len, 14, 3000, seed + 1), 0, 0.5);
        } else {
            // The witch: a cackle of short rising syllables, or a falling shriek.
            const int n = death ? 1 : attack ? 2 : 4;
            for (int i = 0; i < n; ++i)
                Mix(s,
                    voice(death ? 0.8 : 0.12, death ? 600 : 420 + i * 30,
                          death ? 250 : 500 + i * 30, 1300, 0.2, seed + i,
                          env(0.005, death ? 0.3 : 0.05)),
                    i * 0.15, 0.8);
        }
    } else { // eelkin
        TSound croak = voice(len, 70, 60, 350, 0.6, seed, env(0.02, len * 0.4));
        Tremolo(croak, 35, 0.9);
        Mix(s, croak, 0);
        TSound hiss = Noise(len, seed + 1, env(0.02, len * 0.3));
        High_Pass(hiss, 2500);
        Mix(s, hiss, 0, 0.5);
    }
    return Finish(s, attack ? 0.75 : 0.7);
}

TPCM door(bool open, uint64_t seed) {
    TSound s = Silence(open ? 0.9 : 0.6);
    // A hinge creak: a slow rough squeak.
    TSound creak = Tone(open ? 0.6 : 0.3, open ? 300 : 420, open ? 520 : 300, TWave::Saw,
                        env(0.05, 0.3), 9, 0.06);
    Band_Pass(creak, 1300, 4);
    Tremolo(creak, 21, 0.9);
    Mix(s, creak, 0, 0.8);
    TSound thud = Tone(0.3, 95, 60, TWave::Sine, env(0.002, 0.07));
    TSound knock = Noise(0.15, seed, env(0.001, 0.03));
    Low_Pass(knock, 1200);
    const double at = open ? 0.55 : 0.25;
    Mix(s, thud, at, 1.0);
    Mix(s, knock, at, 0.7);
    return Finish(s, 0.7);
}

TPCM chest_open() {
    TSound s = Silence(0.8);
    TSound click = Noise(0.02, 61, env(0.001, 0.004));
    Band_Pass(click, 3000, 3);
    Mix(s, click, 0, 1.0);
    TSound creak = Tone(0.4, 500, 380, TWave::Saw, env(0.03, 0.2), 15, 0.05);
    Band_Pass(creak, 1500, 5);
    Mix(s, creak, 0.06, 0.6);
    Mix(s, Tone(0.3, 120, 80, TWave::Sine, env(0.002, 0.06)), 0.45, 0.6);
    Mix(s, Bell(0.4, 2200, 0.1, 0.6), 0.5, 0.15);
    return Finish(s, 0.65);
}

TPCM secret_door() {
    TSound s = Noise(1.2, 62, env(0.2, 0.6, 0.2));
    Band_Pass_Sweep(s, 250, 500, 1.2);
    Tremolo(s, 11, 0.7);
    Mix(s, Tone(1.2, 45, 40, TWave::Sine, env(0.2, 0.7)), 0, 0.6);
    Mix(s, Tone(0.4, 90, 60, TWave::Sine, env(0.002, 0.1)), 1.0, 0.7);
    return Finish(s, 0.75);
}

TPCM bowstring(bool crossbow) {
    TSound s = Silence(0.4);
    TSound twang =
        Tone(0.3, crossbow ? 180 : 240, crossbow ? 150 : 200, TWave::Saw, env(0.001, 0.06));
    Low_Pass(twang, 1800);
    Mix(s, twang, 0, 0.8);
    if (crossbow) {
        TSound clack = Noise(0.02, 63, env(0.001, 0.005));
        Band_Pass(clack, 2500, 3);
        Mix(s, clack, 0, 1.0);
    }
    Mix(s, swoosh(0.25, 64, 1500, 4000), 0.02, 0.4);
    return Finish(s, 0.7);
}

TPCM swing() {
    TSound s = swoosh(0.3, 65, 400, 2200);
    return Finish(s, 0.6);
}

TPCM cast(const std::string& kind) {
    TSound s = Silence(0.9);
    if (kind == "fire") {
        TSound roar = Noise(0.8, 66, env(0.1, 0.35));
        Low_Pass_Sweep(roar, 300, 3000);
        Mix(s, roar, 0);
        Mix(s, Tone(0.6, 110, 220, TWave::Saw, env(0.05, 0.25)), 0, 0.2);
    } else if (kind == "frost") {
        for (int i = 0; i < 8; ++i)
            Mix(s, Bell(0.5, 1800 + i * 260, 0.12, 0.5), i * 0.05, 0.3);
        TSound hiss = Noise(0.7, 67, env(0.05, 0.3));
        High_Pass(hiss, 4000);
        Mix(s, hiss, 0, 0.4);
    } else if (kind == "heal") {
        for (double f : {523.25, 659.25, 783.99, 1046.5})
            Mix(s, Tone(0.8, f, f, TWave::Sine, env(0.08, 0.35), 5, 0.006), (f - 523) / 2000, 0.3);
    } else if (kind == "summon") {
        Mix(s, Tone(0.9, 60, 120, TWave::Saw, env(0.2, 0.5), 3, 0.05), 0, 0.5);
        TSound wind = Noise(0.9, 68, env(0.3, 0.4));
        Band_Pass_Sweep(wind, 300, 1200, 3);
        Mix(s, wind, 0, 0.7);
    } else {
        Mix(s, Tone(0.6, 440, 880, TWave::Triangle, env(0.03, 0.25), 6, 0.01), 0, 0.4);
        TSound shimmer = Noise(0.6, 69, env(0.05, 0.25));
        Band_Pass(shimmer, 5000, 3);
        Mix(s, shimmer, 0, 0.4);
    }
    return Finish(s, 0.7);
}

TSound_Entry snd(std::string name, std::function<TPCM()> make) {
    return TSound_Entry{"Sounds", std::move(name), std::move(make)};
}

} // namespace

std::vector<TSound_Entry> Content_Sounds() {
    std::vector<TSound_Entry> list;
    static const char* creatures[] = {"bell",  "bones",  "crawler", "drowned", "eelkin", "ghoul",
                                      "golem", "hound",  "human",   "leech",   "maggot", "rat",
                                      "shade", "spider", "wisp",    "witch"};
    uint64_t seed = 5000;
    for (const char* c : creatures) {
        const std::string kind = c == std::string("bones") ? "bones" : c;
        for (auto [suffix, moment] :
             {std::pair{"_attack.wav", TMoment::Attack}, std::pair{"_death.wav", TMoment::Death},
              std::pair{"_growl.wav", TMoment::Growl}}) {
            const uint64_t s = seed++;
            if (kind == "bones") {
                // Rattling bones: dry knocks, a clatter falling apart at death.
                list.push_back(snd(kind + suffix, [moment, s] {
                    const double len = moment == TMoment::Death ? 0.9 : 0.4;
                    TSound t = clicks(len, moment == TMoment::Death ? 26 : 10, 900, s);
                    if (moment == TMoment::Attack)
                        Mix(t, swoosh(0.25, s + 1), 0, 0.5);
                    return Finish(t, 0.7);
                }));
                continue;
            }
            list.push_back(
                snd(kind + suffix, [kind, moment, s] { return creature(kind, moment, s); }));
        }
    }
    list.push_back(snd("bow.wav", [] { return bowstring(false); }));
    list.push_back(snd("crossbow.wav", [] { return bowstring(true); }));
    list.push_back(snd("swing.wav", swing));
    list.push_back(snd("cast_fire.wav", [] { return cast("fire"); }));
    list.push_back(snd("cast_frost.wav", [] { return cast("frost"); }));
    list.push_back(snd("cast_heal.wav", [] { return cast("heal"); }));
    list.push_back(snd("cast_spell.wav", [] { return cast("spell"); }));
    list.push_back(snd("summon.wav", [] { return cast("summon"); }));
    list.push_back(snd("door_open.wav", [] { return door(true, 70); }));
    list.push_back(snd("door_close.wav", [] { return door(false, 71); }));
    list.push_back(snd("chest_open.wav", chest_open));
    list.push_back(snd("secret_door.wav", secret_door));
    return list;
}
