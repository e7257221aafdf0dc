// The main menu's start-up decisions: the administrator test and the program-files check.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/security_groups.h"

namespace menu {

// The well-known Administrators group: authority 5, sub-authorities 32 and 544.
platform::SecurityId AdministratorsGroup();

// True when some group of the list is exactly the Administrators group.
bool HasAdministratorsGroup(const std::vector<platform::SecurityId>& groups);

// The administrator test on the calling thread's (or process's) token; any failure on the way
// counts as not being an administrator.
bool IsUserAdministrator();

// "ファイル [name] が見つかりません"
std::string MissingFileText(std::string_view fileName);

// The first of the required program files that fileExists does not find, in the order Gather,
// Manager, Plotara, Graph; nothing when all are there.
std::optional<std::string_view> FirstMissingProgramFile(
    const std::function<bool(const std::string&)>& fileExists);

}  // namespace menu
