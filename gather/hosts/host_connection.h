// Connecting to a host's registry (with the IPC$ logon when the host asks for it), opening its
// counter key and closing both again.
//
// Every function reports the platform's code (0 = success) and leaves the decision to its
// caller. They keep no state of their own and may run on any thread at once for different hosts;
// the host table is only read.
#pragma once
#include <string>
#include <string_view>

#include "host_tables.h"
#include "platform/host_access.h"

// The key below a host's HKEY_LOCAL_MACHINE whose "Counter" value is the English counter-name
// table and from which performance data is requested.
inline constexpr std::string_view kCounterKeyPath =
    "software\\microsoft\\windows nt\\currentversion\\perflib\\009";

// Upper case of a host name as Windows' multibyte upper-casing gives it: ASCII letters are
// converted, every other character is kept as it is.
std::string UpperCaseHostName(std::string_view strHost);

// "\\" + the upper-cased host name + "\IPC$": "pc1" gives "\\PC1\IPC$".
std::string IpcRemoteName(std::string_view strHost);

// Connects to the host's HKEY_LOCAL_MACHINE. When the host answers access denied (5) and the
// host table has an entry of exactly that name with a user name, logs on to its IPC$ share with
// the stored user and password and connects once more: the result is then the logon's code when
// it fails, otherwise that of the second connection. A host without a stored user name keeps 5.
platform::ErrorCode ConnectHost(platform::HostAccess& access, const std::string& strHost,
                                const CHostTable& hosts, platform::HostKey& hMachine);

// Logs on to the host's IPC$ share (IpcRemoteName) with the user and password. The connection
// stays open; nothing ever cancels it.
platform::ErrorCode ConnectIpc(platform::HostAccess& access, const std::string& strHost,
                               const std::string& strUser, const std::string& strPassword);

// Opens kCounterKeyPath below the machine key with KEY_READ.
platform::ErrorCode OpenCounterKey(platform::HostAccess& access, platform::HostKey hMachine,
                                   platform::HostKey& hCounterKey);

// Closes the counter key, then the machine key, and returns the code of closing the counter key.
// Only keys that are open are handed to the platform. A counter key that is kNoHostKey (never
// opened, or lost in a failed reconnection) has not been closed: the result is then
// kErrorInvalidHandle, as closing a handle that does not exist answers, so that no caller takes
// it for a key that closed.
platform::ErrorCode CloseHost(platform::HostAccess& access, platform::HostKey hCounterKey,
                              platform::HostKey hMachine);
