// Parsing varnole-convert's options, checking the files and running the CSV conversion.
#include "convert_tool.h"

#include <sstream>

#include "collection_check.h"
#include "command_line.h"
#include "csv_conversion.h"
#include "file_problem_text.h"
#include "series/series_loader.h"

namespace {

constexpr tools::COptionRule kOptions[] = {{"-o", true}, {"--utf8", false}, {"--help", false}};

std::string Usage() {
    return "usage: varnole-convert [--utf8] -o FILE.csv DATAFILE...\n"
           "  Converts the data files of one collection (one file, or the pieces of a split run,\n"
           "  taken in the order of their start times) into one CSV file: a header row, then one\n"
           "  row per sample with its local time, the eight counters of the graph programs and\n"
           "  the busy time of every processor and disk. A value that cannot be given is empty.\n"
           "  -o FILE.csv   where the CSV file goes (an existing file is replaced)\n"
           "  --utf8        UTF-8 with a byte-order mark instead of code page 932\n"
           "Exit code 0 when the file was written, 1 when it could not be, 2 for a wrong command "
           "line.\n";
}

int BadCommandLine(std::ostream& err, const std::string& strError) {
    err << "varnole-convert: " << strError << "\n" << Usage();
    return kConvertToolUsage;
}

bool EndsWithIgnoringCase(const std::string& strText, std::string_view strEnd) {
    if (strText.size() < strEnd.size()) return false;
    for (std::size_t i = 0; i < strEnd.size(); ++i) {
        char c = strText[strText.size() - strEnd.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        if (c != strEnd[i]) return false;
    }
    return true;
}

std::string CollectionText(const csv::CCollectionCheck& check) {
    switch (check.m_eResult) {
        case csv::ECollection::kOne:
            return {};
        case csv::ECollection::kDifferentHosts:
            return check.m_strPath + " is of another host than the first file";
        case csv::ECollection::kDifferentRuns:
            return check.m_strPath + " is of another collection (execution ID) than the first file";
        case csv::ECollection::kNoExecutionId:
            return check.m_strPath +
                   " has no execution ID, so it cannot be joined with other files; convert it alone";
    }
    return {};
}

std::string ErrorText(const csv::CConvertResult& result, const std::string& strOutput) {
    switch (result.m_eError) {
        case csv::EConvertError::kNone:
            return {};
        case csv::EConvertError::kNoFiles:
            return "no data file given";
        case csv::EConvertError::kNoUsableFile:
            return "none of the files can be read";
        case csv::EConvertError::kNoSamples:
            return "the files hold no samples";
        case csv::EConvertError::kWriteFailed:
            return "cannot write " + strOutput + " (error " +
                   std::to_string(result.m_nWriteError) + ")";
        case csv::EConvertError::kCancelled:
            return "cancelled";
    }
    return "cannot convert";
}

}  // namespace

int RunConvertTool(const std::vector<std::string>& vecArgs, std::ostream& out, std::ostream& err) {
    tools::CCommandLine line;
    std::string strError;
    if (!tools::ParseCommandLine(vecArgs, kOptions, line, strError)) {
        return BadCommandLine(err, strError);
    }
    if (line.Flag("--help")) {
        out << Usage();
        return kConvertToolOk;
    }
    const std::string* pOutput = line.Value("-o");
    if (pOutput == nullptr || pOutput->empty()) return BadCommandLine(err, "-o FILE.csv is required");
    if (line.m_vecOperands.empty()) return BadCommandLine(err, "no data file given");
    // A slip of the fingers must never replace a data file with its own CSV.
    if (EndsWithIgnoringCase(*pOutput, ".var") || EndsWithIgnoringCase(*pOutput, ".va_")) {
        return BadCommandLine(err, "-o names a data file: " + *pOutput);
    }

    const csv::CCollectionCheck check = csv::CheckOneCollection(line.m_vecOperands);
    if (check.m_eResult != csv::ECollection::kOne) {
        err << "varnole-convert: " << CollectionText(check) << "\n";
        return kConvertToolError;
    }
    csv::CConvertOptions options;
    options.m_eEncoding = line.Flag("--utf8") ? csv::ECsvEncoding::kUtf8Bom : csv::ECsvEncoding::kCp932;
    // The pieces go in the order of their start times, whatever order the shell gave them.
    const csv::CConvertResult result =
        csv::ConvertToCsv(series::OrderedByStart(line.m_vecOperands), *pOutput, options);
    for (const series::CFileProblem& problem : result.m_vecProblems) {
        err << "varnole-convert: " << tools::FileProblemText(problem, "converted") << "\n";
    }
    if (!result.Ok()) {
        err << "varnole-convert: " << ErrorText(result, *pOutput) << "\n";
        return kConvertToolError;
    }
    if (result.m_nSkipped > 0) {
        err << "varnole-convert: " << result.m_nSkipped
            << " samples are stamped earlier than samples before them and are left out\n";
    }
    out << *pOutput << ": " << result.m_nRows << " rows of " << result.m_nColumns
        << " columns from " << result.m_nFiles << " file(s) of " << result.m_strHost
        << (options.m_eEncoding == csv::ECsvEncoding::kCp932 ? ", code page 932" : ", UTF-8")
        << "\n";
    return kConvertToolOk;
}
