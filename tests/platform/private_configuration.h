// A configuration store of the test's own, so tests can take the suite's key away or create it
// without touching the machine's.
#pragma once
#include <memory>
#include <string>

namespace platform_test {

// For its lifetime the configuration store of this process is empty and private: on Linux
// VARNOLE_CONFIG_DIR names a directory that does not exist yet; on Windows HKEY_LOCAL_MACHINE
// is redirected (RegOverridePredefKey) to an empty key of the test under HKEY_CURRENT_USER.
class CPrivateConfiguration {
public:
    CPrivateConfiguration();
    ~CPrivateConfiguration();
    CPrivateConfiguration(const CPrivateConfiguration&) = delete;
    CPrivateConfiguration& operator=(const CPrivateConfiguration&) = delete;

    // What the installer does: creates the suite's key (on Linux its directory).
    void CreateKey();
    // Whether the suite's key exists.
    bool KeyExists() const;

private:
    struct SState;
    std::unique_ptr<SState> m_pState;
};

}  // namespace platform_test
