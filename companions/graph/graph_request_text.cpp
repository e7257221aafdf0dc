// The Graph stand-in's texts for what it received.
#include "graph_request_text.h"

SGraphRequestTexts DescribeGraphRequest(const CGraphParam& param) {
    SGraphRequestTexts texts;
    texts.m_strStatus =
        "要求を受け取りました（ファイル " + std::to_string(param.m_files.Size()) + " 件）。";
    texts.m_strCounter = std::to_string(param.m_nCounter) + ": " + param.m_strCounter;
    texts.m_strHost = param.m_strHost;
    texts.m_strShowDate =
        param.m_bShowDate != 0 ? "1（日付、時間を表示する）" : "0（時間のみ表示する）";
    return texts;
}

std::string MissingBlockText(unsigned long readError) {
    if (readError == 2) {  // nothing under the format
        return std::string("クリップボードに ") + kGraphParamFormat +
               " のデータがありません。Plotara から起動してください。";
    }
    return "クリップボードを読めません（エラー " + std::to_string(readError) + "）。";
}

std::string MalformedBlockText(const CGraphParamDecodeResult& result) {
    return std::string("クリップボードの ") + kGraphParamFormat +
           " のデータが正しくありません: " + result.m_strDetail;
}
