// Remote hosts behind one interface: a host's registry over the network, IPC$ logons, browsing.
//
// Two implementations report the same Windows error codes (0 = success): the real network
// (Windows only: remote registry and Windows networking) and the simulated network of sim/,
// which the process chooses at start-up (sim/host_access_choice.h). Callers never see a
// platform type: keys are opaque HostKey values, texts are UTF-8, value data are the bytes the
// Windows wide-character registry functions deliver (string values in UTF-16LE with their NUL).
//
// Every method may be called from any thread at once for different hosts; each call works on
// the keys it is given and a key must not be closed while another thread still uses it.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/error_codes.h"

namespace platform {

// An open registry key of some host (the host's HKEY_LOCAL_MACHINE or a key below it).
enum class HostKey : std::uintptr_t {};
inline constexpr HostKey kNoHostKey{};

// Registry value types as the registry reports them.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// KEY_READ: the access every key of this suite is opened with.
inline constexpr std::uint32_t kKeyRead = 0x20019;

class HostAccess {
public:
    virtual ~HostAccess() = default;

    // RegConnectRegistry(strHost, HKEY_LOCAL_MACHINE): the host's local-machine hive. The name
    // may carry two leading backslashes; an empty name is the local computer.
    virtual ErrorCode ConnectRegistry(const std::string& strHost, HostKey& hMachine) = 0;

    // WNetAddConnection2 of a disk-type resource without a local name or provider:
    // strRemoteName ("\\PC1\IPC$"), password, user name, flags 0. The connection stays open.
    virtual ErrorCode AddConnection(const std::string& strRemoteName, const std::string& strUser,
                                    const std::string& strPassword) = 0;

    // RegOpenKeyEx(hKey, strSubKey, 0, nAccess). An empty sub key opens hKey once more.
    virtual ErrorCode OpenKey(HostKey hKey, const std::string& strSubKey, std::uint32_t nAccess,
                              HostKey& hResult) = 0;

    // RegQueryValueEx(hKey, strValue, reserved, pType, pData, &nBytes). nBytes is in and out:
    // - pData null: the value's size is stored in nBytes, result 0 (a size query);
    // - the value fits in nBytes: it is copied, nBytes becomes the bytes written, result 0;
    // - it does not: result kErrorMoreData (234) and nothing is copied; nBytes then holds the
    //   size needed for an ordinary value, but is undefined for a performance data request.
    // A value name made of object title indices ("238 4 234 ...") asked of a host's
    // Perflib\009 key is a performance data request: the reply is a fresh PERF_DATA_BLOCK.
    // pType, when given, receives the value's type.
    virtual ErrorCode QueryValue(HostKey hKey, const std::string& strValue, std::uint32_t* pType,
                                 void* pData, std::uint32_t& nBytes) = 0;

    // RegCloseKey.
    virtual ErrorCode CloseKey(HostKey hKey) = 0;

    // The domains and workgroups of the network, as the network provider lists them. A result of
    // 0 means the list ended normally; any other code is the failure that ended it (the names
    // found before it are kept).
    virtual ErrorCode EnumerateDomains(std::vector<std::string>& vecDomains) = 0;

    // The computers of one domain or workgroup, as the provider names them: remote names with
    // two leading backslashes ("\\PC01"); callers strip them. Results as EnumerateDomains.
    virtual ErrorCode EnumerateHosts(const std::string& strDomain,
                                     std::vector<std::string>& vecHosts) = 0;
};

#ifdef _WIN32
// The real network: remote registry and the "Microsoft Windows Network" provider.
std::unique_ptr<HostAccess> CreateNetworkHostAccess();

// The value of an environment variable as UTF-8 (read through the wide-character API so any
// path survives), empty when it is not set.
std::string EnvironmentVariable(const std::string& strName);
#endif

}  // namespace platform
