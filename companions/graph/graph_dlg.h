// The Graph stand-in's window: shows the graph request it took from the clipboard.
#pragma once
#include "win32ui/color_button.h"
#include "win32ui/dialog_base.h"

class CGraphParam;

class CGraphDlg : public CDialogBase {
public:
    CGraphDlg();

private:
    bool OnInit() override;
    void ShowFiles(const CGraphParam& param);

    CColorButton m_buttonExit;
};
