// A chart plan written as an SVG picture.
#pragma once
#include <string>
#include <string_view>

#include "series/chart_plan.h"

// The font the SVG asks for, and how its text is measured for the plan: 12-pixel sans-serif,
// 7 pixels for an ASCII character and 12 for any other, 16 pixels a line.
series::CTextMetrics SvgTextMetrics();

// The whole SVG document (UTF-8): white background, title, unit and statistics line, grid,
// plot frame, value and time labels, and the line as polylines (a lone value as a dot).
std::string RenderSvg(const series::CChartPlan& plan);

// Text with the five XML special characters escaped.
std::string XmlEscape(std::string_view strText);
