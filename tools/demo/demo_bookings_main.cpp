// varnole-demo-bookings: writes the demo booking set (demo_bookings.h) as Gather's settings file
// VARNOLE.dat into a program directory, with Gather's own settings writer.
//
//   varnole-demo-bookings [--start-in SECONDS] [--seconds N] PROGRAM_DIR
//
// The bookings start SECONDS from now (default 5) and run for N seconds (default 60). A folder
// that already holds a VARNOLE.dat is left alone. Exit code 0 when written, 1 when the file could
// not be written, 2 for a wrong command line.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "command_line.h"
#include "demo_bookings.h"
#include "file_ops.h"
#include "gather_settings.h"
#include "platform/files.h"

namespace {

constexpr int kExitError = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: varnole-demo-bookings [--start-in SECONDS] [--seconds N] PROGRAM_DIR\n"
    "  PROGRAM_DIR         the folder of Gather (or gather-headless) that gets VARNOLE.dat\n"
    "  --start-in SECONDS  how far ahead the bookings start, 1 to 3600 (default 5)\n"
    "  --seconds N         how long they run, 10 to 86400 (default 60)\n";

constexpr tools::COptionRule kOptions[] = {{"--start-in"}, {"--seconds"}};

int Usage(const std::string& strError) {
    std::cerr << "varnole-demo-bookings: " << strError << "\n" << kUsage;
    return kExitUsage;
}

int Run(const std::vector<std::string>& vecArgs) {
    tools::CCommandLine line;
    std::string strError;
    if (!tools::ParseCommandLine(vecArgs, kOptions, line, strError)) return Usage(strError);
    if (line.m_vecOperands.size() != 1) return Usage("give one program directory");
    int nStartIn = 5;
    int nSeconds = 60;
    if (const std::string* pValue = line.Value("--start-in")) {
        const std::optional<int> n = tools::ParseWholeNumber(*pValue, 1, 3600);
        if (!n) return Usage("--start-in must be a whole number from 1 to 3600");
        nStartIn = *n;
    }
    if (const std::string* pValue = line.Value("--seconds")) {
        const std::optional<int> n = tools::ParseWholeNumber(*pValue, 10, 86400);
        if (!n) return Usage("--seconds must be a whole number from 10 to 86400");
        nSeconds = *n;
    }

    const platform::IClock& clock = platform::SystemClock();
    CGatherTables tables(clock);
    CGatherSettings settings(tables, PlatformFileOps());
    settings.SetProgramDirectory(platform::WithTrailingSeparator(line.m_vecOperands[0]));
    if (PlatformFileOps().Exists(settings.SettingsPath())) {
        std::cerr << "varnole-demo-bookings: " << settings.SettingsPath()
                  << " already exists; the demo set goes only into a folder without one\n";
        return kExitError;
    }
    const std::vector<std::string> vecLines =
        FillDemoBookings(tables, clock.Now() + nStartIn, nSeconds);
    const std::string strFailure = settings.Save();
    if (!strFailure.empty()) {
        std::cerr << "varnole-demo-bookings: " << strFailure << "\n";
        return kExitError;
    }
    std::cout << settings.SettingsPath() << ": " << vecLines.size() << " bookings, starting in "
              << nStartIn << " s, each for " << nSeconds << " s\n";
    for (const std::string& strLine : vecLines) std::cout << "  " << strLine << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
}
