// A scripted stand-in for Gather's main window: reports the selections a test sets.
#pragma once
#include <map>
#include <vector>

#include "gather_view.h"

namespace gather_test {

class CFakeGatherView : public IGatherView {
public:
    std::map<EGatherList, std::vector<int>> m_mapSelected;

    std::vector<int> GetSelectedRows(EGatherList eList) const override {
        const auto it = m_mapSelected.find(eList);
        return it == m_mapSelected.end() ? std::vector<int>{} : it->second;
    }
};

}  // namespace gather_test
