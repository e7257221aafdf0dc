// Reads a dialog template of a .rc file, so tests can check ids, captions and positions against
// the tables the models use.
#pragma once
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace testutil {

struct SRcControl {
    std::string m_strKind;  // LTEXT, EDITTEXT, CONTROL, ...
    std::string m_strText;  // the caption (empty for controls without one)
    std::string m_strId;    // the symbol as written
    int m_nId = 0;          // its value (resource.h, or IDOK / IDCANCEL / IDC_STATIC)
    int m_nX = 0, m_nY = 0, m_nWidth = 0, m_nHeight = 0;
    std::string m_strClass;  // CONTROL only
    std::string m_strStyle;  // the style expression as written
};

struct SRcDialog {
    bool m_bFound = false;
    std::string m_strCaption;
    int m_nWidth = 0, m_nHeight = 0;
    std::vector<SRcControl> m_arrControls;

    const SRcControl* Find(int nId) const {
        for (const SRcControl& control : m_arrControls)
            if (control.m_nId == nId) return &control;
        return nullptr;
    }
};

inline std::string ReadWholeFile(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// "#define NAME value" lines of a header.
inline std::map<std::string, int> ReadDefines(const std::string& strPath) {
    std::map<std::string, int> defines = {{"IDOK", 1}, {"IDCANCEL", 2}, {"IDC_STATIC", -1}};
    std::istringstream in(ReadWholeFile(strPath));
    std::string strLine;
    while (std::getline(in, strLine)) {
        std::istringstream line(strLine);
        std::string strDefine, strName, strValue;
        line >> strDefine >> strName >> strValue;
        if (strDefine != "#define" || strValue.empty()) continue;
        if (strValue[0] == '(') strValue = strValue.substr(1);
        try {
            defines[strName] = std::stoi(strValue, nullptr, 0);
        } catch (...) {
        }
    }
    return defines;
}

// The comma-separated arguments of a statement, quotes kept whole (and removed).
inline std::vector<std::string> SplitArguments(const std::string& strArgs) {
    std::vector<std::string> arrArgs;
    std::string strCurrent;
    bool bQuoted = false;
    for (char c : strArgs) {
        if (c == '"') {
            bQuoted = !bQuoted;
            continue;
        }
        if (c == ',' && !bQuoted) {
            arrArgs.push_back(strCurrent);
            strCurrent.clear();
            continue;
        }
        strCurrent += c;
    }
    arrArgs.push_back(strCurrent);
    for (std::string& strArg : arrArgs) {
        const std::size_t nFrom = strArg.find_first_not_of(" \t\r");
        const std::size_t nTo = strArg.find_last_not_of(" \t\r");
        strArg = nFrom == std::string::npos ? "" : strArg.substr(nFrom, nTo - nFrom + 1);
    }
    return arrArgs;
}

// The dialog named strName (e.g. "IDD_SCHEDULE_WIZARD") of an .rc file.
inline SRcDialog ReadRcDialog(const std::string& strRcPath, const std::string& strName,
                              const std::map<std::string, int>& defines) {
    SRcDialog dialog;
    std::istringstream in(ReadWholeFile(strRcPath));
    std::string strLine;
    bool bInside = false;
    auto value = [&](const std::string& strToken) {
        const auto it = defines.find(strToken);
        if (it != defines.end()) return it->second;
        try {
            return std::stoi(strToken, nullptr, 0);
        } catch (...) {
            return -9999;
        }
    };
    while (std::getline(in, strLine)) {
        if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
        std::istringstream words(strLine);
        std::string strFirst;
        words >> strFirst;
        if (!bInside) {
            if (strFirst == strName && strLine.find("DIALOGEX") != std::string::npos) {
                dialog.m_bFound = true;
                const std::vector<std::string> arrSize =
                    SplitArguments(strLine.substr(strLine.find("DIALOGEX") + 8));
                if (arrSize.size() == 4) {
                    dialog.m_nWidth = value(arrSize[2]);
                    dialog.m_nHeight = value(arrSize[3]);
                }
            }
            if (dialog.m_bFound && strFirst == "CAPTION")
                dialog.m_strCaption = SplitArguments(strLine.substr(strLine.find('"')))[0];
            if (dialog.m_bFound && strFirst == "BEGIN") bInside = true;
            continue;
        }
        if (strFirst == "END") break;
        if (strFirst.empty() || strFirst.rfind("//", 0) == 0) continue;
        const std::vector<std::string> arrArgs =
            SplitArguments(strLine.substr(strLine.find(strFirst) + strFirst.size()));
        SRcControl control;
        control.m_strKind = strFirst;
        std::size_t i = 0;
        const bool bNoText =
            strFirst == "EDITTEXT" || strFirst == "LISTBOX" || strFirst == "COMBOBOX";
        if (!bNoText) control.m_strText = arrArgs[i++];
        if (i >= arrArgs.size()) continue;
        control.m_strId = arrArgs[i++];
        control.m_nId = value(control.m_strId);
        if (strFirst == "CONTROL" && i + 1 < arrArgs.size()) {
            control.m_strClass = arrArgs[i++];
            control.m_strStyle = arrArgs[i++];
        }
        if (i + 3 < arrArgs.size()) {
            control.m_nX = value(arrArgs[i]);
            control.m_nY = value(arrArgs[i + 1]);
            control.m_nWidth = value(arrArgs[i + 2]);
            control.m_nHeight = value(arrArgs[i + 3]);
            i += 4;
        }
        if (strFirst != "CONTROL" && i < arrArgs.size()) control.m_strStyle = arrArgs[i];
        dialog.m_arrControls.push_back(control);
    }
    return dialog;
}

}  // namespace testutil
