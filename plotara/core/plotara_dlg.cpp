// CPlotaraDlg: Plotara's decisions, driven by its window.
#include "plotara_dlg.h"

#include <utility>

#include "data_directory.h"
#include "graph_param.h"
#include "graph_request.h"
#include "plotara_texts.h"

namespace plotara {

SPlotaraEnvironment SPlotaraEnvironment::Real() {
    SPlotaraEnvironment environment;
    environment.m_strGraphMutex = std::string(kGraphMutex);
    environment.m_strMainMutex = std::string(kMainMutex);
    environment.m_fnDataDirectory = [] { return FindDataDirectory(); };
    environment.m_fnStartGraph =
        ChildProcessStarter(std::string(kGraphCommandLine), kGraphIdleTimeoutMs);
    return environment;
}

CPlotaraDlg::CPlotaraDlg(IPlotaraView& view, IMessageBoxView& messageBoxes,
                         SPlotaraEnvironment environment)
    : m_view(view),
      m_boxes(messageBoxes),
      m_environment(std::move(environment)),
      m_catalogue(m_environment.m_fnReadHeader) {}

bool CPlotaraDlg::RunStartupChecks() {
    const platform::ErrorCode nGraph = m_mutexGraph.Create(m_environment.m_strGraphMutex, true);
    if (nGraph == platform::kErrorAlreadyExists) {
        m_mutexGraph.Close();
        m_boxes.Show(std::string(kTextAlreadyRunning), std::string(kCaptionStartupCheck),
                     EMessageIcon::kError, EMessageButtons::kOk);
        return false;
    }
    if (nGraph != platform::kSuccess) return false;

    // Only whether the main menu's mutex exists matters. The probe's handle is closed at once:
    // held on, it would keep the name alive after the menu has ended, and a menu started again
    // would take itself for a second copy.
    platform::NamedMutex mutexMain;
    const platform::ErrorCode nMain = mutexMain.Create(m_environment.m_strMainMutex, true);
    mutexMain.Close();
    if (nMain == platform::kErrorAlreadyExists) return true;
    if (nMain != platform::kSuccess) {
        m_mutexGraph.Close();
        return false;
    }
    // Nobody else should meet Plotara's name while the message is up: this copy is ending.
    m_mutexGraph.Close();
    m_boxes.Show(std::string(kTextStartFromMenu), std::string(kCaptionStartupCheck),
                 EMessageIcon::kError, EMessageButtons::kOk);
    return false;
}

void CPlotaraDlg::OnInit() {
    if (m_list.GetColumnCount() == 0) m_list.SetColumnLayout(kCatalogueLayout);
    m_catalogue.SetDataDirectory(m_environment.m_fnDataDirectory());
    m_catalogue.FillCatalogue(m_list);
}

void CPlotaraDlg::OnCreateGraph() {
    const SGraphRequest request =
        BuildGraphRequest(m_list, m_catalogue, m_view.SelectedRows(), m_view.SelectedCounter(),
                          m_view.IsTimeOnlyChecked());
    if (!request.Ok()) {
        m_boxes.Show(request.m_strRefusal, std::string(kCaptionError), EMessageIcon::kWarning,
                     EMessageButtons::kOk);
        return;
    }
    // Without the request on the clipboard, Graph would have nothing to draw.
    if (m_view.PutOnClipboard(EncodeGraphParamBlock(request.m_param)) != platform::kSuccess) {
        m_boxes.Show(std::string(kTextClipboardFailed), std::string(kCaptionError),
                     EMessageIcon::kWarning, EMessageButtons::kOk);
        return;
    }
    m_view.ShowWaitCursor(true);
    // A Graph that cannot be started is not reported: the request stays on the clipboard.
    m_graphs.Start(m_environment.m_fnStartGraph);
    m_view.ShowWaitCursor(false);
}

void CPlotaraDlg::RequestExit() {
    if (m_graphs.Count() != 0) {
        m_boxes.Show(std::string(kTextGraphRunning), std::string(kCaptionExitCheck),
                     EMessageIcon::kError, EMessageButtons::kOk);
        return;
    }
    if (m_boxes.AskYesNo(std::string(kTextReallyExit), std::string(kCaptionExit),
                         EMessageIcon::kWarning))
        m_view.Close();
}

}  // namespace plotara
