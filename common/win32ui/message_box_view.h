// The Win32 side of the portable message boxes: a window's IMessageBoxView on the one helper.
#pragma once
#include <windows.h>

#include "dialog/message_box.h"
#include "win32ui/dialog_base.h"

namespace win32ui {

// The MessageBoxW flags of a box's icon (0 for none), and of its buttons with its modality.
UINT MessageBoxIconFlag(EMessageIcon eIcon);
UINT MessageBoxButtonFlags(EMessageButtons eButtons, EMessageModality eModality);
// The answer for what MessageBoxW returned; a box that could not be shown (0) counts as closed:
// Cancel, or No for a Yes/No question.
EMessageResult MessageBoxAnswer(int nPressed, EMessageButtons eButtons);

// Shows a model's message boxes owned by a dialog. The dialog owns this object and hands it to its
// model; boxes shown before the dialog's window exists have no owner.
class CWindowMessageBoxView final : public IMessageBoxView {
public:
    explicit CWindowMessageBoxView(const CDialogBase& owner) : m_pOwner(&owner) {}

    EMessageResult ShowMessage(const CMessageBox& box) override;

private:
    const CDialogBase* m_pOwner;
};

}  // namespace win32ui
