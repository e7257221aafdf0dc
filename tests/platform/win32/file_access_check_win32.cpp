// Who may open a file on Windows: its DACL, read back with GetNamedSecurityInfo.
#include <aclapi.h>
#include <sddl.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/file_access_check.h"
#include "platform/temp_dir.h"

namespace platform_test {
namespace {

std::wstring WidePath(const std::string& strPath) {
    return PathFromUtf8(strPath).wstring();
}

std::string SidText(PSID sid) {
    LPSTR text = nullptr;
    if (!ConvertSidToStringSidA(sid, &text)) return "?";
    std::string result(text);
    LocalFree(text);
    return result;
}

bool IsWellKnown(PSID sid, WELL_KNOWN_SID_TYPE type) {
    BYTE known[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof known;
    return CreateWellKnownSid(type, nullptr, known, &size) && EqualSid(sid, known);
}

// Wine keeps no DACL on files: it turns a DACL into Unix mode bits and reports SYSTEM, the owner
// (for the owner bits) and Everyone (for the others) when asked.
bool RunsUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace

testing::AssertionResult OnlyAdministratorsHaveAccess(const std::string& strPath) {
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD error =
        GetNamedSecurityInfoW(WidePath(strPath).c_str(), SE_FILE_OBJECT,
                              DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION, &owner,
                              nullptr, &dacl, nullptr, &descriptor);
    if (error != ERROR_SUCCESS) {
        return testing::AssertionFailure() << strPath << ": GetNamedSecurityInfo gave " << error;
    }
    testing::AssertionResult result = testing::AssertionSuccess();
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    const bool wine = RunsUnderWine();
    int administrators = 0;
    int system = 0;
    if (dacl == nullptr) {
        result = testing::AssertionFailure() << strPath << " has no DACL: everyone has access";
    }
    for (DWORD i = 0; dacl != nullptr && i < dacl->AceCount; ++i) {
        ACE_HEADER* header = nullptr;
        if (!GetAce(dacl, i, reinterpret_cast<void**>(&header))) continue;
        if (header->AceType == ACCESS_DENIED_ACE_TYPE) continue;
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) {
            result = testing::AssertionFailure() << strPath << ": entry " << i << " of type "
                                                 << static_cast<int>(header->AceType);
            break;
        }
        const auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
        const PSID sid = const_cast<DWORD*>(&ace->SidStart);
        const bool fullControl = (ace->Mask & FILE_ALL_ACCESS) == FILE_ALL_ACCESS;
        if (IsWellKnown(sid, WinBuiltinAdministratorsSid) && fullControl) {
            ++administrators;
        } else if (IsWellKnown(sid, WinLocalSystemSid) && fullControl) {
            ++system;
        } else if (!(wine && EqualSid(sid, owner))) {
            char mask[16];
            std::snprintf(mask, sizeof mask, "0x%08lX", static_cast<unsigned long>(ace->Mask));
            result = testing::AssertionFailure()
                     << strPath << " allows " << SidText(sid) << " access " << mask;
            break;
        }
    }
    if (result && !wine) {
        if (administrators != 1 || system != 1 || dacl->AceCount != 2) {
            result = testing::AssertionFailure()
                     << strPath << ": " << dacl->AceCount << " entries, " << administrators
                     << " for Administrators and " << system << " for SYSTEM";
        } else if ((control & SE_DACL_PROTECTED) == 0) {
            result = testing::AssertionFailure() << strPath << ": the DACL is not protected";
        }
    }
    LocalFree(descriptor);
    return result;
}

void OpenToEveryone(const std::string& strPath) {
    BYTE everyone[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof everyone;
    ASSERT_TRUE(CreateWellKnownSid(WinWorldSid, nullptr, everyone, &size));
    alignas(DWORD) BYTE buffer[128];
    PACL acl = reinterpret_cast<PACL>(buffer);
    ASSERT_TRUE(InitializeAcl(acl, sizeof buffer, ACL_REVISION));
    ASSERT_TRUE(AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, everyone));
    SECURITY_DESCRIPTOR descriptor;
    ASSERT_TRUE(InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
    ASSERT_TRUE(SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE));
    ASSERT_TRUE(SetFileSecurityW(WidePath(strPath).c_str(), DACL_SECURITY_INFORMATION, &descriptor))
        << GetLastError();
}

}  // namespace platform_test
