// Helpers of the menu tests: mutex names that no other test or running program uses.
#pragma once
#include <string>

#ifdef _WIN32
#include <process.h>
#define VARNOLE_TEST_PID _getpid()
#else
#include <unistd.h>
#define VARNOLE_TEST_PID getpid()
#endif

// A name private to this test process, so that parallel tests never meet.
inline std::string PrivateName(const std::string& base) {
    return "VARNOLE_TEST_" + base + "_" + std::to_string(VARNOLE_TEST_PID);
}
