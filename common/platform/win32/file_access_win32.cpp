// Files for administrators only on Windows: a protected DACL for Administrators and SYSTEM.
#include <windows.h>

#include "platform/file_access.h"
#include "platform/win32/administrators_only.h"
#include "platform/win32/wide_string.h"

namespace platform {

CAdministratorsOnlySecurity::CAdministratorsOnlySecurity() : m_nError(Build()) {}

ErrorCode CAdministratorsOnlySecurity::Build() {
    DWORD size = sizeof m_administrators;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, m_administrators, &size)) {
        return GetLastError();
    }
    size = sizeof m_system;
    if (!CreateWellKnownSid(WinLocalSystemSid, nullptr, m_system, &size)) return GetLastError();
    PACL acl = reinterpret_cast<PACL>(m_acl);
    if (!InitializeAcl(acl, sizeof m_acl, ACL_REVISION) ||
        !AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, m_administrators) ||
        !AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, m_system) ||
        !InitializeSecurityDescriptor(&m_descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&m_descriptor, TRUE, acl, FALSE) ||
        // Protected: entries the directory passes on to its files do not apply.
        !SetSecurityDescriptorControl(&m_descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED)) {
        return GetLastError();
    }
    return kSuccess;
}

ErrorCode RestrictToAdministrators(const std::string& path) {
    if (path.empty()) return kErrorPathNotFound;
    CAdministratorsOnlySecurity security;
    if (security.Error() != kSuccess) return security.Error();
    // SetFileSecurity sets exactly this DACL. (SetNamedSecurityInfo would do on Windows, but
    // Wine merges the directory's inheritable entries into it even when it is protected, which
    // leaves the file readable by everyone there.)
    if (SetFileSecurityW(Utf8ToWide(path).c_str(), DACL_SECURITY_INFORMATION,
                         security.Descriptor())) {
        return kSuccess;
    }
    return GetLastError();
}

}  // namespace platform
