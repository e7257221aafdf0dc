// The message boxes of every dialog model: what a box shows, what the user answered, and the
// counter that keeps timer code from opening a second box on top of one that is open.
//
// A model shows its boxes through CMessageBoxes; the window implements IMessageBoxView (on Win32
// with win32ui::CWindowMessageBoxView), and tests give a recording fake.
#pragma once
#include <string>

enum class EMessageIcon {
    kNone,
    kInformation,
    kWarning,
    kError,
    kQuestion,
};

enum class EMessageButtons {
    kOk,
    kOkCancel,
    kYesNo,
};

// The button the user pressed (closing the box counts as Cancel or No).
enum class EMessageResult {
    kOk,
    kCancel,
    kYes,
    kNo,
};

// Whom the box keeps waiting: its own window (the usual case) or every window of the desktop.
enum class EMessageModality {
    kWindow,
    kSystem,
};

// One message box: UTF-8 text and caption, an icon, a set of buttons.
class CMessageBox {
public:
    std::string m_strText;
    std::string m_strCaption;
    EMessageIcon m_eIcon = EMessageIcon::kNone;
    EMessageButtons m_eButtons = EMessageButtons::kOk;
    EMessageModality m_eModality = EMessageModality::kWindow;
};

// What a window does for its model's message boxes: shows one modally and returns the answer.
class IMessageBoxView {
public:
    virtual ~IMessageBoxView() = default;
    virtual EMessageResult ShowMessage(const CMessageBox& box) = 0;
};

// A model's way to its message boxes. A modal box runs a message loop, so the window's timers go
// on firing while it is open; IsOpen tells timer code that a box is up and it must not open
// another one on top.
class CMessageBoxes {
public:
    // The view must outlive this object.
    explicit CMessageBoxes(IMessageBoxView& view) : m_pView(&view) {}
    CMessageBoxes(const CMessageBoxes&) = delete;
    CMessageBoxes& operator=(const CMessageBoxes&) = delete;

    EMessageResult Show(const CMessageBox& box);
    EMessageResult Show(const std::string& strText, const std::string& strCaption,
                        EMessageIcon eIcon, EMessageButtons eButtons);
    // A Yes/No question; true for Yes.
    bool AskYesNo(const std::string& strText, const std::string& strCaption, EMessageIcon eIcon);

    // True while a box shown through this object is open.
    bool IsOpen() const { return m_nOpen != 0; }

private:
    IMessageBoxView* m_pView;
    int m_nOpen = 0;  // boxes open now (a box's loop may run code that opens another)
};
