#include "shell/random.h"

#include "platform/clock.h"

namespace {
uint32_t random_seed = 0;
}

int32_t Random(int32_t n) {
    if (n <= 0)
        return 0;
    // The seed advances before it is scaled, as the classic generator does: with seed
    // 0, the first draw uses the seed 1.
    random_seed = random_seed * 134775813u + 1u;
    return static_cast<int32_t>((static_cast<uint64_t>(static_cast<uint32_t>(n)) * random_seed) >>
                                32);
}

int32_t Random_Range(int32_t lo, int32_t hi) {
    // 64-bit so that the widest ranges do not overflow the count; a count that does
    // not fit (or is not positive) draws nothing and gives lo.
    const int64_t count = static_cast<int64_t>(hi) - lo + 1;
    if (count <= 0 || count > INT32_MAX)
        return lo;
    return static_cast<int32_t>(lo + Random(static_cast<int32_t>(count)));
}

bool Percent_Roll(int32_t percent) {
    return Random_Range(1, 100) <= percent;
}

void Set_Random_Seed(uint32_t seed) {
    random_seed = seed;
}

uint32_t Get_Random_Seed() {
    return random_seed;
}

void Seed_Random_From_Time() {
    const TDate_Time now = Local_Date_Time();
    Set_Random_Seed(static_cast<uint32_t>(((now.hour * 60 + now.minute) * 60 + now.second) * 1000 +
                                          now.millisecond));
}
