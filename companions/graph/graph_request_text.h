// The texts the Graph stand-in shows for a received request, or for a block it could not read.
#pragma once
#include <string>

#include "graph_param.h"

struct SGraphRequestTexts {
    std::string m_strStatus;
    std::string m_strCounter;  // "0: CPU-CPU Time"
    std::string m_strHost;
    std::string m_strShowDate;  // "1（日付、時間を表示する）" or "0（時間のみ表示する）"
};

// The texts for a decoded request.
SGraphRequestTexts DescribeGraphRequest(const CGraphParam& param);

// The status text when the clipboard had no block (readError = the platform's code) or a block
// that did not decode.
std::string MissingBlockText(unsigned long readError);
std::string MalformedBlockText(const CGraphParamDecodeResult& result);
