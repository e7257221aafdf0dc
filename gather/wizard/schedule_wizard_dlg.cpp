// The schedule wizard's pages, navigation and control actions.
#include "schedule_wizard_dlg.h"

#include <algorithm>

#include "resource.h"
#include "schedule_summary.h"
#include "wizard_tables.h"
#include "wizard_texts.h"
#include "wizard_timing.h"

namespace {

bool Contains(std::span<const int> ids, int nId) {
    return std::find(ids.begin(), ids.end(), nId) != ids.end();
}

}  // namespace

CScheduleWizardDlg::CScheduleWizardDlg(IScheduleWizardView& view, IMessageBoxView& messageBoxes,
                                       const platform::IClock& clock)
    : m_view(view),
      m_boxes(messageBoxes),
      m_clock(clock),
      m_pHosts(std::make_unique<CHostTable>()),
      m_pGroups(std::make_unique<CGroupTable>()) {}

void CScheduleWizardDlg::LoadTables(const CHostTable& hosts, const CGroupTable& groups) {
    *m_pHosts = hosts;
    *m_pGroups = groups;
}

void CScheduleWizardDlg::OnInit() {
    m_bFilling = true;
    const SWizardMode& mode = WizardMode(m_eMode);
    m_view.SetCaption(mode.m_pszCaption);

    std::vector<std::string> arrItems(kUnitNames.begin(), kUnitNames.end());
    m_view.SetItems(IDC_WZ_UNIT, arrItems);
    arrItems.clear();
    for (const SDurationChoice& choice : kDurationChoices) arrItems.push_back(choice.m_pszText);
    m_view.SetItems(IDC_WZ_DURATION, arrItems);
    arrItems.clear();
    for (int n = 0; n < kEndDayChoices; ++n) arrItems.push_back(EndDayLabel(n));
    m_view.SetItems(IDC_WZ_END_DAY, arrItems);
    arrItems.clear();
    for (const SSplitChoice& choice : kSplitChoices) arrItems.push_back(choice.m_pszText);
    m_view.SetItems(IDC_WZ_SPLIT, arrItems);

    const platform::Time tNow = m_clock.Now();
    if (m_eMode == EWizardMode::kNew) {
        // A new booking starts from the blank record; only the last interval used is kept.
        const std::int32_t nInterval = m_schedule.m_nInterval;
        m_schedule = CSchedule::Blank(tNow);
        m_schedule.m_nInterval = nInterval;
    }
    m_values = ValuesFromSchedule(m_schedule, m_eMode, CountGroups(*m_pGroups), tNow);
    // Known from the start, so that going back from a later first page skips page 8 rightly.
    m_nCollectSeconds = ::CollectSeconds(m_values, tNow);
    ShowPage(mode.m_nFirstPage);
    m_bFilling = false;
}

// ---- pages ----

void CScheduleWizardDlg::ShowPage(int nPage) {
    const bool bWasFilling = m_bFilling;
    m_bFilling = true;
    m_nPage = std::clamp(nPage, 0, kWizardPages - 1);
    const SWizardPage& page = WizardPages()[static_cast<std::size_t>(m_nPage)];
    if (m_eMode == EWizardMode::kView) {
        m_view.SetText(IDC_WZ_TITLE, wizard_text::kViewTitle);
        m_view.SetText(IDC_WZ_DETAIL, "");
    } else {
        m_view.SetText(IDC_WZ_TITLE, page.m_pszTitle);
        m_view.SetText(IDC_WZ_DETAIL, page.m_pszDetail);
    }
    ShowPageControls();
    RunEntryStep();
    WriteControls();
    UpdateNavigation();
    m_bFilling = bWasFilling;
}

void CScheduleWizardDlg::ShowPageControls() {
    const std::span<const int> pageControls =
        WizardPages()[static_cast<std::size_t>(m_nPage)].m_controls;
    // Hide first, then show, so that controls two pages share end up visible.
    for (int nId : AllPageControls()) {
        if (!Contains(pageControls, nId)) m_view.ShowControl(nId, false);
    }
    for (int nId : pageControls) m_view.ShowControl(nId, true);
    if (m_nPage == kPageTimer) {
        for (int nId : UnitGroupControls(m_values.m_nUnit)) m_view.ShowControl(nId, true);
    }
}

void CScheduleWizardDlg::RunEntryStep() {
    switch (m_nPage) {
        case kPageTarget:
            FillTargetList();
            break;
        case kPageThresholds:
            EnableThresholdEdits();
            break;
        case kPageInterval:
            m_nCollectSeconds = ::CollectSeconds(m_values, m_clock.Now());
            m_view.SetText(IDC_WZ_COLLECT_TIME, CollectTimeText(m_nCollectSeconds));
            RebuildIntervalList();
            break;
        case kPageSplit:
            m_view.SetText(IDC_WZ_COLLECT_TIME, CollectTimeText(m_nCollectSeconds));
            UpdateSplitCount();
            break;
        case kPageSummary:
            RebuildSummary();
            break;
        default:
            break;
    }
}

// ---- navigation ----

void CScheduleWizardDlg::OnNext() {
    if (!ReadControls() || !MayLeaveForward()) return;
    ShowPage(SkipForward(std::min(m_nPage + 1, kPageSummary)));
}

void CScheduleWizardDlg::OnBack() {
    if (!ReadControls() || !ValidatePage()) return;
    ShowPage(SkipBack(std::max(m_nPage - 1, kPageTarget)));
}

bool CScheduleWizardDlg::MayLeaveForward() {
    if (m_nPage == kPageTarget && !TestConnections()) return false;
    if (m_nPage == kPageThresholds && m_values.m_nTriggerKind == kTriggerThreshold &&
        !m_values.m_bUseCpu && !m_values.m_bUseMem && !m_values.m_bUseDisk) {
        Refuse(wizard_text::kNoThreshold);
        return false;
    }
    if (m_nPage == kPageEnd) {
        m_nCollectSeconds = ::CollectSeconds(m_values, m_clock.Now());
        if (m_nCollectSeconds < 60) {
            Refuse(wizard_text::kBadCollectTime);
            return false;
        }
    }
    return ValidatePage();
}

bool CScheduleWizardDlg::ValidatePage() {
    const std::string strRefusal =
        WizardPages()[static_cast<std::size_t>(m_nPage)].m_fnValidate(m_values);
    if (strRefusal.empty()) return true;
    Refuse(strRefusal);
    return false;
}

void CScheduleWizardDlg::Refuse(const std::string& strText) {
    m_boxes.Show(strText, wizard_text::PageErrorCaption(m_nPage), EMessageIcon::kWarning,
                 EMessageButtons::kOk);
}

int CScheduleWizardDlg::SkipForward(int nPage) const {
    // The skip rules are tried in page order, each once: 3, then 5, then 8.
    for (int n = 0; n < kWizardPages; ++n) {
        const SWizardPage& page = WizardPages()[static_cast<std::size_t>(n)];
        if (nPage == n && page.m_fnSkip != nullptr && page.m_fnSkip(*this)) nPage = n + 1;
    }
    return nPage;
}

int CScheduleWizardDlg::SkipBack(int nPage) const {
    for (int n = 0; n < kWizardPages; ++n) {
        const SWizardPage& page = WizardPages()[static_cast<std::size_t>(n)];
        if (nPage == n && page.m_fnSkip != nullptr && page.m_fnSkip(*this)) nPage = n - 1;
    }
    return nPage;
}

void CScheduleWizardDlg::OnOk() {
    // Only the record the last page shows may be accepted: on the other pages it is stale.
    if (m_nPage != kPageSummary || m_schedule.m_strTarget.empty()) return;
    // A single start that has passed while the page stood open is refused like one that had
    // passed before: the page is built again, with its warning and without OK.
    if (m_eMode != EWizardMode::kView && m_schedule.m_nRepeat == kRepeatOnce &&
        m_schedule.m_tNextStart <= m_clock.Now()) {
        ShowPage(kPageSummary);
        return;
    }
    m_view.EndWizard(true);
}

void CScheduleWizardDlg::OnCancel() {
    if (m_boxes.AskYesNo(WizardMode(m_eMode).m_pszCancelQuestion, wizard_text::kCancelCaption,
                         EMessageIcon::kWarning))
        m_view.EndWizard(false);
}

// ---- control actions ----

void CScheduleWizardDlg::OnControl(int nId) {
    if (m_bFilling) return;
    switch (nId) {
        case IDC_WZ_NEXT:
            OnNext();
            break;
        case IDC_WZ_BACK:
            OnBack();
            break;
        case IDC_WZ_SHOW_HOSTS:
        case IDC_WZ_SHOW_GROUPS:
            SetDisplay(nId == IDC_WZ_SHOW_GROUPS);
            break;
        case IDC_WZ_TARGET_LIST:
            SelectTarget();
            break;
        case IDC_WZ_EDIT_HOSTS:
            EditHosts();
            break;
        case IDC_WZ_EDIT_GROUPS:
            EditGroups();
            break;
        case IDC_WZ_CHECK:
            CheckAcquisition();
            break;
        case IDC_WZ_USE_CPU:
        case IDC_WZ_USE_MEM:
        case IDC_WZ_USE_DISK:
            m_values.m_bUseCpu = m_view.GetCheck(IDC_WZ_USE_CPU);
            m_values.m_bUseMem = m_view.GetCheck(IDC_WZ_USE_MEM);
            m_values.m_bUseDisk = m_view.GetCheck(IDC_WZ_USE_DISK);
            EnableThresholdEdits();
            break;
        case IDC_WZ_UNIT:
            m_values.m_nUnit = std::max(m_view.GetSelection(IDC_WZ_UNIT), 0);
            if (m_nPage == kPageTimer) ShowUnitGroup();
            break;
        case IDC_WZ_SPLIT:
            m_values.m_nSplitIndex = m_view.GetSelection(IDC_WZ_SPLIT);
            UpdateSplitCount();
            break;
        default:
            break;
    }
}

void CScheduleWizardDlg::FillTargetList() {
    const bool bGroups = m_values.m_bGroupDisplay;
    m_view.EnableControl(IDC_WZ_EDIT_HOSTS, !bGroups);
    m_view.EnableControl(IDC_WZ_EDIT_GROUPS, bGroups);
    m_arrListNames.clear();
    if (bGroups) {
        for (const CHostGroup& group : *m_pGroups)
            if (!group.IsFree()) m_arrListNames.push_back(group.m_strName);
    } else {
        for (const CHostEntry& host : *m_pHosts)
            if (!host.IsFree()) m_arrListNames.push_back(host.m_strHost);
    }
    m_view.SetItems(IDC_WZ_TARGET_LIST, m_arrListNames);
    const auto found =
        std::find(m_arrListNames.begin(), m_arrListNames.end(), m_values.m_strTarget);
    m_view.SetSelection(IDC_WZ_TARGET_LIST, found == m_arrListNames.end()
                                                ? -1
                                                : static_cast<int>(found - m_arrListNames.begin()));
}

void CScheduleWizardDlg::SetDisplay(bool bGroups) {
    m_values.m_bGroupDisplay = bGroups;
    m_values.m_strTarget.clear();
    m_bFilling = true;
    m_view.SetCheck(IDC_WZ_SHOW_HOSTS, !bGroups);
    m_view.SetCheck(IDC_WZ_SHOW_GROUPS, bGroups);
    m_view.SetText(IDC_WZ_TARGET, "");
    FillTargetList();
    m_bFilling = false;
}

void CScheduleWizardDlg::SelectTarget() {
    const int n = m_view.GetSelection(IDC_WZ_TARGET_LIST);
    if (n < 0 || n >= static_cast<int>(m_arrListNames.size())) return;
    const std::string& strName = m_arrListNames[static_cast<std::size_t>(n)];
    // The entry of that exact name in the table shown.
    const bool bFound = m_values.m_bGroupDisplay ? FindGroup(*m_pGroups, strName).has_value()
                                                 : FindHost(*m_pHosts, strName).has_value();
    if (!bFound) return;
    m_values.m_strTarget = strName;
    m_view.SetText(IDC_WZ_TARGET, strName);
}

void CScheduleWizardDlg::EnableThresholdEdits() {
    const std::pair<bool, std::array<int, 2>> rows[] = {
        {m_values.m_bUseCpu, {IDC_WZ_CPU, IDC_WZ_CPU_UNIT}},
        {m_values.m_bUseMem, {IDC_WZ_MEM, IDC_WZ_MEM_UNIT}},
        {m_values.m_bUseDisk, {IDC_WZ_DISK, IDC_WZ_DISK_UNIT}},
    };
    for (const auto& [bUse, ids] : rows) {
        for (int nId : ids) m_view.EnableControl(nId, bUse);
    }
}

void CScheduleWizardDlg::ShowUnitGroup() {
    for (int nUnit : {kUnitDay, kUnitWeek, kUnitMonth}) {
        for (int nId : UnitGroupControls(nUnit)) m_view.ShowControl(nId, nUnit == m_values.m_nUnit);
    }
}

void CScheduleWizardDlg::RebuildIntervalList() {
    std::string strRemembered;
    const int nSelected = m_values.m_nIntervalIndex;
    if (m_values.m_arrIntervals.empty()) {
        strRemembered = IntervalText(m_schedule.m_nInterval);
    } else if (nSelected >= 0 && nSelected < static_cast<int>(m_values.m_arrIntervals.size())) {
        strRemembered = m_values.m_arrIntervals[static_cast<std::size_t>(nSelected)];
    }
    std::vector<std::string> arrEntries;
    for (std::int32_t nMs : IntervalCandidatesFor(m_nCollectSeconds))
        arrEntries.push_back(IntervalText(nMs));
    const auto found = std::find(arrEntries.begin(), arrEntries.end(), strRemembered);
    m_values.m_nIntervalIndex = arrEntries.empty()           ? -1
                                : found == arrEntries.end() ? 0
                                                            : static_cast<int>(found - arrEntries.begin());
    m_values.m_arrIntervals = std::move(arrEntries);
    m_view.SetItems(IDC_WZ_INTERVAL, m_values.m_arrIntervals);
}

void CScheduleWizardDlg::UpdateSplitCount() {
    const int n = m_values.m_nSplitIndex;
    const std::int32_t nSplit = n >= 0 && n < static_cast<int>(kSplitChoices.size())
                                    ? kSplitChoices[static_cast<std::size_t>(n)].m_nMilliseconds
                                    : 0;
    m_view.SetText(IDC_WZ_SPLIT_COUNT, SplitFileCountText(m_nCollectSeconds, nSplit));
}

void CScheduleWizardDlg::RebuildSummary() {
    SScheduleSummary summary =
        BuildScheduleSummary(m_values, *m_pGroups, m_clock.Now(), m_schedule.m_nInterval);
    m_schedule = std::move(summary.m_schedule);
    m_strSummary = std::move(summary.m_strText);
    m_view.SetText(IDC_WZ_SUMMARY, m_strSummary);
    if (!summary.m_bPastStart) return;
    if (m_eMode == EWizardMode::kView) {
        // Looking at a booking refuses nothing (a running single booking started in the past).
        m_schedule.m_strTarget = m_values.m_strTarget;
        return;
    }
    m_boxes.Show(wizard_text::kPastStart, wizard_text::kErrorCaption, EMessageIcon::kWarning,
                 EMessageButtons::kOk);
}

bool CScheduleWizardDlg::TestConnections() {
    const std::string& strTarget = m_values.m_strTarget;
    if (strTarget.empty()) return true;  // the page check refuses it
    if (!m_values.m_bGroupDisplay) return m_view.TestConnection(strTarget);
    const std::optional<int> nGroup = FindGroup(*m_pGroups, strTarget);
    if (!nGroup) return true;
    const CHostGroup& group = (*m_pGroups)[static_cast<std::size_t>(*nGroup)];
    bool bAll = true;
    // Every member is tested, so that one pass names every host that does not answer.
    for (int i = 0; i < CountMembers(group); ++i)
        bAll = m_view.TestConnection(group.m_strMember[static_cast<std::size_t>(i)]) && bAll;
    return bAll;
}

void CScheduleWizardDlg::EditHosts() {
    m_values.m_strTarget.clear();
    m_view.SetText(IDC_WZ_TARGET, "");
    m_view.RunHostRegistration(*m_pHosts);
    m_bFilling = true;
    FillTargetList();
    m_bFilling = false;
}

void CScheduleWizardDlg::EditGroups() {
    if (!m_view.RunGroupList(*m_pHosts, *m_pGroups)) return;
    SetDisplay(true);
}

void CScheduleWizardDlg::CheckAcquisition() {
    const std::string strTarget = m_view.GetText(IDC_WZ_TARGET);
    if (strTarget.empty()) return;
    if (!m_view.GetCheck(IDC_WZ_SHOW_GROUPS)) {
        m_view.RunAcquisitionCheck(strTarget);
        return;
    }
    const std::optional<int> nGroup = FindGroup(*m_pGroups, strTarget);
    if (!nGroup) return;
    const CHostGroup& group = (*m_pGroups)[static_cast<std::size_t>(*nGroup)];
    std::vector<std::string> arrMembers;
    for (int i = 0; i < CountMembers(group); ++i)
        arrMembers.push_back(group.m_strMember[static_cast<std::size_t>(i)]);
    m_view.RunHostPicker(arrMembers);
}
