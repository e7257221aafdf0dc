// Everything Convert says: its title, list and status texts, questions and the report of what it
// wrote.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "convert_job.h"
#include "csv_conversion.h"

namespace convert {

inline constexpr const char* kConvertTitle = "VARNOLE [ＣＳＶファイルの作成]";
inline constexpr const char* kAlreadyRunning =
    "VARNOLE [ＣＳＶファイルの作成] は、すでに起動されています。";
inline constexpr const char* kErrorCaption = "エラー";
inline constexpr const char* kExitCaption = "終了";
inline constexpr const char* kNothingSelected = "変換する稼動データを選択してください。";
inline constexpr const char* kExitWhileConverting =
    "ＣＳＶファイルを作成しています。中止して終了しますか？";
inline constexpr const char* kFolderPickerTitle = "ＣＳＶファイルの出力先フォルダ";

// "データフォルダ: D:\Data\".
std::string DataDirectoryText(std::string_view strDirectory);
// What the list holds, or that there is nothing to convert.
std::string ListStatusText(std::size_t nRuns, std::size_t nFiles, std::string_view strDirectory);
// "出力先フォルダ [X] がありません。"
std::string FolderMissingText(std::string_view strFolder);
// The question before files are replaced, naming up to ten of them.
std::string ReplaceQuestionText(const std::vector<std::string>& vecNames);
// "ＣＳＶファイルを作成しています... (1/3 件 VARN_A.csv 45%、12,345 行)".
std::string ProgressText(const CConvertJob::CStatus& status, std::string_view strName);
// The status line after a cancelled job.
std::string CancelledText(std::size_t nWritten);

// One task's outcome, for the report.
struct CTaskReport {
    std::string m_strName;                   // the CSV file's name
    std::vector<std::string> m_vecOpenPieces;  // pieces still being written, not converted
    csv::CConvertResult m_result;
};
// The report: the files written with their rows, the files that could not be, and the notes
// (pieces still being written, data files that could not be read to their end).
std::string ReportText(const std::vector<CTaskReport>& vecReports);
// The status line after a finished job: "ＣＳＶファイルを 2 個作成しました（1 個は作成できません）。"
std::string ReportSummaryText(const std::vector<CTaskReport>& vecReports);

}  // namespace convert
