// Everything Manager says: its title, list and status texts, the deletion question and report,
// and the messages of a data directory change.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error_codes.h"

namespace manager {

inline constexpr const char* kManagerTitle = "VARNOLE [稼動データファイルの管理]";
inline constexpr const char* kAlreadyRunning =
    "VARNOLE [稼動データファイルの管理] は、すでに起動されています。";
inline constexpr const char* kErrorCaption = "エラー";
inline constexpr const char* kDeleteCaption = "削除の確認";
inline constexpr const char* kDirectoryCaption = "データフォルダの変更";
inline constexpr const char* kNothingSelected = "削除するファイルを選択してください。";
inline constexpr const char* kFolderPickerTitle = "稼動データファイルを保存するフォルダ";
inline constexpr const char* kFinishedState = "完了";
inline constexpr const char* kOpenState = "収集中";
inline constexpr const char* kCounting = "…";
inline constexpr const char* kNotCounted = "-";

// "空き容量 12.3 GB（全体 100 GB）", or why it cannot be told.
std::string SpaceText(platform::ErrorCode nError, std::uint64_t nFree, std::uint64_t nTotal);
// "ファイル 12 個（合計 1.20 GB、うち収集中 1 個）　選択 3 個（12.3 MB）", or that there is none.
std::string ListStatusText(std::size_t nFiles, std::uint64_t nBytes, std::size_t nOpen,
                           std::size_t nSelected, std::uint64_t nSelectedBytes);
// The one question before files are deleted.
std::string DeleteQuestionText(std::size_t nFiles, std::uint64_t nBytes);

// A file that was not deleted, and why.
struct CNotDeleted {
    std::string m_strName;
    platform::ErrorCode m_nError = platform::kSuccess;  // kSuccess: it had changed since listed
};
// "3 個のファイルを削除しました。"
std::string DeletedText(std::size_t nDeleted);
// The report when some files were not deleted.
std::string NotDeletedText(std::size_t nDeleted, const std::vector<CNotDeleted>& vecNotDeleted);

// Why a folder cannot be the data directory.
std::string FolderMissingText(std::string_view strFolder);
std::string FolderNotWritableText(std::string_view strFolder, platform::ErrorCode nError);
// Why the registry value could not be written.
std::string RegistryWriteText(platform::ErrorCode nError);
// The status line after the change.
std::string DirectoryChangedText(std::string_view strFolder);

}  // namespace manager
