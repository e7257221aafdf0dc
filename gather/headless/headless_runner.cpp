// The headless runner's session: start-up, one tick a second, the exit path, destruction.
#include "headless_runner.h"

#include <chrono>
#include <thread>

#include "console_view.h"
#include "gather_dlg.h"
#include "list_layouts.h"
#include "sim/host_access_choice.h"

namespace {

// Prints the run-log rows added since the last call, oldest first (new rows go to the top).
class CRunLogPrinter {
public:
    CRunLogPrinter(const CSortedListModel& log, std::ostream& out) : m_pLog(&log), m_pOut(&out) {}

    void PrintNew() {
        const int nRows = m_pLog->GetRowCount();
        for (int r = nRows - m_nPrinted - 1; r >= 0; --r) {
            *m_pOut << m_pLog->GetText(r, kColLogTime) << '\t' << m_pLog->GetText(r, kColLogTarget)
                    << '\t' << m_pLog->GetText(r, kColLogMessage) << '\n';
        }
        m_nPrinted = nRows;
        m_pOut->flush();
    }

private:
    const CSortedListModel* m_pLog;
    std::ostream* m_pOut;
    int m_nPrinted = 0;
};

}  // namespace

int RunHeadless(const CHeadlessOptions& options, std::ostream& out, std::ostream& err,
                platform::HostAccess* pNetwork) {
    if (pNetwork == nullptr) {
        if (!sim::ProcessHostAccessError().empty())
            err << "simulation: " << sim::ProcessHostAccessError() << std::endl;
        pNetwork = &sim::ProcessHostAccess();
    }

    CConsoleGatherView view(err);
    CGatherDlg dlg(view, view, view, SystemGatherEnvironment(*pNetwork));
    CGatherStartup startup;
    startup.m_bRequireMainMenu = false;
    startup.m_strProgramDir = options.m_strProgramDir;
    startup.m_strDataDirOverride = options.m_strDataDir;
    if (!dlg.InitGather(startup)) return kHeadlessStartupFailed;
    err << "program directory: " << dlg.GetProgramDirectory() << "\n"
        << "data directory: " << dlg.GetDataDirectory() << std::endl;

    CRunLogPrinter printer(dlg.RunLog(), out);
    const auto tStart = std::chrono::steady_clock::now();
    for (int nTick = 1; nTick <= options.m_nSeconds; ++nTick) {
        std::this_thread::sleep_until(tStart + std::chrono::seconds(nTick));
        dlg.OnSchedulerTick();
        printer.PrintNew();
    }

    // The console answers the question Yes; the exit is called off only when the settings file
    // could not be saved (the reason went to err).
    const bool bClosed = dlg.OnExitRequest();
    dlg.OnDestroyGather();
    printer.PrintNew();
    return bClosed ? kHeadlessOk : kHeadlessSaveFailed;
}
