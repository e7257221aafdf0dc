// The texts a collection job writes into its message and its error-log entries.
#pragma once
#include <cstdint>
#include <string>

#include "logs/error_record.h"
#include "perf/perf_figures.h"
#include "platform/error_codes.h"

// "予約 %02d %s/%s": schedule, host, the system message of the code.
std::string JobErrorMessage(std::int32_t nSchedule, const std::string& strHost,
                            platform::ErrorCode nCode);

// "予約 %02d でしきい値トリガーが働きました。(CPU%d MEM%d DSK%d)" with the sample's figures.
std::string TriggerMessage(std::int32_t nSchedule, const perf::CPerfSnapshot& figures);

// host + "とのネットワークの接続が切れています。"
std::string ConnectionLostMessage(const std::string& strHost);

// Error-log labels: host + ":RegOpenKeyEx", ":RegQueryValueEx - Counter", ":RegQueryValueEx",
// ":RegCloseKey".
std::string OpenKeyLabel(const std::string& strHost);
std::string CounterNamesLabel(const std::string& strHost);
std::string QueryLabel(const std::string& strHost);
std::string CloseKeyLabel(const std::string& strHost);

// The error-log code of a failure of the file layer.
inline constexpr std::int32_t kFileLayerErrorCode = kNoErrorCode;
// The largest number of characters of a file-layer error's text.
inline constexpr std::size_t kMaxFileErrorChars = 255;

// A file-layer failure as text: the file's path and the system message of the code, cut to
// kMaxFileErrorChars characters (never inside a character).
std::string FileErrorText(const std::string& strPath, platform::ErrorCode nCode);

// The first nMaxChars characters of a UTF-8 text.
std::string LimitCharacters(const std::string& strText, std::size_t nMaxChars);
