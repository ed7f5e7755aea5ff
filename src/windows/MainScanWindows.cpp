#include "windows/MainScanWindows.h"

#include <algorithm>
#include <string>

#include "acquisition/AutoScanTimer.h"
#include "platform/Numbers.h"
#include "platform/forms/App.h"
#include "windows/FormCharts.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"

namespace tav {

Canvas& MainScanWindows::SpectrumSurface() { return app_.forms.Get<MainForm>().Surface(); }

CommonDialog& MainScanWindows::SpectrumDialog() { return app_.forms.Get<MainForm>().CMDialog1; }

void MainScanWindows::DrawSpectrum(int16_t slot) {
    std::string title;
    DrawChart(app_.forms.Get<MainForm>(), slot, title);
}

void MainScanWindows::ShowIntegrationAverageAndBin(const ProgramState& s) {
    MDIForm1& main = app_.forms.Get<MDIForm1>();
    main.Integrat.SetValue(std::clamp<int32_t>(s.IntegrationTime, INT16_MIN, INT16_MAX));
    main.ShowScanCount(s.NumToAverage);
    // The Binsize box shows the bin width, which its next Enter takes back.
    main.Source.SetValue(RoundToInt16Clamped(s.BinWidth));
}

void MainScanWindows::ShowScanParameters(const ProgramState& s) {
    ShowIntegrationAverageAndBin(s);
    MDIForm1& main = app_.forms.Get<MDIForm1>();
    if (s.MemoryMode == memmode::Read) main.Integ.SetValue(s.ReadAddress);
    main.scannumbe.SetValue(s.ScanNumber);
    main.interva.SetValue(s.IntervalTenths);
}

void MainScanWindows::ShowIntegrationAndAverage(const ProgramState& s) {
    app_.forms.Get<MDIForm1>().ShowIntegrationAndAverage(s);
}

void MainScanWindows::ShowReadAddress(int16_t address) {
    MDIForm1& main = app_.forms.Get<MDIForm1>();
    main.Text5.SetText(StrInt(address));
    main.Integ.SetValue(address);
}

void MainScanWindows::ShowMode(const char* text) { app_.forms.Get<MDIForm1>().Text2.SetText(text); }

bool MainScanWindows::SeriesRuns() { return app_.forms.Get<MDIForm1>().Timer1.Enabled(); }

void MainScanWindows::EndSeries() { EndAutoScan(app_.state, app_.comm, app_.forms.Get<MDIForm1>().Timer1); }

}  // namespace tav
