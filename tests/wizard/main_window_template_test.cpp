// Dialog template 102, Gather's main window: every control at its place, with its caption.
#include <gtest/gtest.h>

#include "common/rc_template.h"
#include "resource.h"

namespace {

TEST(MainWindowTemplate, EveryControlAtItsPlace) {
    const std::map<std::string, int> defines =
        testutil::ReadDefines(std::string(VARNOLE_SOURCE_DIR) + "/gather/resource.h");
    const testutil::SRcDialog dialog = testutil::ReadRcDialog(
        std::string(VARNOLE_SOURCE_DIR) + "/gather/gather.rc", "IDD_GATHER_DIALOG", defines);
    ASSERT_TRUE(dialog.m_bFound);
    EXPECT_EQ(dialog.m_strCaption, "VARNOLE [稼動データの収集／監視]");
    EXPECT_EQ(dialog.m_nWidth, 371);
    EXPECT_EQ(dialog.m_nHeight, 312);
    EXPECT_EQ(defines.at("IDD_GATHER_DIALOG"), 102);

    struct SPlace {
        int nId;
        const char* pszKind;  // statement or window class
        const char* pszText;
        int x, y, w, h;
    };
    const SPlace places[] = {
        {1000, "WC_LISTVIEW", "", 7, 7, 357, 147},
        {1003, "PUSHBUTTON", "新規", 7, 158, 50, 24},
        {1090, "PUSHBUTTON", "変更", 59, 158, 50, 24},
        {1091, "PUSHBUTTON", "参照", 111, 158, 50, 24},
        {1092, "PUSHBUTTON", "ホストの変更", 170, 158, 50, 24},
        {1093, "PUSHBUTTON", "グループの変更", 230, 158, 50, 24},
        {1004, "PUSHBUTTON", "取消", 314, 158, 50, 24},
        {1001, "WC_LISTVIEW", "", 7, 199, 357, 84},
        {1002, "PUSHBUTTON", "ログクリア", 7, 291, 50, 14},
        {1, "PUSHBUTTON", "終了", 314, 291, 50, 14},
        {IDC_LOGO, "Static", "IDB_LOGO", 264, 285, 47, 20},
    };
    for (const SPlace& p : places) {
        const testutil::SRcControl* pControl = dialog.Find(p.nId);
        ASSERT_NE(pControl, nullptr) << p.nId;
        const std::string strKind =
            pControl->m_strKind == "CONTROL" ? pControl->m_strClass : pControl->m_strKind;
        EXPECT_EQ(strKind, p.pszKind) << p.nId;
        EXPECT_EQ(pControl->m_strText, p.pszText) << p.nId;
        EXPECT_EQ((std::array<int, 4>{pControl->m_nX, pControl->m_nY, pControl->m_nWidth,
                                      pControl->m_nHeight}),
                  (std::array<int, 4>{p.x, p.y, p.w, p.h}))
            << p.nId;
    }
    // The two colour buttons draw themselves; the image buttons show their bitmaps.
    for (int nId : {1, 1002})
        EXPECT_NE(dialog.Find(nId)->m_strStyle.find("BS_OWNERDRAW"), std::string::npos) << nId;
    for (int nId : {1003, 1090, 1091, 1092, 1093, 1004})
        EXPECT_NE(dialog.Find(nId)->m_strStyle.find("BS_BITMAP"), std::string::npos) << nId;
    // Both lists keep their selection visible without the focus.
    for (int nId : {1000, 1001})
        EXPECT_NE(dialog.Find(nId)->m_strStyle.find("LVS_SHOWSELALWAYS"), std::string::npos);

    bool bLabel = false;
    for (const testutil::SRcControl& control : dialog.m_arrControls) {
        if (control.m_strText == "実行ログ") {
            bLabel = true;
            EXPECT_EQ((std::array<int, 4>{control.m_nX, control.m_nY, control.m_nWidth,
                                          control.m_nHeight}),
                      (std::array<int, 4>{7, 187, 27, 8}));
        }
    }
    EXPECT_TRUE(bLabel);
}

}  // namespace
