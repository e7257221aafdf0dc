// Convert's texts.
#include "convert_texts.h"

#include <algorithm>

#include "data_files.h"

namespace convert {
namespace {

std::string Thousands(std::size_t n) {
    std::string strDigits = std::to_string(n);
    for (int i = static_cast<int>(strDigits.size()) - 3; i > 0; i -= 3) {
        strDigits.insert(static_cast<std::size_t>(i), ",");
    }
    return strDigits;
}

std::string FileName(const std::string& strPath) {
    const std::size_t nSlash = strPath.find_last_of("\\/");
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

std::string ProblemText(const series::CFileProblem& problem) {
    const std::string strFile = "ファイル [" + FileName(problem.m_strPath) + "] ";
    const std::string strCode = "（エラー " + std::to_string(problem.m_nCode) + "）";
    switch (problem.m_eProblem) {
        case series::EFileProblem::kOpenFailed:
            return strFile + "を開けません" + strCode + "。";
        case series::EFileProblem::kNotDataFile:
            return strFile + "は稼動データファイルではありません。";
        case series::EFileProblem::kReadFailed:
            return strFile + "の読み込みが途中で失敗しました" + strCode +
                   "。それまでのサンプルを変換しました。";
        case series::EFileProblem::kDamaged:
            return strFile + "の途中に壊れた記録があります。それまでのサンプルを変換しました。";
    }
    return strFile;
}

std::string FailureText(const csv::CConvertResult& result) {
    switch (result.m_eError) {
        case csv::EConvertError::kNone:
            return {};
        case csv::EConvertError::kNoFiles:
        case csv::EConvertError::kNoUsableFile:
            return "データファイルを読めません";
        case csv::EConvertError::kNoSamples:
            return "データファイルにサンプルがありません";
        case csv::EConvertError::kWriteFailed:
            return "書き込めません（エラー " + std::to_string(result.m_nWriteError) + "）";
        case csv::EConvertError::kCancelled:
            return "中止しました";
    }
    return {};
}

}  // namespace

std::string DataDirectoryText(std::string_view strDirectory) {
    return "データフォルダ: " + std::string(strDirectory);
}

std::string ListStatusText(std::size_t nRuns, std::size_t nFiles, std::string_view strDirectory) {
    if (nRuns == 0) {
        return "データフォルダ [" + std::string(strDirectory) +
               "] に変換できる稼動データファイルがありません。";
    }
    return "収集 " + Thousands(nRuns) + " 件（データファイル " + Thousands(nFiles) +
           " 個）。変換する行を選んで [ＣＳＶ作成] を押してください。";
}

std::string FolderMissingText(std::string_view strFolder) {
    return "出力先フォルダ [" + std::string(strFolder) + "] がありません。";
}

std::string ReplaceQuestionText(const std::vector<std::string>& vecNames) {
    constexpr std::size_t kShown = 10;
    std::string strText = "次のファイルはすでにあります。置き換えますか？\n";
    for (std::size_t i = 0; i < vecNames.size() && i < kShown; ++i) {
        strText += "\n" + vecNames[i];
    }
    if (vecNames.size() > kShown) {
        strText += "\n（ほか " + Thousands(vecNames.size() - kShown) + " 個）";
    }
    return strText;
}

std::string ProgressText(const CConvertJob::CStatus& status, std::string_view strName) {
    const csv::CConvertProgress& progress = status.m_progress;
    const int nPercent =
        progress.m_nBytesTotal > 0
            ? static_cast<int>(progress.m_nBytesDone * 100 / progress.m_nBytesTotal)
            : 0;
    return "ＣＳＶファイルを作成しています... (" +
           std::to_string(std::min(status.m_nTask + 1, status.m_nTasks)) + "/" +
           std::to_string(status.m_nTasks) + " 件 " + std::string(strName) + " " +
           std::to_string(nPercent) + "%、" + Thousands(progress.m_nRows) + " 行)";
}

std::string CancelledText(std::size_t nWritten) {
    return "中止しました。作成を終えたＣＳＶファイルは " + Thousands(nWritten) + " 個です。";
}

std::string ReportSummaryText(const std::vector<CTaskReport>& vecReports) {
    std::size_t nWritten = 0;
    for (const CTaskReport& report : vecReports) nWritten += report.m_result.Ok();
    std::string strText = "ＣＳＶファイルを " + Thousands(nWritten) + " 個作成しました";
    if (nWritten < vecReports.size()) {
        strText += "（" + Thousands(vecReports.size() - nWritten) + " 個は作成できません）";
    }
    return strText + "。";
}

std::string ReportText(const std::vector<CTaskReport>& vecReports) {
    std::string strText = ReportSummaryText(vecReports) + "\n";
    std::vector<std::string> vecNotes;
    for (const CTaskReport& report : vecReports) {
        const csv::CConvertResult& result = report.m_result;
        strText += "\n" + report.m_strName + "：";
        strText += result.Ok() ? Thousands(result.m_nRows) + " 行（データファイル " +
                                     Thousands(result.m_nFiles) + " 個）"
                               : FailureText(result);
        for (const std::string& strOpen : report.m_vecOpenPieces) {
            vecNotes.push_back("書き込み中のファイル [" + strOpen + "] は変換していません。");
        }
        for (const series::CFileProblem& problem : result.m_vecProblems) {
            vecNotes.push_back(ProblemText(problem));
        }
        if (result.m_nSkipped > 0) {
            vecNotes.push_back(report.m_strName + "：時刻が前のサンプルより前のサンプル " +
                               Thousands(result.m_nSkipped) + " 件を除きました。");
        }
    }
    if (!vecNotes.empty()) {
        strText += "\n";
        for (const std::string& strNote : vecNotes) strText += "\n" + strNote;
    }
    return strText;
}

}  // namespace convert
