// Parsing varnole-graph's options, loading the series, planning the chart and writing the SVG.
#include "graph_tool.h"

#include <cstdio>
#include <sstream>

#include "command_line.h"
#include "file_problem_text.h"
#include "platform/file_write.h"
#include "platform/files.h"
#include "series/chart_plan.h"
#include "series/counter_choice.h"
#include "svg_chart.h"

namespace {

constexpr tools::COptionRule kOptions[] = {
    {"--counter", true}, {"--show-date", false}, {"-o", true}, {"--width", true},
    {"--height", true},  {"--help", false},
};

std::string Usage() {
    std::ostringstream text;
    text << "usage: varnole-graph --counter N [--show-date] [--width W] [--height H] -o FILE.svg "
            "DATAFILE...\n"
            "  Draws one counter of data files (the pieces of one run; taken in the order of their\n"
            "  start times) as an SVG chart.\n"
            "  --counter N   the counter, 0 to 7:\n";
    for (int i = 0; i < static_cast<int>(series::CounterChoices().size()); ++i) {
        text << "                  " << i << "  " << series::CounterChoices()[i].m_strText << "\n";
    }
    text << "  --show-date   label the time axis with the date under the time\n"
            "  --width W, --height H   picture size in pixels (default 900 x 500)\n"
            "  -o FILE.svg   where the chart goes\n"
            "Exit code 0 when the chart was written, 1 when it could not be, 2 for a wrong "
            "command line.\n";
    return text.str();
}

int BadCommandLine(std::ostream& err, const std::string& strError) {
    err << "varnole-graph: " << strError << "\n" << Usage();
    return kGraphToolUsage;
}

std::string Hex(std::uint32_t nValue) {
    char szText[16];
    std::snprintf(szText, sizeof szText, "0x%08X", nValue);
    return szText;
}

}  // namespace

std::string FileProblemText(const series::CFileProblem& problem) {
    return tools::FileProblemText(problem, "drawn");
}

std::string LoadErrorText(const series::CLoadResult& result, const series::CCounterChoice& choice) {
    const std::string strCounter(choice.m_strText);
    switch (result.m_eError) {
        case series::ELoadError::kNone:
            return {};
        case series::ELoadError::kNoFiles:
            return "no data file given";
        case series::ELoadError::kNoUsableFile:
            return "none of the files can be read";
        case series::ELoadError::kNoSamples:
            return "the files hold no samples";
        case series::ELoadError::kCounterMissing:
            return "the files do not hold " + strCounter + " (the host did not deliver it)";
        case series::ELoadError::kUnsupportedType:
            return "the counter of " + strCounter + " has the type " +
                   Hex(result.m_nCounterType) + ", which cannot be drawn";
        case series::ELoadError::kNoValues:
            return strCounter + " needs at least two samples";
        case series::ELoadError::kCancelled:
            return "cancelled";
    }
    return "cannot draw";
}

int RunGraphTool(const std::vector<std::string>& vecArgs, std::ostream& out, std::ostream& err) {
    tools::CCommandLine line;
    std::string strError;
    if (!tools::ParseCommandLine(vecArgs, kOptions, line, strError)) {
        return BadCommandLine(err, strError);
    }
    if (line.Flag("--help")) {
        out << Usage();
        return kGraphToolOk;
    }
    const std::string* pCounter = line.Value("--counter");
    if (pCounter == nullptr) return BadCommandLine(err, "--counter is required");
    const std::optional<int> nCounter = tools::ParseWholeNumber(*pCounter, 0, 7);
    if (!nCounter) return BadCommandLine(err, "--counter needs a number from 0 to 7: " + *pCounter);
    const std::string* pOutput = line.Value("-o");
    if (pOutput == nullptr || pOutput->empty()) return BadCommandLine(err, "-o FILE.svg is required");
    if (line.m_vecOperands.empty()) return BadCommandLine(err, "no data file given");
    series::CChartRequest request;
    request.m_nWidth = 900;
    request.m_nHeight = 500;
    for (auto [pszName, pSize] : {std::pair{"--width", &request.m_nWidth},
                                  std::pair{"--height", &request.m_nHeight}}) {
        if (const std::string* pValue = line.Value(pszName)) {
            const std::optional<int> nSize = tools::ParseWholeNumber(*pValue, 160, 20000);
            if (!nSize) {
                return BadCommandLine(err, std::string(pszName) +
                                               " needs a number of pixels from 160 to 20000: " +
                                               *pValue);
            }
            *pSize = *nSize;
        }
    }

    const series::CCounterChoice& choice = *series::CounterChoice(*nCounter);
    // The files go in the order of their start times, whatever order the shell gave them.
    const series::CLoadResult result =
        series::LoadSeries(series::OrderedByStart(line.m_vecOperands), choice);
    for (const series::CFileProblem& problem : result.m_vecProblems) {
        err << "varnole-graph: " << FileProblemText(problem) << "\n";
    }
    if (!result.Ok()) {
        err << "varnole-graph: " << LoadErrorText(result, choice) << "\n";
        return kGraphToolError;
    }
    if (result.m_nSkipped > 0) {
        err << "varnole-graph: " << result.m_nSkipped
            << " samples are stamped earlier than samples before them and are left out\n";
    }
    request.m_bShowDate = line.Flag("--show-date");
    request.m_strHost = result.m_strHost;
    request.m_pChoice = &choice;
    const series::CChartPlan plan =
        series::MakeChartPlan(result.m_series, request, SvgTextMetrics());

    // Written under a temporary name first, so a failure never leaves half a picture.
    const std::string strTemporary = *pOutput + ".tmp";
    platform::ErrorCode nCode = platform::WriteFileFlushed(strTemporary, RenderSvg(plan));
    if (nCode == platform::kSuccess) nCode = platform::RenameReplacing(strTemporary, *pOutput);
    if (nCode != platform::kSuccess) {
        platform::DeleteFile(strTemporary);  // nothing half-written stays behind
        err << "varnole-graph: cannot write " << *pOutput << " (error " << nCode << ")\n";
        return kGraphToolError;
    }
    out << *pOutput << ": " << result.m_nSamples << " samples from " << result.m_nFiles
        << " file(s), " << choice.m_strText << ", " << plan.m_strMinimum << " to "
        << plan.m_strMaximum << ", average " << plan.m_strAverage << "\n";
    return kGraphToolOk;
}
