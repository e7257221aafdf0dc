// The access token's group list on Windows, turned into portable security identifiers.
#include <windows.h>

#include <vector>

#include "platform/security_groups.h"

namespace platform {
namespace {

SecurityId ToPortable(PSID sid) {
    SecurityId id;
    const SID* raw = static_cast<const SID*>(sid);
    id.nRevision = raw->Revision;
    const PSID_IDENTIFIER_AUTHORITY authority = GetSidIdentifierAuthority(sid);
    for (BYTE part : authority->Value) id.nAuthority = (id.nAuthority << 8) | part;
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    for (UCHAR i = 0; i < count; ++i) id.subAuthorities.push_back(*GetSidSubAuthority(sid, i));
    return id;
}

}  // namespace

ErrorCode ReadTokenGroups(std::vector<SecurityId>& groups) {
    groups.clear();
    HANDLE token = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) {
        if (GetLastError() != ERROR_NO_TOKEN) return GetLastError();
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return GetLastError();
    }
    // Ask for the size first, then read into a zeroed block of that size.
    DWORD size = 0;
    GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
    if (size == 0) {
        const DWORD error = GetLastError();
        CloseHandle(token);
        return error != 0 ? error : kErrorInvalidData;
    }
    std::vector<unsigned char> block(size, 0);
    if (!GetTokenInformation(token, TokenGroups, block.data(), size, &size)) {
        const DWORD error = GetLastError();
        CloseHandle(token);
        return error;
    }
    CloseHandle(token);
    const auto* list = reinterpret_cast<const TOKEN_GROUPS*>(block.data());
    const SID_AND_ATTRIBUTES* entries = list->Groups;  // GroupCount entries follow the count
    for (DWORD i = 0; i < list->GroupCount; ++i) {
        if (IsValidSid(entries[i].Sid)) groups.push_back(ToPortable(entries[i].Sid));
    }
    return kSuccess;
}

}  // namespace platform
