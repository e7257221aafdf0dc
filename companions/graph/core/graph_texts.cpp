// Graph's texts, in Japanese as everywhere in the suite.
#include "graph_texts.h"

#include <cstdio>

#include "platform/error_codes.h"
#include "schedule_texts.h"
#include "series/chart_axes.h"
#include "series/chart_plan.h"

namespace {

constexpr const char* kTitle = "VARNOLE [グラフ]";

std::string Count(std::size_t nCount) {
    return series::FormatNumber(static_cast<double>(nCount), 0);
}

std::string Hex(std::uint32_t nValue) {
    char szText[16];
    std::snprintf(szText, sizeof szText, "0x%08X", nValue);
    return szText;
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

std::string GraphWindowTitle(const CGraphParam* pParam) {
    if (pParam == nullptr) return kTitle;
    return std::string(kTitle) + " " + pParam->m_strHost + " - " + pParam->m_strCounter;
}

std::string MissingBlockText(unsigned long readError) {
    if (readError == platform::kErrorFileNotFound) {
        return std::string("クリップボードに ") + kGraphParamFormat +
               " のデータがありません。Plotara から起動してください。";
    }
    return "クリップボードを読めません（エラー " + std::to_string(readError) + "）。";
}

std::string MalformedBlockText(const CGraphParamDecodeResult& result) {
    // The decoder's own detail is a developer's diagnostic; the user gets the reason in Japanese.
    const char* pszReason = "";
    switch (result.m_eError) {
        case EGraphParamError::kEmpty:
            pszReason = "データが空です。";
            break;
        case EGraphParamError::kTruncated:
            pszReason = "データが途中で切れています。";
            break;
        case EGraphParamError::kBadLength:
            pszReason = "文字列の長さが不正です。";
            break;
        case EGraphParamError::kBadFileCount:
            pszReason = "ファイル数が不正です。";
            break;
        case EGraphParamError::kBadCounter:
            pszReason = "対象データの番号が 0 から 7 の範囲にありません。";
            break;
        case EGraphParamError::kBadShowDate:
            pszReason = "日付表示の指定が不正です。";
            break;
        case EGraphParamError::kNone:
            break;
    }
    return std::string("クリップボードの ") + kGraphParamFormat + " のデータが正しくありません: " +
           pszReason;
}

std::string LoadingText(const series::CLoadProgress& progress) {
    const int nPercent =
        progress.m_nBytesTotal > 0
            ? static_cast<int>(progress.m_nBytesDone * 100 / progress.m_nBytesTotal)
            : 0;
    const std::size_t nFile = std::min(progress.m_nFile + 1, progress.m_nFiles);
    return "データファイルを読み込んでいます... (" + std::to_string(nFile) + "/" +
           std::to_string(progress.m_nFiles) + " ファイル、" + std::to_string(nPercent) + "%)";
}

std::string FileProblemText(const series::CFileProblem& problem) {
    const std::string strFile = "ファイル [" + problem.m_strPath + "] ";
    const std::string strCode = "（エラー " + std::to_string(problem.m_nCode) + "）";
    switch (problem.m_eProblem) {
        case series::EFileProblem::kOpenFailed:
            if (problem.m_nCode == platform::kErrorFileNotFound ||
                problem.m_nCode == platform::kErrorPathNotFound) {
                return strFile + "が見つかりません。";
            }
            return strFile + "を開けません" + strCode + "。";
        case series::EFileProblem::kNotDataFile:
            return strFile + "は稼動データファイルではありません。";
        case series::EFileProblem::kReadFailed:
            return strFile + "の読み込みが途中で失敗しました" + strCode +
                   "。それまでのサンプルを描画しています。";
        case series::EFileProblem::kDamaged:
            return strFile + "の途中に壊れた記録があります。それまでのサンプルを描画しています。";
    }
    return strFile;
}

std::string LoadErrorText(const series::CLoadResult& result, const series::CCounterChoice& choice) {
    const std::string strCounter = "[" + std::string(choice.m_strText) + "]";
    switch (result.m_eError) {
        case series::ELoadError::kNone:
        case series::ELoadError::kCancelled:
            return {};
        case series::ELoadError::kNoFiles:
            return "グラフにするデータファイルが指定されていません。";
        case series::ELoadError::kNoUsableFile:
            return result.m_vecProblems.empty()
                       ? "データファイルを読めません。"
                       : "データファイルを読めません。\n" +
                             FileProblemText(result.m_vecProblems.front());
        case series::ELoadError::kNoSamples:
            return "データファイルにサンプルがありません。";
        case series::ELoadError::kCounterMissing:
            return "データファイルに " + strCounter +
                   " のデータがありません。このホストでは収集されていません。";
        case series::ELoadError::kUnsupportedType:
            return strCounter + " のカウンタの種類 (" + Hex(result.m_nCounterType) +
                   ") には対応していません。";
        case series::ELoadError::kNoValues:
            return strCounter + " を計算するには 2 件以上のサンプルが必要です。";
    }
    return {};
}

std::string ChartStatusText(const series::CLoadResult& result, std::string_view strStatistics) {
    const series::CSeries& data = result.m_series;
    // The end without its date when the samples end on the day they began.
    const bool bOneDay =
        series::DateLabel(data.FirstTime()) == series::DateLabel(data.LastTime());
    const std::string strEnd = bOneDay ? series::TimeLabel(data.LastTime(), true)
                                       : FormatScheduleTime(data.LastTime(), kTimeStyleLog);
    std::string strText = "ファイル " + Count(result.m_nFiles) + " 件　サンプル " +
                          Count(result.m_nSamples) + " 件　" +
                          FormatScheduleTime(data.FirstTime(), kTimeStyleLog) + " ～ " + strEnd +
                          "　" + std::string(strStatistics);
    std::string strLeftOut;
    if (!result.m_vecProblems.empty()) {
        strLeftOut = FileProblemText(result.m_vecProblems.front());
        if (result.m_vecProblems.size() > 1) {
            strLeftOut += "（ほか " + Count(result.m_vecProblems.size() - 1) + " 件）";
        }
    }
    if (result.m_nSkipped > 0) {
        if (!strLeftOut.empty()) strLeftOut += "　";
        strLeftOut += "時刻が前のサンプルより前のサンプル " + Count(result.m_nSkipped) +
                      " 件を除きました。";
    }
    return strLeftOut.empty() ? strText : strText + "\n" + strLeftOut;
}

std::string NormalizeRequestPath(std::string_view strPath) {
    std::string strResult;
    std::size_t i = 0;
    // A network path keeps its two leading separators.
    while (i < strPath.size() && i < 2 && IsSeparator(strPath[i])) strResult += strPath[i++];
    const std::size_t nLead = strResult.size();
    for (; i < strPath.size(); ++i) {
        if (IsSeparator(strPath[i]) && strResult.size() > nLead && IsSeparator(strResult.back())) {
            continue;
        }
        strResult += strPath[i];
    }
    return strResult;
}

std::string DefaultImageFileName(std::string_view strHost, std::string_view strCounter) {
    std::string strName = std::string(strHost) + "_" + std::string(strCounter);
    for (char& c : strName) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) c = '_';
    }
    return strName + ".png";
}

std::string SavedText(std::string_view strPath) {
    return "グラフを保存しました: " + std::string(strPath);
}

std::string SaveFailedText(std::string_view strPath, unsigned long nCode) {
    return "ファイル [" + std::string(strPath) + "] に保存できません（エラー " +
           std::to_string(nCode) + "）。";
}

std::string CopiedText() {
    return "グラフをクリップボードにコピーしました。";
}

std::string CopyFailedText(unsigned long nCode) {
    return "グラフをクリップボードにコピーできません（エラー " + std::to_string(nCode) + "）。";
}
