// A scripted stand-in for Gather's main window: records message boxes, answers them, reports
// selections.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gather_view.h"

namespace gather_test {

struct CShownMessage {
    std::string m_strText;
    std::string m_strCaption;
    EMessageIcon m_eIcon = EMessageIcon::kNone;
    EMessageButtons m_eButtons = EMessageButtons::kOk;
};

class CFakeGatherView : public IGatherView {
public:
    std::vector<CShownMessage> m_arrShown;
    // Answers to give, first to last. A box with only an OK button needs none; a question
    // without a scripted answer fails the test and is answered No.
    std::deque<EMessageResult> m_queAnswers;
    std::map<EGatherList, std::vector<int>> m_mapSelected;
    // Runs while a box is "open" (e.g. a timer tick arriving meanwhile); called once per box.
    std::function<void()> m_fnWhileOpen;

    EMessageResult ShowMessage(const std::string& strText, const std::string& strCaption,
                               EMessageIcon eIcon, EMessageButtons eButtons) override {
        m_arrShown.push_back({strText, strCaption, eIcon, eButtons});
        if (m_fnWhileOpen) m_fnWhileOpen();
        if (!m_queAnswers.empty()) {
            const EMessageResult eAnswer = m_queAnswers.front();
            m_queAnswers.pop_front();
            return eAnswer;
        }
        if (eButtons == EMessageButtons::kOk) return EMessageResult::kOk;
        ADD_FAILURE() << "unexpected question: " << strText;
        return eButtons == EMessageButtons::kYesNo ? EMessageResult::kNo : EMessageResult::kCancel;
    }

    std::vector<int> GetSelectedRows(EGatherList eList) const override {
        const auto it = m_mapSelected.find(eList);
        return it == m_mapSelected.end() ? std::vector<int>{} : it->second;
    }

    // The boxes shown with a caption.
    int CountCaption(const std::string& strCaption) const {
        int n = 0;
        for (const CShownMessage& shown : m_arrShown) n += shown.m_strCaption == strCaption;
        return n;
    }
};

}  // namespace gather_test
