#pragma once
// Every program-wide variable of tavolin, with the names the whole system uses for them.
// One ProgramState is owned by the program and handed to the code that needs it; tests build a
// fresh one per case. Nothing here is global.
//
// Types follow the instrument software: 16-bit where it says 16-bit (int16_t), Long (int32_t),
// Single (float), Double. Its 16-bit Booleans (0 / -1) are bool here and are written to files as
// 0 / -1 by the file code.

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tav {

// ---- Bounds --------------------------------------------------------------------------------
constexpr int16_t MaxSlot = 19;             // slots 0 To 19
constexpr int SlotCount = MaxSlot + 1;
constexpr int16_t MaxPoint = 2201;          // points 0 To 2201
constexpr int PointCount = MaxPoint + 1;
constexpr int16_t MaxScanIdxDefault = 100;  // raw store columns 0 To 100
constexpr int RawColumnCount = MaxScanIdxDefault + 1;
constexpr int WaveLengthCount = 257;        // wavelength table 0 To 256
constexpr int PixelCount = 256;             // pixels per transfer
constexpr int16_t MaxBands = 100;
constexpr int ChartWindowCount = 9;         // AutoScaleOn etc.: 0 To 8 (0..7 used)
constexpr int16_t MaxKineticPoints = 200;
constexpr float BandEndMarker = 900000.0f;  // stored after a slot's last x by the band routines
constexpr int FileNameFieldLength = 80;     // SlotInfo.FileName as written to files

// ---- Slot numbers --------------------------------------------------------------------------
namespace slot {
constexpr int16_t FirstOverlay = 0;   // 0..7: the spectrum window's overlay ring
constexpr int16_t LastOverlay = 7;
constexpr int16_t DarkCh2 = 8;        // dark spectrum of the second pass ("CH 2")
constexpr int16_t DarkCh1 = 9;        // dark spectrum of the reference pass ("CH 1")
constexpr int16_t Reference = 10;     // reference pass / reference scan
constexpr int16_t Ratio = 11;         // 11..17: kinetic series (also the window codes)
constexpr int16_t NormDiff = 12;
constexpr int16_t Experimental = 13;
constexpr int16_t Derivative = 14;
constexpr int16_t Integral = 15;
constexpr int16_t Average = 16;
constexpr int16_t Diagnostics = 17;
constexpr int16_t Work = 18;          // work slot (reflectance row, reference calibration file)
}  // namespace slot

// Memory modes; also the scan command byte.
namespace memmode {
constexpr int16_t Normal = 2;  // normal scan, or write to memory when ScanNumber != 0
constexpr int16_t Read = 48;   // read memory back (AutoCopy)
constexpr int16_t Erase = 64;
}  // namespace memmode

// Chart windows by their index in the per-window settings (DisplayChannel, AutoScaleOn, the grid
// limits), 0 being the spectrum window.
constexpr int16_t NormDiffWindow = 2;  // the normalized-difference window

// A measured condition that a spectrum does not tell (a file without that header line, a result
// of several spectra): no value, written and shown "NaN" as an index without a value.
inline constexpr float NoTemperature = std::numeric_limits<float>::quiet_NaN();
inline constexpr int16_t NoScanCount = 0;

// One curve buffer's record.
struct SlotRecord {
    // Kept whole in memory (Linux paths are long); files and headers show 80 characters of it.
    std::string FileName;
    int16_t NumPoints = 0;
    float IntegTime = 0;
    int16_t Reserved1 = 0;
    float XMin = 0;
    float XMax = 0;
    float DataMin = 0;
    float DataMax = 0;
    int32_t Reserved2 = 0;
    float YScale = 0;
    float YMin = 0;
    float YMax = 0;
    int16_t PlotTop = 0;
    int16_t PlotBottom = 0;
    int16_t PlotLeft = 0;
    int16_t PlotRight = 0;
    int16_t CursorPoint = 0;
    int16_t AnchorPoint = 0;
    bool CursorShown = false;
    bool NoRatio = false;     // ratio display forbidden for this slot
    int16_t DataKind = 0;     // 1 reflectance, 2 raw data, 3 reference (slots 1 and 2)
    // The points are the wavelength bins of a scan in bin mode, not the pixels of a transfer,
    // so a spectrum of 256 bins has no status words to leave out. A file does not say: what
    // is read from one counts as pixels, as an instrument's scan saved in pixel mode.
    bool Binned = false;
    // What the spectrum was measured with, filed and shown with it: the instrument's temperature
    // at its pair (deg C) and the scans it averaged.
    float Temperature = NoTemperature;
    int16_t ScansAveraged = NoScanCount;
};

// A window's saved rectangle (twips) and open flag (-1 shown, 0 closed).
struct WindowRect {
    int16_t Top = 0;
    int16_t Left = 0;
    int16_t Width = 0;
    int16_t Height = 0;
    int32_t Open = 0;
};

// A (slot, point) array of the slot store.
template <typename T>
using SlotArray = std::array<std::array<T, PointCount>, SlotCount>;

// Check marks of the main window's Activate and View menus. They are the enable flags of the
// indices and the open state shown in the View menu; the menu item models display them.
struct MenuChecks {
    bool ActivateTimeStamp = false;
    bool ActivateRatio = false;
    bool ActivateNormDiff = false;
    bool ActivateExperimental = false;
    bool ActivateDerivative = false;
    bool ActivateIntegral = false;
    bool ActivateAverage = false;
    bool ActivateDiagnostics = false;
    bool Viewmainform = false;
    bool ViewIndexForm = false;
    bool ViewRatioForm = false;
    bool ViewNormDiffForm = false;
    bool ViewExperimentalForm = false;
    bool ViewDerivativeForm = false;
    bool ViewIntegralForm = false;
    bool Viewaverageform = false;
    bool ViewDiagnosticsForm = false;
};

struct ProgramState {
    // ---- Slot store ------------------------------------------------------------------------
    int16_t MaxSlotIdx = MaxSlot;
    int16_t MaxScanIdx = MaxScanIdxDefault;
    std::array<SlotRecord, SlotCount> SlotInfo{};
    SlotArray<float> XData{};
    SlotArray<float> Ch1Data{};
    SlotArray<float> Ch2Data{};
    // (column 0 To 100, point 0 To 2201): raw transfers, two columns per scan read from memory.
    std::array<std::array<int32_t, PointCount>, RawColumnCount> RawCounts{};
    // The stored scans of the whole read-out that RawCounts holds (2 or more), 0 when it holds
    // none: the multi-scan file is written from it, whatever the boxes show by then.
    int16_t RawCountsScans = 0;
    std::array<float, WaveLengthCount> WaveLength{};
    std::array<float, PointCount> RefSpec1{};
    std::array<float, PointCount> RefSpec2{};
    std::array<float, PointCount> DerivativeSpectrum{};
    std::array<int16_t, PointCount> PlotY{};

    // ---- Calibration -----------------------------------------------------------------------
    double CalCoeffA = 0, CalCoeffB = 0, CalCoeffC = 0;  // channel 1: A + B·p + C·p²
    double CalCoeffD = 0, CalCoeffE = 0, CalCoeffF = 0;  // channel 2

    // ---- Acquisition settings --------------------------------------------------------------
    int32_t IntegrationTime = 0;  // tenths of a millisecond
    int16_t NumToAverage = 0;
    int16_t LampLevel = 0;        // always sent as 0
    float AutoScanDelay = 0;      // seconds between timed scans; 0 = every tick
    bool DarkCorrectionOn = false;
    bool ViewReflectance = false;
    bool ReferenceOn = false;
    std::string ReferenceFileName;
    // What the operator was last told of the reference calibration file, so that a timed series
    // tells it once; "" outside a series and after a correction that went through.
    std::string ReferenceFileTold;
    bool SimulationMode = false;
    int16_t CommPortNumber = 1;
    bool PixelMode = true;
    float BinWidth = 3.0f;
    bool DasBoardPresent = false;

    // ---- Instrument memory -----------------------------------------------------------------
    int16_t MemoryMode = memmode::Normal;
    int16_t ScanNumber = 0;
    int16_t IntervalTenths = 10;
    int16_t ReadAddress = 1;
    int16_t ReadAddressSaved = 1;
    int16_t WriteAddress = 0;
    bool ReadAddressPending = true;
    bool EraseArmed = false;
    int16_t SavedMemoryMode = memmode::Normal;
    // Where the instrument's next read-out starts while the scans come from the simulation file,
    // whose read-outs move no instrument's pointer: where its pointer stood when the simulation
    // began, or the address the operator entered since.
    struct ReadPosition {
        int16_t address = 1;
        bool pending = true;
    };
    std::optional<ReadPosition> ReadPositionOutsideSimulation;
    std::string ModeText;         // the mode box's text before the erase mode was entered

    // ---- Link flags ------------------------------------------------------------------------
    bool ReferencePass = false;
    bool PortHeldOpen = false;
    bool NoInstrumentResponse = false;
    // The instrument may hold other parameters (another scan number, another read pointer) than
    // the ones on screen, until a whole parameter block has been sent: at start-up, since it keeps
    // what an earlier run sent it; after a block that did not go out whole; after a change on
    // screen that was not sent; after a read-out that failed.
    bool InstrumentParametersUnknown = true;
    // A scan command whose reply wait was given up with Escape: the instrument on that port
    // (0: none) answers with a pair by OwedPairDueMs (monotonic clock) and then waits in it.
    int16_t OwedPairPort = 0;
    double OwedPairDueMs = 0;
    double LastAcknowledgementMs = -1e9;  // monotonic clock, when the latest block was acknowledged
    double LastParameterByteMs = -1e9;    // monotonic clock, when the latest parameter byte went out
    float Temperature = 0;        // deg C, from point 248 of every second pass: the latest pair's
    bool SaturationFlag = false;
    bool WirelessDCOn = false;
    bool AutoScanTimerOn = false;

    // ---- Elapsed-time clock ----------------------------------------------------------------
    bool ResetTimer = true;
    float TimerStart = 0;
    float ElapsedTime = 0;
    float TimedScanStart = 0;     // clock reading of the last aligned timed scan
    bool TimedScanAlignPending = true;  // the next tick must align on a whole second

    // ---- Overlay ring and display ----------------------------------------------------------
    int16_t CurrentSlot = 0;
    int16_t OverlayCount = 0;
    int16_t FirstOverlaySlot = 0;
    int16_t SavedDisplaySlot = 0;
    int16_t MainFirstOverlaySlot = 0;
    int16_t AxisSlot = -1;
    bool DataAvailable = false;
    bool ShowChannel2 = true;
    bool AbsorbanceOn = false;
    bool CursorOn = false;
    bool ZoomDragging = false;
    bool DarkViewOn = false;
    bool DarkRefShown = false;
    bool ProcessedResult = false;
    bool PrintInColor = false;
    bool CommonScale = false;
    bool XZoomOn = false;
    float XZoomMin = 0;
    float XZoomMax = 0;
    std::array<int16_t, 8> DisplayChannel{};  // selected trace per chart window
    int16_t ActiveWindowIdx = 0;
    // The run the normalized-difference window drew last (slot 12, slot 13, or 12 then 13), so
    // that its printed chart shows the same series.
    int16_t NormDiffRunFirst = 12;
    int16_t NormDiffRunShown = 12;

    // Per chart window (SlotWindowIndex order; element 8 unused): automatic y scale (-1 / 0),
    // manual limits. A window's Ascale is its AutoScaleOn element.
    std::array<int16_t, ChartWindowCount> AutoScaleOn{};
    std::array<float, ChartWindowCount> MinGridValue{};
    std::array<float, ChartWindowCount> MaxGridValue{};
    int32_t TextColor = 0;
    int32_t ChartColor = 0;
    int32_t CurveColor = 0;
    bool BeepOn = false;

    // ---- Chart layout (the last chart drawn) -----------------------------------------------
    std::string ChartFontName;
    int16_t ChartLeft = 0, ChartTop = 0, ChartWidth = 0, ChartHeight = 0;
    int16_t PlotHeight = 0;
    int16_t PlotWidth = 0;
    int16_t YTick80 = 0, YTick60 = 0, YTick40 = 0, YTick20 = 0;
    int16_t StartPixel = 0, EndPixel = 0;
    std::string IndexWinTitle;

    // ---- Printing --------------------------------------------------------------------------
    int16_t PrintScalePct = 100;
    int16_t PrintChartCount = 0;
    float PrintWidthFrac = 0, PrintHeightFrac = 0, PrintLeftFrac = 0, PrintTopFrac = 0;
    int16_t PrintChartLeft = 0, PrintChartTop = 0, PrintChartWidth = 0, PrintChartHeight = 0;
    int16_t PrintGridY80 = 0, PrintGridY60 = 0, PrintGridY40 = 0, PrintGridY20 = 0;  // printer rows

    // ---- Bands and indices -----------------------------------------------------------------
    int16_t NumOfBands = 0;
    std::vector<float> BandStart = std::vector<float>(1, 0.0f);  // band k at element k-1
    std::vector<float> BandEnd = std::vector<float>(1, 0.0f);
    int16_t RatioNumerator = 0, RatioDenominator = 0;
    int16_t NormDiffX = 0, NormDiffY = 0;
    int16_t ExpBand1 = 0, ExpBand2 = 0, ExpBand3 = 0, ExpBand4 = 0;
    int16_t ExpOp1 = 0, ExpOp2 = 0, ExpOp3 = 0;
    int16_t DerivativeBand = 0, IntegralBand = 0, AverageBand = 0;
    std::array<int16_t, 4> UseAverage{};  // 0 ratio, 1 normalized difference, 2 experimental

    float RatioValue = 0, NormDiffValue = 0, ExperimentalValue = 0, DerivativeValue = 0;
    float IntegralValue = 0, AverageValue = 0, DiagnosticsValue = 0;
    bool NormDiffValid = false, ExperimentalValid = false;
    // The indices the last index pass computed (cleared at its start) and the slot whose
    // spectrum it took them from (-1 once that spectrum is gone or changed); the kinetic logs and
    // the printed index block show only these, next to that spectrum, so a value the pass could
    // not compute, or one of another spectrum, is never filed as measured. Once the band or index
    // definitions change, the values are forgotten and RedefinedSlot keeps that slot instead,
    // until its spectrum changes, so that a save can compute them afresh.
    struct IndicesComputed {
        bool Ratio = false, NormDiff = false, Experimental = false;
        bool Derivative = false, Integral = false, Average = false;
        int16_t Slot = -1;
        int16_t RedefinedSlot = -1;
    };
    IndicesComputed LastPassComputed;
    int16_t RatioCount = 0, NormDiffCount = 0, ExperimentalCount = 0, DerivativeCount = 0;
    int16_t IntegralCount = 0, AverageCount = 0, DiagnosticsCount = 0;

    MenuChecks Menu;

    // ---- Processing of the spectrum window's result ----------------------------------------
    int16_t FileDialogMode = 0;  // 1 add .. 5 transform, 6 derivative, 7 file average
    int16_t DerivativeParam = 0;
    float TransFactor1 = 0, TransFactor2 = 0, TransOffset = 0;
    std::vector<std::string> AvgFileList;
    int16_t FileAvgCount = 0;
    bool CalcStdError = false;
    bool NameRejected = false;
    int16_t KindChoice = 0;  // kind last chosen in the two-file dialog: 1 reflectance, 2 raw, 3 reference

    // ---- Files and folders -----------------------------------------------------------------
    std::string StartDir;
    std::string DefaultPath;
    bool AutoSaveOn = false;
    bool UserSuppliedName = false;
    std::string AutoSaveName;
    std::string PrevAutoSaveName;
    int32_t AutoSaveCounter = 0;
    bool AutoSaveSeriesOpen = false;  // the series' first file may be written (no question pending)
    std::string AutoSaveFileName;  // full path of the next AutoSave file
    std::string CurrentFileName;   // "File: " and the bare name, for the chart headers
    std::string SpectrumFileName;  // name being saved
    bool IniLoaded = false;
    // The settings file that start-up could not read, until it is kept aside under a name of
    // its own (the next settings write does so before it writes a new file).
    std::string UnreadSettingsFile;
    bool WelcomeShown = false;
    // A window line of the settings file placed its window: the welcome window then keeps the
    // places read instead of tiling the windows, which is for a first run.
    bool WindowPlacesRead = false;
    bool WelcomeUnloaded = false;

    // ---- Window rectangles, in settings-file order -----------------------------------------
    WindowRect MainFormRect, MenuFormRect, IndexFormRect, RatioFormRect, NormDiffFormRect,
        ExperimentalFormRect, DerivativeFormRect, IntegralFormRect, AverageFormRect,
        DiagnosticsFormRect;
};

// The chart-window index of a slot: 1..7 for the kinetic slots 11..17, 0 for every other slot.
int16_t SlotWindowIndex(int16_t slotNumber);

// True when the slot number is a valid index of the slot store.
inline bool IsValidSlot(int slotNumber) { return slotNumber >= 0 && slotNumber <= MaxSlot; }

}  // namespace tav
