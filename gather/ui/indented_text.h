// Painting of the multi-line information texts (host information, acquisition check): each line
// starts at its leading tabs' position, and a line too long for the control wraps onto lines
// that keep that indent instead of falling back to the left edge.
#pragma once
#include <windows.h>

namespace gather_ui {

// Paints the owner-drawn static of the request with its own window text, in crText on the
// dialog's background brush. True when the request was for a static control.
bool PaintIndentedText(const DRAWITEMSTRUCT& item, COLORREF crText, HBRUSH hBackground);

}  // namespace gather_ui
