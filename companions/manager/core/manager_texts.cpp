// Manager's texts.
#include "manager_texts.h"

#include "data_files.h"
#include "platform/config_store.h"

namespace manager {
namespace {

std::string Code(platform::ErrorCode nError) {
    return "（エラー " + std::to_string(nError) + "）";
}

}  // namespace

std::string SpaceText(platform::ErrorCode nError, std::uint64_t nFree, std::uint64_t nTotal) {
    if (nError != platform::kSuccess) return "空き容量を調べられません" + Code(nError);
    return "空き容量 " + companion::SizeText(nFree) + "（全体 " + companion::SizeText(nTotal) + "）";
}

std::string ListStatusText(std::size_t nFiles, std::uint64_t nBytes, std::size_t nOpen,
                           std::size_t nSelected, std::uint64_t nSelectedBytes) {
    if (nFiles == 0) return "稼動データファイルはありません。";
    std::string strText = "ファイル " + std::to_string(nFiles) + " 個（合計 " +
                          companion::SizeText(nBytes);
    if (nOpen > 0) strText += "、うち収集中 " + std::to_string(nOpen) + " 個";
    strText += "）";
    if (nSelected > 0) {
        strText += "　選択 " + std::to_string(nSelected) + " 個（" +
                   companion::SizeText(nSelectedBytes) + "）";
    }
    return strText;
}

std::string DeleteQuestionText(std::size_t nFiles, std::uint64_t nBytes) {
    return "選択した " + std::to_string(nFiles) + " 個の稼動データファイル（合計 " +
           companion::SizeText(nBytes) +
           "）を削除します。\n削除したファイルは元に戻せません。よろしいですか？";
}

std::string DeletedText(std::size_t nDeleted) {
    return std::to_string(nDeleted) + " 個のファイルを削除しました。";
}

std::string NotDeletedText(std::size_t nDeleted, const std::vector<CNotDeleted>& vecNotDeleted) {
    std::string strText = DeletedText(nDeleted) + "\n\n次のファイルは削除していません。";
    for (const CNotDeleted& file : vecNotDeleted) {
        strText += "\n" + file.m_strName +
                   (file.m_nError == platform::kSuccess ? "（一覧を作った後に変わりました）"
                                                        : "（削除できません、エラー " +
                                                              std::to_string(file.m_nError) + "）");
    }
    return strText;
}

std::string FolderMissingText(std::string_view strFolder) {
    return "フォルダ [" + std::string(strFolder) + "] がありません。";
}

std::string FolderNotWritableText(std::string_view strFolder, platform::ErrorCode nError) {
    return "フォルダ [" + std::string(strFolder) + "] に書き込めません" + Code(nError) +
           "。\n稼動データファイルを保存できるフォルダを選んでください。";
}

std::string RegistryWriteText(platform::ErrorCode nError) {
    const std::string strKey = std::string("HKEY_LOCAL_MACHINE\\") + platform::ConfigStore::kKeyPath;
    if (nError == platform::kErrorAccessDenied) {
        return "レジストリ [" + strKey + "] に DataDirectory を書き込めません" + Code(nError) +
               "。\n管理者として実行してください。";
    }
    if (nError == platform::kErrorFileNotFound) {
        return "レジストリキー [" + strKey + "] がありません" + Code(nError) +
               "。\nVARNOLE をインストールし直してください。";
    }
    return "レジストリ [" + strKey + "] に DataDirectory を書き込めません" + Code(nError) + "。";
}

std::string DirectoryChangedText(std::string_view strFolder) {
    return "データフォルダを [" + std::string(strFolder) +
           "] に変更しました。収集とグラフの作成では、次に起動したときから使われます。";
}

}  // namespace manager
