// CScheduleWizardWindow: the Win32 dialog (template 132) over the wizard's portable model.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "host_dialogs.h"
#include "schedule_wizard.h"
#include "schedule_wizard_dlg.h"
#include "win32ui/color_button.h"
#include "win32ui/dialog_base.h"
#include "win32ui/dialog_colors.h"
#include "win32ui/message_box_view.h"
#include "win32ui/tooltip.h"

// The wizard the main window's schedule operations open (IScheduleWizard): each run opens the
// dialog modally over its owner on a fresh model, and hands back what the result allows.
class CScheduleWizardWindow final : public IScheduleWizard {
public:
    // The context and the clock must outlive the wizard; the context is read at each opening
    // (the program directory is known only after start-up).
    CScheduleWizardWindow(const SHostDialogContext& context, const platform::IClock& clock);

    // The window the wizard opens over, and the schedule table the group dialog reads to refuse
    // changing groups that schedules use; both are set once the main window exists.
    void SetOwner(HWND hOwner) { m_hOwner = hOwner; }
    void SetSchedules(const CScheduleTable& schedules) { m_pSchedules = &schedules; }

    bool RunWizard(CScheduleWizardData& data) override;

private:
    HWND m_hOwner = nullptr;
    const SHostDialogContext* m_pContext;
    const CScheduleTable* m_pSchedules = nullptr;
    const platform::IClock* m_pClock;
};

// One opening of the wizard's dialog.
class CScheduleWizardDialog final : public CDialogBase, private IScheduleWizardView {
public:
    CScheduleWizardDialog(const SHostDialogContext& context, const CScheduleTable& schedules,
                          const platform::IClock& clock);
    ~CScheduleWizardDialog() override;

    CScheduleWizardDlg& Model() { return m_model; }

private:
    bool OnInit() override;
    bool OnCommand(int nId, int nCode, HWND hControl) override;
    void OnOk() override;
    void OnCancel() override;
    HBRUSH OnCtlColor(UINT nMessage, HDC hDC, HWND hControl) override;
    void OnDestroy() override;
    bool PreTranslateMessage(MSG& msg) override;

    // IScheduleWizardView
    void SetCaption(const std::string& strCaption) override;
    void ShowControl(int nId, bool bShow) override;
    void EnableControl(int nId, bool bEnable) override;
    void SetText(int nId, const std::string& strText) override;
    std::string GetText(int nId) const override;
    void SetCheck(int nId, bool bChecked) override;
    bool GetCheck(int nId) const override;
    void SetItems(int nId, const std::vector<std::string>& arrItems) override;
    void SetSelection(int nId, int nIndex) override;
    int GetSelection(int nId) const override;
    void SetDate(int nId, const SWizardDate& date) override;
    SWizardDate GetDate(int nId) const override;
    void FocusControl(int nId) override;
    void EndWizard(bool bOk) override;
    bool TestConnection(const std::string& strHost) override;
    void RunHostRegistration(CHostTable& hosts) override;
    bool RunGroupList(CHostTable& hosts, CGroupTable& groups) override;
    void RunAcquisitionCheck(const std::string& strHost) override;
    void RunHostPicker(const std::vector<std::string>& arrMembers) override;

    bool IsListBox(int nId) const;

    win32ui::CWindowMessageBoxView m_messageBoxes;
    CScheduleWizardDlg m_model;
    SHostDialogContext m_context;
    const CScheduleTable* m_pSchedules;
    CDialogColors m_colors;
    std::vector<std::unique_ptr<CColorButton>> m_buttons;
    std::vector<std::unique_ptr<CToolTip>> m_tooltips;
};
