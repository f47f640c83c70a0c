#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace {

uint32_t system_ms() {
    using namespace std::chrono;
    // The monotonic clock counts from system start, as the tick count does.
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(static_cast<uint64_t>(ms));
}

bool manual_ = false;
uint32_t manual_now_ = 0;
// Automatic: the reading is the system clock plus this offset (wrapping), so switching
// between manual and automatic never makes the clock jump.
uint32_t offset_ = 0;

} // namespace

uint32_t Tick_Count() {
    return manual_ ? manual_now_ : system_ms() + offset_;
}

void Set_Manual_Clock(bool manual) {
    if (manual == manual_) {
        return;
    }
    const uint32_t now = Tick_Count();
    manual_ = manual;
    Set_Clock(now);
}

bool Manual_Clock() {
    return manual_;
}

void Advance_Clock(uint32_t milliseconds) {
    if (manual_) {
        manual_now_ += milliseconds;
    } else {
        offset_ += milliseconds;
    }
}

void Set_Clock(uint32_t milliseconds) {
    manual_now_ = milliseconds;
    offset_ = milliseconds - system_ms();
}

TDate_Time Local_Date_Time() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    TDate_Time t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    t.millisecond =
        static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return t;
}
