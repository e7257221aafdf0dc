// The host information readers and texts of host registration and of the acquisition check.
#include "host_information.h"

#include <array>

#include "registry_text.h"

namespace {

// The values of one key, in reading order.
constexpr std::array<const char*, 5> kSystemValues = {
    "ProductName", "CurrentVersion", "CurrentBuildNumber", "CSDVersion", "CurrentType"};
constexpr std::array<const char*, 3> kOwnerValues = {"RegisteredOwner", "RegisteredOrganization",
                                                     "ProductId"};
constexpr std::array<const char*, 3> kCpuValues = {"VendorIdentifier", "Identifier", "~MHz"};

template <std::size_t N>
std::array<std::string, N> ReadValues(platform::HostAccess& access, platform::HostKey hKey,
                                      const std::array<const char*, N>& names,
                                      CErrorLog& errorLog) {
    std::array<std::string, N> values;
    for (std::size_t i = 0; i < N; ++i) {
        values[i] = ReadInformationValue(access, hKey, names[i], errorLog);
    }
    return values;
}

// The three sections of the text and the summaries built from the same values.
std::string SystemSection(const std::array<std::string, 5>& v) {
    return "システム:\r\n\t" + v[0] + "\r\n\t" + v[1] + "." + v[2] + "\r\n\t" + v[3] + "\r\n\t" +
           v[4] + "\r\n\r\n";
}
std::string SystemSummary(const std::array<std::string, 5>& v) {
    return v[0] + " " + v[1] + "." + v[2] + " " + v[3] + " " + v[4];
}
std::string OwnerSection(const std::array<std::string, 3>& v) {
    return "使用者:\r\n\t" + v[0] + "\r\n\t" + v[1] + "\r\n\t" + v[2] + "\r\n\r\n";
}
std::string OwnerSummary(const std::array<std::string, 3>& v) {
    return v[0] + " " + v[1] + " " + v[2];
}
std::string CpuSection(const std::array<std::string, 3>& v) {
    return "CPU:\r\n\t" + v[0] + "\r\n\t" + v[1] + "\r\n\t" + v[2] + " MHz\r\n\r\n";
}
std::string CpuSummary(const std::array<std::string, 3>& v) {
    return v[0] + " " + v[1] + " " + v[2] + " MHz";
}

std::int32_t Code(platform::ErrorCode nCode) {
    return static_cast<std::int32_t>(nCode);
}

// Opens the processor key and reads its three values; false (with the failure logged) when the
// key cannot be opened.
bool ReadCpuValues(platform::HostAccess& access, platform::HostKey hMachine, CErrorLog& errorLog,
                   std::array<std::string, 3>& values) {
    platform::HostKey hCpu = platform::kNoHostKey;
    const platform::ErrorCode nCode =
        access.OpenKey(hMachine, std::string(kCentralProcessorKey), platform::kKeyRead, hCpu);
    if (nCode != platform::kSuccess) {
        errorLog.ReportPlatformError(Code(nCode), std::string(kLabelCentralProcessor));
        return false;
    }
    values = ReadValues(access, hCpu, kCpuValues, errorLog);
    access.CloseKey(hCpu);
    return true;
}

std::string UnavailableText(const std::string& strMessage) {
    return std::string(kInformationUnavailable) + strMessage;
}

}  // namespace

std::string ReadInformationValue(platform::HostAccess& access, platform::HostKey hKey,
                                 const std::string& strName, CErrorLog& errorLog) {
    std::string strText;
    EValueReadStep eStep = EValueReadStep::kNone;
    const platform::ErrorCode nCode = ReadValueText(access, hKey, strName, strText, &eStep);
    if (nCode != platform::kSuccess) {
        errorLog.ReportPlatformError(
            Code(nCode),
            std::string(eStep == EValueReadStep::kRead ? kLabelValueRead : kLabelValueSize));
        strText.clear();
    }
    return strText;
}

SHostInformation QueryHostInformation(platform::HostAccess& access, const std::string& strHost,
                                      const std::string& strLocalName, CErrorLog& errorLog,
                                      CHostEntry& candidate) {
    SHostInformation result;
    const std::string strContext = "ホスト名:" + strHost;

    platform::HostKey hMachine = platform::kNoHostKey;
    platform::ErrorCode nCode = access.ConnectRegistry("\\\\" + strHost, hMachine);
    if (nCode != platform::kSuccess) {
        result.m_strText = UnavailableText(
            errorLog.ReportPlatformError(Code(nCode), strContext + "/RegConnectRegistry"));
        return result;
    }

    platform::HostKey hVersion = platform::kNoHostKey;
    nCode = access.OpenKey(hMachine, std::string(kCurrentVersionKey), platform::kKeyRead, hVersion);
    if (nCode != platform::kSuccess) {
        result.m_strText = UnavailableText(
            errorLog.ReportPlatformError(Code(nCode), strContext + "/OS Infoemation"));
        access.CloseKey(hMachine);
        return result;
    }

    // The local form of the header ends with a single line break: "システム:" follows at once.
    result.m_strText = "ホスト名:\r\n\t" + strHost +
                       (strHost == strLocalName ? "\r\n\t(ローカルホスト)\r\n" : "\r\n\r\n");

    const auto system = ReadValues(access, hVersion, kSystemValues, errorLog);
    result.m_strText += SystemSection(system);
    const auto owner = ReadValues(access, hVersion, kOwnerValues, errorLog);
    result.m_strText += OwnerSection(owner);
    access.CloseKey(hVersion);

    std::array<std::string, 3> cpu;
    const bool bCpu = ReadCpuValues(access, hMachine, errorLog, cpu);
    if (bCpu) result.m_strText += CpuSection(cpu);
    access.CloseKey(hMachine);

    candidate.m_strOsInfo = SystemSummary(system);
    candidate.m_strOwnerInfo = OwnerSummary(owner);
    if (bCpu) candidate.m_strCpuInfo = CpuSummary(cpu);
    result.m_bSuccess = true;
    return result;
}

std::string CheckHostInformationText(platform::HostAccess& access, platform::HostKey hMachine,
                                     const std::string& strHost, const std::string& strLocalName,
                                     CErrorLog& errorLog) {
    std::string strText =
        "ホスト名:\r\n\t" + strHost +
        (strHost == strLocalName ? "\r\n\t(ローカルホスト)\r\n\r\n" : "\r\n\r\n\r\n");

    platform::HostKey hVersion = platform::kNoHostKey;
    const platform::ErrorCode nCode =
        access.OpenKey(hMachine, std::string(kCurrentVersionKey), platform::kKeyRead, hVersion);
    if (nCode != platform::kSuccess) {
        strText = errorLog.ReportPlatformError(Code(nCode), "RegOpenKeyEx");
    } else {
        strText += SystemSection(ReadValues(access, hVersion, kSystemValues, errorLog));
        strText += OwnerSection(ReadValues(access, hVersion, kOwnerValues, errorLog));
        access.CloseKey(hVersion);
    }

    std::array<std::string, 3> cpu;
    if (ReadCpuValues(access, hMachine, errorLog, cpu)) strText += CpuSection(cpu);
    return strText;
}
