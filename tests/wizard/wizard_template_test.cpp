// Dialog template 132 against the wizard's tables: every control the model names is there with
// its caption, radio groups are closed, coloured buttons are owner-drawn, no page repeats an
// access key.
#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "common/rc_template.h"
#include "fake_wizard_window.h"
#include "wizard_tables.h"

namespace {

using testutil::SRcControl;
using testutil::SRcDialog;

class WizardTemplateTest : public ::testing::Test {
protected:
    WizardTemplateTest()
        : m_defines(testutil::ReadDefines(std::string(VARNOLE_SOURCE_DIR) + "/gather/resource.h")),
          m_dialog(testutil::ReadRcDialog(
              std::string(VARNOLE_SOURCE_DIR) + "/gather/schedule_wizard.rc",
              "IDD_SCHEDULE_WIZARD", m_defines)) {}

    std::map<std::string, int> m_defines;
    SRcDialog m_dialog;
};

TEST_F(WizardTemplateTest, HoldsEveryControlTheModelNames) {
    ASSERT_TRUE(m_dialog.m_bFound);
    EXPECT_EQ(m_dialog.m_strCaption, "スケジュール管理");
    EXPECT_EQ(m_defines["IDD_SCHEDULE_WIZARD"], 132);
    std::vector<int> arrIds(AllPageControls().begin(), AllPageControls().end());
    for (const SWizardTooltip& tip : WizardTooltips()) arrIds.push_back(tip.m_nControl);
    for (const SWizardColorButton& button : WizardColorButtons()) arrIds.push_back(button.m_nControl);
    for (const SIntegerField& field : IntegerFields()) arrIds.push_back(field.m_nControl);
    for (int nId : {IDC_WZ_TITLE, IDC_WZ_DETAIL, IDC_WZ_BACK, IDC_WZ_NEXT, 1, 2})
        arrIds.push_back(nId);
    for (int nId : arrIds) EXPECT_NE(m_dialog.Find(nId), nullptr) << "control " << nId;
}

TEST_F(WizardTemplateTest, CaptionsAreTheWizardsWords) {
    const std::pair<int, const char*> captions[] = {
        {IDC_WZ_TARGET_LABEL, "対象"},        {IDC_WZ_DISPLAY_FRAME, "表示方法"},
        {IDC_WZ_EDIT_HOSTS, "登録済みホストの変更"}, {IDC_WZ_EDIT_GROUPS, "登録済みグループの変更"},
        {IDC_WZ_CHECK, "CHECK"},              {IDC_WZ_SHOW_HOSTS, "ホスト名"},
        {IDC_WZ_SHOW_GROUPS, "グループ名"},    {IDC_WZ_TRIGGER_NORMAL, "通常処理"},
        {IDC_WZ_TRIGGER_THRESHOLD, "しきい値トリガー"}, {IDC_WZ_USE_CPU, "ＣＰＵ使用率"},
        {IDC_WZ_USE_MEM, "空きメモリ容量"},    {IDC_WZ_USE_DISK, "ディスク使用率"},
        {IDC_WZ_CPU_UNIT, "％ 以上"},         {IDC_WZ_MEM_UNIT, "ＭＢ 以下"},
        {IDC_WZ_DISK_UNIT, "％ 以上"},        {IDC_WZ_START_NOW, "今すぐ開始"},
        {IDC_WZ_START_TIMER, "タイマー予約"},  {IDC_WZ_START_LABEL, "開始時間"},
        {IDC_WZ_START_COLON, "："},           {IDC_WZ_DAY_TODAY, "本日"},
        {IDC_WZ_DAY_EVERY, "毎日"},           {IDC_WZ_DAY_DATE, "指定日"},
        {IDC_WZ_SUNDAY, "日"},                {IDC_WZ_MONDAY, "月"},
        {IDC_WZ_TUESDAY, "火"},               {IDC_WZ_WEDNESDAY, "水"},
        {IDC_WZ_THURSDAY, "木"},              {IDC_WZ_FRIDAY, "金"},
        {IDC_WZ_SATURDAY, "土"},              {IDC_WZ_MONTH_DAY_LABEL, "日"},
        {IDC_WZ_MONTHLY, "毎月"},             {IDC_WZ_MONTH_END, "月末"},
        {IDC_WZ_END_BY_DURATION, "取得期間指定"}, {IDC_WZ_END_BY_TIME, "終了時間指定"},
        {IDC_WZ_DURATION_LABEL, "間"},        {IDC_WZ_END_HOUR_LABEL, "時"},
        {IDC_WZ_END_MINUTE_LABEL, "分"},      {IDC_WZ_INTERVAL_LABEL, "取得間隔"},
        {IDC_WZ_COLLECT_LABEL, "スケジュールに設定されている収集時間は"},
        {IDC_WZ_COLLECT_TAIL, "です。"},      {IDC_WZ_SPLIT_LABEL, "分割単位"},
        {IDC_WZ_SPLIT_HEAD, "稼動データファイルが"}, {IDC_WZ_SPLIT_TAIL, "に分割されます"},
        {IDC_WZ_BACK, "<< 前"},               {IDC_WZ_NEXT, "次 >>"},
    };
    for (const auto& [nId, pszCaption] : captions) {
        const SRcControl* pControl = m_dialog.Find(nId);
        ASSERT_NE(pControl, nullptr) << nId;
        EXPECT_EQ(pControl->m_strText, pszCaption) << nId;
    }
}

TEST_F(WizardTemplateTest, ColouredButtonsAreOwnerDrawn) {
    for (const SWizardColorButton& button : WizardColorButtons()) {
        const SRcControl* pControl = m_dialog.Find(button.m_nControl);
        ASSERT_NE(pControl, nullptr);
        EXPECT_NE(pControl->m_strStyle.find("BS_OWNERDRAW"), std::string::npos)
            << button.m_nControl;
    }
}

TEST_F(WizardTemplateTest, EveryRadioGroupIsContiguousAndClosed) {
    const std::vector<SRcControl>& controls = m_dialog.m_arrControls;
    auto indexOf = [&](int nId) {
        for (std::size_t i = 0; i < controls.size(); ++i)
            if (controls[i].m_nId == nId) return static_cast<int>(i);
        return -1;
    };
    for (const std::vector<int>& group : wizard_test::RadioGroups()) {
        const int nFirst = indexOf(group.front());
        ASSERT_GE(nFirst, 0);
        for (std::size_t k = 0; k < group.size(); ++k) {
            const SRcControl& control = controls[static_cast<std::size_t>(nFirst) + k];
            EXPECT_EQ(control.m_nId, group[k]) << "group of " << group.front();
            EXPECT_EQ(control.m_strStyle.find("WS_GROUP") != std::string::npos, k == 0)
                << control.m_nId;
        }
        const std::size_t nAfter = static_cast<std::size_t>(nFirst) + group.size();
        ASSERT_LT(nAfter, controls.size());
        EXPECT_NE(controls[nAfter].m_strStyle.find("WS_GROUP"), std::string::npos)
            << "the control after the group of " << group.front();
    }
}

TEST_F(WizardTemplateTest, NoPageRepeatsAnAccessKey) {
    const std::vector<int> arrAlways = {IDC_WZ_BACK, IDC_WZ_NEXT, 1, 2};
    for (int nPage = 0; nPage < kWizardPages; ++nPage) {
        std::vector<int> arrIds(arrAlways);
        const SWizardPage& page = WizardPages()[static_cast<std::size_t>(nPage)];
        arrIds.insert(arrIds.end(), page.m_controls.begin(), page.m_controls.end());
        if (nPage == kPageTimer) {
            for (int nUnit : {kUnitDay, kUnitWeek, kUnitMonth})
                for (int nId : UnitGroupControls(nUnit)) arrIds.push_back(nId);
        }
        std::set<char> setKeys;
        for (int nId : arrIds) {
            const SRcControl* pControl = m_dialog.Find(nId);
            if (pControl == nullptr) continue;
            const std::size_t nAmp = pControl->m_strText.find('&');
            if (nAmp == std::string::npos || nAmp + 1 >= pControl->m_strText.size()) continue;
            const char cKey = static_cast<char>(std::toupper(
                static_cast<unsigned char>(pControl->m_strText[nAmp + 1])));
            EXPECT_TRUE(setKeys.insert(cKey).second)
                << "page " << nPage + 1 << " repeats the access key " << cKey;
        }
    }
}

}  // namespace
