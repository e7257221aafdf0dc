// What a host tells about itself through its registry: operating system, registered owner and
// processor, as the multi-line information text and the three one-line summaries.
//
// Two dialogs show it. Host registration queries a host by name and keeps the summaries in the
// host's entry; the data acquisition check shows the text for a connection it already holds. The
// texts differ slightly between the two (the header lines, what a missing CurrentVersion key
// leaves), so each has its own entry point over the same readers and formats.
#pragma once
#include <string>
#include <string_view>

#include "host_tables.h"
#include "logs/error_log.h"
#include "platform/host_access.h"

// The registry keys read, below the host's HKEY_LOCAL_MACHINE.
inline constexpr std::string_view kCurrentVersionKey =
    "Software\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr std::string_view kCentralProcessorKey =
    "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";

// Error log labels, exactly as stored logs and their readers know them ("Infoemation" included).
inline constexpr std::string_view kLabelValueSize = "RegQueryValueEx ... 1st";
inline constexpr std::string_view kLabelValueRead = "RegQueryValueEx ... 2nd";
inline constexpr std::string_view kLabelCentralProcessor = "RegOpenKeyEx - CentralProcessor";

// The text that opens a failed query: "情報が入手できません。" and a blank line.
inline constexpr std::string_view kInformationUnavailable = "情報が入手できません。\r\n\r\n";

// Reads one value as the host information reads every value: a failed size query is logged
// as "RegQueryValueEx ... 1st", a failed read as "RegQueryValueEx ... 2nd" (each with its code,
// through the error log's program directory); the text is then empty. Strings give their text,
// 32-bit values their signed decimal form, other types an empty text.
std::string ReadInformationValue(platform::HostAccess& access, platform::HostKey hKey,
                                 const std::string& strName, CErrorLog& errorLog);

// The outcome of a host registration query.
struct SHostInformation {
    bool m_bSuccess = false;
    std::string m_strText;  // the information text (control 1012 of the registration dialog)
};

// The host information query of host registration, for the host called strHost. Connects to
// "\\" + strHost; on failure logs "ホスト名:<host>/RegConnectRegistry" and fails with the
// "情報が入手できません。" text and the system message. A CurrentVersion key that cannot be opened
// fails the same way with the label "ホスト名:<host>/OS Infoemation". Otherwise the text holds the
// host header ("(ローカルホスト)" when strHost equals strLocalName exactly), the system, user and
// (when the processor key opens) CPU sections, and the candidate's m_strOsInfo, m_strOwnerInfo
// and, with the processor key, m_strCpuInfo are set. A failed query leaves the candidate as it
// was. Every key and the connection are closed again.
SHostInformation QueryHostInformation(platform::HostAccess& access, const std::string& strHost,
                                      const std::string& strLocalName, CErrorLog& errorLog,
                                      CHostEntry& candidate);

// The host information text of the data acquisition check, read over hMachine (which stays
// open). Its header ends with a blank line in both forms; a CurrentVersion key that cannot be
// opened logs "RegOpenKeyEx" and replaces the text so far by the system message, after which the
// CPU section is still tried.
std::string CheckHostInformationText(platform::HostAccess& access, platform::HostKey hMachine,
                                     const std::string& strHost, const std::string& strLocalName,
                                     CErrorLog& errorLog);
