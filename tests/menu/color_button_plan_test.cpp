// The colour button's drawing rules: what is drawn, in which colour and order, for each state.
#include <gtest/gtest.h>

#include "win32ui/color_button_plan.h"

namespace {

using win32ui::EButtonDraw;
using win32ui::MakeColor;
using win32ui::SButtonDrawStep;

TEST(ColorButtonPlanTest, InitialColours) {
    const win32ui::SColorButtonColors colors;
    EXPECT_EQ(colors.m_crText, MakeColor(0, 0, 0));
    EXPECT_EQ(colors.m_crFace, MakeColor(240, 240, 255));
    EXPECT_EQ(colors.m_crDisabledText, MakeColor(128, 128, 128));
    EXPECT_EQ(MakeColor(63, 128, 255), 0xFF803Fu);  // red in the low byte, as COLORREF
}

TEST(ColorButtonPlanTest, StepsForEachState) {
    win32ui::SColorButtonColors colors;
    colors.m_crText = MakeColor(255, 255, 255);
    colors.m_crFace = MakeColor(63, 128, 255);
    const SButtonDrawStep fill{EButtonDraw::kFillFace, colors.m_crFace};
    const SButtonDrawStep caption{EButtonDraw::kCaption, colors.m_crText};
    const SButtonDrawStep raised{EButtonDraw::kRaisedEdge};
    const SButtonDrawStep sunken{EButtonDraw::kSunkenEdge};
    const SButtonDrawStep focus{EButtonDraw::kFocusRect};
    const SButtonDrawStep greyed{EButtonDraw::kCaption, colors.m_crDisabledText};
    struct {
        const char* name;
        bool focused, pressed, disabled;
        std::vector<SButtonDrawStep> expected;
    } cases[] = {
        {"normal", false, false, false, {fill, caption, raised}},
        {"pressed without focus", false, true, false, {fill, caption, raised}},
        {"focused", true, false, false, {fill, caption, raised, focus}},
        {"focused and pressed", true, true, false, {fill, caption, raised, sunken, focus}},
        // The disabled caption is drawn last, over the normal one.
        {"disabled", false, false, true, {fill, caption, raised, greyed}},
        // With the focus the disabled caption is not drawn: the greyed caption is only for a
        // button without the focus.
        {"focused and disabled", true, false, true, {fill, caption, raised, focus}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(win32ui::ColorButtonDrawSteps(colors, c.focused, c.pressed, c.disabled),
                  c.expected)
            << c.name;
    }
}

}  // namespace
