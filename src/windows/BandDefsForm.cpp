#include "windows/BandDefsForm.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "files/SettingsFile.h"
#include "files/TextConversions.h"
#include "platform/Numbers.h"
#include "platform/forms/DialogConventions.h"
#include "shared/IndexPassRecord.h"
#include "windows/ProgramContexts.h"

namespace tav {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// True when the text begins with a number, as the leading-number reading sees it (blanks, TABs
// and line feeds do not count). A count being typed ("", "-", ".") has none yet.
bool HasLeadingNumber(const std::string& text) {
    std::string t;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') t += c;
    }
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (i < t.size() && t[i] == '.') ++i;
    return i < t.size() && IsDigit(t[i]);
}

}  // namespace

BandDefsForm::BandDefsForm(App& app) : Form(app, "BandDefsForm") {
    DesignDialog(*this, "Band Definitions", 3000, 1500);

    NumOfBandsLbl.Move(120, 180, 1815, 255);
    NumOfBandsBox.Move(2040, 120, 1095, 315);
    List1.Move(120, 600, 1455, 2460);
    BandStartLbl.Move(1800, 660, 1335, 255);
    BandStartBox.Move(1800, 960, 1335, 315);
    BandEndLbl.Move(1800, 1440, 1335, 255);
    BandEndBox.Move(1800, 1740, 1335, 315);
    Command1.Move(1860, 2640, 1215, 375);

    NumOfBandsBox.Change = [this] { NumOfBandsBox_Change(); };
    List1.Click = [this] { List1_Click(); };
    BandStartBox.Change = [this] { BandStartBox_Change(); };
    BandEndBox.Change = [this] { BandEndBox_Change(); };
    for (TextBox* box : {&NumOfBandsBox, &BandStartBox, &BandEndBox}) SelectTextOnFocus(*box);
    Command1.Click = [this] { Command1_Click(); };
}

void BandDefsForm::Form_Load() {
    // Sized here, not in the constructor: the size of the client area needs the loaded window.
    SetClientSize(3300, 3240);
    const ProgramState& s = app.state;
    const std::size_t known = std::min({static_cast<std::size_t>(std::max<int16_t>(s.NumOfBands, 0)),
                                        s.BandStart.size(), s.BandEnd.size(),
                                        static_cast<std::size_t>(MaxBands)});
    std::copy_n(s.BandStart.begin(), known, keptStart_.begin());
    std::copy_n(s.BandEnd.begin(), known, keptEnd_.begin());
    NumOfBandsBox.SetText(IntToText(s.NumOfBands));
}

// Each change of the count takes effect at once. A text without a number yet changes nothing;
// a count above 100 becomes 100 in the box; a negative count is refused.
void BandDefsForm::NumOfBandsBox_Change() {
    if (!HasLeadingNumber(NumOfBandsBox.Text())) return;
    double v = Val(NumOfBandsBox.Text());
    if (v > MaxBands) {
        NumOfBandsBox.SetText(IntToText(MaxBands));
        v = MaxBands;
    }
    if (v < 0) return;
    SetBandCount(RoundToInt16Clamped(v));
}

void BandDefsForm::SetBandCount(int16_t count) {
    ProgramState& s = app.state;
    const auto size = static_cast<std::size_t>(count) + 1;  // 0 To count; the last is not a band
    if (s.NumOfBands != count || s.BandStart.size() != size || s.BandEnd.size() != size) {
        if (s.NumOfBands != count) ForgetIndexPassForNewDefinitions(s);
        s.NumOfBands = count;
        for (auto [bands, kept] : {std::pair{&s.BandStart, &keptStart_}, std::pair{&s.BandEnd, &keptEnd_}}) {
            const std::size_t old = bands->size();
            bands->resize(size, 0.0f);
            for (std::size_t k = old; k < size && k < kept->size(); ++k) (*bands)[k] = (*kept)[k];
        }
    }
    while (List1.ListCount() < count) {
        List1.AddItem("Band" + IntToText(static_cast<int16_t>(List1.ListCount() + 1)));
    }
    while (List1.ListCount() > count) List1.RemoveItem(count);
}

void BandDefsForm::List1_Click() {
    const ProgramState& s = app.state;
    const int i = List1.ListIndex();
    if (i < 0 || static_cast<std::size_t>(i) >= std::min(s.BandStart.size(), s.BandEnd.size())) return;
    // Each text stores its value back into the same band.
    BandStartBox.SetText(SngToText(s.BandStart[static_cast<std::size_t>(i)]));
    BandEndBox.SetText(SngToText(s.BandEnd[static_cast<std::size_t>(i)]));
}

void BandDefsForm::StoreBandValue(const TextBox& box, std::vector<float>& bands,
                                  std::array<float, MaxBands>& kept) {
    const int i = List1.ListIndex();
    if (i < 0 || static_cast<std::size_t>(i) >= bands.size()) return;
    const float value = ToSingleClamped(Val(box.Text()));
    // Showing a band stores its own value back: only a new edge makes the stored index values
    // another definition's.
    if (bands[static_cast<std::size_t>(i)] != value) ForgetIndexPassForNewDefinitions(app.state);
    bands[static_cast<std::size_t>(i)] = value;
    if (static_cast<std::size_t>(i) < kept.size()) kept[static_cast<std::size_t>(i)] = value;
}

void BandDefsForm::BandStartBox_Change() { StoreBandValue(BandStartBox, app.state.BandStart, keptStart_); }
void BandDefsForm::BandEndBox_Change() { StoreBandValue(BandEndBox, app.state.BandEnd, keptEnd_); }

void BandDefsForm::Command1_Click() { Unload(); }

// Every entry is stored already, so Escape keeps the edits just as Enter and OK do.
void BandDefsForm::Form_KeyPress(int16_t& KeyAscii) {
    if (KeyAscii != key::Return && KeyAscii != key::Escape) return;
    KeyAscii = 0;
    Unload();
}

void BandDefsForm::Form_Unload(int16_t& /*Cancel*/) {
    // A settings file that cannot be written is reported by the writer; the bands hold.
    WriteSettingsFile(ContextsOf(app).Files());
}

}  // namespace tav
