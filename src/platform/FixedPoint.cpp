#include "platform/FixedPoint.h"

#include <algorithm>
#include <charconv>

namespace tav {

ShortDigits ShortestDigits(float value) {
    ShortDigits d;
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
    const char* p = text;
    const bool negative = p < end && *p == '-';
    if (negative) ++p;
    int firstNonZero = -1, seen = 0;
    for (; p < end && *p != 'e'; ++p) {
        if (*p < '0' || *p > '9') continue;
        if (firstNonZero < 0 && *p == '0') {
            ++seen;
            continue;
        }
        if (firstNonZero < 0) firstNonZero = seen;
        if (d.count < static_cast<int>(sizeof d.digits)) d.digits[d.count++] = *p;
        ++seen;
    }
    if (firstNonZero < 0) return d;  // zero
    int exponent = 0;
    if (p < end) std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exponent);
    while (d.count > 0 && d.digits[d.count - 1] == '0') --d.count;
    d.negative = negative;
    d.point = exponent + 1 - firstNonZero;
    return d;
}

int PointAfterRounding(const ShortDigits& d, int significant) {
    if (significant < 1) significant = 1;
    if (d.count <= significant || d.digits[significant] < '5') return d.point;
    const bool carries = std::all_of(d.digits, d.digits + significant, [](char c) { return c == '9'; });
    return carries ? d.point + 1 : d.point;
}

void AppendFixed(std::string& out, const ShortDigits& in, int decimals, bool keepZeros) {
    char digits[sizeof in.digits];
    std::copy(in.digits, in.digits + in.count, digits);
    int n = in.count;
    int point = in.point;
    // Rounded half away from zero to `decimals` places, on the decimal digits.
    const int keep = point + decimals;
    if (n > 0 && keep < n) {
        if (keep < 0) {
            n = 0;
        } else if (digits[keep] < '5') {
            n = keep;
        } else if (keep == 0) {
            digits[0] = '1';
            n = 1;
            ++point;
        } else {
            n = keep;
            int i = n - 1;
            while (i >= 0 && digits[i] == '9') digits[i--] = '0';
            if (i < 0) {
                digits[0] = '1';
                n = 1;
                ++point;
            } else {
                ++digits[i];
            }
        }
        while (n > 0 && digits[n - 1] == '0') --n;
        if (n == 0) point = 0;
    }
    if (in.negative) out += '-';  // also for a value that rounds to zero
    int fraction = 0;
    if (n > 0 && point > 0) {
        const int whole = std::min(point, n);
        out.append(digits, static_cast<std::size_t>(whole));
        out.append(static_cast<std::size_t>(point - whole), '0');
        out += '.';
        out.append(digits + whole, static_cast<std::size_t>(n - whole));
        fraction = n - whole;
    } else {
        out += '.';
        if (n > 0) {
            out.append(static_cast<std::size_t>(-point), '0');
            out.append(digits, static_cast<std::size_t>(n));
            fraction = n - point;
        }
    }
    if (keepZeros && fraction < decimals) out.append(static_cast<std::size_t>(decimals - fraction), '0');
}

}  // namespace tav
