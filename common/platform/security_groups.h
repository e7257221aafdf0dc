// The security groups of the calling user, as the administrator test reads them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/error_codes.h"

namespace platform {

// A security identifier (SID) in portable form: S-revision-authority-sub1-sub2-...
struct SecurityId {
    std::uint8_t nRevision = 1;
    std::uint64_t nAuthority = 0;  // 48-bit identifier authority
    std::vector<std::uint32_t> subAuthorities;

    // Exactly the same identifier (EqualSid): revision, authority and every sub-authority.
    bool operator==(const SecurityId&) const = default;
    // "S-1-5-32-544"
    std::string ToString() const;
};

// Reads the group list of the calling thread's access token, or of the process's token when the
// thread has none (OpenThreadToken / OpenProcessToken for query, GetTokenInformation with the
// size asked first). Returns the platform's code on any failure, with groups left empty.
//
// Linux has no tokens: the list holds Everyone (S-1-1-0) and Users (S-1-5-32-545), and also
// Administrators (S-1-5-32-544) when the effective user is root or belongs to one of the groups
// "sudo", "wheel" or "admin".
ErrorCode ReadTokenGroups(std::vector<SecurityId>& groups);

}  // namespace platform
