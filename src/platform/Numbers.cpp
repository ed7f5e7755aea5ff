#include "platform/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/DecimalDigits.h"

namespace tav {
namespace {

template <typename Int>
std::optional<Int> RoundToInt(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    const double r = RoundHalfEven(v);
    if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(r);
}

template <typename Int>
Int ClampToInt(double r) {
    if (std::isnan(r)) return 0;
    if (r <= static_cast<double>(std::numeric_limits<Int>::min())) {
        return std::numeric_limits<Int>::min();
    }
    if (r >= static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::numeric_limits<Int>::max();
    }
    return static_cast<Int>(r);
}

// Plain form when it needs at most `width` digit places (leading zeros after the point count),
// else the exponent form: 1E-07 is ".0000001" in single precision, 1.5E-07 needs eight places.
std::string SignBlankText(const DecimalDigits& d, int width) {
    std::string out = d.negative ? "-" : " ";
    if (d.IsZero()) return out + "0";
    const int n = static_cast<int>(d.digits.size());
    const int e = d.pointPos;
    const int places = e <= 0 ? n - e : std::max(n, e);
    if (places <= width) {
        if (e <= 0) {
            out += '.';
            out.append(static_cast<std::size_t>(-e), '0');
            out += d.digits;
        } else if (e >= n) {
            out += d.digits;
            out.append(static_cast<std::size_t>(e - n), '0');
        } else {
            out += d.digits.substr(0, static_cast<std::size_t>(e));
            out += '.';
            out += d.digits.substr(static_cast<std::size_t>(e));
        }
        return out;
    }
    out += d.digits[0];
    if (n > 1) {
        out += '.';
        out += d.digits.substr(1);
    }
    const int exponent = e - 1;
    out += exponent < 0 ? "E-" : "E+";
    const std::string expDigits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (expDigits.size() < 2) out += '0';
    out += expDigits;
    return out;
}

std::string NonFiniteText(double v) {
    if (std::isnan(v)) return " NaN";
    return v < 0 ? "-Inf" : " Inf";
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double RoundHalfEven(double v) {
    if (!std::isfinite(v)) return 0.0;
    const double lower = std::floor(v);
    const double diff = v - lower;
    double r;
    if (diff < 0.5) {
        r = lower;
    } else if (diff > 0.5) {
        r = lower + 1.0;
    } else {
        r = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
    }
    return r == 0.0 ? 0.0 : r;  // no negative zero
}

std::optional<int16_t> RoundToInt16(double v) { return RoundToInt<int16_t>(v); }
std::optional<int32_t> RoundToInt32(double v) { return RoundToInt<int32_t>(v); }

int16_t RoundToInt16Clamped(double v) {
    return std::isfinite(v) ? ClampToInt<int16_t>(RoundHalfEven(v)) : 0;
}
int32_t RoundToInt32Clamped(double v) {
    return std::isfinite(v) ? ClampToInt<int32_t>(RoundHalfEven(v)) : 0;
}

int32_t FloorToInt32(double v) {
    return std::isfinite(v) ? ClampToInt<int32_t>(std::floor(v)) : 0;
}

float ToSingleClamped(double v) {
    if (std::isnan(v)) return 0.0f;
    constexpr double maxSingle = std::numeric_limits<float>::max();
    if (v >= maxSingle) return std::numeric_limits<float>::max();
    if (v <= -maxSingle) return -std::numeric_limits<float>::max();
    return static_cast<float>(v);
}

float NearestSingle(double v) {
    // Half a unit in the last place above the largest single: from here on a value rounds to
    // infinity; below it, to the largest single at most.
    constexpr double overflow = 0x1.ffffffp127;
    constexpr float maxSingle = std::numeric_limits<float>::max();
    constexpr float infinity = std::numeric_limits<float>::infinity();
    if (std::isnan(v)) return std::numeric_limits<float>::quiet_NaN();
    if (std::fabs(v) >= overflow) return v > 0 ? infinity : -infinity;
    if (std::fabs(v) > maxSingle) return v > 0 ? maxSingle : -maxSingle;
    return static_cast<float>(v);
}

std::string StrInt(int32_t v) {
    return (v < 0 ? "" : " ") + std::to_string(v);
}

std::string StrSingle(float v) {
    if (!std::isfinite(v)) return NonFiniteText(v);
    return SignBlankText(SingleDigits(v, 7), 7);
}

std::string StrDouble(double v) {
    if (!std::isfinite(v)) return NonFiniteText(v);
    return SignBlankText(DoubleDigits(v, 15), 15);
}

double Val(const std::string& text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') s += c;
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

    std::string mantissa;  // digits only; the point is folded into the exponent
    long pointShift = 0;
    bool seenPoint = false;
    bool anyDigit = false;
    for (; i < s.size(); ++i) {
        if (IsDigit(s[i])) {
            anyDigit = true;
            if (mantissa.empty() && s[i] == '0') {  // leading zeros carry no value
                if (seenPoint) --pointShift;
                continue;
            }
            mantissa += s[i];
            if (seenPoint) --pointShift;
        } else if (s[i] == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit || mantissa.empty()) return 0.0;
    constexpr std::size_t keptDigits = 800;  // more cannot change a double
    if (mantissa.size() > keptDigits) {
        pointShift += static_cast<long>(mantissa.size() - keptDigits);
        mantissa.resize(keptDigits);
    }

    long exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) expNegative = s[j++] == '-';
        if (j < s.size() && IsDigit(s[j])) {
            for (; j < s.size() && IsDigit(s[j]); ++j) {
                if (exponent < 1000000) exponent = exponent * 10 + (s[j] - '0');
            }
            if (expNegative) exponent = -exponent;
        }
    }
    // Magnitude of the leading digit, so that a range error can be told as overflow or underflow.
    const long magnitude = static_cast<long>(mantissa.size()) + pointShift + exponent;
    if (magnitude > 400) return negative ? -HUGE_VAL : HUGE_VAL;
    if (magnitude < -400) return 0.0;

    const std::string number = mantissa + "e" + std::to_string(pointShift + exponent);
    double value = 0.0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), value);
    if (r.ec == std::errc::result_out_of_range) {
        value = magnitude > 0 ? HUGE_VAL : 0.0;
    }
    if (value == 0.0) return 0.0;
    return negative ? -value : value;
}

}  // namespace tav
