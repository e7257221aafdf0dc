// The geometry of a sortable list's header item.
#include "win32ui/header_arrow_plan.h"

namespace win32ui {

SHeaderItemPlan PlanHeaderItem(const SPlanRect& rcItem, bool bPressed, bool bSortColumn,
                               bool bAscending) {
    SPlanRect rc = rcItem;
    if (bPressed) {
        rc.left += 1;
        rc.right += 1;
        rc.top += 2;
        rc.bottom += 2;
    }
    const int q = (rcItem.bottom - rcItem.top) / 4;
    SHeaderItemPlan plan;
    plan.rcText = SPlanRect{rc.left + q, rc.top, rc.right - q - (bSortColumn ? 3 * q : 0),
                            rc.bottom};
    plan.bDrawText = plan.rcText.right > plan.rcText.left;
    if (!bSortColumn || q <= 0) return plan;

    plan.bArrow = true;
    const int left = rc.right - 3 * q;
    const int right = left + 2 * q;
    const int middle = left + q;
    const int top = rc.top + (rc.bottom - rc.top - 2 * q) / 2;
    const int bottom = top + 2 * q;
    if (bAscending) {
        const SPlanPoint apex{middle, top};
        plan.edges[0] = SArrowEdge{apex, SPlanPoint{left, bottom}, false};  // faces upper left
        plan.edges[1] = SArrowEdge{SPlanPoint{left, bottom}, SPlanPoint{right, bottom}, true};
        plan.edges[2] = SArrowEdge{SPlanPoint{right, bottom}, apex, true};
    } else {
        const SPlanPoint apex{middle, bottom};
        plan.edges[0] = SArrowEdge{SPlanPoint{left, top}, SPlanPoint{right, top}, false};  // top
        plan.edges[1] = SArrowEdge{SPlanPoint{right, top}, apex, true};
        plan.edges[2] = SArrowEdge{apex, SPlanPoint{left, top}, true};
    }
    return plan;
}

}  // namespace win32ui
