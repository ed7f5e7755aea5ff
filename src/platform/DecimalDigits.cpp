#include "platform/DecimalDigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tav {
namespace {

// Reads the output of to_chars in scientific form: "-d.ddde+XX".
DecimalDigits FromScientific(const char* first, const char* last) {
    DecimalDigits d;
    const char* p = first;
    if (p < last && *p == '-') {
        d.negative = true;
        ++p;
    }
    int exponent = 0;
    for (; p < last && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') d.digits.push_back(*p);
    }
    if (p < last) std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), last, exponent);
    const auto firstNonZero = d.digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        d.digits.clear();
        d.negative = false;
        return d;
    }
    d.digits.erase(0, firstNonZero);
    d.pointPos = exponent + 1 - static_cast<int>(firstNonZero);
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    return d;
}

// Adds one unit in the last kept digit; a carry out of the first digit moves the point.
void IncrementKept(DecimalDigits& d, std::size_t keep) {
    d.digits.resize(keep);
    std::size_t i = keep;
    while (i > 0) {
        --i;
        if (d.digits[i] != '9') {
            ++d.digits[i];
            d.digits.erase(d.digits.find_last_not_of('0') + 1);
            return;
        }
        d.digits[i] = '0';
    }
    d.digits = "1";
    ++d.pointPos;
}

void RoundKeeping(DecimalDigits& d, long keep) {
    if (keep >= static_cast<long>(d.digits.size())) return;
    if (keep < 0) {
        d.digits.clear();
    } else if (d.digits[static_cast<std::size_t>(keep)] >= '5') {
        if (keep == 0) {
            d.digits = "1";
            ++d.pointPos;
        } else {
            IncrementKept(d, static_cast<std::size_t>(keep));
        }
    } else {
        d.digits.resize(static_cast<std::size_t>(keep));
        d.digits.erase(d.digits.find_last_not_of('0') + 1);
    }
    if (d.digits.empty()) {
        d.pointPos = 0;  // the sign is kept: a negative value that rounds to 0 still shows "-"
    }
}

}  // namespace

DecimalDigits SingleDigits(float v, int significant) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific,
                                 std::clamp(significant, 1, 9) - 1);
    return FromScientific(buf, r.ptr);
}

DecimalDigits DoubleDigits(double v, int significant) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific,
                                 std::clamp(significant, 1, 17) - 1);
    return FromScientific(buf, r.ptr);
}

bool IsExactSingle(double v) {
    return std::fabs(v) <= std::numeric_limits<float>::max() &&
           static_cast<double>(static_cast<float>(v)) == v;
}

DecimalDigits ValueDigits(double v) {
    if (IsExactSingle(v)) {
        char buf[64];
        const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<float>(v),
                                     std::chars_format::scientific);
        return FromScientific(buf, r.ptr);
    }
    return DoubleDigits(v, 15);
}

void RoundToFraction(DecimalDigits& d, int fraction) {
    if (d.IsZero()) return;
    RoundKeeping(d, static_cast<long>(d.pointPos) + fraction);
}

void RoundToSignificant(DecimalDigits& d, int count) {
    if (d.IsZero()) return;
    RoundKeeping(d, std::max(count, 1));
}

}  // namespace tav
