// ConnectHost with its IPC$ fallback, ConnectIpc, OpenCounterKey and CloseHost.
#include "host_connection.h"

std::string UpperCaseHostName(std::string_view strHost) {
    // UTF-8 continuation and lead bytes are all above 0x7F, so converting only ASCII letters
    // never touches a byte inside a multibyte character.
    std::string strUpper(strHost);
    for (char& c : strUpper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return strUpper;
}

std::string IpcRemoteName(std::string_view strHost) {
    return "\\\\" + UpperCaseHostName(strHost) + "\\IPC$";
}

platform::ErrorCode ConnectHost(platform::HostAccess& access, const std::string& strHost,
                                const CHostTable& hosts, platform::HostKey& hMachine) {
    platform::ErrorCode nCode = access.ConnectRegistry(strHost, hMachine);
    if (nCode != platform::kErrorAccessDenied) return nCode;

    const std::optional<int> nSlot = FindHost(hosts, strHost);
    if (!nSlot) return nCode;
    const CHostEntry& entry = hosts[static_cast<std::size_t>(*nSlot)];
    if (entry.m_strUser.empty()) return nCode;

    nCode = ConnectIpc(access, entry.m_strHost, entry.m_strUser, entry.m_strPassword);
    if (nCode != platform::kSuccess) return nCode;
    return access.ConnectRegistry(strHost, hMachine);
}

platform::ErrorCode ConnectIpc(platform::HostAccess& access, const std::string& strHost,
                               const std::string& strUser, const std::string& strPassword) {
    return access.AddConnection(IpcRemoteName(strHost), strUser, strPassword);
}

platform::ErrorCode OpenCounterKey(platform::HostAccess& access, platform::HostKey hMachine,
                                   platform::HostKey& hCounterKey) {
    return access.OpenKey(hMachine, std::string(kCounterKeyPath), platform::kKeyRead, hCounterKey);
}

platform::ErrorCode CloseHost(platform::HostAccess& access, platform::HostKey hCounterKey,
                              platform::HostKey hMachine) {
    platform::ErrorCode nCode = platform::kErrorInvalidHandle;
    if (hCounterKey != platform::kNoHostKey) nCode = access.CloseKey(hCounterKey);
    if (hMachine != platform::kNoHostKey) access.CloseKey(hMachine);
    return nCode;
}
