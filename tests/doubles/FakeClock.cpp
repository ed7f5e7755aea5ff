#include "doubles/FakeClock.h"

#include <cmath>

namespace tav {

namespace {

// Proleptic Gregorian calendar <-> days since 1970-01-01.
int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, CivilTime& t) {
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (m <= 2));
    t.month = m;
    t.day = d;
}

int64_t MicrosOf(double milliseconds) {
    if (!std::isfinite(milliseconds)) return 0;
    double micros = std::round(milliseconds * 1000.0);
    constexpr double limit = 1e15;  // some thirty years: far beyond any test, far from overflow
    if (micros > limit) micros = limit;
    if (micros < -limit) micros = -limit;
    return static_cast<int64_t>(micros);
}

}  // namespace

FakeClock::FakeClock() { day_ = DaysFromCivil(2000, 1, 1); }

void FakeClock::Set(int hour, int minute, int second, int millisecond) {
    micros_ = ((static_cast<int64_t>(hour) * 60 + minute) * 60 + second) * 1000000LL + millisecond * 1000LL;
    Normalize();
}

void FakeClock::Set(int hour, int minute, int second, int millisecond, const CivilTime& date) {
    SetDate(date.year, date.month, date.day);
    Set(hour, minute, second, millisecond);
}

void FakeClock::SetDate(int year, int month, int day) { day_ = DaysFromCivil(year, month, day); }

void FakeClock::Advance(double milliseconds) { AdvanceMicros(MicrosOf(milliseconds)); }

void FakeClock::AdvanceMicros(int64_t micros) {
    if (micros >= 0) Pass(micros);
    else MoveWall(micros);
}

void FakeClock::Step(double milliseconds) { MoveWall(MicrosOf(milliseconds)); }

void FakeClock::StepAfter(double afterMs, double stepMs) {
    steps_.push_back({monotonic_ + MicrosOf(afterMs), MicrosOf(stepMs)});
}

void FakeClock::Pass(int64_t micros) {
    monotonic_ += micros;
    MoveWall(micros);
    for (size_t i = 0; i < steps_.size();) {
        if (steps_[i].atMonotonic > monotonic_) {
            ++i;
            continue;
        }
        MoveWall(steps_[i].micros);
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void FakeClock::MoveWall(int64_t micros) {
    micros_ += micros;
    Normalize();
}

double FakeClock::MonotonicMs() {
    const double ms = static_cast<double>(monotonic_) / 1000.0;
    ++readings_;
    Pass(readStep_);
    return ms;
}

float FakeClock::Timer() {
    float t = static_cast<float>(static_cast<double>(micros_) / 1e6);
    // Single precision rounds the last 4 ms of the day up to SecondsPerDay, which the clock never
    // reads.
    if (t >= SecondsPerDay) t = std::nextafter(SecondsPerDay, 0.0f);
    ++readings_;
    Pass(readStep_);
    return t;
}

CivilTime FakeClock::Now() {
    CivilTime t = Peek();
    ++readings_;
    Pass(readStep_);
    return t;
}

CivilTime FakeClock::Peek() const {
    CivilTime t;
    CivilFromDays(day_, t);
    int64_t ms = micros_ / 1000;
    t.millisecond = static_cast<int>(ms % 1000);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.minute = static_cast<int>(ms / 60000 % 60);
    t.hour = static_cast<int>(ms / 3600000);
    return t;
}

void FakeClock::Sleep(double milliseconds) {
    ++sleeps_;
    if (!(milliseconds > 0)) return;
    sleptMs_ += milliseconds;
    Pass(MicrosOf(milliseconds));
}

void FakeClock::Normalize() {
    int64_t days = micros_ / MicrosPerDay;
    micros_ %= MicrosPerDay;
    if (micros_ < 0) {
        micros_ += MicrosPerDay;
        --days;
    }
    day_ += days;
}

}  // namespace tav
