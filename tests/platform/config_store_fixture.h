// A fixture that gives each configuration store test its own values: on Linux a private
// configuration directory, on Windows a private key (HKEY_LOCAL_MACHINE redirected) and value
// names no other run uses (removed afterwards). The suite's key exists, as installed.
#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "private_configuration.h"
#include "temp_dir.h"

namespace platform_test {

// Defined per platform: deletes one value the test wrote (Windows) or nothing (Linux, where the
// whole directory goes).
void DeleteTestValue(const std::string& name);

class ConfigStoreTest : public testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        m_pConfig = std::make_unique<CPrivateConfiguration>();
        m_pConfig->CreateKey();
#else
        setenv("VARNOLE_CONFIG_DIR", m_pDir->Path().c_str(), 1);
#endif
    }
    void TearDown() override {
        for (const std::string& name : m_names) DeleteTestValue(name);
#ifndef _WIN32
        unsetenv("VARNOLE_CONFIG_DIR");
#endif
    }

    std::string ValueName(const std::string& base) {
        static std::atomic<int> s_nSerial{0};
#ifdef _WIN32
        const int pid = _getpid();
#else
        const int pid = static_cast<int>(getpid());
#endif
        std::string name =
            "VarnoleTest_" + base + "_" + std::to_string(pid) + "_" + std::to_string(++s_nSerial);
        m_names.push_back(name);
        return name;
    }

    const CTempDir& Dir() const {
        return *m_pDir;
    }

private:
    std::unique_ptr<CTempDir> m_pDir = std::make_unique<CTempDir>();
    std::unique_ptr<CPrivateConfiguration> m_pConfig;
    std::vector<std::string> m_names;
};

}  // namespace platform_test
