// The security descriptor of files for administrators only, built once per use.
#pragma once
#include <windows.h>

#include "platform/error_codes.h"

namespace platform {

// A self-contained security descriptor whose protected DACL grants full control to
// BUILTIN\Administrators and to SYSTEM and to nobody else. It points into its own storage, so
// it is neither copied nor moved.
class CAdministratorsOnlySecurity {
public:
    CAdministratorsOnlySecurity();
    CAdministratorsOnlySecurity(const CAdministratorsOnlySecurity&) = delete;
    CAdministratorsOnlySecurity& operator=(const CAdministratorsOnlySecurity&) = delete;

    // kSuccess when the descriptor was built; otherwise the code of the call that failed.
    ErrorCode Error() const { return m_nError; }
    SECURITY_DESCRIPTOR* Descriptor() { return &m_descriptor; }

private:
    ErrorCode Build();

    alignas(DWORD) BYTE m_administrators[SECURITY_MAX_SID_SIZE];
    alignas(DWORD) BYTE m_system[SECURITY_MAX_SID_SIZE];
    alignas(DWORD) BYTE m_acl[256];
    SECURITY_DESCRIPTOR m_descriptor;
    ErrorCode m_nError;
};

}  // namespace platform
