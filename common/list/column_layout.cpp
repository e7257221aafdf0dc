// Parsing a list's column-layout string "NAME,width;NAME,width;...;NAME,width".
#include "list/column_layout.h"

#include <algorithm>

#include "list/leading_decimal.h"

std::vector<CListColumn> ParseColumnLayout(std::string_view layout) {
    std::vector<CListColumn> columns;
    std::string_view rest = layout;
    for (;;) {
        const std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos) break;
        const std::string_view afterComma = rest.substr(comma + 1);
        const std::size_t semicolon = afterComma.find(';');
        CListColumn column;
        column.m_strName = std::string(rest.substr(0, comma));
        column.m_nWidth =
            std::clamp(ParseLeadingDecimal(afterComma.substr(0, semicolon)), 0, kMaxColumnWidth);
        columns.push_back(std::move(column));
        if (semicolon == std::string_view::npos) break;
        rest = afterComma.substr(semicolon + 1);
    }
    return columns;
}
