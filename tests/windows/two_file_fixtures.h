#pragma once
// Spectrum files for the two-file operations, written as the program writes them (the ten-line
// information header, then one row per point: x, channel 1, channel 2), and the program's main
// window with a data folder holding two such files, for the dialogs of those operations.

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "windows/GetFileName.h"
#include "windows/MainWindowWorld.h"

namespace tav::test {

struct SpectrumRow {
    float x, ch1, ch2;
};

inline std::string NumberText(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
    return text;
}

inline std::string SpectrumFileText(const std::vector<SpectrumRow>& rows, float integrationMs = 30) {
    std::string text =
        "\"File:       C:\\DATA\\TEST.rdg\"\r\n"
        "\"Temp:       23.4 deg C\"\r\n"
        "\"Time:       03/07/2024  14:05:09  12.5\"\r\n"
        "\"Limits:     300 - 900\"\r\n"
        "\r\n"
        "\"Minimum:    300nm  0\"\r\n"
        "\"Maximum:    900nm  65535\"\r\n"
        "\"Integration: " + NumberText(integrationMs) + " ms\"\r\n"
        "\"Number Scans: 4\"\r\n"
        "\r\n";
    for (const SpectrumRow& r : rows) {
        text += NumberText(r.x) + " \t" + NumberText(r.ch1) + " \t" + NumberText(r.ch2) + "\r\n";
    }
    return text;
}

// Past the welcome window, with DATA/one.rdg (raw 8, 6; reference 2, 4) and DATA/two.rdg
// (raw 2, 3; reference 4, 1) in the data folder, and slot 0 holding 77 at both points.
struct DialogWorld : MainWindowWorld {
    DialogWorld() {
        PastWelcome();
        dir.MakeDir("DATA");
        state->DefaultPath = dir.File("DATA");
        dir.Write("DATA/one.rdg", SpectrumFileText({{400, 8, 2}, {401, 6, 4}}));
        dir.Write("DATA/two.rdg", SpectrumFileText({{400, 2, 4}, {401, 3, 1}}));
        dir.Write("DATA/notes.txt", "not a spectrum");
        state->SlotInfo[0].NumPoints = 2;
        state->Ch1Data[0][0] = state->Ch1Data[0][1] = 77;
    }

    GetFileName* Dialog() { return app.forms.Find<GetFileName>(); }
    GetFileName& OpenDialog() {
        GetFileName* dialog = Dialog();
        if (!dialog) throw std::runtime_error("the two-file dialog is not open");
        return *dialog;
    }
    GetFileName& Open(int16_t mode) {
        ShowGetFileName(app, mode);
        return OpenDialog();
    }
    // Types a name into the name box and presses Enter there; returns what the box got of the key.
    int16_t EnterName(const std::string& name) {
        GetFileName& dialog = OpenDialog();
        dialog.FileNameBox.SetFocus();
        dialog.FileNameBox.UserEdit(name);
        return dialog.UserKeyPress(&dialog.FileNameBox, 13);
    }
    bool HeaderShows(const std::string& text) {
        const std::vector<std::string> printed = MainCanvas().PrintedTexts();
        return std::find(printed.begin(), printed.end(), text) != printed.end();
    }
    std::string InData(const std::string& name) const { return dir.File("DATA") + "/" + name; }
};

}  // namespace tav::test
