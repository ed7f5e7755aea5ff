#include "acquisition/ScanFlowContext.h"

#include "acquisition/ScanWindows.h"
#include "charts/TraceSelection.h"
#include "files/FileWindows.h"
#include "files/SpectrumFileReader.h"
#include "files/UntoldSpectrumRead.h"
#include "platform/forms/App.h"
#include "platform/forms/CommonDialog.h"
#include "platform/forms/FormHost.h"

namespace tav {

Canvas& FlowAcquisitionWindows::MainFormSurface() { return flow_.windows.SpectrumSurface(); }

bool FlowAcquisitionWindows::ReadSpectrumFile(int16_t slot) {
    return tav::ReadSpectrumFile(flow_.files, slot) == SpectrumReadResult::Ok;
}

SpectrumReadResult FlowAcquisitionWindows::ReadSpectrumFileUntold(int16_t slot, std::string& why) {
    return tav::ReadSpectrumFileUntold(flow_.files, slot, why);
}

void FlowAcquisitionWindows::SetDisplayChannel(int16_t slot) {
    tav::SetDisplayChannel(flow_.app.state, flow_.charts, slot);
}

void FlowAcquisitionWindows::SetDialogFileName(const std::string& path) {
    flow_.windows.SpectrumDialog().FileName = path;
}

void FlowAcquisitionWindows::ShowDrawing() { flow_.app.host.ShowDrawing(); }

// The front end runs its event loop here: whatever called the link (a scan flow, or the
// parameter boxes and the settings dialog, which are no flow of their own), no tick, key or click
// may start anything meanwhile.
bool FlowAcquisitionWindows::KeepAlive() {
    FlowScope busy(flow_.app.flow);
    return flow_.app.host.KeepAlive();
}

FlowAcquisition::FlowAcquisition(ScanFlowContext& flow)
    : windows(flow), ctx{flow.app.state, flow.app.comm, flow.app.clock, flow.app.fs, flow.app.op, windows} {}

}  // namespace tav
