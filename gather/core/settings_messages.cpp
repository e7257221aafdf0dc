// The settings file's error texts.
#include "settings_messages.h"

#include "platform/file_write.h"

namespace {

std::string SystemText(platform::ErrorCode nError) {
    std::string strText = platform::SystemErrorMessage(nError);
    if (strText.empty()) strText = "エラー コード " + std::to_string(nError);
    return strText;
}

}  // namespace

std::string SettingsReadErrorReason(platform::ErrorCode nError) {
    if (nError == platform::kErrorFileTooLarge) return "ファイルが大きすぎます";
    return SystemText(nError);
}

std::string SettingsDecodeErrorReason(EArchiveError eError) {
    if (eError == EArchiveError::kTruncated) return "ファイルが途中で切れています";
    return "ファイルの内容が壊れています";
}

std::string SettingsWriteErrorReason(platform::ErrorCode nError) {
    return SystemText(nError);
}

std::string SettingsLoadFailedText(const std::string& strPath, const std::string& strReason,
                                   const std::string& strSetAside) {
    std::string strText = "設定ファイル " + strPath + " を読み込めませんでした。\n" + strReason +
                          "\n\n読み込めた設定だけで起動します。";
    if (!strSetAside.empty()) {
        strText += "読み込めなかったファイルは " + strSetAside + " として残しました。";
    } else {
        strText +=
            "読み込めなかったファイルは終了時に新しい設定で置き換えられます。"
            "バックアップ VARNOLE.old はそのまま残ります。";
    }
    return strText;
}

std::string SettingsWriteFailedText(const std::string& strPath, const std::string& strReason) {
    return "設定ファイル " + strPath + " を保存できませんでした。\n" + strReason +
           "\n\n変更した設定は保存されていません。前回の設定ファイルはそのまま残っています。";
}

std::string SettingsReplaceFailedText(const std::string& strPath, const std::string& strTemporary,
                                      const std::string& strReason) {
    return "設定ファイル " + strPath + " を保存できませんでした。\n" + strReason +
           "\n\n新しい設定は " + strTemporary + " に書き込まれています。";
}
