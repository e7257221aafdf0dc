// Entry point of gather-headless (GatherHeadless.exe): options in, RunHeadless, exit code out.
#include <iostream>
#include <string>
#include <vector>

#include "headless_options.h"
#include "headless_runner.h"

#ifdef _WIN32
#include "platform/win32/wide_string.h"
#endif

namespace {

int RunWithArguments(const std::vector<std::string>& arrArgs) {
    std::string strError;
    const std::optional<CHeadlessOptions> options = ParseHeadlessOptions(arrArgs, strError);
    if (!options) {
        std::cerr << strError << "\n" << HeadlessUsage();
        return kHeadlessUsage;
    }
    return RunHeadless(*options, std::cout, std::cerr);
}

}  // namespace

#ifdef _WIN32
// The wide entry point, so that directory names outside the ANSI code page arrive intact.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arrArgs;
    for (int i = 1; i < argc; ++i) arrArgs.push_back(platform::WideToUtf8(argv[i]));
    return RunWithArguments(arrArgs);
}
#else
int main(int argc, char** argv) {
    return RunWithArguments(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
