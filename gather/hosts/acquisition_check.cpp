// CAcquisitionCheck: the six requests, the data amount, the object lines and the warnings.
#include "acquisition_check.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "host_connection.h"
#include "host_information.h"
#include "perf/perf_block.h"
#include "perf/perf_layout.h"
#include "perf_query.h"
#include "registry_text.h"

namespace {

struct SWatchedObject {
    std::uint32_t m_nIndex;
    const char* m_pszLabel;
};

// The objects the check reports, in the order it reports them.
constexpr std::array<SWatchedObject, 7> kWatchedObjects = {{
    {perf::kObjectProcessor, "　:CPU 情報\n"},
    {perf::kObjectMemory, "　:メモリー情報\n"},
    {perf::kObjectLogicalDisk, "　:論理ディスク情報\n"},
    {perf::kObjectPhysicalDisk, "　:物理ディスク情報\n"},
    {perf::kObjectNetworkInterface, "　:ネットワーク (IP)情報\n"},
    {perf::kObjectTcp, "　:ネットワーク(TCP)情報\n"},
    {perf::kObjectProcess, "　:プロセス情報\n"},
}};

std::string Seconds(std::uint64_t nMilliseconds) {
    char szText[64];
    std::snprintf(szText, sizeof(szText), "%5.1f", static_cast<double>(nMilliseconds) / 1000.0);
    return szText;
}

std::int32_t Code(platform::ErrorCode nCode) {
    return static_cast<std::int32_t>(nCode);
}

// The pieces of the first two warnings, which differ only in what cannot be collected.
std::string PlainWarning(std::string_view strKey, std::string_view strWhat) {
    return "HKEY_LOCAL_MACHINE\\" + std::string(strKey) + "レジストリーキー内の" +
           std::string(kDisableCountersValue) + "値が、1 に設定されているため" +
           std::string(strWhat) + "に関する稼動データが収集できません。\r\n\r\n";
}

}  // namespace

std::string TimingLine(int i, std::uint64_t nMilliseconds) {
    return "\t" + std::to_string(i) + " 回目: " + Seconds(nMilliseconds) + " 秒\n";
}

std::string TimingSummary(std::uint64_t nLargestMs, std::uint64_t nSumMs) {
    char szAverage[64];
    std::snprintf(szAverage, sizeof(szAverage), "%5.1f",
                  static_cast<double>(nSumMs) / kTimedRequests / 1000.0);
    return "\t------------\n\t最　大: " + Seconds(nLargestMs) + " 秒\n\t平　均: " + szAverage +
           " 秒\n";
}

std::string DataAmountText(std::uint64_t nBytes) {
    char szUnits[8];
    std::snprintf(szUnits, sizeof(szUnits), "%03u", static_cast<unsigned>(nBytes % 1000));
    return "\nデータ量:\n\t" + std::to_string(nBytes / 1000) + "," + szUnits + " バイト/回\n\n";
}

std::string ObjectLinesText(const std::set<std::uint32_t>& setPresent) {
    std::string strText = "稼動データ:\n";
    for (const SWatchedObject& object : kWatchedObjects) {
        strText += "\t";
        strText += setPresent.count(object.m_nIndex) != 0 ? "○" : "×";
        strText += object.m_pszLabel;
    }
    return strText;
}

std::string DisabledCountersWarning(std::string_view strKey) {
    if (strKey == kPerfOsKey) return PlainWarning(strKey, "ＣＰＵおよびメモリー");
    if (strKey == kPerfDiskKey) return PlainWarning(strKey, "物理ディスクおよび論理ディスク");
    if (strKey == kPerfProcKey) {
        return "\"HKEY_LOCAL_MACHINE\\" + std::string(strKey) + "\"レジストリーキー内の\"" +
               std::string(kDisableCountersValue) +
               "\"値が、\"1\"に設定されているためプロセスに関する情報の収集が出来ません。\r\n\r\n";
    }
    return std::string();
}

CAcquisitionCheck::CAcquisitionCheck(platform::HostAccess& access, CErrorLog& errorLog,
                                     const platform::IClock& clock, std::string strLocalName)
    : m_access(access),
      m_errorLog(errorLog),
      m_clock(clock),
      m_strLocalName(std::move(strLocalName)) {}

SAcquisitionTexts CAcquisitionCheck::Run(const std::string& strHost) {
    SAcquisitionTexts texts;

    platform::HostKey hMachine = platform::kNoHostKey;
    platform::ErrorCode nCode = m_access.ConnectRegistry(strHost, hMachine);
    if (nCode != platform::kSuccess) {
        // The label is the one the error log has always carried for this failure.
        texts.m_strAcquisition = m_errorLog.ReportPlatformError(Code(nCode), "RegConnentRegistry");
        return texts;
    }

    texts.m_strHost =
        CheckHostInformationText(m_access, hMachine, strHost, m_strLocalName, m_errorLog);

    platform::HostKey hCounter = platform::kNoHostKey;
    nCode = OpenCounterKey(m_access, hMachine, hCounter);
    if (nCode != platform::kSuccess) {
        texts.m_strAcquisition = m_errorLog.ReportPlatformError(Code(nCode), "RegOpenKeyEx");
        m_access.CloseKey(hMachine);
        return texts;
    }

    // The last block received; empty after a failed request.
    CPerfData kept;
    const auto request = [&] {
        platform::ErrorCode nResult = QueryPerfData(m_access, hCounter, kept);
        // A reply that is no performance data block counts as a failed request: nothing of it
        // would reach a data file.
        if (nResult == platform::kSuccess && !perf::IsPerfDataBlock(kept.Block())) {
            nResult = platform::kErrorInvalidData;
        }
        if (nResult != platform::kSuccess) {
            kept.Clear();
            // The reason ends its own line, so the timing that follows starts on the next one.
            texts.m_strAcquisition +=
                std::string(perf::kPerfObjectList) +
                m_errorLog.ReportPlatformError(Code(nResult), "RegQueryValueEx") + "\n";
        }
    };

    request();  // the first request may set things up on the host: it is not timed
    texts.m_strAcquisition += "取得間隔:\n";
    std::uint64_t nLargest = 0;
    std::uint64_t nSum = 0;
    std::uint64_t t0 = m_clock.TickCount();
    for (int i = 1; i <= kTimedRequests; ++i) {
        request();
        const std::uint64_t t1 = m_clock.TickCount();
        const std::uint64_t d = t1 >= t0 ? t1 - t0 : 0;
        nLargest = std::max(nLargest, d);
        nSum += d;
        texts.m_strAcquisition += TimingLine(i, d);
        t0 = t1;
    }
    texts.m_strAcquisition += TimingSummary(nLargest, nSum);

    const perf::PerfBytes block = kept.Block();
    texts.m_strAcquisition += DataAmountText(perf::StoredByteLength(block));
    texts.m_strAcquisition += ObjectLinesText(perf::ObjectsPresent(block));

    kept.Clear();
    CloseHost(m_access, hCounter, hMachine);

    texts.m_strWarnings = WarningText(strHost);
    return texts;
}

std::string CAcquisitionCheck::WarningText(const std::string& strHost) {
    std::string strText;
    for (const std::string_view strKey : {kPerfOsKey, kPerfDiskKey, kPerfProcKey}) {
        if (DisableCountersValue(strHost, strKey) == "1")
            strText += DisabledCountersWarning(strKey);
    }
    return strText;
}

std::string CAcquisitionCheck::DisableCountersValue(const std::string& strHost,
                                                    std::string_view strKey) {
    const auto fail = [&](platform::ErrorCode nCode, const char* pszLabel) {
        return m_errorLog.ReportPlatformError(Code(nCode), pszLabel);
    };
    platform::HostKey hMachine = platform::kNoHostKey;
    platform::ErrorCode nCode = m_access.ConnectRegistry(strHost, hMachine);
    if (nCode != platform::kSuccess) return fail(nCode, "RegConnentRegistry");

    platform::HostKey hKey = platform::kNoHostKey;
    nCode = m_access.OpenKey(hMachine, std::string(strKey), platform::kKeyRead, hKey);
    if (nCode != platform::kSuccess) {
        m_access.CloseKey(hMachine);
        return fail(nCode, "RegOpenKeyEx");
    }

    std::string strValue;
    nCode = ReadValueText(m_access, hKey, std::string(kDisableCountersValue), strValue);
    if (nCode != platform::kSuccess) strValue = fail(nCode, "RegQueryValueEx");

    const platform::ErrorCode nClose = m_access.CloseKey(hKey);
    m_access.CloseKey(hMachine);
    if (nCode == platform::kSuccess && nClose != platform::kSuccess) {
        strValue = fail(nClose, "RegCloseKey");
    }
    return strValue;
}
