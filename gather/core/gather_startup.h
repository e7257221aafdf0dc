// What Gather's start-up is told: the mutex names it checks, its directories, the data directory.
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "platform/error_codes.h"

inline constexpr const char* kGatherMutexName = "VARNOLE_GathProgram";
inline constexpr const char* kMainMenuMutexName = "VARNOLE_MainProgram";
// The configuration value naming the directory of the data files.
inline constexpr const char* kDataDirectoryValue = "DataDirectory";

class CGatherStartup {
public:
    // Gather's single-instance mutex, held while it runs.
    std::string m_strGatherMutex = kGatherMutexName;
    // The main menu's mutex, which must exist already.
    std::string m_strMainMenuMutex = kMainMenuMutexName;
    // False only in the headless runner: it is started without the main menu.
    bool m_bRequireMainMenu = true;
    // Gather's own directory (where VARNOLE.dat lives); empty: the running program's directory.
    std::string m_strProgramDir;
    // Overrides the configured data directory when set.
    std::optional<std::string> m_strDataDirOverride;
    // Reads the configured data directory (DataDirectory); empty: the configuration store.
    std::function<platform::ErrorCode(std::string&)> m_fnReadDataDirectory;
};

// The data directory: the configured value with a separator added when it lacks one; the
// program directory when the value cannot be read or is empty.
std::string ChooseDataDirectory(const CGatherStartup& startup, const std::string& strProgramDir);
