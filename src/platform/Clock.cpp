#include "platform/Clock.h"

#include <cstdio>

namespace tav {

namespace {

std::string TwoDigitTriple(int a, int b, int c, char sep, bool fourDigitLast) {
    char text[32];
    std::snprintf(text, sizeof text, fourDigitLast ? "%02d%c%02d%c%04d" : "%02d%c%02d%c%02d", a, sep, b, sep, c);
    return text;
}

}  // namespace

std::string DateTextSlashes(const CivilTime& t) { return TwoDigitTriple(t.month, t.day, t.year, '/', true); }
std::string DateTextDashes(const CivilTime& t) { return TwoDigitTriple(t.month, t.day, t.year, '-', true); }
std::string TimeText(const CivilTime& t) { return TwoDigitTriple(t.hour, t.minute, t.second, ':', false); }

}  // namespace tav
