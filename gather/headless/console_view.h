// The headless runner's stand-in for Gather's main window: message boxes go to the error stream
// and are answered Yes (or OK); no list rows are ever selected.
#pragma once
#include <ostream>

#include "gather_view.h"

class CConsoleGatherView final : public IGatherView {
public:
    // The stream must outlive the view.
    explicit CConsoleGatherView(std::ostream& err) : m_pErr(&err) {}

    EMessageResult ShowMessage(const std::string& strText, const std::string& strCaption,
                               EMessageIcon eIcon, EMessageButtons eButtons) override;
    std::vector<int> GetSelectedRows(EGatherList eList) const override;

private:
    std::ostream* m_pErr;
};
