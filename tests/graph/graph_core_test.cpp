// Graph's portable part: request paths, texts, the window layout and the loading worker.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "graph_layout.h"
#include "graph_load_job.h"
#include "graph_texts.h"
#include "platform/local_time.h"
#include "series/series_test_blocks.h"

namespace {

using series::CLoadResult;
using series::ELoadError;
using series::EFileProblem;

TEST(GraphTexts, RequestPathsLoseTheDoubledSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"D:\\Data\\\\VARN_A.var", "D:\\Data\\VARN_A.var"},
        {"D:\\\\VARN_A.var", "D:\\VARN_A.var"},
        {"\\\\server\\share\\\\VARN_A.var", "\\\\server\\share\\VARN_A.var"},
        {"data\\\\VARN_A.var", "data\\VARN_A.var"},
        {"/tmp//x/VARN_A.var", "/tmp/x/VARN_A.var"},
        {"VARN_A.var", "VARN_A.var"},
        {"", ""},
    };
    for (const auto& [szIn, szOut] : cases) EXPECT_EQ(NormalizeRequestPath(szIn), szOut) << szIn;
}

TEST(GraphTexts, ImageFileNamesAvoidForbiddenCharacters) {
    EXPECT_EQ(DefaultImageFileName("PC01", "CPU-CPU Time"), "PC01_CPU-CPU Time.png");
    EXPECT_EQ(DefaultImageFileName("サーバ01", "Network I/F-Data Transfer Size"),
              "サーバ01_Network I_F-Data Transfer Size.png");
    EXPECT_EQ(DefaultImageFileName("a:b", "x*?\"<>|\\"), "a_b_x_______.png");
}

TEST(GraphTexts, MessagesForEveryReasonNothingCanBeDrawn) {
    const series::CCounterChoice& cpu = *series::CounterChoice(0);
    CLoadResult result;
    const std::pair<ELoadError, const char*> cases[] = {
        {ELoadError::kNoFiles, "グラフにするデータファイルが指定されていません。"},
        {ELoadError::kNoSamples, "データファイルにサンプルがありません。"},
        {ELoadError::kCounterMissing,
         "データファイルに [CPU-CPU Time] のデータがありません。このホストでは収集されていません。"},
        {ELoadError::kNoValues, "[CPU-CPU Time] を計算するには 2 件以上のサンプルが必要です。"},
    };
    for (const auto& [eError, szText] : cases) {
        result.m_eError = eError;
        EXPECT_EQ(LoadErrorText(result, cpu), szText);
    }
    result.m_eError = ELoadError::kUnsupportedType;
    result.m_nCounterType = 0x30020400;
    EXPECT_EQ(LoadErrorText(result, cpu),
              "[CPU-CPU Time] のカウンタの種類 (0x30020400) には対応していません。");
    result.m_eError = ELoadError::kNoUsableFile;
    result.m_vecProblems = {{"D:\\Data\\VARN_A.var", EFileProblem::kOpenFailed, 2},
                            {"D:\\Data\\x.txt", EFileProblem::kNotDataFile, 13}};
    EXPECT_EQ(LoadErrorText(result, cpu),
              "データファイルを読めません。\nファイル [D:\\Data\\VARN_A.var] が見つかりません。");
    EXPECT_EQ(FileProblemText({"A", EFileProblem::kOpenFailed, 32}),
              "ファイル [A] を開けません（エラー 32）。");
    EXPECT_EQ(FileProblemText({"A", EFileProblem::kNotDataFile, 13}),
              "ファイル [A] は稼動データファイルではありません。");
    EXPECT_EQ(FileProblemText({"A", EFileProblem::kDamaged, 0}),
              "ファイル [A] の途中に壊れた記録があります。それまでのサンプルを描画しています。");
}

TEST(GraphTexts, AMalformedBlockIsExplainedInJapanese) {
    const std::pair<EGraphParamError, const char*> cases[] = {
        {EGraphParamError::kEmpty, "データが空です。"},
        {EGraphParamError::kTruncated, "データが途中で切れています。"},
        {EGraphParamError::kBadLength, "文字列の長さが不正です。"},
        {EGraphParamError::kBadFileCount, "ファイル数が不正です。"},
        {EGraphParamError::kBadCounter, "対象データの番号が 0 から 7 の範囲にありません。"},
        {EGraphParamError::kBadShowDate, "日付表示の指定が不正です。"},
    };
    for (const auto& [eError, szReason] : cases) {
        CGraphParamDecodeResult result;
        result.m_eError = eError;
        result.m_strDetail = "file count 99 does not fit";
        EXPECT_EQ(MalformedBlockText(result),
                  std::string("クリップボードの VARNOLE_GRAPH_PARAM のデータが正しくありません: ") +
                      szReason);
    }
}

TEST(GraphTexts, StatusLineNamesFilesSamplesTimesAndWhatWasLeftOut) {
    CLoadResult result;
    result.m_nFiles = 3;
    result.m_nSamples = 1800;
    const platform::Time t = platform::MakeLocalTime(2024, 8, 19, 14, 0, 0);
    result.m_series.AddValue(t, 1);
    result.m_series.AddValue(t + 1799, 2);
    EXPECT_EQ(ChartStatusText(result, "最小 1.0%"),
              "ファイル 3 件　サンプル 1,800 件　2024/08/19 (月) 14:00:00 ～ 14:29:59　最小 1.0%");
    result.m_series.AddValue(t + 86400, 3);
    EXPECT_EQ(ChartStatusText(result, "最小 1.0%"),
              "ファイル 3 件　サンプル 1,800 件　2024/08/19 (月) 14:00:00 ～ 2024/08/20 (火) "
              "14:00:00　最小 1.0%");
    result.m_vecProblems = {{"B", EFileProblem::kNotDataFile, 13},
                            {"C", EFileProblem::kNotDataFile, 13}};
    result.m_nSkipped = 5;
    const std::string strText = ChartStatusText(result, "");
    EXPECT_NE(strText.find("\nファイル [B] は稼動データファイルではありません。（ほか 1 件）　"
                           "時刻が前のサンプルより前のサンプル 5 件を除きました。"),
              std::string::npos)
        << strText;

    series::CLoadProgress progress;
    progress.m_nFile = 1;
    progress.m_nFiles = 3;
    progress.m_nBytesDone = 450;
    progress.m_nBytesTotal = 1000;
    EXPECT_EQ(LoadingText(progress), "データファイルを読み込んでいます... (2/3 ファイル、45%)");
    CGraphParam param;
    param.m_strHost = "PC01";
    param.m_strCounter = "CPU-CPU Time";
    EXPECT_EQ(GraphWindowTitle(&param), "VARNOLE [グラフ] PC01 - CPU-CPU Time");
    EXPECT_EQ(GraphWindowTitle(nullptr), "VARNOLE [グラフ]");
}

bool Inside(const CLayoutRect& inner, int nWidth, int nHeight) {
    return inner.m_nLeft >= 0 && inner.m_nTop >= 0 && inner.m_nWidth >= 0 && inner.m_nHeight >= 0 &&
           inner.m_nLeft + inner.m_nWidth <= nWidth && inner.m_nTop + inner.m_nHeight <= nHeight;
}

bool Apart(const CLayoutRect& a, const CLayoutRect& b) {
    return a.m_nLeft + a.m_nWidth <= b.m_nLeft || b.m_nLeft + b.m_nWidth <= a.m_nLeft ||
           a.m_nTop + a.m_nHeight <= b.m_nTop || b.m_nTop + b.m_nHeight <= a.m_nTop;
}

TEST(GraphLayout, ControlsStayInsideAndApart) {
    for (const auto& [nWidth, nHeight] : {std::pair{kGraphMinWidth, kGraphMinHeight},
                                         std::pair{1024, 700}, std::pair{1900, 1000}}) {
        for (const bool bLoading : {true, false}) {
            const CGraphLayout layout = LayOutGraphWindow(nWidth, nHeight, 15, bLoading);
            std::vector<CLayoutRect> rects = {layout.m_chart, layout.m_status, layout.m_save,
                                              layout.m_copy, layout.m_exit};
            if (bLoading) rects.push_back(layout.m_progress);
            for (std::size_t i = 0; i < rects.size(); ++i) {
                EXPECT_TRUE(Inside(rects[i], nWidth, nHeight)) << i;
                for (std::size_t j = i + 1; j < rects.size(); ++j) {
                    EXPECT_TRUE(Apart(rects[i], rects[j])) << i << " " << j;
                }
            }
            EXPECT_GT(layout.m_chart.m_nHeight, nHeight / 2);
            EXPECT_EQ(layout.m_exit.m_nLeft + layout.m_exit.m_nWidth, nWidth - 8);
            EXPECT_LT(layout.m_save.m_nLeft, layout.m_copy.m_nLeft);
        }
    }
    const CGraphLayout tiny = LayOutGraphWindow(10, 10, 15, false);
    EXPECT_GE(tiny.m_chart.m_nWidth, 0);
    EXPECT_GE(tiny.m_status.m_nWidth, 0);
}

TEST(GraphLoadJob, ReadsOnItsThreadAndCanBeCancelled) {
    platform_test::CTempDir dir;
    seriestest::CHostBlocks host;
    host.Builder().SetTrailingBytes(200'000);  // a progress report every few samples
    std::vector<seriestest::CTimedBlock> samples;
    for (int i = 0; i < 40; ++i) {
        samples.push_back({seriestest::kStart + i, host.Next({25, 25, 512, 524'288, 5, 5, {100}})});
    }
    const std::string strPath = seriestest::WriteDataFile(dir, "PC1", samples);

    CGraphLoadJob job;
    job.Start({strPath}, *series::CounterChoice(0));
    for (int i = 0; i < 2000 && !job.Status().m_bDone; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const CGraphLoadJob::CStatus status = job.Status();
    ASSERT_TRUE(status.m_bDone);
    EXPECT_EQ(status.m_progress.m_nBytesDone, status.m_progress.m_nBytesTotal);
    const CLoadResult result = job.TakeResult();
    ASSERT_TRUE(result.Ok());
    EXPECT_EQ(result.m_nSamples, 40u);
    EXPECT_DOUBLE_EQ(result.m_series.Maximum(), 50);

    CGraphLoadJob cancelled;
    cancelled.Cancel();
    cancelled.Start({strPath}, *series::CounterChoice(0));
    for (int i = 0; i < 2000 && !cancelled.Status().m_bDone; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(cancelled.TakeResult().m_eError, ELoadError::kCancelled);

    // A job destroyed while it runs stops and joins its thread.
    { CGraphLoadJob abandoned; abandoned.Start({strPath, strPath, strPath}, *series::CounterChoice(7)); }
}

}  // namespace
