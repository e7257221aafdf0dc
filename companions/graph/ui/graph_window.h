// The Graph window: takes the request from the clipboard, reads the data files on a worker
// thread with a progress bar, and shows the chart with its status line, "保存" and "コピー".
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "graph_load_job.h"
#include "graph_param.h"
#include "series/counter_choice.h"
#include "win32ui/color_button.h"
#include "win32ui/dialog_base.h"
#include "win32ui/dialog_colors.h"

class CChartView;

class CGraphWindow : public CDialogBase {
public:
    CGraphWindow();

private:
    bool OnInit() override;
    bool OnCommand(int nId, int nCode, HWND hControl) override;
    void OnOk() override {}  // Enter does not close the chart
    void OnCancel() override;
    void OnTimer(UINT_PTR nTimerId) override;
    HBRUSH OnCtlColor(UINT nMessage, HDC hDC, HWND hControl) override;
    bool OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, INT_PTR& nResult) override;

    // Takes the request; false with the message shown when there is none to draw.
    bool TakeRequest();
    void Finish();
    void LayOut();
    void SetStatus(const std::string& strText);
    void ShowFailure(const std::string& strMessage);
    void Save();
    void Copy();

    CDialogColors m_colors;
    CColorButton m_buttonSave;
    CColorButton m_buttonCopy;
    CColorButton m_buttonExit;
    CChartView* m_pChart = nullptr;  // owned by its window
    int m_nLineHeight = 15;

    CGraphParam m_param;
    const series::CCounterChoice* m_pChoice = nullptr;
    std::unique_ptr<CGraphLoadJob> m_pJob;
    bool m_bLoading = false;
    std::string m_strChartStatus;  // the status line of the drawn chart
};
