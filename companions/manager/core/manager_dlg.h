// CManagerDlg: Manager's window behaviour — the data directory and its free space, every data
// file with its sample count, deleting finished files, changing the data directory.
//
// The window (manager/ui) moves values between its controls and this model; everything it
// decides comes from here, through IManagerView and the message boxes it shows for the model.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data_files.h"
#include "dialog/message_box.h"
#include "list/sorted_list_model.h"
#include "platform/named_mutex.h"
#include "sample_count_job.h"

namespace manager {

// The columns of Manager's list.
inline constexpr const char* kFileListLayout =
    "ファイル名,250;状態,50;ホスト名,75;実行ID,70;枝番,40;開始時間,170;サイズ,65;サンプル数,70";
inline constexpr int kFileColumnName = 0;
inline constexpr int kFileColumnStart = 5;
inline constexpr int kFileColumnSamples = 7;

// What CManagerDlg asks of its window besides message boxes.
class IManagerView {
public:
    virtual ~IManagerView() = default;
    // The list rows the user selected (rows of the model, ascending).
    virtual std::vector<int> SelectedRows() const = 0;
    // Deselects every row.
    virtual void ClearSelection() = 0;
    // The folder picker, opened on strInitial; nothing when the user cancelled.
    virtual std::optional<std::string> AskFolder(const std::string& strInitial) = 0;
    virtual void ShowDataDirectory(const std::string& strPath) = 0;
    virtual void ShowSpace(const std::string& strText) = 0;
    virtual void ShowStatus(const std::string& strText) = 0;
    // A sample count changed: the row's text is in the model.
    virtual void RefreshRow(int nRow) = 0;
    // The timer that calls OnTick while samples are counted.
    virtual void StartTimer() = 0;
    virtual void StopTimer() = 0;
    // Closes the window, which ends the program.
    virtual void Close() = 0;
};

// What CManagerDlg runs on; Real() gives the platform's operations except the disk space, which
// the window supplies.
struct SManagerEnvironment {
    std::string m_strMutex = "VARNOLE_ManaProgram";
    std::function<platform::ErrorCode(std::string&)> m_fnReadDataDirectory;
    std::function<platform::ErrorCode(const std::string&)> m_fnWriteDataDirectory;
    std::string m_strProgramDir;
    std::function<platform::ErrorCode(const std::string&, std::vector<companion::CDataFileEntry>&)>
        m_fnListFiles;
    companion::EntryReader m_fnReadEntry = companion::ReadDataFileEntry;
    std::function<platform::ErrorCode(const std::string&)> m_fnDeleteFile;
    // Free and total bytes of the volume that holds the directory.
    std::function<platform::ErrorCode(const std::string&, std::uint64_t&, std::uint64_t&)>
        m_fnDiskSpace;
    // kSuccess when a new file can be written into the directory (written and removed again);
    // kErrorPathNotFound when there is no such directory.
    std::function<platform::ErrorCode(const std::string&)> m_fnProbeFolder;

    static SManagerEnvironment Real();
};

// Writes and removes a small file in the directory to see that it takes new files.
platform::ErrorCode ProbeFolderWritable(const std::string& strDirectory);

class CManagerDlg {
public:
    // The view and the message boxes' view must outlive the model.
    CManagerDlg(IManagerView& view, IMessageBoxView& messageBoxes, SManagerEnvironment environment);
    ~CManagerDlg();

    // Once the window exists: takes the program's mutex (a second copy shows the message and
    // closes the window; false), finds the data directory and lists it.
    bool OnInit();
    CSortedListModel& List() { return m_list; }

    // Lists the data directory again, its free space and the files, and starts counting samples.
    void Refresh();
    // Whether the row may be selected: finished files only, never those being written.
    bool CanSelect(int nRow) const;
    // The selection changed: the status line tells what is selected.
    void OnSelectionChanged();
    // "削除": one question naming count and size, then each selected file, checked again just
    // before, is deleted.
    void OnDelete();
    // "変更...": the folder picker, the checks, the registry value, the new listing.
    void OnChangeDirectory();
    // The timer while samples are counted.
    void OnTick();
    // "終了", Escape, a close request.
    void OnExit();

    const std::string& DataDirectory() const { return m_strDataDir; }
    const std::vector<companion::CDataFileEntry>& Files() const { return m_vecFiles; }
    // Waits until every sample is counted and shown (tests; the window polls instead).
    void WaitForCounts();

private:
    const companion::CDataFileEntry* EntryOfRow(int nRow) const;
    void ShowListStatus();
    void StopCounting();

    IManagerView& m_view;
    CMessageBoxes m_boxes;
    SManagerEnvironment m_environment;
    platform::NamedMutex m_mutex;
    CSortedListModel m_list;
    std::string m_strDataDir;
    std::vector<companion::CDataFileEntry> m_vecFiles;
    std::unique_ptr<CSampleCountJob> m_pCounts;
};

}  // namespace manager
