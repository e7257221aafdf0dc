// The main menu's fixed tables: its picture buttons, the sibling programs it waits for, its texts.
#pragma once
#include <array>
#include <string_view>

#include "resource.h"

namespace menu {

// What pressing a picture button does.
enum class EMenuAction {
    kStartProgram,  // start the button's command line, without waiting
    kOpenWebPage,   // open the download page in the web browser
    kExit,          // the exit check, then the confirmation
};

struct SMenuButton {
    int m_nControlId;
    int m_nNormalBitmap;
    int m_nPressedBitmap;
    EMenuAction m_eAction;
    std::string_view m_strCommandLine;  // for kStartProgram
    std::string_view m_strTooltip;      // empty: the button has no tooltip
};

// The six picture buttons, top to bottom as they stand in the window.
inline constexpr std::array<SMenuButton, 6> kMenuButtons = {{
    {IDC_GATHER, IDB_GATHER, IDB_GATHER_PRESSED, EMenuAction::kStartProgram, ".\\Gather.exe",
     "稼動データを収集するジョブの予約や実行を行います"},
    {IDC_PLOTARA, IDB_PLOTARA, IDB_PLOTARA_PRESSED, EMenuAction::kStartProgram, ".\\Plotara.exe",
     "稼動データファイルからグラフを作成します"},
    {IDC_CONVERT, IDB_CONVERT, IDB_CONVERT_PRESSED, EMenuAction::kStartProgram, ".\\Convert.exe",
     "稼動データファイルからＣＳＶファイルを作成します"},
    {IDC_DOWNLOAD, IDB_DOWNLOAD, IDB_DOWNLOAD_PRESSED, EMenuAction::kOpenWebPage, "",
     "HALDEKのホームページからグラフテンプレートと操作マニュアルをダウンロードします"},
    {IDC_MANAGER, IDB_MANAGER, IDB_MANAGER_PRESSED, EMenuAction::kStartProgram, ".\\Manager.exe",
     "稼動データファイルの削除やディレクトリ変更を行います"},
    {IDC_EXIT, IDB_EXIT, IDB_EXIT_PRESSED, EMenuAction::kExit, "", ""},
}};

// The button with this control id, or null.
const SMenuButton* FindMenuButton(int nControlId);

// A program whose mutex the exit check probes, with the line it reports while that program runs.
struct SSiblingProgram {
    std::string_view m_strMutex;
    std::string_view m_strRunningLine;
};

// Probed in this order; the lines appear in this order.
inline constexpr std::array<SSiblingProgram, 4> kSiblingPrograms = {{
    {"VARNOLE_GathProgram", "VARNOLE [稼動データの収集／監視] が起動中です。"},
    {"VARNOLE_ConvProgram", "VARNOLE [ＣＳＶファイルの作成] が起動中です。"},
    {"VARNOLE_GraphProgram", "VARNOLE [グラフの作成] が起動中です。"},
    {"VARNOLE_ManaProgram", "VARNOLE [稼動データファイルの管理] が起動中です。"},
}};

// The program files that must be in the current directory at start-up, checked in this order.
inline constexpr std::array<std::string_view, 4> kRequiredProgramFiles = {
    "Gather.exe", "Manager.exe", "Plotara.exe", "Graph.exe"};

inline constexpr std::string_view kMainMutex = "VARNOLE_MainProgram";
// The maker's download page.
inline constexpr std::string_view kDownloadUrl = "https://www.haldek.example/download/";

inline constexpr std::string_view kTextAlreadyRunning = "VARNOLEは、すでに起動されています。";
inline constexpr std::string_view kCaptionAlreadyRunning = "２重起動";
inline constexpr std::string_view kTextNotAdministrator =
    "現在のログインアカウントには、管理者権限がありません";
inline constexpr std::string_view kCaptionError = "エラー";
inline constexpr std::string_view kTextFinishFirst = "\r\n先に終了させてください。";
inline constexpr std::string_view kCaptionExitCheck = "終了チェック";
inline constexpr std::string_view kTextReallyExit = "本当に終了しますか？";
inline constexpr std::string_view kCaptionExit = "終了";

}  // namespace menu
