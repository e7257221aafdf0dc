// The data directory: the configuration value "DataDirectory", else the program's own folder.
#include "data_directory.h"

#include "platform/config_store.h"
#include "platform/files.h"
#include "plotara_texts.h"

namespace plotara {

std::string FindDataDirectory(const DataDirectoryReader& readValue,
                              const std::string& strProgramDir) {
    std::string strValue;
    if (!readValue || readValue(strValue) != platform::kSuccess || strValue.empty())
        return platform::WithTrailingSeparator(strProgramDir);
    return platform::WithTrailingSeparator(strValue);
}

std::string FindDataDirectory() {
    return FindDataDirectory(
        [](std::string& strValue) {
            return platform::ConfigStore::ReadString(std::string(kDataDirectoryValue), strValue);
        },
        platform::ProgramDirectory());
}

}  // namespace plotara
