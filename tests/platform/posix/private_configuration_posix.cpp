// A private configuration store on Linux: a configuration directory in a scratch directory.
#include <stdlib.h>

#include <filesystem>
#include <optional>

#include "platform/private_configuration.h"
#include "platform/temp_dir.h"

namespace platform_test {

struct CPrivateConfiguration::SState {
    CTempDir dir;
    std::string strPath = dir.Path("varnole");
    std::optional<std::string> strPrevious;
};

CPrivateConfiguration::CPrivateConfiguration() : m_pState(std::make_unique<SState>()) {
    if (const char* previous = getenv("VARNOLE_CONFIG_DIR")) m_pState->strPrevious = previous;
    setenv("VARNOLE_CONFIG_DIR", m_pState->strPath.c_str(), 1);
}

CPrivateConfiguration::~CPrivateConfiguration() {
    if (m_pState->strPrevious) {
        setenv("VARNOLE_CONFIG_DIR", m_pState->strPrevious->c_str(), 1);
    } else {
        unsetenv("VARNOLE_CONFIG_DIR");
    }
}

void CPrivateConfiguration::CreateKey() {
    std::filesystem::create_directories(m_pState->strPath);
}

bool CPrivateConfiguration::KeyExists() const {
    return std::filesystem::exists(m_pState->strPath);
}

}  // namespace platform_test
