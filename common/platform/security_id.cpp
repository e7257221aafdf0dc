// The text form of a portable security identifier.
#include "platform/security_groups.h"

namespace platform {

std::string SecurityId::ToString() const {
    std::string text("S-");
    text.append(std::to_string(nRevision));
    text.push_back('-');
    text.append(std::to_string(nAuthority));
    for (std::uint32_t part : subAuthorities) {
        text.push_back('-');
        text.append(std::to_string(part));
    }
    return text;
}

}  // namespace platform
