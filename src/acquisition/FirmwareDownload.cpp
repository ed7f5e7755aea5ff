#include "acquisition/FirmwareDownload.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "acquisition/FirmwareImage.h"
#include "acquisition/LinkPort.h"
#include "acquisition/LinkProtocol.h"
#include "acquisition/ParameterBlocks.h"
#include "acquisition/StatusFont.h"
#include "acquisition/WaitBound.h"
#include "files/FileMessages.h"
#include "platform/Clock.h"
#include "platform/Delay.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "platform/comm/CommControl.h"
#include "shared/ProgramState.h"

namespace tav {

namespace {

constexpr const char* MasterText = "                         L0ADING MASTER...";
constexpr const char* SlaveText = "                         L0ADING SLAVE...";
constexpr const char* ReadyText = "                         SYSTEM READY";
constexpr float FirstStatusY = 300;
constexpr int32_t LowestIntegrationTime = 40;

class Download {
public:
    explicit Download(AcquisitionContext& ctx) : ctx_(ctx), comm_(ctx.comm), s_(ctx.state), alive_(ctx) {}

    void Run() {
        if (!Open(link::LoaderSettings) || !Wake()) return Fail();
        std::optional<std::vector<std::string>> master = Image(MasterImageName);
        std::optional<std::vector<std::string>> slave = master ? Image(SlaveImageName) : std::nullopt;
        if (!slave) return Fail();
        s_.NoInstrumentResponse = false;

        Canvas& form = ctx_.windows.MainFormSurface();
        std::optional<StatusFont> font(std::in_place, form, ctx_.op);
        form.CurrentX = 0;
        form.CurrentY = FirstStatusY;
        form.Print(MasterText);
        if (!SelectLoader() || !Reopen() || !Send({link::Escape}, link::LoaderStepMs) ||
            !Send({link::LoadStart}, link::LoaderStepMs) || !SendImage(*master) ||
            !RunImage() || !Send({link::StartProgram}, 0) || !Parameters())
            return Fail();
        ClosePortAfterOutput(ctx_);

        if (!Open(link::LoaderSettings) || !Send({link::SlaveAnnounce}, 0)) return Fail();
        form.Print(SlaveText);
        if (!SelectLoader() || !Reopen() || !Send({link::SlaveAnnounce}, link::LoaderStepMs) ||
            !Send({link::Escape}, link::LoaderStepMs) || !Send({link::LoadStart}, link::LoaderStepMs) ||
            !SendImage(*slave))
            return Fail();
        form.Print(ReadyText);
        font.reset();
        if (!RunImage() || !Send({link::StartProgram}, link::SlaveStartMs) || !Parameters() ||
            !LinkPause(ctx_, link::ParameterByteMs) || !Send({link::EndOfDownload}, 0))
            return Fail();
        ClosePortAfterOutput(ctx_);
        // One averaged measurement, which the instrument takes once it runs.
        if (!LinkPause(ctx_, RoundHalfEven(static_cast<double>(s_.NumToAverage) * s_.IntegrationTime / 10.0)))
            Fail();
    }

private:
    // A port that failed stays open, for the caller to let go and tell why.
    void Fail() {
        s_.NoInstrumentResponse = true;
        if (comm_.PortOpen() && comm_.PortFault()) comm_.SetPortOpen(false);
    }

    bool Open(const char* settings) {
        comm_.CommPort = s_.CommPortNumber;
        CommResult opened = comm_.SetSettings(settings);
        if (opened) opened = comm_.SetPortOpen(true);
        if (!opened) ReportPortFailure(ctx_, PortFailureText(s_.CommPortNumber, opened.error));
        return static_cast<bool>(opened);
    }

    // Each byte as one Output, then the pause (none for 0). The whole download is one long wait:
    // every step keeps the program alive, and Escape gives the download up.
    bool Send(std::initializer_list<char> bytes, int16_t pauseMs) {
        if (!alive_.Beat()) return false;
        for (char b : bytes)
            if (!SendToInstrument(ctx_, std::string(1, b))) return false;
        return pauseMs <= 0 || LinkPause(ctx_, pauseMs);
    }

    // The loader answers the wake-up with "1"; anything else it says first is dropped.
    bool Wake() {
        comm_.ClearInBuffer();
        for (char b : link::WakeUp)
            if (!SendToInstrument(ctx_, std::string(1, b))) return false;
        comm_.InputLen = 1;
        WaitBound quiet(ctx_, link::WakeQuietMs);
        WaitBound cap(ctx_, link::WakeCapMs);
        for (;;) {
            std::string c = comm_.Input();
            if (!comm_.LastReadResult()) return false;
            if (!c.empty() && c[0] == link::LoaderAwakeReply) return true;
            if (!c.empty()) quiet.Restart();
            else if (quiet.Expired()) return false;
            else quiet.Pause();
            if (cap.Expired()) return false;
        }
    }

    // The image read whole and checked; the operator is told why one cannot be sent.
    std::optional<std::vector<std::string>> Image(const char* name) {
        const std::string dir = ctx_.fs.CurrentDir();
        const std::string found = ctx_.fs.FindName(dir, name);
        ctx_.firmwareUnusable = true;  // until the image has been read
        const std::string image = std::string("The firmware image ") + name;
        if (found.empty()) {
            ctx_.op.MsgBox(image + " was not found in " + dir + ".", MsgButtons::OkOnly, MsgIcon::Exclamation);
            return std::nullopt;
        }
        FsError error = FsError::None;
        const std::unique_ptr<LineReader> reader = ctx_.fs.OpenLines(dir + "/" + found, &error);
        std::string why;
        std::optional<std::vector<std::string>> records;
        if (reader) records = ReadImageRecords(*reader, why);
        if (!records) {
            const std::string problem = !why.empty() ? " is not an S-record image: " + why
                                                     : " could not be read: " + FsErrorReason(reader ? reader->Error() : error);
            ctx_.op.MsgBox(image + " in " + dir + problem + "; nothing of it was sent.", MsgButtons::OkOnly,
                           MsgIcon::Exclamation);
            return std::nullopt;
        }
        ctx_.firmwareUnusable = false;
        return records;
    }

    bool SelectLoader() {
        comm_.ClearInBuffer();
        return LinkPause(ctx_, link::LoaderSelectLeadMs) && Send({link::Escape, link::LoaderSelect}, link::LoaderStepMs) &&
               Send({link::LoaderSelectImage}, 0);
    }

    bool Reopen() {
        ClosePortAfterOutput(ctx_);
        comm_.OutBufferSize = link::DownloadOutBufferSize;
        return Open(link::FastSettings);
    }

    // Every line character by character (a blank is not sent), each one on the line before a
    // short pause and the next, then the echo of the line read once and dropped.
    bool SendImage(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            if (!alive_.Beat()) return false;
            comm_.ClearInBuffer();
            comm_.InputLen = static_cast<int16_t>(std::min<size_t>(line.size(), INT16_MAX));
            for (char c : line) {
                if (c != ' ' && !comm_.Output(std::string(1, c))) return false;
                DelayMs(ctx_.clock, link::SRecordCharPauseMs);
            }
            if (!LinkPause(ctx_, link::SRecordLineMs)) return false;
            comm_.Input();
            if (!comm_.LastReadResult()) return false;
        }
        return true;
    }

    // ESC "J" and the loader's ")" (other characters are dropped).
    bool RunImage() {
        if (!LinkPause(ctx_, link::RunLeadMs)) return false;
        comm_.ClearInBuffer();
        if (!Send({link::Escape}, link::LoaderStepMs) || !Send({link::Run}, 0)) return false;
        comm_.InputLen = 1;
        WaitBound bound(ctx_, link::RunReplyMs);
        for (;;) {
            std::string c = comm_.Input();
            if (!comm_.LastReadResult()) return false;
            if (!c.empty() && c[0] == link::RunReply) return true;
            if (bound.Expired()) return false;
            if (c.empty()) bound.Pause();
        }
    }

    bool Parameters() {
        s_.IntegrationTime = std::max(s_.IntegrationTime, LowestIntegrationTime);
        return SendParameterBlockOnOpenPort(ctx_);
    }

    AcquisitionContext& ctx_;
    CommControl& comm_;
    ProgramState& s_;
    KeepAliveBeat alive_;
};

}  // namespace

void DownloadFirmware(AcquisitionContext& ctx) { Download(ctx).Run(); }

}  // namespace tav
