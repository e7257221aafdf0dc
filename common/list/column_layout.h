// Parsing a list's column-layout string "NAME,width;NAME,width;...;NAME,width".
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Widths are kept between 0 and this many pixels; anything wider is not a real column.
inline constexpr int kMaxColumnWidth = 32767;

// One column of a list: its header text and width in pixels.
struct CListColumn {
    std::string m_strName;
    int m_nWidth = 0;
};

// The columns a layout string declares, in order. For each entry the name is the text before the
// next ','; the width is the number between that ',' and the next ';' (or the end), read leniently
// (leading blanks, sign and digits; 0 without digits) and kept within 0..kMaxColumnWidth. Parsing
// stops when no further ',' is found, so "" gives no columns and a trailing ';' adds none.
std::vector<CListColumn> ParseColumnLayout(std::string_view layout);
