// The names the application profile accepts, the same on both platforms.
#include "platform/profile_store.h"

namespace platform {

bool IsProfileName(const std::string& name) {
    if (name.empty() || name.size() > 64) return false;
    for (char c : name) {
        const bool bLetterOrDigit =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!bLetterOrDigit && c != '_') return false;
    }
    return true;
}

ErrorCode CheckProfileNames(const std::string& program, const std::string& section,
                            const std::string& entry) {
    const bool bValid = IsProfileName(program) && IsProfileName(section) && IsProfileName(entry);
    return bValid ? kSuccess : kErrorInvalidParameter;
}

ErrorCode CheckProfileValue(const std::vector<std::uint8_t>& value) {
    return value.size() > ProfileStore::kMaxValueBytes ? kErrorFileTooLarge : kSuccess;
}

}  // namespace platform
