#pragma once
// Time as the game reads it: a millisecond tick count and the local date and time.

#include <cstdint>

// The game clock in milliseconds: everything that measures game time (sprites,
// blinking, the intro, timed dialogs) reads it. It follows the monotonic system clock
// (milliseconds since start, wrapping like a 32-bit tick count) until a host makes it
// manual; then it stands still between Advance_Clock calls, so a headless run advances
// exactly 50 ms per move-timer tick and plays as a real one does.
uint32_t Tick_Count();
// Manual: the clock keeps its present reading and moves only by Advance_Clock.
// Automatic again: it follows the system clock from its present reading on.
void Set_Manual_Clock(bool manual);
bool Manual_Clock();
void Advance_Clock(uint32_t milliseconds);
// Tests: the clock reads this value now (manual or not, it goes on from there).
void Set_Clock(uint32_t milliseconds);

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
