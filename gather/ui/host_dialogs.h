// The openers of Gather's host and group dialogs, as the main window and the schedule wizard call
// them: plain tables in, the edited tables back, no window message ever reaches the caller.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "host_tables.h"
#include "schedule.h"

class CErrorLog;
namespace platform {
class HostAccess;
}

// What the host and group dialogs work with besides the tables. Everything pointed to must
// outlive the dialog.
struct SHostDialogContext {
    platform::HostAccess* m_pAccess = nullptr;  // the network, real or simulated
    CErrorLog* m_pErrorLog = nullptr;           // failures are recorded in the program directory
    std::string m_strProgramDir;                // with its trailing separator
};

// "ホスト名の登録" (dialog 129). hosts is the working table: on return it holds what the user
// registered, or the table as handed in when the user cancelled (the dialog restores it itself).
void RunHostRegistrationDialog(HWND hOwner, CHostTable& hosts, const SHostDialogContext& context);

// "グループの登録" (dialog 141). groups is replaced only when the user leaves with OK (true); host
// registrations made through the dialog's host button stay in hosts either way. schedules is only
// read, to refuse changing or deleting a group that schedules use.
bool RunGroupListDialog(HWND hOwner, CHostTable& hosts, CGroupTable& groups,
                        const CScheduleTable& schedules, const SHostDialogContext& context);

// "データ取得確認" (dialog 153) for one host; nothing is taken back.
void RunAcquisitionCheckDialog(HWND hOwner, const std::string& strHost,
                               const SHostDialogContext& context);

// "ホストの選択" (dialog 157) over a group's members (in member order, at most 50): "選択" runs the
// acquisition check on the chosen member and the picker stays until it is cancelled.
void RunHostPickerDialog(HWND hOwner, const std::vector<std::string>& members,
                         const SHostDialogContext& context);
