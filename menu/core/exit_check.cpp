// The exit check over the sibling programs' mutexes.
#include "exit_check.h"

#include "menu_tables.h"
#include "platform/named_mutex.h"

namespace menu {

bool ProbeMutexHeld(const std::string& strMutex) {
    platform::NamedMutex probe;
    const platform::ErrorCode error = probe.Create(strMutex, true);
    probe.Close();
    return error == platform::kErrorAlreadyExists;
}

std::string ExitCheckText(const std::function<bool(const std::string&)>& isRunning) {
    std::string text;
    for (const SSiblingProgram& sibling : kSiblingPrograms) {
        if (!isRunning(std::string(sibling.m_strMutex))) continue;
        if (!text.empty()) text += "\r\n";
        text += sibling.m_strRunningLine;
    }
    if (!text.empty()) text += kTextFinishFirst;
    return text;
}

}  // namespace menu
