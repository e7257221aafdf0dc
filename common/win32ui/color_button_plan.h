// What a colour button draws for a given state, in order: the drawing rules without the drawing.
#pragma once
#include <cstdint>
#include <vector>

namespace win32ui {

// A colour as 0x00BBGGRR, the layout of the platform's colour values.
using ColorValue = std::uint32_t;
constexpr ColorValue MakeColor(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}

// The three colours of a colour button, with their initial values.
struct SColorButtonColors {
    ColorValue m_crText = MakeColor(0, 0, 0);
    ColorValue m_crFace = MakeColor(240, 240, 255);
    ColorValue m_crDisabledText = MakeColor(128, 128, 128);
};

enum class EButtonDraw {
    kFillFace,    // fill the whole rectangle with the face colour
    kCaption,     // the caption, centred on one line, transparent background, in m_crColor
    kRaisedEdge,  // a raised edge round the whole rectangle
    kSunkenEdge,  // a sunken edge round the whole rectangle
    kFocusRect,   // the focus rectangle, 4 pixels inside the whole rectangle
};

struct SButtonDrawStep {
    EButtonDraw m_eKind;
    ColorValue m_crColor = 0;  // for kFillFace and kCaption
    bool operator==(const SButtonDrawStep&) const = default;
};

// The steps for one owner-draw request: face, caption, raised edge; then, with the focus, the
// sunken edge when also pressed and the focus rectangle; otherwise, when disabled, the caption
// again in the disabled colour.
std::vector<SButtonDrawStep> ColorButtonDrawSteps(const SColorButtonColors& colors, bool bFocused,
                                                  bool bPressed, bool bDisabled);

// The inset of the focus rectangle from the button's edges, in pixels.
inline constexpr int kFocusInset = 4;

}  // namespace win32ui
