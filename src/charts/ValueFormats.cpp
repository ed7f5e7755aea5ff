#include "charts/ValueFormats.h"

#include <cmath>

#include "platform/Numbers.h"

namespace tav {

std::string ValueWithUnitPicture(float x) {
    const float a = std::fabs(x);
    if (a == 0.0f) return "   0.0 ";
    if (a >= 100000.0f) return "#.##E+00";
    if (a >= 1000.0f) return " #####";
    if (a >= 100.0f) return "  ###.#";
    if (a >= 10.0f) return "  ##.##";
    if (a >= 1.0f) return "  #.###";
    if (a >= 0.1f) return " #.####";
    if (a >= 0.001f) return "#.#####";
    return "#.##E+00";
}

std::string ValueWithUnitText(float x, const std::string& unit) {
    const std::string picture = ValueWithUnitPicture(x);
    std::string text = Format(x, picture);
    const int pad = 10 - static_cast<int>(picture.size());
    if (pad > 0) {
        text += unit.substr(0, 9);
        text.append(static_cast<std::size_t>(pad), ' ');
    }
    return text;
}

void PrintValueWithUnit(Canvas& form, float x, const std::string& unit) {
    form.PrintInline(ValueWithUnitText(x, unit));
}

}  // namespace tav
