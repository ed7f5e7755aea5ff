#include "platform/SystemClock.h"

#include <cerrno>
#include <cmath>
#include <ctime>

namespace tav {

namespace {

struct LocalNow {
    std::tm tm{};
    long nanoseconds = 0;
};

LocalNow ReadLocalNow() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    LocalNow now;
    localtime_r(&ts.tv_sec, &now.tm);
    now.nanoseconds = ts.tv_nsec;
    return now;
}

}  // namespace

float SystemClock::Timer() {
    LocalNow now = ReadLocalNow();
    // A leap second (tm_sec 60) is folded into the last second of the day.
    int second = now.tm.tm_sec > 59 ? 59 : now.tm.tm_sec;
    double seconds = now.tm.tm_hour * 3600.0 + now.tm.tm_min * 60.0 + second + now.nanoseconds / 1e9;
    float t = static_cast<float>(seconds);
    // Single precision rounds the last 4 ms of the day up to SecondsPerDay.
    if (t >= SecondsPerDay) t = std::nextafter(SecondsPerDay, 0.0f);
    return t;
}

CivilTime SystemClock::Now() {
    LocalNow now = ReadLocalNow();
    CivilTime t;
    t.year = now.tm.tm_year + 1900;
    t.month = now.tm.tm_mon + 1;
    t.day = now.tm.tm_mday;
    t.hour = now.tm.tm_hour;
    t.minute = now.tm.tm_min;
    t.second = now.tm.tm_sec > 59 ? 59 : now.tm.tm_sec;
    t.millisecond = static_cast<int>(now.nanoseconds / 1000000);
    return t;
}

double SystemClock::MonotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + ts.tv_nsec / 1e6;
}

void SystemClock::Sleep(double milliseconds) {
    if (!(milliseconds > 0)) return;
    // A day at most keeps the conversion in range.
    if (milliseconds > SecondsPerDay * 1000.0) milliseconds = SecondsPerDay * 1000.0;
    double whole = std::floor(milliseconds / 1000.0);
    timespec left{static_cast<time_t>(whole), static_cast<long>((milliseconds - whole * 1000.0) * 1e6)};
    if (left.tv_nsec > 999999999) left.tv_nsec = 999999999;
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

}  // namespace tav
