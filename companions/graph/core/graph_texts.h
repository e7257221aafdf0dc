// Everything Graph says: its window title, status line, messages about the request and the data
// files, and the file name it offers for a saved picture.
#pragma once
#include <string>
#include <string_view>

#include "graph_param.h"
#include "series/counter_choice.h"
#include "series/series_loader.h"

// "VARNOLE [グラフ]", followed by the host and the counter once the request is known.
std::string GraphWindowTitle(const CGraphParam* pParam);

// The message when the clipboard had no block (readError: the platform's code) or a block that
// did not decode.
std::string MissingBlockText(unsigned long readError);
std::string MalformedBlockText(const CGraphParamDecodeResult& result);

// "データファイルを読み込んでいます... (2/3 ファイル、45%)".
std::string LoadingText(const series::CLoadProgress& progress);

// Why nothing could be drawn; for kNoUsableFile the first file's problem.
std::string LoadErrorText(const series::CLoadResult& result, const series::CCounterChoice& choice);

// One file's problem, naming the file.
std::string FileProblemText(const series::CFileProblem& problem);

// The status line of a drawn chart: files, samples, time range and statistics; then, on a
// second line, what was left out (files that could not be read, samples whose time went back).
std::string ChartStatusText(const series::CLoadResult& result, std::string_view strStatistics);

// A request path with the doubled separator before the file name made single (the directory
// ends with a separator and one more is added); a leading "\\" of a network path stays.
std::string NormalizeRequestPath(std::string_view strPath);

// The file name offered for a saved picture: host and counter, characters that Windows does not
// allow in a file name replaced by '_', ".png" at the end.
std::string DefaultImageFileName(std::string_view strHost, std::string_view strCounter);

// Results of saving and copying the picture.
std::string SavedText(std::string_view strPath);
std::string SaveFailedText(std::string_view strPath, unsigned long nCode);
std::string CopiedText();
std::string CopyFailedText(unsigned long nCode);
