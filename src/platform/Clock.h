#pragma once
// Wall clock as the instrument software sees it: seconds since midnight in single precision,
// and date and time texts; and a monotonic clock for the waits, which a wall clock put forward
// or back (daylight saving, a time-sync jump) must neither end early nor stretch. A fake one
// makes timing tests instant.

#include <string>

namespace tav {

// The clock of the day starts again at 0 after this many seconds: at midnight.
inline constexpr float SecondsPerDay = 86400.0f;

struct CivilTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
    int millisecond = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since midnight, 0 <= t < SecondsPerDay.
    virtual float Timer() = 0;
    virtual CivilTime Now() = 0;
    // Milliseconds on a clock that only moves forward, at the pace of real time; its origin
    // means nothing. Every wait measures its time on it.
    virtual double MonotonicMs() = 0;
    // Lets time pass without reading it: the real clock sleeps, the fake one advances.
    virtual void Sleep(double milliseconds) = 0;
};

// "mm/dd/yyyy" / "mm-dd-yyyy" / "hh:mm:ss" (24-hour).
std::string DateTextSlashes(const CivilTime& t);
std::string DateTextDashes(const CivilTime& t);
std::string TimeText(const CivilTime& t);

}  // namespace tav
