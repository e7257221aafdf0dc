// The drawing rules of the colour button as an ordered list of steps.
#include "win32ui/color_button_plan.h"

namespace win32ui {

std::vector<SButtonDrawStep> ColorButtonDrawSteps(const SColorButtonColors& colors, bool bFocused,
                                                  bool bPressed, bool bDisabled) {
    std::vector<SButtonDrawStep> steps = {
        {EButtonDraw::kFillFace, colors.m_crFace},
        {EButtonDraw::kCaption, colors.m_crText},
        {EButtonDraw::kRaisedEdge},
    };
    if (bFocused) {
        if (bPressed) steps.push_back({EButtonDraw::kSunkenEdge});
        steps.push_back({EButtonDraw::kFocusRect});
    } else if (bDisabled) {
        steps.push_back({EButtonDraw::kCaption, colors.m_crDisabledText});
    }
    return steps;
}

}  // namespace win32ui
