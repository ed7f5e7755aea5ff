#include "trial/TrialWorld.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "trial/TrialSpectrumFile.h"
#include "windows/EraseForm.h"
#include "windows/InstrumentForm.h"
#include "windows/MDIForm1.h"
#include "windows/MainForm.h"
#include "windows/SettingsForm.h"
#include "windows/WelcomeForm.h"

namespace tav::trial {

namespace {

// Far past the longest wait the program may have in a step (a write series of minutes): a step
// that runs this long on the fake clock waits for something that never comes.
constexpr double EndlessMs = 20 * 60 * 1000.0;

// Two bands and the ratio and diagnostics logs on; AutoSave on with a series name of three
// letters, so that a second run asks before it overwrites; scans of 10 ms into the data folder.
constexpr const char* TrialSettings =
    "[Windows]\r\n"
    "Main Window=0 0 4600 8700 0 -1 \r\n"
    "Ratio Window = 4600 0 3400 4000 0 -1 \r\n"
    "[Index]\r\n"
    "Number Of Bands=2\r\n"
    "Band Start 1=640\r\nBand End 1=680\r\nBand Start 2=780\r\nBand End 2=820\r\n"
    "Ratio Numerator=2\r\nRatio Denomintor=1\r\nRatio Active=-1\r\nDiagnostics Active=-1\r\n"
    "[Acquisition]\r\n"
    "Integration Time=100\r\nNumber to Average=1\r\nView Reflectance=0\r\nDark Correction=0\r\n"
    "Default Path=DATA\r\nAuto Scan Delay=1\r\nAuto Save On=-1\r\nUser Supplied Name=0\r\n"
    "Auto Save Name=TRL\r\nBeep On=0\r\nSerialport=1\r\n";

// Between the end of one run of the program and the start of the next: a process ends and starts
// far slower than the line's pause after a parameter block.
constexpr double RestartMs = 1000.0;

constexpr double ReplugMs = 2000.0;

// Scans the instrument holds from an earlier session.
constexpr int StoredBefore = 12;

std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t comma = text.find(','); ; comma = text.find(',', start)) {
        fields.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return fields;
}

}  // namespace

void TrialClock::Check() {
    if (FakeClock::MonotonicMs() > deadline_) {
        deadline_ = 1e300;
        throw EndlessWait{};
    }
}

double TrialClock::MonotonicMs() {
    Check();
    return FakeClock::MonotonicMs();
}

void TrialClock::Sleep(double milliseconds) {
    Check();
    FakeClock::Sleep(milliseconds);
}

float TrialClock::Timer() {
    Check();
    return FakeClock::Timer();
}

TrialSession::TrialSession(SimulatedInstrument& instrument, TrialClock& clock, TrialOperator& op,
                           const std::string& folder)
    : comm(instrument, clock), fs(folder), app(*state, Services{clock, op, comm, board, fs, printer}, host) {}

TrialWorld::TrialWorld(std::ostream* trace) : observer_(*this) {
    observer_.trace = trace;
    clock_.Set(10, 0, 0);
    dir_.Write("Prismel.INI", TrialSettings);
    dir_.MakeDir("DATA");
    std::ifstream sim(SimulationFilePath(), std::ios::binary);
    dir_.Write("simulate.rdg", std::string((std::istreambuf_iterator<char>(sim)), std::istreambuf_iterator<char>()));
    simulation_ = SimulationColumns();
    op_.dataFolder = DataFolder();
    op_.spectrumFiles = [this] { return SpectrumFiles(); };
    for (int k = 0; k < StoredBefore; ++k)
        instrument_.WriteScan(MeasureScanPair(instrument_.Options().spectrum, 100 + 20 * k, 1, 9000u + k));
    instrument_.onCommandTaken = [this](const TakenCommand& c) { observer_.CommandTaken(c); };
    RunStep(Action{"Restart", "", 0, ""}, [this] { Start(); });
}

TrialWorld::~TrialWorld() {
    instrument_.onCommandTaken = nullptr;
    program_.reset();
}

MDIForm1& TrialWorld::Mdi() { return program_->app.forms.Get<MDIForm1>(); }
MainForm& TrialWorld::Main() { return program_->app.forms.Get<MainForm>(); }

std::vector<std::string> TrialWorld::SpectrumFiles() const {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(DataFolder(), ec))
        if (entry.path().extension() == ".rdg") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

void TrialWorld::Start() {
    program_ = std::make_unique<TrialSession>(instrument_, clock_, op_, dir_.Path());
    program_->comm.SetPortPresent(1, portPresent_);
    program_->host.EscapeAtKeepAlive(escapeAt_);
    program_->app.forms.Get<MDIForm1>();
    observer_.ProgramStarted();
    if (WelcomeForm* welcome = program_->app.forms.Find<WelcomeForm>()) welcome->Command1.UserClick();
}

void TrialWorld::Stop() {
    Mdi().UserClose();
    // The instrument lives on while no program runs.
    clock_.Advance(RestartMs);
    program_->comm.CatchUp();
    portPresent_ = program_->comm.PortPresent(1);
    program_.reset();
}

void TrialWorld::RunStep(const Action& action, const std::function<void()>& body) {
    if (ended_) return;
    ++step_;
    op_.SetStep(step_);
    // The instrument warms and cools: each step's pairs carry a temperature of their own.
    instrument_.Options().spectrum.temperatureC = 20.0 + (step_ % 9) * 1.25;
    observer_.BeginStep(action, step_);
    clock_.SetDeadline(clock_.MonotonicMs() + EndlessMs);
    try {
        body();
    } catch (const EndlessWait&) {
        observer_.WaitWithoutEnd();
        ended_ = true;  // the program was left inside a wait: nothing more can be checked
        return;
    }
    clock_.SetDeadline(1e300);
    observer_.EndStep();
}

void TrialWorld::Do(const Action& action) {
    if (ended_) return;
    op_.BeginAction(action.answers);
    escapeAt_ = action.escapeAt;
    program_->host.EscapeAtKeepAlive(escapeAt_);
    if (action.name == "Wait") PassTime(action);
    else RunStep(action, [&] { Operate(action); });
    escapeAt_ = 0;
    if (program_) program_->host.EscapeAtKeepAlive(0);
}

void TrialWorld::Operate(const Action& a) {
    const std::string& n = a.name;
    if (n.size() == 1 && std::string("NDORASFL").find(n) != std::string::npos) {
        Key(n[0]);
    } else if (n == "E") {
        Key('E');
        AnswerEraseForm();
    } else if (n == "Esc") {
        Key(27);
    } else if (n == "Integ" || n == "Aver" || n == "Bin" || n == "Raddr" || n == "Scan" || n == "Interv") {
        TypeBox(n, a.arg);
    } else if (n == "Mode") {
        Mdi().Shutter.UserClick();
    } else if (n == "Start") {
        Mdi().Command1.UserClick();
    } else if (n == "SetPara") {
        Mdi().Command10.UserClick();
    } else if (n == "PixelBin") {
        Mdi().Command6.UserClick();
    } else if (n == "SetOK" || n == "SetCancel") {
        Settings(a, n == "SetOK");
    } else if (n == "InstOK" || n == "InstCancel") {
        InstrumentParameters(a, n == "InstOK");
    } else if (n == "AutoInteg") {
        Mdi().AutoSetIntegrationTime.UserClick();
    } else if (n == "Restart") {
        Stop();
        Start();
    } else {
        Fault(a);
    }
}

void TrialWorld::Key(int16_t character) { Main().UserKeyPress(nullptr, character); }

// The erase question: Y and N are its letters, Escape leaves it, Enter presses N(o), which has
// the focus.
void TrialWorld::AnswerEraseForm() {
    ERASEFORM* form = program_->app.forms.Find<ERASEFORM>();
    if (!form || !form->Visible()) return;
    switch (op_.TakeAnswer()) {
        case 'Y': form->UserKeyPress(nullptr, 'y'); break;
        case 'N': form->UserKeyPress(nullptr, 'n'); break;
        case 'E': form->UserKeyPress(nullptr, 27); break;
        default: form->Command2.UserClick(); break;
    }
}

void TrialWorld::TypeBox(const std::string& name, const std::string& value) {
    MDIForm1& m = Mdi();
    TextBox& box = name == "Integ" ? m.Text3 : name == "Aver" ? m.Text4 : name == "Bin" ? m.Text1
                 : name == "Raddr" ? m.Text5 : name == "Scan" ? m.Text6 : m.Text7;
    box.UserEdit(value);
    m.UserKeyPress(&box, 13);
}

void TrialWorld::Settings(const Action& a, bool ok) {
    Key('I');
    SettingsForm* form = program_->app.forms.Find<SettingsForm>();
    if (!form || !form->Visible()) return;
    const std::vector<std::string> f = Fields(a.arg);
    if (f.size() > 0) form->IntTimeBox.UserEdit(f[0]);
    if (f.size() > 1) form->NumToAverageBox.UserEdit(f[1]);
    if (f.size() > 2) form->AutoScanDelayBox.UserEdit(f[2]);
    if (f.size() > 3 && (form->AutoSaveOnChk.Value() != 0) != (f[3] == "1")) form->AutoSaveOnChk.UserClick();
    (ok ? form->Command1 : form->Command2).UserClick();
}

void TrialWorld::InstrumentParameters(const Action& a, bool ok) {
    Mdi().InstParams.UserClick();
    InstrumentForm* form = program_->app.forms.Find<InstrumentForm>();
    if (!form || !form->Visible()) return;
    const std::vector<std::string> f = Fields(a.arg);
    if (!f.empty()) (f[0] == "2" ? form->Option2 : form->Option1).UserClick();
    if (f.size() > 1 && (form->SimulationOn.Value() != 0) != (f[1] == "1")) form->SimulationOn.UserClick();
    (ok ? form->Command1 : form->Command2).UserClick();
}

// Time passes; a running timed series ticks on it, each tick a step of its own.
void TrialWorld::PassTime(const Action& a) {
    const double end = clock_.MonotonicMs() + std::stod(a.arg) * 1000.0;
    while (!ended_ && clock_.MonotonicMs() < end) {
        Timer& timer = Mdi().Timer1;
        if (!timer.Running() || timer.Interval() <= 0) {
            clock_.Advance(end - clock_.MonotonicMs());
            break;
        }
        clock_.Advance(timer.Interval());
        RunStep(a, [&] { timer.UserTick(); });
    }
}

void TrialWorld::Fault(const Action& a) {
    InstrumentFaults& faults = instrument_.Options().faults;
    const int nextPair = instrument_.PairsStarted() + 1;
    if (a.name == "Short" || a.name == "Long" || a.name == "Missing") {
        const BlockFault::Kind kind = a.name == "Short"  ? BlockFault::Kind::Short
                                      : a.name == "Long" ? BlockFault::Kind::Long
                                                         : BlockFault::Kind::Missing;
        // One fault a pair: a short and a long one in the same block would leave it whole in
        // length and wrong in content, which no reader of the line can tell.
        std::erase_if(faults.blocks, [&](const BlockFault& f) { return f.pair == nextPair; });
        faults.blocks.push_back({kind, std::stoi(a.arg), 6, nextPair});
    } else if (a.name == "Late") {
        // Past the reply's bound of a plain scan: the program has given the reply up by then.
        faults.replyDelayMs = 4500;
        faults.replyDelayPair = nextPair;
    } else if (a.name == "Unplug" || a.name == "Replug") {
        portPresent_ = a.name == "Replug";
        // Plugging an adapter back in takes a person longer than any pause of the line.
        if (portPresent_) clock_.Advance(ReplugMs);
        program_->comm.SetPortPresent(1, portPresent_);
    } else if (a.name == "PullAfter") {
        program_->comm.PullPortAfterBytes(1, std::stoi(a.arg), true);
    }
}

}  // namespace tav::trial
