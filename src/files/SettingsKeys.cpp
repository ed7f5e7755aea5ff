#include "files/SettingsKeys.h"

#include <cfloat>
#include <cmath>

#include "files/AutoSaveNames.h"
#include "files/FileNames.h"
#include "files/TextConversions.h"
#include "platform/Numbers.h"

namespace tav {
namespace {

using S = ProgramState;

// ---- Writers and readers by value form ----------------------------------------------------

template <int16_t S::*M>
std::string WriteInt(const S& s) { return IntToText(s.*M); }
template <int16_t S::*M>
void ReadInt(S& s, const std::string& v) {
    if (auto x = SettingsInteger(v)) s.*M = *x;
}

template <bool S::*M>
std::string WriteBool(const S& s) { return BooleanText(s.*M); }
template <bool S::*M>
void ReadBool(S& s, const std::string& v) {
    if (auto x = SettingsInteger(v)) s.*M = *x != 0;
}

template <int U>
std::string WriteUseAverage(const S& s) { return IntToText(s.UseAverage[U]); }
template <int U>
void ReadUseAverage(S& s, const std::string& v) {
    if (auto x = SettingsInteger(v)) s.UseAverage[U] = *x;
}

template <bool MenuChecks::*M>
std::string WriteCheck(const S& s) { return BooleanText(s.Menu.*M); }
template <bool MenuChecks::*M>
void ReadCheck(S& s, const std::string& v) { s.Menu.*M = Val(v) != 0.0; }

template <double S::*M>
std::string WriteDouble(const S& s) { return NumToText(s.*M); }
template <double S::*M>
void ReadDouble(S& s, const std::string& v) {
    if (auto x = SettingsDouble(v)) s.*M = *x;
}

template <int32_t S::*M>
std::string WritePrintedLong(const S& s) { return PrintedNumber(s.*M); }
template <int32_t S::*M>
void ReadLong(S& s, const std::string& v) {
    if (auto x = SettingsLong(v)) s.*M = *x;
}

template <std::string S::*M>
std::string WriteText(const S& s) { return s.*M; }
// A text with a control character cannot come from the program's own writer; the value in force
// stays.
template <std::string S::*M>
void ReadText(S& s, const std::string& v) {
    if (!HasControlCharacter(v)) s.*M = v;
}

template <typename Array, typename Convert>
std::string EightValues(const Array& values, Convert convert) {
    std::string text;
    for (int i = 0; i < 8; ++i) {
        if (i > 0) text += ' ';
        text += convert(values[i]);
    }
    return text;
}

std::string WriteAutoScale(const S& s) { return EightValues(s.AutoScaleOn, IntToText); }
void ReadAutoScale(S& s, const std::string& v) {
    std::array<float, 9> values{};
    ParseEightValues(values, v);
    std::array<int16_t, 8> rounded{};
    for (int i = 0; i < 8; ++i) {
        const std::optional<int16_t> x = RoundToInt16(values[i]);
        if (!x) return;
        rounded[i] = *x;
    }
    // Only True (-1) is automatic; any other value of a hand-edited file is kept as the manual
    // scale the charts give it, so that the scale dialog and "Scale a/m" start from what is shown.
    for (int i = 0; i < 8; ++i) s.AutoScaleOn[i] = rounded[i] == -1 ? -1 : 0;
    s.AutoScaleOn[0] = -1;  // the spectrum window always starts on automatic scale
}

template <std::array<float, ChartWindowCount> S::*M>
std::string WriteGrid(const S& s) { return EightValues(s.*M, PlainSingleText); }
template <std::array<float, ChartWindowCount> S::*M>
void ReadGrid(S& s, const std::string& v) {
    std::array<float, 9> values{};
    ParseEightValues(values, v);
    for (int i = 0; i < 8; ++i) (s.*M)[i] = values[i];
}

std::string WriteIntegrationTime(const S& s) { return TrimBlanks(StrInt(s.IntegrationTime)); }
void ReadIntegrationTime(S& s, const std::string& v) {
    if (auto x = SettingsLong(v)) s.IntegrationTime = *x;
}

void ReadViewReflectance(S& s, const std::string&) { s.ViewReflectance = false; }

std::string WriteReferenceOn(const S& s) { return PrintedNumber(s.ReferenceOn ? -1 : 0); }

std::string WriteAutoScanDelay(const S& s) { return SngToText(s.AutoScanDelay); }
void ReadAutoScanDelay(S& s, const std::string& v) {
    if (auto x = SettingsSingle(v)) s.AutoScanDelay = *x;
}

void ReadAutoSaveName(S& s, const std::string& v) { s.AutoSaveName = FilterSeriesName(v); }

constexpr SettingsSection I = SettingsSection::Index;
constexpr SettingsSection A = SettingsSection::Acquisition;
constexpr SettingsSection C = SettingsSection::Colors;

}  // namespace

namespace {
constexpr SettingsEntry Entries[] = {
        {I, "Ratio Use Average=", WriteUseAverage<0>, ReadUseAverage<0>},
        {I, "NormDiff Use Average=", WriteUseAverage<1>, ReadUseAverage<1>},
        {I, "Experimental Use Average=", WriteUseAverage<2>, ReadUseAverage<2>},
        {I, "Ratio Numerator=", WriteInt<&S::RatioNumerator>, ReadInt<&S::RatioNumerator>},
        {I, "Ratio Denomintor=", WriteInt<&S::RatioDenominator>, ReadInt<&S::RatioDenominator>},
        {I, "Norm. Diff. X=", WriteInt<&S::NormDiffX>, ReadInt<&S::NormDiffX>},
        {I, "Norm. Diff. Y=", WriteInt<&S::NormDiffY>, ReadInt<&S::NormDiffY>},
        {I, "Exp. Band 1=", WriteInt<&S::ExpBand1>, ReadInt<&S::ExpBand1>},
        {I, "Exp. Band 2=", WriteInt<&S::ExpBand2>, ReadInt<&S::ExpBand2>},
        {I, "Exp. Band 3=", WriteInt<&S::ExpBand3>, ReadInt<&S::ExpBand3>},
        {I, "Exp. Band 4=", WriteInt<&S::ExpBand4>, ReadInt<&S::ExpBand4>},
        {I, "Exp. Op 1=", WriteInt<&S::ExpOp1>, ReadInt<&S::ExpOp1>},
        {I, "Exp. Op 2=", WriteInt<&S::ExpOp2>, ReadInt<&S::ExpOp2>},
        {I, "Exp. Op 3=", WriteInt<&S::ExpOp3>, ReadInt<&S::ExpOp3>},
        {I, "Derivative=", WriteInt<&S::DerivativeBand>, ReadInt<&S::DerivativeBand>},
        {I, "Integral=", WriteInt<&S::IntegralBand>, ReadInt<&S::IntegralBand>},
        {I, "Average=", WriteInt<&S::AverageBand>, ReadInt<&S::AverageBand>},
        {I, "Time Stamp Active=", WriteCheck<&MenuChecks::ActivateTimeStamp>, ReadCheck<&MenuChecks::ActivateTimeStamp>},
        {I, "Ratio Active=", WriteCheck<&MenuChecks::ActivateRatio>, ReadCheck<&MenuChecks::ActivateRatio>},
        {I, "Norm Diff Active=", WriteCheck<&MenuChecks::ActivateNormDiff>, ReadCheck<&MenuChecks::ActivateNormDiff>},
        {I, "Experimental Active=", WriteCheck<&MenuChecks::ActivateExperimental>,
         ReadCheck<&MenuChecks::ActivateExperimental>},
        {I, "Derivative Active=", WriteCheck<&MenuChecks::ActivateDerivative>, ReadCheck<&MenuChecks::ActivateDerivative>},
        {I, "Integral Active=", WriteCheck<&MenuChecks::ActivateIntegral>, ReadCheck<&MenuChecks::ActivateIntegral>},
        {I, "Average Active=", WriteCheck<&MenuChecks::ActivateAverage>, ReadCheck<&MenuChecks::ActivateAverage>},
        {I, "Diagnostics Active=", WriteCheck<&MenuChecks::ActivateDiagnostics>,
         ReadCheck<&MenuChecks::ActivateDiagnostics>},
        {A, "Auto Scale On=", WriteAutoScale, ReadAutoScale},
        {A, "Min Grid Value=", WriteGrid<&S::MinGridValue>, ReadGrid<&S::MinGridValue>},
        {A, "Max Grid Value=", WriteGrid<&S::MaxGridValue>, ReadGrid<&S::MaxGridValue>},
        {A, "Integration Time=", WriteIntegrationTime, ReadIntegrationTime},
        {A, "Number to Average=", WriteInt<&S::NumToAverage>, ReadInt<&S::NumToAverage>},
        {A, "View Reflectance=", WriteBool<&S::ViewReflectance>, ReadViewReflectance},
        {A, "Dark Correction=", WriteBool<&S::DarkCorrectionOn>, ReadBool<&S::DarkCorrectionOn>},
        {A, "Reference On=", WriteReferenceOn, ReadBool<&S::ReferenceOn>},
        {A, "Reference File Name=", WriteText<&S::ReferenceFileName>, ReadText<&S::ReferenceFileName>},
        {A, "Default Path=", WriteText<&S::DefaultPath>, ReadText<&S::DefaultPath>},
        {A, "Cal Coeff A=", WriteDouble<&S::CalCoeffA>, ReadDouble<&S::CalCoeffA>},
        {A, "Cal Coeff B=", WriteDouble<&S::CalCoeffB>, ReadDouble<&S::CalCoeffB>},
        {A, "Cal Coeff C=", WriteDouble<&S::CalCoeffC>, ReadDouble<&S::CalCoeffC>},
        {A, "Cal Coeff D=", WriteDouble<&S::CalCoeffD>, ReadDouble<&S::CalCoeffD>},
        {A, "Cal Coeff E=", WriteDouble<&S::CalCoeffE>, ReadDouble<&S::CalCoeffE>},
        {A, "Cal Coeff F=", WriteDouble<&S::CalCoeffF>, ReadDouble<&S::CalCoeffF>},
        {A, "Auto Scan Delay=", WriteAutoScanDelay, ReadAutoScanDelay},
        {A, "Auto Save On=", WriteBool<&S::AutoSaveOn>, ReadBool<&S::AutoSaveOn>},
        {A, "User Supplied Name=", WriteBool<&S::UserSuppliedName>, ReadBool<&S::UserSuppliedName>},
        {A, "Auto Save Name=", WriteText<&S::AutoSaveName>, ReadAutoSaveName},
        {A, "Beep On=", WriteBool<&S::BeepOn>, ReadBool<&S::BeepOn>},
        {A, "Serialport=", WriteInt<&S::CommPortNumber>, ReadInt<&S::CommPortNumber>},
        {C, "Text Color=", WritePrintedLong<&S::TextColor>, ReadLong<&S::TextColor>},
        {C, "Chart Color=", WritePrintedLong<&S::ChartColor>, ReadLong<&S::ChartColor>},
        {C, "Curve Color=", WritePrintedLong<&S::CurveColor>, ReadLong<&S::CurveColor>},
};

using W = SettingsWindow;
using M = MenuChecks;
constexpr SettingsWindowEntry WindowEntries[] = {

        {W::Main, "Main Window=", &S::MainFormRect, &M::Viewmainform},
        {W::Menu, "Menu Window=", &S::MenuFormRect, nullptr},
        {W::Index, "Index Window=", &S::IndexFormRect, &M::ViewIndexForm},
        {W::Ratio, "Ratio Window = ", &S::RatioFormRect, &M::ViewRatioForm},
        {W::NormDiff, "NormDiff Window=", &S::NormDiffFormRect, &M::ViewNormDiffForm},
        {W::Experimental, "Experimental Window = ", &S::ExperimentalFormRect, &M::ViewExperimentalForm},
        {W::Derivative, "Derivative Window=", &S::DerivativeFormRect, &M::ViewDerivativeForm},
        {W::Integral, "Integral Window=", &S::IntegralFormRect, &M::ViewIntegralForm},
        {W::Average, "Average Window=", &S::AverageFormRect, &M::Viewaverageform},
        {W::Diagnostics, "Diagnostics Window = ", &S::DiagnosticsFormRect, &M::ViewDiagnosticsForm},
};
}  // namespace

std::span<const SettingsEntry> SettingsEntries() { return Entries; }
std::span<const SettingsWindowEntry> SettingsWindowEntries() { return WindowEntries; }

bool LineHasKey(const char* line, std::string_view key) {
    std::string_view k(line);
    k = k.substr(0, k.find('='));
    while (!k.empty() && k.back() == ' ') k.remove_suffix(1);
    while (!k.empty() && k.front() == ' ') k.remove_prefix(1);
    return k == key;
}

std::optional<int16_t> SettingsInteger(const std::string& value) { return RoundToInt16(Val(value)); }
std::optional<int32_t> SettingsLong(const std::string& value) { return RoundToInt32(Val(value)); }

std::optional<float> SettingsSingle(const std::string& value) {
    const double v = Val(value);
    if (!std::isfinite(v) || std::fabs(v) > FLT_MAX) return std::nullopt;
    return static_cast<float>(v);
}

std::optional<double> SettingsDouble(const std::string& value) {
    const double v = Val(value);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

std::string PrintedNumber(int32_t v) { return StrInt(v) + " "; }
std::string BooleanText(bool v) { return v ? "-1" : "0"; }

std::string PlainSingleText(float v) {
    const std::string text = SngToText(v);
    const size_t e = text.find_first_of("Ee");
    if (e == std::string::npos) return text;
    std::string mantissa = text.substr(0, e);
    std::string sign;
    if (!mantissa.empty() && (mantissa[0] == '-' || mantissa[0] == '+')) {
        if (mantissa[0] == '-') sign = "-";
        mantissa.erase(0, 1);
    }
    const int exponent = static_cast<int>(Val(text.substr(e + 1)));
    const size_t dot = mantissa.find('.');
    const int point = static_cast<int>(dot == std::string::npos ? mantissa.size() : dot);
    std::string digits = mantissa;
    if (dot != std::string::npos) digits.erase(dot, 1);
    const int shifted = point + exponent;
    const int count = static_cast<int>(digits.size());
    std::string plain;
    if (shifted <= 0) {
        plain = "." + std::string(static_cast<size_t>(-shifted), '0') + digits;
    } else if (shifted >= count) {
        plain = digits + std::string(static_cast<size_t>(shifted - count), '0');
    } else {
        plain = digits.substr(0, shifted) + "." + digits.substr(shifted);
    }
    return sign + plain;
}

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace tav
