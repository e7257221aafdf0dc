// CAcquisitionCheckDlg::RunCheck.
#include "acquisition_check_dlg.h"

#include "wait_scope.h"

CAcquisitionCheckDlg::CAcquisitionCheckDlg(IAcquisitionCheckView& view, CAcquisitionCheck& check)
    : m_view(view), m_check(check) {}

void CAcquisitionCheckDlg::RunCheck() {
    if (m_bRunning) return;  // a second "更新" while the check still runs
    m_bRunning = true;
    struct SDone {
        bool& m_bFlag;
        ~SDone() { m_bFlag = false; }
    } done{m_bRunning};
    m_texts = SAcquisitionTexts();
    m_view.ShowTexts(m_texts);
    {
        CWaitScope wait(m_view);
        m_texts = m_check.Run(m_strHost);
    }
    m_view.ShowTexts(m_texts);
}
