#pragma once
// A calendar date as a CivilTime at midnight, for setting fake clocks.

#include "platform/Clock.h"

namespace tav::test {

inline CivilTime Date(int year, int month, int day) {
    CivilTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    return t;
}

}  // namespace tav::test
