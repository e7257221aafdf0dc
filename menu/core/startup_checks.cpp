// The main menu's start-up decisions.
#include "startup_checks.h"

#include <algorithm>

#include "menu_tables.h"

namespace menu {

platform::SecurityId AdministratorsGroup() {
    platform::SecurityId id;
    id.nRevision = 1;
    id.nAuthority = 5;
    id.subAuthorities = {32, 544};
    return id;
}

bool HasAdministratorsGroup(const std::vector<platform::SecurityId>& groups) {
    const platform::SecurityId administrators = AdministratorsGroup();
    return std::any_of(groups.begin(), groups.end(),
                       [&](const platform::SecurityId& id) { return id == administrators; });
}

bool IsUserAdministrator() {
    std::vector<platform::SecurityId> groups;
    if (platform::ReadTokenGroups(groups) != platform::kSuccess) return false;
    return HasAdministratorsGroup(groups);
}

std::string MissingFileText(std::string_view fileName) {
    return "ファイル [" + std::string(fileName) + "] が見つかりません";
}

std::optional<std::string_view> FirstMissingProgramFile(
    const std::function<bool(const std::string&)>& fileExists) {
    for (std::string_view file : kRequiredProgramFiles) {
        if (!fileExists(std::string(file))) return file;
    }
    return std::nullopt;
}

}  // namespace menu
