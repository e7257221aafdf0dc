// The dialog templates of the host and group dialogs, read from host_dialogs.rc: every control a
// model names is in its template, no two controls of a dialog share an access key, and each
// dialog has its size and font.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "groups/group_edit_dlg.h"
#include "groups/group_list_dlg.h"
#include "groups/host_pick_dlg.h"
#include "hosts/acquisition_check_dlg.h"
#include "hosts/host_reg_dlg.h"
#include "hosts/login_dlg.h"
#include "platform/files.h"

namespace {

// One control line of a template.
struct SControl {
    int nId = 0;
    std::string strText;
};

struct STemplate {
    int nWidth = 0;
    int nHeight = 0;
    std::string strFont;
    std::vector<SControl> vecControls;
};

std::string ReadFile(const std::string& strPath) {
    std::ifstream file(strPath, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// "#define NAME VALUE" lines; IDOK and IDCANCEL as the platform defines them.
std::map<std::string, int> ReadDefines(const std::string& strHeader) {
    std::map<std::string, int> mapNames = {{"IDOK", 1}, {"IDCANCEL", 2}};
    std::istringstream lines(strHeader);
    std::string strLine;
    while (std::getline(lines, strLine)) {
        std::istringstream words(strLine);
        std::string strDefine, strName, strValue;
        words >> strDefine >> strName >> strValue;
        if (strDefine != "#define" || strValue.empty()) continue;
        if (strValue.front() == '(') strValue = strValue.substr(1, strValue.size() - 2);
        mapNames[strName] = std::stoi(strValue);
    }
    return mapNames;
}

// The comma-separated arguments of a template line, quoted strings kept whole.
std::vector<std::string> Arguments(const std::string& strRest) {
    std::vector<std::string> vecArgs;
    std::string strArg;
    bool bQuoted = false;
    for (const char c : strRest) {
        if (c == '"') bQuoted = !bQuoted;
        if (c == ',' && !bQuoted) {
            vecArgs.push_back(strArg);
            strArg.clear();
            continue;
        }
        strArg += c;
    }
    vecArgs.push_back(strArg);
    for (std::string& s : vecArgs) {
        while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.erase(0, 1);
        while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.pop_back();
    }
    return vecArgs;
}

// Every DIALOGEX of the script by its template number. Unknown names resolve to 0.
std::map<int, STemplate> ReadTemplates(const std::string& strScript,
                                       const std::map<std::string, int>& mapNames) {
    const auto resolve = [&](const std::string& strName) {
        if (!strName.empty() &&
            (std::isdigit(static_cast<unsigned char>(strName[0])) || strName[0] == '-')) {
            return std::stoi(strName);
        }
        const auto it = mapNames.find(strName);
        return it == mapNames.end() ? 0 : it->second;
    };
    const auto unquote = [](const std::string& s) {
        return s.size() >= 2 && s.front() == '"' ? s.substr(1, s.size() - 2) : std::string();
    };
    std::map<int, STemplate> mapTemplates;
    STemplate* pCurrent = nullptr;
    bool bInBody = false;
    std::istringstream lines(strScript);
    std::string strLine;
    while (std::getline(lines, strLine)) {
        if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
        std::istringstream words(strLine);
        std::string strFirst, strSecond;
        words >> strFirst >> strSecond;
        if (strSecond == "DIALOGEX") {
            pCurrent = &mapTemplates[resolve(strFirst)];
            const std::vector<std::string> vecArgs =
                Arguments(strLine.substr(strLine.find("DIALOGEX") + 8));
            if (vecArgs.size() >= 4) {
                pCurrent->nWidth = std::stoi(vecArgs[2]);
                pCurrent->nHeight = std::stoi(vecArgs[3]);
            }
            continue;
        }
        if (pCurrent == nullptr) continue;
        if (strFirst == "FONT") {
            pCurrent->strFont = unquote(Arguments(strLine.substr(strLine.find("FONT") + 4)).at(1));
        } else if (strFirst == "BEGIN") {
            bInBody = true;
        } else if (strFirst == "END") {
            bInBody = false;
            pCurrent = nullptr;
        } else if (bInBody && !strFirst.empty() && strFirst.rfind("//", 0) != 0) {
            const std::vector<std::string> vecArgs =
                Arguments(strLine.substr(strLine.find(strFirst) + strFirst.size()));
            SControl control;
            const bool bIdFirst =
                strFirst == "EDITTEXT" || strFirst == "LISTBOX" || strFirst == "COMBOBOX";
            control.strText = bIdFirst ? std::string() : unquote(vecArgs.at(0));
            control.nId = resolve(vecArgs.at(bIdFirst ? 0 : 1));
            pCurrent->vecControls.push_back(control);
        }
    }
    return mapTemplates;
}

// What is wrong with one template: model ids it lacks, access keys two controls share.
std::vector<std::string> Problems(const STemplate& dialog, const std::vector<int>& vecModelIds) {
    std::vector<std::string> vecProblems;
    std::set<int> setIds;
    for (const SControl& control : dialog.vecControls) setIds.insert(control.nId);
    for (const int nId : vecModelIds) {
        if (setIds.count(nId) == 0) vecProblems.push_back("no control " + std::to_string(nId));
    }
    std::map<char, std::string> mapKeys;
    for (const SControl& control : dialog.vecControls) {
        const std::string& s = control.strText;
        for (std::size_t i = 0; i + 1 < s.size(); ++i) {
            if (s[i] != '&') continue;
            if (s[i + 1] == '&') {
                ++i;
                continue;
            }
            const char cKey = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i + 1])));
            const auto [it, bNew] = mapKeys.emplace(cKey, s);
            if (!bNew)
                vecProblems.push_back("access key " + std::string(1, cKey) + ": " + it->second +
                                      " / " + s);
            break;
        }
    }
    return vecProblems;
}

template <class TArray>
std::vector<int> Ids(const TArray& ids) {
    return std::vector<int>(ids.begin(), ids.end());
}

TEST(DialogTemplatesTest, CheckerFindsMissingControlsAndSharedAccessKeys) {
    const std::map<std::string, int> mapNames = ReadDefines("#define IDD_X 7\n#define IDC_A 100\n");
    const auto templates = ReadTemplates(
        "IDD_X DIALOGEX 0, 0, 50, 40\nFONT 9, \"F\"\nBEGIN\n"
        "    PUSHBUTTON \"&Add\", IDC_A, 1, 1, 10, 10\n"
        "    LTEXT \"&all && more\", -1, 1, 1, 10, 10\n"
        "    EDITTEXT 101, 1, 1, 10, 10\n"
        "    CONTROL \"a && b\", 102, \"Button\", BS_OWNERDRAW, 1, 1, 10, 10\n"
        "END\n",
        mapNames);
    ASSERT_EQ(templates.count(7), 1u);
    EXPECT_EQ(templates.at(7).nWidth, 50);
    EXPECT_EQ(templates.at(7).strFont, "F");
    EXPECT_EQ(Problems(templates.at(7), {100, 101, 102, 103}),
              (std::vector<std::string>{"no control 103", "access key a: &Add / &all && more"}));
}

TEST(DialogTemplatesTest, EveryModelsControlsAreInItsTemplate) {
    const std::string strDir = platform::ProgramDirectory();
    const std::map<std::string, int> mapNames =
        ReadDefines(ReadFile(strDir + "host_dialogs_resource.h"));
    const auto templates = ReadTemplates(ReadFile(strDir + "host_dialogs.rc"), mapNames);

    const struct {
        int nTemplate;
        std::vector<int> vecIds;
        int nWidth, nHeight;
    } dialogs[] = {
        {IDD_HOSTREG, Ids(kHostRegControls), 383, 230},
        {IDD_LOGIN, Ids(kLoginControls), 174, 95},
        {IDD_GROUPLIST, Ids(kGroupListControls), 259, 185},
        {IDD_GROUPEDIT, Ids(kGroupEditControls), 303, 199},
        {IDD_ACQUISITION_CHECK, Ids(kAcquisitionCheckControls), 282, 313},
        {IDD_HOSTPICK, Ids(kHostPickControls), 126, 157},
    };
    ASSERT_EQ(templates.size(), std::size(dialogs));
    for (const auto& d : dialogs) {
        ASSERT_EQ(templates.count(d.nTemplate), 1u) << d.nTemplate;
        const STemplate& dialog = templates.at(d.nTemplate);
        EXPECT_EQ(Problems(dialog, d.vecIds), std::vector<std::string>{}) << d.nTemplate;
        EXPECT_EQ(dialog.nWidth, d.nWidth) << d.nTemplate;
        EXPECT_EQ(dialog.nHeight, d.nHeight) << d.nTemplate;
        EXPECT_EQ(dialog.strFont, "ＭＳ Ｐゴシック") << d.nTemplate;
    }
    // The pictures keep the numbers other dialogs load them by.
    EXPECT_EQ(mapNames.at("IDB_PRODUCT_LOGO"), 140);
    EXPECT_EQ(mapNames.at("IDB_HOST_CHANGE"), 151);
}

}  // namespace
