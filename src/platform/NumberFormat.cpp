// The picture format of numbers ("####.0", "#.###E+00", "##000.0 ", ...).
#include <cmath>
#include <string>

#include "platform/DecimalDigits.h"
#include "platform/Numbers.h"

namespace tav {
namespace {

bool IsPlaceholder(char c) { return c == '0' || c == '#'; }

// A picture cut into its sections: integer places, fraction places after the first ".",
// and for exponent pictures the exponent sign and places; the rest is copied as it stands.
struct Picture {
    std::string integer;   // placeholders and literals before the point
    bool hasPoint = false;
    std::string fraction;  // placeholders and literals after the point
    bool scientific = false;
    char exponentLetter = 'E';
    char exponentSign = '+';
    std::string exponentPlaces;
    std::string trailer;   // after the exponent places
    int integerPlaces = 0;
    int fractionPlaces = 0;
    int minFraction = 0;   // places up to the last "0" after the point
};

Picture ParsePicture(const std::string& text) {
    Picture p;
    std::size_t i = 0;
    bool seenPlaceholder = false;
    std::string* section = &p.integer;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !p.hasPoint) {
            p.hasPoint = true;
            section = &p.fraction;
            continue;
        }
        if ((c == 'E' || c == 'e') && seenPlaceholder && i + 2 < text.size() &&
            (text[i + 1] == '+' || text[i + 1] == '-') && IsPlaceholder(text[i + 2])) {
            p.scientific = true;
            p.exponentLetter = c;
            p.exponentSign = text[i + 1];
            i += 2;
            while (i < text.size() && IsPlaceholder(text[i])) p.exponentPlaces += text[i++];
            p.trailer = text.substr(i);
            break;
        }
        if (IsPlaceholder(c)) {
            seenPlaceholder = true;
            if (section == &p.integer) {
                ++p.integerPlaces;
            } else {
                ++p.fractionPlaces;
                if (c == '0') p.minFraction = p.fractionPlaces;
            }
        }
        *section += c;
    }
    return p;
}

// Lays the integer digits into the integer section from the right; the leftmost place takes
// every digit that is left over, so a number is never cut. Places right of the leftmost "0"
// show zeros where the number has no digit.
std::string LayInteger(const Picture& p, std::string digits) {
    int minDigits = 0;
    int place = 0;
    for (auto it = p.integer.rbegin(); it != p.integer.rend(); ++it) {
        if (!IsPlaceholder(*it)) continue;
        ++place;
        if (*it == '0') minDigits = place;
    }
    if (static_cast<int>(digits.size()) < minDigits) {
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    }
    if (p.integerPlaces == 0) return p.integer + digits;

    std::string reversed;
    std::size_t left = digits.size();
    int placesLeft = p.integerPlaces;
    for (auto it = p.integer.rbegin(); it != p.integer.rend(); ++it) {
        if (!IsPlaceholder(*it)) {
            reversed += *it;
            continue;
        }
        if (--placesLeft == 0) {
            while (left > 0) reversed += digits[--left];
        } else if (left > 0) {
            reversed += digits[--left];
        }
    }
    return std::string(reversed.rbegin(), reversed.rend());
}

// The fraction digits shown: all places filled, then trailing zeros of "#" places dropped.
std::string LayFraction(const Picture& p, std::string digits) {
    digits.resize(static_cast<std::size_t>(p.fractionPlaces), '0');
    while (static_cast<int>(digits.size()) > p.minFraction && digits.back() == '0') {
        digits.pop_back();
    }
    std::string out;
    std::size_t next = 0;
    for (char c : p.fraction) {
        if (!IsPlaceholder(c)) {
            out += c;
        } else if (next < digits.size()) {
            out += digits[next++];
        }
    }
    return out;
}

std::string FormatPlain(const Picture& p, DecimalDigits d) {
    RoundToFraction(d, p.fractionPlaces);
    std::string integerDigits;
    std::string fractionDigits;
    if (!d.IsZero()) {
        const int n = static_cast<int>(d.digits.size());
        if (d.pointPos > 0) {
            const int split = std::min(d.pointPos, n);
            integerDigits = d.digits.substr(0, static_cast<std::size_t>(split));
            integerDigits.append(static_cast<std::size_t>(d.pointPos - split), '0');
            fractionDigits = d.digits.substr(static_cast<std::size_t>(split));
        } else {
            fractionDigits = std::string(static_cast<std::size_t>(-d.pointPos), '0') + d.digits;
        }
    }
    std::string out = d.negative ? "-" : "";
    out += LayInteger(p, integerDigits);
    if (p.hasPoint) out += '.';
    out += LayFraction(p, fractionDigits);
    return out;
}

std::string FormatScientific(const Picture& p, DecimalDigits d) {
    int exponent = 0;
    std::string lead = "0";
    std::string rest;
    if (!d.IsZero()) {
        RoundToSignificant(d, 1 + p.fractionPlaces);
        exponent = d.pointPos - 1;
        lead = d.digits.substr(0, 1);
        rest = d.digits.substr(1);
    }
    std::string out = d.negative ? "-" : "";
    out += LayInteger(p, lead);
    if (p.hasPoint) out += '.';
    out += LayFraction(p, rest);
    out += p.exponentLetter;
    if (exponent < 0) {
        out += '-';
    } else if (p.exponentSign == '+') {
        out += '+';
    }
    std::string expDigits = std::to_string(exponent < 0 ? -exponent : exponent);
    std::size_t minDigits = 0;
    const auto firstZero = p.exponentPlaces.find('0');
    if (firstZero != std::string::npos) minDigits = p.exponentPlaces.size() - firstZero;
    if (expDigits == "0" && minDigits == 0) expDigits.clear();
    if (expDigits.size() < minDigits) expDigits.insert(0, minDigits - expDigits.size(), '0');
    return out + expDigits + p.trailer;
}

}  // namespace

std::string Format(double value, const std::string& picture) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
    if (picture.empty()) {
        std::string text = IsExactSingle(value) ? StrSingle(static_cast<float>(value))
                                                : StrDouble(value);
        if (!text.empty() && text[0] == ' ') text.erase(0, 1);
        return text;
    }
    const Picture p = ParsePicture(picture);
    const DecimalDigits d = ValueDigits(value);
    if (p.integerPlaces == 0 && p.fractionPlaces == 0) {
        return (d.negative ? "-" : "") + picture;  // nothing but literals
    }
    return p.scientific ? FormatScientific(p, d) : FormatPlain(p, d);
}

}  // namespace tav
