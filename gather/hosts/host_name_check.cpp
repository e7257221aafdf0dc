// StorableInCp932 and HostNameProblem.
#include "host_name_check.h"

#include "platform/text_codec.h"

namespace {

constexpr char kBadCharacters[] =
    "ホスト名に空白または使用できない文字（\\ / * ? \" < > |）が含まれています。";

}  // namespace

bool StorableInCp932(std::string_view strText) {
    return platform::Cp932ToUtf8(platform::Utf8ToCp932(strText)) == strText;
}

std::string HostNameProblem(std::string_view strName) {
    if (!StorableInCp932(strName)) return "ホスト名に保存できない文字が含まれています。";
    if (platform::Utf8ToCp932(strName).size() > kMaxHostNameBytes) {
        return "ホスト名が長すぎます（255 バイトまで）。";
    }
    for (const char c : strName) {
        const auto u = static_cast<unsigned char>(c);
        // UTF-8 bytes of other characters are all above 0x7F.
        if (u <= 0x20 || u == 0x7F ||
            std::string_view("\\/*?\"<>|").find(c) != std::string_view::npos) {
            return kBadCharacters;
        }
    }
    // A full-width space is white space too.
    if (strName.find("\xE3\x80\x80") != std::string_view::npos) {
        return kBadCharacters;
    }
    return std::string();
}
