// CConvertDlg: Convert's window behaviour — the list of collections, the output folder, the
// conversion on a worker thread with its progress, cancel and report.
//
// The window (convert/ui) moves values between its controls and this model; everything it
// decides comes from here, through IConvertView and the message boxes it shows for the model.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "convert_job.h"
#include "convert_texts.h"
#include "dialog/message_box.h"
#include "list/sorted_list_model.h"
#include "platform/named_mutex.h"
#include "run_list.h"

namespace convert {

// What CConvertDlg asks of its window besides message boxes.
class IConvertView {
public:
    virtual ~IConvertView() = default;
    // The list rows the user selected (rows of the model, ascending).
    virtual std::vector<int> SelectedRows() const = 0;
    // The folder picker, opened on strInitial; nothing when the user cancelled.
    virtual std::optional<std::string> AskFolder(const std::string& strInitial) = 0;
    virtual void ShowDataDirectory(const std::string& strText) = 0;
    virtual void ShowOutputFolder(const std::string& strFolder) = 0;
    virtual void ShowStatus(const std::string& strText) = 0;
    // The progress bar, nPermille of 1000, hidden when not bVisible.
    virtual void ShowProgress(bool bVisible, int nPermille) = 0;
    // While converting: the list, the folder button, the encoding box and "ＣＳＶ作成" are
    // disabled and "中止" is enabled; the other way round otherwise.
    virtual void SetConverting(bool bConverting) = 0;
    // The timer that calls OnTick while a conversion runs.
    virtual void StartTimer() = 0;
    virtual void StopTimer() = 0;
    // Closes the window, which ends the program.
    virtual void Close() = 0;
};

// What CConvertDlg runs on; the defaults are the real platform operations.
struct SConvertEnvironment {
    std::string m_strMutex = kConvertMutexName;
    // Reads the configured data directory.
    std::function<platform::ErrorCode(std::string&)> m_fnReadDataDirectory;
    std::string m_strProgramDir;
    // Lists the data files of a directory (companion::ListDataFiles with its reader).
    std::function<platform::ErrorCode(const std::string&, std::vector<companion::CDataFileEntry>&)>
        m_fnListFiles;
    // True when a file or folder of the path exists.
    std::function<bool(const std::string&)> m_fnExists;

    static constexpr const char* kConvertMutexName = "VARNOLE_ConvProgram";
    // The configuration store, the program's own folder, the file system.
    static SConvertEnvironment Real();
};

class CConvertDlg {
public:
    // The view and the message boxes' view must outlive the model.
    CConvertDlg(IConvertView& view, IMessageBoxView& messageBoxes, SConvertEnvironment environment);
    ~CConvertDlg();

    // Once the window exists: takes the program's mutex (a second copy shows the message and
    // closes the window; false), finds the data directory and fills the list.
    bool OnInit();
    // The list's rows; the window shows this model.
    CSortedListModel& List() { return m_list; }

    // Reads the data directory again.
    void Refresh();
    // "参照...": the folder picker for the output folder.
    void OnChooseFolder();
    // "ＣＳＶ作成": converts the selected collections into the output folder.
    void OnConvert(bool bUtf8);
    // The timer while converting: progress, and the report when the job is done.
    void OnTick();
    // "中止": stops the conversion; the file being written is not left behind.
    void OnStop();
    // "終了", Escape, a close request: while converting, asks first and stops the conversion.
    void OnExit();

    bool IsConverting() const { return m_pJob != nullptr; }
    const std::string& OutputFolder() const { return m_strOutputFolder; }
    const std::vector<CRunEntry>& Runs() const { return m_vecRuns; }
    // Waits for a running conversion to end (tests; the window polls instead).
    void WaitForJob();

private:
    void Finish();

    IConvertView& m_view;
    CMessageBoxes m_boxes;
    SConvertEnvironment m_environment;
    platform::NamedMutex m_mutex;
    CSortedListModel m_list;
    std::string m_strDataDir;
    std::string m_strOutputFolder;
    std::vector<CRunEntry> m_vecRuns;
    std::unique_ptr<CConvertJob> m_pJob;
    std::vector<CTaskReport> m_vecReports;  // the running job's tasks, results filled at the end
};

}  // namespace convert
