// CPlotaraDlg: Plotara's behaviour — start-up check, the data file list, the graph request and
// the guarded exit.
//
// The window (plotara/ui) shows the list this model fills, reads its controls for the model and
// shows the model's message boxes; every decision is made here.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "data_catalogue.h"
#include "dialog/message_box.h"
#include "graph_processes.h"
#include "list/sorted_list_model.h"
#include "platform/named_mutex.h"

namespace plotara {

// What CPlotaraDlg asks of its window besides message boxes.
class IPlotaraView {
public:
    virtual ~IPlotaraView() = default;
    // The selected rows of the data file list, in list order.
    virtual std::vector<int> SelectedRows() const = 0;
    // The index of the chosen entry of the counter choice list.
    virtual int SelectedCounter() const = 0;
    // True while "時間のみ表示する" is checked.
    virtual bool IsTimeOnlyChecked() const = 0;
    // Puts the block on the clipboard under "VARNOLE_GRAPH_PARAM", the window owning the
    // clipboard; kSuccess when it is there.
    virtual platform::ErrorCode PutOnClipboard(const std::string& strBlock) = 0;
    // The wait cursor on or off.
    virtual void ShowWaitCursor(bool bWait) = 0;
    // Closes the window, which ends the program.
    virtual void Close() = 0;
};

// What CPlotaraDlg asks of the machine; Real() gives the real operations.
struct SPlotaraEnvironment {
    std::string m_strGraphMutex;
    std::string m_strMainMutex;
    std::function<std::string()> m_fnDataDirectory;
    CDataCatalogue::HeaderReader m_fnReadHeader;  // empty: CDataFileHeader::Read
    ProgramStarter m_fnStartGraph;

    // The suite's mutex names, FindDataDirectory, the header reader, and ".\Graph.exe" waited
    // for until idle for at most two minutes.
    static SPlotaraEnvironment Real();
};

class CPlotaraDlg {
public:
    // The view and the message boxes' view must outlive the model.
    CPlotaraDlg(IPlotaraView& view, IMessageBoxView& messageBoxes, SPlotaraEnvironment environment);

    // The start-up check, before the window exists: Plotara must be the only copy and the main
    // menu must be running. Shows the failing check's message (no owner window); false when the
    // program must end. Plotara's own mutex is held from here until this object goes.
    bool RunStartupChecks();

    // The window opens: the list gets its columns and the catalogue fills it, newest first.
    void OnInit();

    // "グラフ作成" (or Enter): builds the request from the window's choices; refuses it with a
    // warning, or puts it on the clipboard and starts Graph with the wait cursor showing.
    void OnCreateGraph();

    // "終了", Escape or a close request: refused while a Graph started here runs, otherwise the
    // Yes/No question; Yes closes the window.
    void RequestExit();

    CSortedListModel& List() { return m_list; }
    const CDataCatalogue& Catalogue() const { return m_catalogue; }
    std::size_t RunningGraphs() const { return m_graphs.Count(); }

private:
    IPlotaraView& m_view;
    CMessageBoxes m_boxes;
    SPlotaraEnvironment m_environment;
    platform::NamedMutex m_mutexGraph;
    CSortedListModel m_list;
    CDataCatalogue m_catalogue;
    CGraphProcesses m_graphs;  // last: its watchers are joined before anything else goes
};

}  // namespace plotara
