#pragma once
// The generator's own seeded random numbers: the same seed gives the same pictures and
// sounds on every machine and library, which the standard engines do not promise.

#include <cstdint>

class TForge_Random {
  public:
    explicit TForge_Random(uint64_t seed) : state_(seed) {}

    // splitmix64: small, fast and well mixed even for neighbouring seeds.
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 <= result < 1.
    double Unit() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }
    // -1 <= result < 1.
    double Signed() { return Unit() * 2.0 - 1.0; }
    // lo <= result <= hi.
    int Range(int lo, int hi) { return lo + int(Next() % uint64_t(hi - lo + 1)); }

  private:
    uint64_t state_;
};

// A hash of a grid point, for noise that needs no state.
inline uint32_t Hash_Point(uint32_t seed, int x, int y) {
    uint32_t h = seed * 0x9E3779B1u ^ uint32_t(x) * 0x85EBCA77u ^ uint32_t(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}
