// host_dialogs_harness.exe: opens one of Gather's host and group dialogs over tables read from a
// file, for the GUI tests, and writes the tables back when the dialog has closed.
//
//   host_dialogs_harness.exe hostreg IN OUT         "ホスト名の登録" over the hosts of IN
//   host_dialogs_harness.exe groups IN OUT          "グループの登録" over the tables of IN
//   host_dialogs_harness.exe check HOST             "データ取得確認" for HOST
//   host_dialogs_harness.exe picker GROUP IN        "ホストの選択" over the members of GROUP
//
// Table files are UTF-8 text, one record a line, fields separated by tabs:
//   host SLOT NAME USER PASSWORD OS CPU OWNER     (fields left off at the end are empty)
//   group SLOT NAME MEMBER...
//   schedule SLOT GROUP                (a waiting schedule booked on a group)
// OUT gets the used host and group slots in the same form and a last line "result ok|cancel".
// The network is the process's own: the simulated one when VARNOLE_SIMULATION is set.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "host_dialogs.h"
#include "logs/error_log.h"
#include "platform/file_write.h"
#include "platform/win32/wide_string.h"
#include "sim/host_access_choice.h"

namespace {

struct STables {
    std::unique_ptr<CHostTable> m_pHosts = std::make_unique<CHostTable>();
    std::unique_ptr<CGroupTable> m_pGroups = std::make_unique<CGroupTable>();
    std::unique_ptr<CScheduleTable> m_pSchedules = std::make_unique<CScheduleTable>();
};

void Complain(const std::string& strText) {
    DWORD nWritten = 0;
    const std::string strLine = "host_dialogs_harness: " + strText + "\n";
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), strLine.data(), static_cast<DWORD>(strLine.size()),
              &nWritten, nullptr);
}

std::vector<std::string> Fields(const std::string& strLine) {
    std::vector<std::string> vecFields;
    std::size_t nStart = 0;
    for (;;) {
        const std::size_t nTab = strLine.find('\t', nStart);
        vecFields.push_back(strLine.substr(nStart, nTab - nStart));
        if (nTab == std::string::npos) return vecFields;
        nStart = nTab + 1;
    }
}

bool ReadTables(const std::string& strPath, STables& tables) {
    std::string strBytes;
    if (platform::ReadFileCapped(strPath, 4 * 1024 * 1024, strBytes) != platform::kSuccess) {
        Complain("cannot read " + strPath);
        return false;
    }
    std::istringstream input(strBytes);
    std::string strLine;
    while (std::getline(input, strLine)) {
        if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
        const std::vector<std::string> f = Fields(strLine);
        if (f.size() < 3) continue;
        const int nSlot = std::atoi(f[1].c_str());
        if (f[0] == "host" && f.size() <= 8 && nSlot >= 0 && nSlot < kHostSlots) {
            std::vector<std::string> e = f;
            e.resize(8);  // fields left off are empty
            (*tables.m_pHosts)[static_cast<std::size_t>(nSlot)] =
                CHostEntry{e[2], e[3], e[4], e[5], e[6], e[7]};
        } else if (f[0] == "group" && nSlot >= 0 && nSlot < kGroupSlots) {
            CHostGroup& group = (*tables.m_pGroups)[static_cast<std::size_t>(nSlot)];
            group.m_strName = f[2];
            for (std::size_t i = 3; i < f.size() && i - 3 < group.m_strMember.size(); ++i) {
                group.m_strMember[i - 3] = f[i];
            }
        } else if (f[0] == "schedule" && nSlot >= 0 && nSlot < kScheduleSlots) {
            CSchedule& schedule = (*tables.m_pSchedules)[static_cast<std::size_t>(nSlot)];
            schedule.m_nState = kStateWaiting;
            schedule.m_nTargetType = kTargetGroup;
            schedule.m_strTarget = f[2];
        } else {
            Complain("line not understood: " + strLine);
            return false;
        }
    }
    return true;
}

bool WriteTables(const std::string& strPath, const STables& tables, bool bOk) {
    std::string strText;
    for (int i = 0; i < kHostSlots; ++i) {
        const CHostEntry& e = (*tables.m_pHosts)[static_cast<std::size_t>(i)];
        if (e.IsFree()) continue;
        strText += "host\t" + std::to_string(i) + "\t" + e.m_strHost + "\t" + e.m_strUser + "\t" +
                   e.m_strPassword + "\t" + e.m_strOsInfo + "\t" + e.m_strCpuInfo + "\t" +
                   e.m_strOwnerInfo + "\n";
    }
    for (int i = 0; i < kGroupSlots; ++i) {
        const CHostGroup& g = (*tables.m_pGroups)[static_cast<std::size_t>(i)];
        if (g.IsFree()) continue;
        strText += "group\t" + std::to_string(i) + "\t" + g.m_strName;
        for (const std::string& strMember : g.m_strMember) {
            if (strMember.empty()) break;
            strText += "\t" + strMember;
        }
        strText += "\n";
    }
    strText += bOk ? "result\tok\n" : "result\tcancel\n";
    if (platform::WriteFileFlushed(strPath, strText) == platform::kSuccess) return true;
    Complain("cannot write " + strPath);
    return false;
}

int Run(const std::vector<std::string>& args) {
    if (args.size() < 3) return 2;
    const std::string& strDialog = args[1];
    SHostDialogContext context;
    context.m_pAccess = &sim::ProcessHostAccess();
    context.m_pErrorLog = &ProcessErrorLog();
    if (!sim::ProcessHostAccessError().empty()) Complain(sim::ProcessHostAccessError());

    if (strDialog == "check") {
        RunAcquisitionCheckDialog(nullptr, args[2], context);
        return 0;
    }
    if (args.size() < 4) return 2;
    STables tables;
    if (strDialog == "picker") {
        if (!ReadTables(args[3], tables)) return 1;
        const std::optional<int> nSlot = FindGroup(*tables.m_pGroups, args[2]);
        if (!nSlot) {
            Complain("no group " + args[2]);
            return 1;
        }
        std::vector<std::string> vecMembers;
        for (const std::string& strMember :
             (*tables.m_pGroups)[static_cast<std::size_t>(*nSlot)].m_strMember) {
            if (strMember.empty()) break;
            vecMembers.push_back(strMember);
        }
        RunHostPickerDialog(nullptr, vecMembers, context);
        return 0;
    }
    if (!ReadTables(args[2], tables)) return 1;
    bool bOk = true;
    if (strDialog == "hostreg") {
        RunHostRegistrationDialog(nullptr, *tables.m_pHosts, context);
    } else if (strDialog == "groups") {
        bOk = RunGroupListDialog(nullptr, *tables.m_pHosts, *tables.m_pGroups, *tables.m_pSchedules,
                                 context);
    } else {
        return 2;
    }
    return WriteTables(args[3], tables, bOk) ? 0 : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);

    int nCount = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &nCount);
    std::vector<std::string> args;
    for (int i = 0; i < nCount; ++i) args.push_back(platform::WideToUtf8(argv[i]));
    LocalFree(argv);
    const int nResult = Run(args);
    if (nResult == 2) Complain("usage: see the head comment of tests/gui/host_dialogs_harness.cpp");
    return nResult;
}
