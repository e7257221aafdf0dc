// varnole-simdata: writes data files from a host of a simulated network, as Gather would record
// them, for tests, benchmarks and trying out the graph programs without Windows hosts.
//
//   varnole-simdata --network FILE --host NAME --data-dir DIR [--start "YYYY-MM-DD HH:MM[:SS]"]
//                   [--samples N] [--interval-ms N] [--split N] [--schedule N] [--exec-id ID]
//                   [--user USER --password PASSWORD]
//
// Prints the path of every file written, one a line. Exit code 0 when the files were written,
// 1 when the host or a file failed, 2 for a wrong command line.
#include <iostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "host_recorder.h"

#ifdef _WIN32
#include "platform/win32/wide_string.h"
#endif

namespace {

constexpr int kExitError = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: varnole-simdata --network FILE --host NAME --data-dir DIR\n"
    "           [--start \"YYYY-MM-DD HH:MM[:SS]\"] [--samples N] [--interval-ms N]\n"
    "           [--split N] [--schedule N] [--exec-id ID] [--user USER --password PASSWORD]\n"
    "  --network FILE     description of the simulated network (docs/simulation.md)\n"
    "  --host NAME        the host to record\n"
    "  --data-dir DIR     where the data files go\n"
    "  --start TIME       local time of the first sample (default: now)\n"
    "  --samples N        samples to take, 1 to 10,000,000 (default 60)\n"
    "  --interval-ms N    time between samples, 1,000 to 300,000 ms (default 1000)\n"
    "  --split N          start a new file (the next branch number) every N samples\n"
    "  --schedule N       schedule number in the file names (default 1)\n"
    "  --exec-id ID       execution ID in the headers (default SIM)\n"
    "  --user, --password IPC$ logon for hosts that ask for one\n";

constexpr tools::COptionRule kOptions[] = {
    {"--network"},     {"--host"},     {"--data-dir"}, {"--start"},    {"--samples"},
    {"--interval-ms"}, {"--split"},    {"--schedule"}, {"--exec-id"},  {"--user"},
    {"--password"},
};

int Usage(const std::string& strError) {
    std::cerr << "varnole-simdata: " << strError << "\n" << kUsage;
    return kExitUsage;
}

int Run(const std::vector<std::string>& vecArgs) {
    tools::CCommandLine line;
    std::string strError;
    if (!tools::ParseCommandLine(vecArgs, kOptions, line, strError)) return Usage(strError);
    if (!line.m_vecOperands.empty()) return Usage("unexpected argument: " + line.m_vecOperands[0]);
    CRecordRequest request;
    for (const char* pszRequired : {"--network", "--host", "--data-dir"}) {
        const std::string* pValue = line.Value(pszRequired);
        if (pValue == nullptr || pValue->empty()) {
            return Usage(std::string(pszRequired) + " is required");
        }
    }
    request.m_strDescription = *line.Value("--network");
    request.m_strHost = *line.Value("--host");
    request.m_strDataDir = *line.Value("--data-dir");
    request.m_tStart = platform::SystemClock().Now();
    if (const std::string* pStart = line.Value("--start")) {
        const std::optional<platform::Time> tStart = tools::ParseLocalTime(*pStart);
        if (!tStart) return Usage("--start needs a local time \"YYYY-MM-DD HH:MM[:SS]\": " + *pStart);
        request.m_tStart = *tStart;
    }
    struct SNumber {
        const char* pszName;
        int nMin;
        int nMax;
        int* pValue;
    };
    const SNumber numbers[] = {
        {"--samples", 1, 10'000'000, &request.m_nSamples},
        {"--interval-ms", 1000, 300'000, &request.m_nIntervalMs},
        {"--split", 1, 10'000'000, &request.m_nSamplesPerFile},
        {"--schedule", 1, 500, &request.m_nSchedule},
    };
    for (const SNumber& number : numbers) {
        const std::string* pValue = line.Value(number.pszName);
        if (pValue == nullptr) continue;
        const std::optional<int> nValue = tools::ParseWholeNumber(*pValue, number.nMin, number.nMax);
        if (!nValue) {
            return Usage(std::string(number.pszName) + " needs a whole number from " +
                         std::to_string(number.nMin) + " to " + std::to_string(number.nMax) +
                         ": " + *pValue);
        }
        *number.pValue = *nValue;
    }
    if (const std::string* pExecId = line.Value("--exec-id")) request.m_strExecId = *pExecId;
    if ((line.Value("--user") == nullptr) != (line.Value("--password") == nullptr)) {
        return Usage("--user and --password go together");
    }
    if (line.Value("--user") != nullptr) {
        request.m_strUser = *line.Value("--user");
        request.m_strPassword = *line.Value("--password");
    }

    CRecordResult result;
    if (!RecordSimulatedHost(request, result, strError)) {
        std::cerr << "varnole-simdata: " << strError << "\n";
        return kExitError;
    }
    for (const std::string& strPath : result.m_vecPaths) std::cout << strPath << "\n";
    if (result.m_nSkipped > 0) {
        std::cerr << "varnole-simdata: " << result.m_nSkipped
                  << " requests failed on the host and were skipped\n";
    }
    return 0;
}

}  // namespace

#ifdef _WIN32
// The wide entry point, so that paths outside the ANSI code page arrive intact.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> vecArgs;
    for (int i = 1; i < argc; ++i) vecArgs.push_back(platform::WideToUtf8(argv[i]));
    return Run(vecArgs);
}
#else
int main(int argc, char** argv) {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
