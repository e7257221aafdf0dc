// CDialogLook: colours, colour buttons, tooltips and the wait cursor of one dialog.
#include "dialog_look.h"

#include "indented_text.h"

namespace gather_ui {

CDialogLook::CDialogLook(COLORREF crStaticText, std::optional<COLORREF> crEditText)
    : m_colors(kBackground), m_crStaticText(crStaticText) {
    m_colors.SetStaticTextColor(crStaticText);
    if (crEditText) m_colors.SetEditTextColor(*crEditText);
}

void CDialogLook::AddButton(HWND hDialog, int nId, COLORREF crFace) {
    auto pButton = std::make_unique<CColorButton>();
    pButton->m_crText = kButtonText;
    pButton->m_crDisabledText = kDisabledButtonText;
    pButton->m_crFace = crFace;
    if (pButton->Attach(hDialog, nId)) m_buttons.push_back(std::move(pButton));
}

void CDialogLook::AddCommandButton(HWND hDialog, int nId) {
    AddButton(hDialog, nId, kCommandFace);
}

void CDialogLook::AddCancelButton(HWND hDialog, int nId) {
    AddButton(hDialog, nId, kCancelFace);
}

void CDialogLook::AddTooltip(HWND hDialog, int nId, const std::string& strText) {
    auto pTip = std::make_unique<CToolTip>();
    if (pTip->Create(hDialog, GetDlgItem(hDialog, nId), strText)) {
        m_tooltips.push_back(std::move(pTip));
    }
}

bool CDialogLook::PaintText(LPARAM lParam) const {
    const auto* pItem = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    return pItem != nullptr && PaintIndentedText(*pItem, m_crStaticText, m_colors.Brush());
}

void CDialogLook::Relay(const MSG& msg) const {
    for (const auto& pTip : m_tooltips) pTip->Relay(msg);
}

void CDialogLook::ShowWaitCursor(bool bWait) {
    if (bWait) {
        if (m_nWaitDepth++ == 0) m_wait.emplace();
    } else if (m_nWaitDepth > 0 && --m_nWaitDepth == 0) {
        m_wait.reset();
    }
}

void CDialogLook::Release() {
    m_tooltips.clear();
    m_buttons.clear();
}

}  // namespace gather_ui
