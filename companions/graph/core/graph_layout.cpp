// The Graph window's layout: chart on top, status line and buttons in the bottom row.
#include "graph_layout.h"

#include <algorithm>

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kButtonWidth = 80;

}  // namespace

CGraphLayout LayOutGraphWindow(int nWidth, int nHeight, int nLineHeight, bool bLoading) {
    CGraphLayout layout;
    const int nButtonHeight = nLineHeight + 12;
    const int nRowHeight = std::max(nButtonHeight, 2 * nLineHeight + 4);
    const int nRowTop = std::max(nHeight - kMargin - nRowHeight, kMargin);

    int nRight = nWidth - kMargin;
    for (CLayoutRect* pButton : {&layout.m_exit, &layout.m_copy, &layout.m_save}) {
        *pButton = {nRight - kButtonWidth, nRowTop + (nRowHeight - nButtonHeight) / 2,
                    kButtonWidth, nButtonHeight};
        nRight -= kButtonWidth + kGap;
    }
    const int nStatusWidth = std::max(layout.m_save.m_nLeft - kGap - kMargin, 0);
    layout.m_status = {kMargin, nRowTop, nStatusWidth, bLoading ? nLineHeight : nRowHeight};
    if (bLoading) {
        layout.m_progress = {kMargin, nRowTop + nLineHeight + 4, nStatusWidth,
                             std::max(nRowHeight - nLineHeight - 4, 0)};
    }
    layout.m_chart = {kMargin, kMargin, std::max(nWidth - 2 * kMargin, 0),
                      std::max(nRowTop - kGap - kMargin, 0)};
    return layout;
}
