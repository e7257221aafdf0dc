// CGroupEditDlg: adding or changing one group ("グループの追加" / "グループの変更", dialog 142) —
// its name, its members chosen from the registered hosts, and the way to the host registration.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "dialog/message_box.h"
#include "host_tables.h"
#include "ui/host_dialogs_resource.h"

inline constexpr std::array kGroupEditControls = {IDC_GROUPEDIT_NAME,
                                                  IDC_GROUPEDIT_MEMBERS,
                                                  IDC_GROUPEDIT_HOSTS,
                                                  IDC_GROUPEDIT_ADD,
                                                  IDC_GROUPEDIT_REMOVE,
                                                  IDC_GROUPEDIT_HOSTREG,
                                                  IDOK,
                                                  IDCANCEL};

inline constexpr char kGroupEditAddTitle[] = "グループの追加";
inline constexpr char kGroupEditChangeTitle[] = "グループの変更";
inline constexpr char kGroupEditAlreadyMembers[] = "以下のホストは、既に登録されています。\n\n";
inline constexpr char kGroupEditTooManyMembers[] = "グループに登録できる最大数を超えています";
inline constexpr char kGroupEditNotAdded[] = "が登録できませんでした";
inline constexpr char kGroupEditNoName[] = "グループ名が指定されていません";
inline constexpr char kGroupEditNameUsed[] = "グループ名が既に使用されています";
inline constexpr char kGroupEditNameNotStorable[] = "グループ名に保存できない文字が含まれています";
inline constexpr char kGroupEditNoMembers[] = "グループにホストが指定されていません";
inline constexpr char kTipGroupEditAdd[] = "右の一覧から選択されたホストをグループに追加します";
inline constexpr char kTipGroupEditRemove[] = "選択されたホストをグループから除外します";
inline constexpr char kTipGroupEditHostReg[] =
    "VARNOLE の対象として登録されているホストの追加削除を行います";

class IGroupEditView {
public:
    virtual ~IGroupEditView() = default;
    virtual void SetTitle(const std::string& strTitle) = 0;
    virtual void SetName(const std::string& strName) = 0;                    // 1097
    virtual void ShowMembers(const std::vector<std::string>& vecHosts) = 0;  // 1100
    virtual void ShowHosts(const std::vector<std::string>& vecHosts) = 0;    // 1008
    virtual void EnableAddMembers(bool bEnable) = 0;                         // "<<追加  "
    virtual void EnableRemoveMembers(bool bEnable) = 0;                      // "  削除>>"
    virtual void FocusName() = 0;
    // Runs the host registration dialog over all 500 entries of the table; true when it ended
    // with OK (the table then holds what the user registered).
    virtual bool RunHostRegistration(CHostTable& hosts) = 0;
    virtual void Close(bool bOk) = 0;
};

class CGroupEditDlg {
public:
    // hosts is the live host table (changed through "登録済みホストの変更"); groups is the group
    // list dialog's table, for the name check. Both must outlive the model.
    CGroupEditDlg(IGroupEditView& view, IMessageBoxView& messageBoxes, CHostTable& hosts,
                  const CGroupTable& groups, CHostGroup group);

    void OnInit();
    // The number of entries selected in the registered list and in the member list.
    void OnHostSelectionChanged(int nSelected);
    void OnMemberSelectionChanged(int nSelected);
    // "<<追加  " and "  削除>>" with the selected entries in list order.
    void OnAddMembers(const std::vector<std::string>& vecSelected);
    void OnRemoveMembers(const std::vector<std::string>& vecSelected);
    // "登録済みホストの変更".
    void OnHostRegistration();
    // OK with the name as typed.
    void OnOk(const std::string& strName);
    void OnCancel();

    // The edited group, for the caller to take on OK.
    const CHostGroup& Group() const { return m_group; }

private:
    // Both lists from the group and the host table: the members, and the registered hosts that
    // are not members.
    void ShowLists();
    void Warn(const std::string& strText);

    IGroupEditView& m_view;
    CMessageBoxes m_boxes;
    CHostTable& m_hosts;
    const CGroupTable& m_groups;
    CHostGroup m_group;
    std::string m_strOpeningName;
};
