#pragma once
// Time as the game reads it: a millisecond tick count and the local date and time.

#include <cstdint>

// Milliseconds since the system started, on a monotonic clock. Wraps like a 32-bit
// tick count does.
uint32_t Tick_Count();

struct TDate_Time {
    int year = 0;   // four digits
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..59
    int millisecond = 0;
};

TDate_Time Local_Date_Time();
