#include "trial/TrialObserver.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "acquisition/LinkProtocol.h"
#include "trial/TrialSpectrumFile.h"
#include "trial/TrialWorld.h"
#include "windows/EraseForm.h"
#include "windows/InstrumentForm.h"
#include "windows/MDIForm1.h"
#include "windows/SettingsForm.h"

namespace tav::trial {

namespace {

constexpr int Pixels = 256;
constexpr int TemperaturePixel = 248;
constexpr int PairBlocks = 16;
// More boxes than this in one step: a box that its answers do not close.
constexpr size_t MostBoxesOfAStep = 12;
// A file's header keeps the first five characters of a temperature and a log rounds it: the two
// may differ by this much and still be one reading. The trial's pairs differ by 1.25 deg C.
constexpr double TemperatureSlack = 0.2;

// The words sent as the program should take them: the temperature is point 248 of the sample
// pass at 0.00975 deg C a count, below 5 deg C taken as 7.
double TemperatureOf(const ScanPair& pair) {
    const double t = static_cast<float>(pair.sample[TemperaturePixel] * 0.00975);
    return t < 5.0 ? 7.0 : t;
}

double Number(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// The leading number of a box's text, as the program takes it.
double BoxValue(const std::string& text) {
    const size_t start = text.find_first_not_of(' ');
    return start == std::string::npos ? 0.0 : Number(text.substr(start));
}

int Tenths(const std::string& text) { return static_cast<int>(std::lround(BoxValue(text) * 10.0)); }

// Milliseconds that a scan command asks the instrument to measure.
double MeasuringMs(const TakenCommand& c) {
    const InstrumentParameters& p = c.parameters;
    const double one = std::max(1, p.NumToAverage) * std::max(0, p.IntegrationTime) / 10.0;
    const int scans = c.mode == 2 && p.ScanNumber > 0 ? p.ScanNumber : 1;
    return scans * one + (scans - 1) * p.IntervalTenths * 100.0;
}

// The same for the parameters on screen, with which the program bounds its wait for a reply.
double MeasuringMs(const Screen& s) {
    const double one = std::max(1.0, BoxValue(s.average)) * BoxValue(s.integration);
    const int scans = s.mode == " WRITE" ? std::max(1, static_cast<int>(BoxValue(s.scanNumber))) : 1;
    return scans * one + (scans - 1) * BoxValue(s.interval) * 1000.0;
}

bool Whole(const TakenCommand& c) { return c.acknowledged == PairBlocks && !c.faulted; }

bool Same(double a, double b) { return std::fabs(a - b) <= std::max(0.06, 1e-4 * std::fabs(b)); }

template <typename Column>
bool Equal(const std::vector<double>& values, const Column& column) {
    for (size_t i = 0; i < values.size(); ++i)
        if (!Same(values[i], column[i])) return false;
    return true;
}

std::string Describe(const TakenCommand& c) {
    std::ostringstream out;
    out << "command " << int(c.mode) << " (pair " << c.pair << ", integration " << c.parameters.IntegrationTime
        << ", scans " << c.parameters.NumToAverage << ", Scan# " << c.parameters.ScanNumber << ", interval "
        << c.parameters.IntervalTenths << ", read pointer " << c.readPointer << ")";
    return out.str();
}

std::string Describe(const Screen& s) {
    return "screen: mode '" + s.mode + "', Integ " + s.integration + ", Aver " + s.average + ", Raddr " +
           s.readAddress + ", Scan# " + s.scanNumber + ", Interv " + s.interval;
}

bool Says(const std::string& text, const char* words) { return text.find(words) != std::string::npos; }

}  // namespace

std::string RuleName(Rule rule) {
    switch (rule) {
        case Rule::MemoryWrite: return "the memory is written only by a scan command sent while the screen shows Write with that Scan#";
        case Rule::MemoryRead: return "the memory is read only in Read";
        case Rule::MemoryErase: return "the memory is erased only in the Erase mode of the access code";
        case Rule::Parameters: return "before every scan command the instrument holds the parameters on screen";
        case Rule::ReadPointer: return "a read-out starts at the stored scan the screen says";
        case Rule::SavedFile: return "every saved scan file equals what the instrument sent for that pair";
        case Rule::KineticLog: return "every kinetic-log line names a file that exists, with that file's values";
        case Rule::InStep: return "the instrument ends every exchange in step";
        case Rule::WaitBound: return "no wait lasts longer than its bound";
        case Rule::BoxClosed: return "no action leaves a box that no answer closes";
    }
    return "";
}

TrialObserver::TrialObserver(TrialWorld& world) : world_(world) {}

bool TrialObserver::LastReadWhole() const {
    for (const TakenCommand& c : world_.Instrument().Commands())
        if (c.pair == lastReadPair_) return Whole(c);
    return false;
}

Screen TrialObserver::ReadScreen() {
    MDIForm1* found = world_.Program().app.forms.Find<MDIForm1>();
    if (!found) return {};
    MDIForm1& m = *found;
    return {m.Text2.Text(), m.Text3.Text(), m.Text4.Text(), m.Text5.Text(), m.Text6.Text(), m.Text7.Text()};
}

void TrialObserver::Break(Rule rule, const std::string& detail) { breaks_.push_back({rule, detail, step_}); }

void TrialObserver::ProgramStarted() {
    expectedRead_ = static_cast<int>(BoxValue(world_.Mdi().Text5.Text()));
    journalAtStart_ = 0;
}

void TrialObserver::BeginStep(const Action& action, int step) {
    action_ = action;
    step_ = step;
    journalAtStart_ = world_.HasProgram() ? world_.Program().comm.Journal().size() : 0;
    boxesAtStart_ = world_.Op().Boxes().size();
    commandsAtStart_ = world_.Instrument().Commands().size();
    screenAtStart_ = world_.HasProgram() ? ReadScreen() : Screen{};
    firstRead_.reset();
    lastRead_.reset();
}

void TrialObserver::CommandTaken(const TakenCommand& c) {
    const Screen s = ReadScreen();
    const InstrumentParameters& p = c.parameters;
    // The instrument may take a command after the step that sent it has changed the screen (the
    // erase run restores the mode); the screen the step began with counts too.
    const auto shown = [&](const char* mode, bool withScanNumber) {
        for (const Screen* seen : {&s, static_cast<const Screen*>(&screenAtStart_)})
            if (seen->mode == mode && (!withScanNumber || BoxValue(seen->scanNumber) == p.ScanNumber)) return true;
        return false;
    };
    if (c.mode == 2 && p.ScanNumber != 0 && !shown(" WRITE", true))
        Break(Rule::MemoryWrite, Describe(c) + " writes " + std::to_string(p.ScanNumber) + " scans; " + Describe(s));
    if (c.mode == 48 && !shown("  Read", false)) Break(Rule::MemoryRead, Describe(c) + "; " + Describe(s));
    if (c.mode == 64 && !shown(" ERASE", false)) Break(Rule::MemoryErase, Describe(c) + "; " + Describe(s));

    // The test scan of the automatic integration time measures at 4.0 ms, one scan, on purpose.
    const bool testScan = action_.name == "AutoInteg" && p.IntegrationTime == 40 && p.NumToAverage == 1;
    const bool timesShown = Tenths(s.integration) == p.IntegrationTime && BoxValue(s.average) == p.NumToAverage;
    if ((!timesShown && !testScan) || BoxValue(s.scanNumber) != p.ScanNumber || Tenths(s.interval) != p.IntervalTenths)
        Break(Rule::Parameters, Describe(c) + "; " + Describe(s));

    if (c.mode == 48) {
        // After a pair of the step that did not come whole the program puts the pointer back.
        std::optional<int> expected = expectedRead_;
        if (lastRead_) expected = *lastRead_ + (LastReadWhole() ? 1 : 0);
        if (expected && c.readPointer != *expected)
            Break(Rule::ReadPointer, Describe(c) + " reads stored scan " + std::to_string(c.readPointer) +
                                         " where the read-out stands at " + std::to_string(*expected) + "; " +
                                         Describe(s));
        if (!firstRead_) firstRead_ = c.readPointer;
        lastRead_ = c.readPointer;
        lastReadPair_ = c.pair;
    }
}

bool TrialObserver::StepToldFailure() const {
    const std::vector<SeenBox>& boxes = world_.Op().Boxes();
    for (size_t i = boxesAtStart_; i < boxes.size(); ++i) {
        const std::string& t = boxes[i].text;
        if (Says(t, "NO DATA TRANSMITTED") || Says(t, "failed") || Says(t, "could not be opened") ||
            Says(t, "have not been sent") || Says(t, "still busy") || Says(t, "cannot be kept"))
            return true;
    }
    return false;
}

// Bytes that went to the instrument, on port 1, in this step.
bool TrialObserver::StepSentBytes() const {
    const std::vector<std::string>& journal = world_.Program().comm.Journal();
    bool onInstrument = true;  // a port opened before the step is port 1 unless an open says not
    for (size_t i = journalAtStart_; i < journal.size(); ++i) {
        if (journal[i].rfind("open ", 0) == 0) onInstrument = journal[i].rfind("open 1 ", 0) == 0;
        if (onInstrument && journal[i].rfind("out", 0) == 0) return true;
    }
    return false;
}

// Where the next read-out should start: the address the operator gave the read-address box, and
// after a read-out that brought its scans, the scan after the last one; a read-out that failed
// leaves it where it was.
void TrialObserver::KeepReadPointer() {
    const bool committed = action_.name == "SetPara" ||
                           (action_.name == "Integ" || action_.name == "Aver" || action_.name == "Bin" ||
                            action_.name == "Raddr" || action_.name == "Scan" || action_.name == "Interv");
    // A read-out out of place has been told once: from here on the account follows the instrument.
    if (firstRead_) expectedRead_ = StepToldFailure() ? *firstRead_ : *lastRead_ + (LastReadWhole() ? 1 : 0);
    if (committed) expectedRead_ = static_cast<int>(BoxValue(world_.Mdi().Text5.Text()));
}

void TrialObserver::Trace() {
    std::ostream& out = *trace;
    out << "step " << step_ << ": " << ToText(action_) << "\n";
    const std::vector<std::string>& journal = world_.Program().comm.Journal();
    const std::vector<double>& times = world_.Program().comm.JournalTimes();
    for (size_t i = journalAtStart_; i < journal.size(); ++i) out << "    " << times[i] << " ms  " << journal[i] << "\n";
    const std::vector<TakenCommand>& commands = world_.Instrument().Commands();
    for (size_t i = commandsAtStart_; i < commands.size(); ++i)
        out << "    instrument: " << Describe(commands[i]) << ", " << commands[i].acknowledged << " acknowledged"
            << (commands[i].faulted ? ", faulted" : "") << "\n";
    const std::vector<SeenBox>& boxes = world_.Op().Boxes();
    for (size_t i = boxesAtStart_; i < boxes.size(); ++i) out << "    box [" << boxes[i].answer << "]: " << boxes[i].text << "\n";
    out << "    " << Describe(ReadScreen()) << "; instrument in pair: " << world_.Instrument().InPair()
        << ", read pointer " << world_.Instrument().ReadPointer() << "\n";
}

void TrialObserver::EndStep() {
    world_.Program().comm.CatchUp();
    if (trace) Trace();
    KeepReadPointer();
    CheckFiles();
    CheckLogs();
    CheckInStep();
    CheckWaits();
    CheckBoxesClosed();
}

void TrialObserver::WaitWithoutEnd() {
    Break(Rule::WaitBound, "the step was still waiting after twenty minutes on the clock");
}

void TrialObserver::CheckInStep() {
    SimulatedInstrument& ins = world_.Instrument();
    // A block cut off by an adapter pulled in its middle is lost too, and ends on the pause after
    // the step that told the failure (in simulation mode nothing is told): that loss is the
    // line's, not the program's.
    const bool told = StepToldFailure() || !world_.Program().comm.PortPresent(1);
    if (ins.LostParameterBlocks() > lostBlocksSeen_ && !told && !failureToldBefore_)
        Break(Rule::InStep, "a parameter block was lost: a byte came before the pause that ends a block");
    lostBlocksSeen_ = ins.LostParameterBlocks();
    failureToldBefore_ = told;
    const bool excused = told || action_.escapeAt > 0 || (pairLeftExcused_ && !StepSentBytes());
    if (ins.InPair() && !excused)
        Break(Rule::InStep, "the instrument is left in pair " + std::to_string(ins.PairsStarted()) + " with " +
                                std::to_string(ins.BlocksAcknowledged()) + " blocks acknowledged, and no box said why");
    pairLeftExcused_ = ins.InPair() && excused;
    if (ins.Stage() != InstrumentStage::Running) Break(Rule::InStep, "the instrument is not running its programs");
}

void TrialObserver::CheckWaits() {
    const std::vector<double>& times = world_.Program().comm.JournalTimes();
    const std::vector<TakenCommand>& commands = world_.Instrument().Commands();
    // The loader's wake-up is the longest fixed bound met without firmware; a reply's bound grows
    // with the measuring time of the parameters on screen or in force, and the pair of a reply
    // given up is awaited a grace past it.
    double longest = std::max({5000.0, MeasuringMs(screenAtStart_) + 2000.0, MeasuringMs(ReadScreen()) + 2000.0});
    for (size_t i = commandsAtStart_ > 0 ? commandsAtStart_ - 1 : 0; i < commands.size(); ++i)
        longest = std::max(longest, MeasuringMs(commands[i]) + 2000.0 + link::OwedPairGraceMs);
    const double bound = longest + 1000.0;
    const std::vector<std::string>& journal = world_.Program().comm.Journal();
    for (size_t i = journalAtStart_ + 1; i < times.size(); ++i) {
        // Settings given to a closed port are noted at the port's last reading of the clock.
        if (journal[i - 1].rfind("settings", 0) == 0 && journal[i].rfind("open", 0) == 0) continue;
        const double gap = times[i] - times[i - 1];
        if (gap > bound) {
            std::ostringstream out;
            out << "nothing happened on the line for " << gap << " ms, before \"" << journal[i]
                << "\", where the longest bound in force is " << bound << " ms";
            Break(Rule::WaitBound, out.str());
            return;
        }
    }
}

void TrialObserver::CheckBoxesClosed() {
    const size_t boxes = world_.Op().Boxes().size() - boxesAtStart_;
    if (boxes > MostBoxesOfAStep)
        Break(Rule::BoxClosed, std::to_string(boxes) + " boxes in one step, the last \"" +
                                   world_.Op().Boxes().back().text + "\"");
    Forms& forms = world_.Program().app.forms;
    for (Form* f : std::initializer_list<Form*>{forms.Find<ERASEFORM>(), forms.Find<SettingsForm>(),
                                                forms.Find<InstrumentForm>()}) {
        if (f && f->Visible()) Break(Rule::BoxClosed, "the window " + f->Name() + " stays open after its answer");
    }
}

void TrialObserver::CheckFiles() {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const std::string& path : world_.SpectrumFiles()) {
        FileStamp stamp;
        stamp.size = static_cast<long long>(fs::file_size(path, ec));
        stamp.modified = fs::last_write_time(path, ec).time_since_epoch().count();
        FileStamp& known = files_[path];
        if (known == stamp) continue;
        known = stamp;
        CheckFile(path);
    }
}

void TrialObserver::CheckFile(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    const std::optional<SpectrumText> file = ReadSpectrumText(path);
    if (!file) {
        Break(Rule::SavedFile, name + " is no spectrum file");
        return;
    }
    const std::vector<TakenCommand>& commands = world_.Instrument().Commands();
    const ProgramState& state = *world_.Program().state;

    if (file->scans > 0) {  // a read-out of several stored scans
        if (file->rows.size() != Pixels) {
            Break(Rule::SavedFile, name + ": a read-out of " + std::to_string(file->scans) + " stored scans has " +
                                       std::to_string(file->rows.size()) + " rows, not one per pixel");
            return;
        }
        for (int i = 0; i < Pixels; ++i) {
            if (!Same(file->rows[i][0], state.WaveLength[i])) {
                Break(Rule::SavedFile, name + ": row " + std::to_string(i) + " is at " +
                                           std::to_string(file->rows[i][0]) + " nm, pixel " + std::to_string(i) +
                                           " at " + std::to_string(state.WaveLength[i]) + " nm");
                return;
            }
        }
        // Scan j's columns 2j - 1 and 2j are the sample and reference passes of one whole pair, the
        // scans of consecutive read-out commands.
        std::optional<size_t> first;
        for (size_t k = commands.size(); k-- > 0 && !first;) {
            const TakenCommand& c = commands[k];
            if (c.mode != 48 || !Whole(c) || k + file->scans > commands.size()) continue;
            bool all = true;
            for (int j = 0; j < file->scans && all; ++j) {
                const TakenCommand& cj = commands[k + j];
                all = cj.mode == 48 && Whole(cj) && Equal(file->Column(2 * j + 1), cj.answer.sample) &&
                      Equal(file->Column(2 * j + 2), cj.answer.reference);
                if (all && (j >= static_cast<int>(file->scanTemperatures.size()) ||
                            std::fabs(file->scanTemperatures[j] - TemperatureOf(cj.answer)) > TemperatureSlack))
                    all = false;
            }
            if (all) first = k;
        }
        if (!first)
            Break(Rule::SavedFile, name + ": its " + std::to_string(file->scans) +
                                       " scans are not the whole pairs of one read-out, with their temperatures");
        return;
    }

    const std::vector<double> ch1 = file->Column(1);
    if (file->rows.size() != Pixels) {
        // Bins: each lies within the light of the spectrum it was made from.
        for (const TakenCommand& c : commands) {
            if (!Whole(c)) continue;
            const auto [lo1, hi1] = std::minmax_element(c.answer.sample.begin(), c.answer.sample.begin() + TemperaturePixel);
            bool inside = std::all_of(ch1.begin(), ch1.end(), [&](double v) { return v >= *lo1 - 0.06 && v <= *hi1 + 0.06; });
            if (inside) return;
        }
        for (const std::vector<double>& column : world_.Simulation())
            if (!column.empty()) return;  // the simulation file's bins are not checked
        Break(Rule::SavedFile, name + ": its " + std::to_string(ch1.size()) + " bins come from no whole pair");
        return;
    }

    const std::vector<double> ch2 = file->series ? std::vector<double>{} : file->Column(2);
    const bool onePass = std::all_of(ch2.begin(), ch2.end(), [](double v) { return v == 0.0; });
    // A spectrum of one pass read back from its file and saved again has no second channel.
    if (!onePass) {
        // Read twice, a stored scan comes in two pairs alike: a whole one among them, whose header
        // values the file carries, is its source.
        const TakenCommand* broken = nullptr;
        std::string firstWrong;
        for (size_t k = commands.size(); k-- > 0;) {
            const TakenCommand& c = commands[k];
            if (!Equal(ch1, c.answer.sample) || !Equal(ch2, c.answer.reference)) continue;
            if (!Whole(c)) {
                if (!broken) broken = &c;
                continue;
            }
            std::string wrong;
            if (std::fabs(file->temperature - TemperatureOf(c.answer)) > TemperatureSlack)
                wrong += " temperature " + std::to_string(file->temperature) + " (its pair's " +
                         std::to_string(TemperatureOf(c.answer)) + ")";
            if (!Same(file->integration, c.parameters.IntegrationTime / 10.0))
                wrong += " integration " + std::to_string(file->integration) + " ms (its pair's " +
                         std::to_string(c.parameters.IntegrationTime / 10.0) + ")";
            if (file->scansAveraged != c.parameters.NumToAverage)
                wrong += " number of scans " + std::to_string(file->scansAveraged) + " (its pair's " +
                         std::to_string(c.parameters.NumToAverage) + ")";
            if (wrong.empty()) return;
            if (firstWrong.empty()) firstWrong = name + ", the pair of " + Describe(c) + ", has the header" + wrong;
        }
        if (!firstWrong.empty()) {
            Break(Rule::SavedFile, firstWrong);
            return;
        }
        if (broken) {
            Break(Rule::SavedFile, name + " holds the broken pair of " + Describe(*broken));
            return;
        }
        const std::vector<std::vector<double>>& sim = world_.Simulation();
        if (sim.size() >= 3 && Equal(ch1, sim[1]) && Equal(ch2, sim[2])) return;
        Break(Rule::SavedFile, name + " holds no pair the instrument sent");
        return;
    }

    // A slot of its own (a dark spectrum, the reference): one pass of a whole pair, or none at all.
    if (std::all_of(ch1.begin(), ch1.end(), [](double v) { return v == 0.0; })) return;
    for (const TakenCommand& c : commands)
        if (Whole(c) && (Equal(ch1, c.answer.sample) || Equal(ch1, c.answer.reference))) return;
    for (const std::vector<double>& column : world_.Simulation())
        if (!column.empty() && Equal(ch1, column)) return;
    Break(Rule::SavedFile, name + " holds no pass of a whole pair");
}

void TrialObserver::CheckLogs() {
    for (const char* log : {"~Ratio.Tmp", "~Diagnost.Tmp"}) {
        const std::string path = world_.Folder() + "/" + log;
        std::ifstream in(path, std::ios::binary);
        if (!in) continue;
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        size_t& done = logRead_[log];
        if (text.size() < done) done = 0;
        std::istringstream lines(text.substr(done));
        done = text.size();
        std::string line;
        while (std::getline(lines, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty()) continue;
            const std::optional<LogLine> entry = ParseLogLine(line);
            if (!entry) {
                Break(Rule::KineticLog, std::string(log) + ": a line that is no log line: " + line);
                continue;
            }
            std::string file;
            for (const std::string& p : world_.SpectrumFiles())
                if (p.size() >= entry->name.size() && p.compare(p.size() - entry->name.size(), entry->name.size(), entry->name) == 0)
                    file = p;
            if (file.empty()) {
                Break(Rule::KineticLog, std::string(log) + " names " + entry->name + ", which does not exist");
                continue;
            }
            const std::optional<SpectrumText> saved = ReadSpectrumText(file);
            if (!saved) continue;  // the file's own check tells
            if (std::fabs(entry->seconds - saved->elapsed) > 0.51)
                Break(Rule::KineticLog, std::string(log) + ": " + line + ": " + std::to_string(entry->seconds) +
                                            " s where the file says " + std::to_string(saved->elapsed));
            if (std::string(log) == "~Diagnost.Tmp" &&
                std::fabs(Number(entry->value) - saved->temperature) > TemperatureSlack)
                Break(Rule::KineticLog, std::string(log) + ": " + line + ": the file says " +
                                            std::to_string(saved->temperature) + " deg C");
        }
    }
}

}  // namespace tav::trial
