// CGroupListDlg: the group registration dialog ("グループの登録", dialog 141) — the groups and the
// members of the selected one, adding, changing and deleting groups on a copy of the table.
#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "dialog/message_box.h"
#include "host_tables.h"
#include "schedule.h"
#include "ui/host_dialogs_resource.h"

inline constexpr std::array kGroupListControls = {
    IDC_GROUPS_LIST, IDC_GROUPS_MEMBERS, IDC_GROUPS_ADD, IDC_GROUPS_CHANGE, IDC_GROUPS_DELETE, IDOK,
    IDCANCEL};

inline constexpr char kGroupListFull[] = "登録できる最大数を超えています";
inline constexpr char kGroupListChangeCaption[] = "グループの変更";
inline constexpr char kGroupListDeleteCaption[] = "グループの削除";
inline constexpr char kTipGroupListAdd[] = "グループを追加します";
inline constexpr char kTipGroupListChange[] = "選択されたグループを変更します";
inline constexpr char kTipGroupListDelete[] = "選択されたグループを削除します";

// "このグループは、スケジュール(03,12)で使用されており、変更できません" and its "削除" twin.
std::string GroupInUseText(const std::string& strSchedules, bool bDelete);
// The question before deleting a group: its name, its members one per line, the question.
std::string GroupDeleteQuestion(const std::string& strName,
                                const std::vector<std::string>& vecMembers);
// A note shown system-modal without an icon, as the group dialogs show their refusals.
void ShowSystemModalNote(CMessageBoxes& boxes, const std::string& strText,
                         const std::string& strCaption);
// The entry of a list to select for a name: the exact name, else the first entry that begins
// with it ignoring ASCII case (as a list box's own search), else the first entry; -1 for an
// empty list.
int EntryToSelect(const std::vector<std::string>& vecEntries, const std::string& strName);

class IGroupListView {
public:
    virtual ~IGroupListView() = default;
    virtual void ShowGroups(const std::vector<std::string>& vecNames) = 0;   // 1095
    virtual void SelectGroup(int nIndex) = 0;                                // -1: none
    virtual void ShowMembers(const std::vector<std::string>& vecHosts) = 0;  // 1007
    virtual void EnableChange(bool bEnable) = 0;
    virtual void EnableDelete(bool bEnable) = 0;
    // Runs the group edit dialog over the group (groups is the list's table, for the name check);
    // true when it ended with OK, the group then holding the edited name and members.
    virtual bool EditGroup(CHostGroup& group, const CGroupTable& groups) = 0;
    virtual void Close(bool bOk) = 0;
};

class CGroupListDlg {
public:
    // The schedules are only read, and must outlive the model.
    CGroupListDlg(IGroupListView& view, IMessageBoxView& messageBoxes,
                  const CScheduleTable& schedules);

    // The opener's groups, copied; the opener takes Groups() back only on OK.
    void SetGroups(const CGroupTable& groups) { *m_pGroups = groups; }
    const CGroupTable& Groups() const { return *m_pGroups; }

    void OnInit();
    void OnGroupSelected(const std::string& strName);
    void OnAdd();
    void OnChange();
    void OnDelete();
    void OnOk() { m_view.Close(true); }
    void OnCancel() { m_view.Close(false); }

    // The name of the selected group; empty when none is.
    const std::string& SelectedGroup() const { return m_strSelected; }

private:
    // Refills the group list and selects the entry for strName (the first with none given).
    void FillGroups(const std::string& strName);
    // Refills the group list alone, leaving the selection to the caller.
    void FillNames();
    void SelectIndex(int nIndex);
    void ShowNothingSelected();

    IGroupListView& m_view;
    CMessageBoxes m_boxes;
    const CScheduleTable& m_schedules;
    std::unique_ptr<CGroupTable> m_pGroups;
    std::vector<std::string> m_vecNames;  // the list's entries, in slot order
    std::string m_strSelected;
};
