// Plotara's fixed texts and tables: messages, captions, the list layout, the counter choices.
#pragma once
#include <array>
#include <string_view>

namespace plotara {

// Single-instance mutex of Plotara, and the main menu's mutex that must exist when it starts.
inline constexpr std::string_view kGraphMutex = "VARNOLE_GraphProgram";
inline constexpr std::string_view kMainMutex = "VARNOLE_MainProgram";

// The external graph program, started relative to the current directory (the suite's folder),
// and how long Plotara waits for it to be ready for input.
inline constexpr std::string_view kGraphCommandLine = ".\\Graph.exe";
inline constexpr unsigned kGraphIdleTimeoutMs = 120000;

// The catalogue's data files in the data directory.
inline constexpr std::string_view kDataFilePattern = "VARN_*.var";
// The registry value (configuration value on Linux) naming the data directory.
inline constexpr std::string_view kDataDirectoryValue = "DataDirectory";

// The data file list: its columns, and the index of each column.
inline constexpr std::string_view kCatalogueLayout =
    "NO,30;実行ID,60;グループID,60;ホスト名,80;枝番,30;開始時間,140;しきい値,120;コメント,200";
enum ECatalogueColumn : int {
    kColumnNo = 0,
    kColumnExecId = 1,
    kColumnGroup = 2,
    kColumnHost = 3,
    kColumnBranch = 4,
    kColumnStart = 5,
    kColumnThreshold = 6,
    kColumnComment = 7,
    kCatalogueColumnCount = 8,
};

// The counter choice list; an entry's index is what Graph receives as the counter number.
inline constexpr std::array<std::string_view, 8> kCounterNames = {
    "CPU-CPU Time",
    "CPU-CPU Privileged Time",
    "CPU-CPU User Time",
    "Memory-Available Memory [MB]",
    "Memory-Available Memory [KB]",
    "Physical Disk-Disk Time",
    "Logical Disk-Disk Time",
    "Network I/F-Data Transfer Size",
};

inline constexpr std::string_view kGraphButtonTooltip = "稼動データファイルからグラフを描画します";

// Start-up check.
inline constexpr std::string_view kTextAlreadyRunning =
    "VARNOLE [グラフの作成] は、すでに起動されています。";
inline constexpr std::string_view kTextStartFromMenu = "VARNOLE [メインメニュ] から起動してください。";
inline constexpr std::string_view kCaptionStartupCheck = "起動チェック";

// Refusals of a graph request.
inline constexpr std::string_view kCaptionError = "エラー";
inline constexpr std::string_view kTextNoSelection = "対象の稼動データが選択されていません";
inline constexpr std::string_view kTextScheduleMismatch = "スケジュールが一致していません";
inline constexpr std::string_view kTextHostUnknown = "ホスト名が不明です";
inline constexpr std::string_view kTextHostMismatch = "ホスト名が一致していません";
// The request could not be put on the clipboard, so Graph would find nothing to draw.
inline constexpr std::string_view kTextClipboardFailed =
    "クリップボードにグラフの作成条件を書き込めませんでした。グラフは作成されません。";

// Exit check.
inline constexpr std::string_view kTextGraphRunning =
    "VARNOLE [グラフの作成] が起動中です。\r\n先に終了させてください。";
inline constexpr std::string_view kCaptionExitCheck = "終了チェック";
inline constexpr std::string_view kTextReallyExit = "本当に終了しますか？";
inline constexpr std::string_view kCaptionExit = "終了";

}  // namespace plotara
