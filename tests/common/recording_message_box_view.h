// The one message box fake of the tests: records every box, answers from a script, and can run
// code while a box is "open" (a timer tick arriving during the box's message loop, say).
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "dialog/message_box.h"

namespace testutil {

class CRecordingMessageBoxView final : public IMessageBoxView {
public:
    // Every box shown, first to last.
    std::vector<CMessageBox> m_arrShown;
    // Answers to give, first to last. A box with only an OK button needs none; a box with a
    // choice and no scripted answer fails the test and is answered No (or Cancel).
    std::deque<EMessageResult> m_queAnswers;
    // Runs while each box is open, after it was recorded.
    std::function<void(const CMessageBox&)> m_fnWhileOpen;

    EMessageResult ShowMessage(const CMessageBox& box) override {
        m_arrShown.push_back(box);
        if (m_fnWhileOpen) m_fnWhileOpen(box);
        if (!m_queAnswers.empty()) {
            const EMessageResult eAnswer = m_queAnswers.front();
            m_queAnswers.pop_front();
            return eAnswer;
        }
        if (box.m_eButtons == EMessageButtons::kOk) return EMessageResult::kOk;
        ADD_FAILURE() << "unexpected question: [" << box.m_strCaption << "] " << box.m_strText;
        return box.m_eButtons == EMessageButtons::kYesNo ? EMessageResult::kNo
                                                         : EMessageResult::kCancel;
    }

    // The last box shown; fails the test when there is none.
    const CMessageBox& Last() const {
        if (m_arrShown.empty()) {
            ADD_FAILURE() << "no message box was shown";
            static const CMessageBox s_none;
            return s_none;
        }
        return m_arrShown.back();
    }

    // How many boxes were shown with this caption.
    int CountCaption(const std::string& strCaption) const {
        int n = 0;
        for (const CMessageBox& box : m_arrShown) n += box.m_strCaption == strCaption;
        return n;
    }
};

// A message box as one line: "error[caption] text" (error icon, OK), "warning[...]" (warning icon,
// OK) or "ask[...]" (warning icon, Yes/No); any other kind of box shows as "other[...]".
inline std::string BoxLine(const CMessageBox& box) {
    const char* pszKind = "other";
    if (box.m_eButtons == EMessageButtons::kOk && box.m_eIcon == EMessageIcon::kError)
        pszKind = "error";
    if (box.m_eButtons == EMessageButtons::kOk && box.m_eIcon == EMessageIcon::kWarning)
        pszKind = "warning";
    if (box.m_eButtons == EMessageButtons::kYesNo && box.m_eIcon == EMessageIcon::kWarning)
        pszKind = "ask";
    return std::string(pszKind) + "[" + box.m_strCaption + "] " + box.m_strText;
}

}  // namespace testutil
