#pragma once
// The one random number generator of the whole game: a 32-bit linear congruential
// sequence seed := seed * 134775813 + 1 (mod 2^32). Every draw advances the seed first
// and then scales it, so a fixed seed gives the same levels and rolls every run.

#include <cstdint>

// A value in 0..n-1: the upper 32 bits of n * seed (after advancing the seed).
// n <= 0 gives 0 without advancing, so a reversed range never leaves its bounds.
int32_t Random(int32_t n);
// lo..hi, both included; a reversed range (hi < lo) gives lo.
int32_t Random_Range(int32_t lo, int32_t hi);
// True when a random integer from 1 to 100 is at most percent.
bool Percent_Roll(int32_t percent);

void Set_Random_Seed(uint32_t seed);
uint32_t Get_Random_Seed();
// Seeds from the local time of day: ((h * 60 + m) * 60 + s) * 1000 + ms.
void Seed_Random_From_Time();
