// What the schedule wizard's model asks of its window besides message boxes: control states,
// the dialogs it opens, the end of the run.
#pragma once
#include <string>
#include <vector>

#include "host_tables.h"
#include "wizard_values.h"

// Implemented by the Win32 wizard window and by the tests' fake window. Control ids are those of
// dialog template 132 (gather/resource.h).
class IScheduleWizardView {
public:
    virtual ~IScheduleWizardView() = default;

    virtual void SetCaption(const std::string& strCaption) = 0;
    virtual void ShowControl(int nId, bool bShow) = 0;
    virtual void EnableControl(int nId, bool bEnable) = 0;
    // Edits and static texts (UTF-8).
    virtual void SetText(int nId, const std::string& strText) = 0;
    virtual std::string GetText(int nId) const = 0;
    // Check boxes and radio buttons.
    virtual void SetCheck(int nId, bool bChecked) = 0;
    virtual bool GetCheck(int nId) const = 0;
    // Combo boxes and the target list box: their entries, and the selected index (-1: none).
    virtual void SetItems(int nId, const std::vector<std::string>& arrItems) = 0;
    virtual void SetSelection(int nId, int nIndex) = 0;
    virtual int GetSelection(int nId) const = 0;
    // The date picker.
    virtual void SetDate(int nId, const SWizardDate& date) = 0;
    virtual SWizardDate GetDate(int nId) const = 0;
    // Gives the control the focus (an edit's text is selected, so the user can retype it).
    virtual void FocusControl(int nId) = 0;
    // Closes the wizard with OK (true) or Cancel.
    virtual void EndWizard(bool bOk) = 0;

    // ---- what the wizard opens; each blocks until it is done ----

    // Connects to the host's registry and back, with the wait cursor; a failure has shown its
    // own message. True when the host answered.
    virtual bool TestConnection(const std::string& strHost) = 0;
    // "ホスト名の登録" on the wizard's host table.
    virtual void RunHostRegistration(CHostTable& hosts) = 0;
    // "グループの登録" on the wizard's tables; true (and groups replaced) after OK.
    virtual bool RunGroupList(CHostTable& hosts, CGroupTable& groups) = 0;
    // "データ取得確認" for one host.
    virtual void RunAcquisitionCheck(const std::string& strHost) = 0;
    // "ホストの選択" over a group's members, each choice running the acquisition check.
    virtual void RunHostPicker(const std::vector<std::string>& arrMembers) = 0;
};
