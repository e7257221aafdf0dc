// Where a sortable list's header item puts its text and its sort arrow: geometry without drawing.
#pragma once

namespace win32ui {

struct SPlanPoint {
    int x = 0;
    int y = 0;
    bool operator==(const SPlanPoint&) const = default;
};

struct SPlanRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const SPlanRect&) const = default;
};

// One edge of the arrow, drawn in the highlight colour (lit) or the shadow colour (shaded).
struct SArrowEdge {
    SPlanPoint from;
    SPlanPoint to;
    bool bLit = false;
    bool operator==(const SArrowEdge&) const = default;
};

struct SHeaderItemPlan {
    // The text's rectangle; the text is drawn only when bDrawText (some width remains).
    SPlanRect rcText;
    bool bDrawText = false;
    // The three edges of the arrow: only for the sort column.
    bool bArrow = false;
    SArrowEdge edges[3];
};

// The plan for a header item with rectangle rc. With q = a quarter of its height: the text is
// indented by q on both sides; the sort column keeps 3q at the right for an arrow 2q high and
// 2q wide, centred vertically, apex up when ascending and down when descending. A pressed item
// is drawn one pixel to the right and two lower. The arrow looks engraved: the edge that faces
// the upper left is shaded, the others are lit.
SHeaderItemPlan PlanHeaderItem(const SPlanRect& rc, bool bPressed, bool bSortColumn,
                               bool bAscending);

}  // namespace win32ui
