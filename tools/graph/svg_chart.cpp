// SVG output of a chart plan: every element in the plan's pixel coordinates.
#include "svg_chart.h"

#include <sstream>

namespace {

constexpr int kAsciiWidth = 7;
constexpr int kWideWidth = 12;
constexpr int kLineHeight = 16;
constexpr int kFontSize = 12;
constexpr int kTickLength = 4;
constexpr const char* kLineColour = "#0050c8";

int MeasureText(std::string_view strUtf8) {
    int nWidth = 0;
    for (const char c : strUtf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            nWidth += kAsciiWidth;
        } else if ((b & 0xC0) != 0x80) {
            nWidth += kWideWidth;  // the lead byte of a character outside ASCII
        }
    }
    return nWidth;
}

// The baseline of a line of text whose top is nTop.
int Baseline(int nTop) {
    return nTop + kFontSize;
}

}  // namespace

series::CTextMetrics SvgTextMetrics() {
    return {MeasureText, kLineHeight};
}

std::string XmlEscape(std::string_view strText) {
    std::string strResult;
    for (const char c : strText) {
        switch (c) {
            case '&':
                strResult += "&amp;";
                break;
            case '<':
                strResult += "&lt;";
                break;
            case '>':
                strResult += "&gt;";
                break;
            case '"':
                strResult += "&quot;";
                break;
            case '\'':
                strResult += "&apos;";
                break;
            default:
                strResult += c;
        }
    }
    return strResult;
}

std::string RenderSvg(const series::CChartPlan& plan) {
    const series::CChartRect& plot = plan.m_plot;
    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << plan.m_nWidth
        << "\" height=\"" << plan.m_nHeight << "\" viewBox=\"0 0 " << plan.m_nWidth << ' '
        << plan.m_nHeight << "\" font-family=\"sans-serif\" font-size=\"" << kFontSize << "\">\n"
        << "<title>" << XmlEscape(plan.m_strTitle) << "</title>\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    svg << "<text class=\"title\" x=\"" << plan.m_nWidth / 2 << "\" y=\""
        << Baseline(plan.m_nTitleY) << "\" text-anchor=\"middle\" font-weight=\"bold\">"
        << XmlEscape(plan.m_strTitle) << "</text>\n";
    svg << "<text class=\"unit\" x=\"" << plot.m_nLeft - kTickLength << "\" y=\""
        << Baseline(plan.m_nUnitY) << "\" text-anchor=\"end\">" << XmlEscape(plan.m_strUnit)
        << "</text>\n";
    svg << "<text class=\"statistics\" x=\"" << plot.m_nRight << "\" y=\""
        << Baseline(plan.m_nUnitY) << "\" text-anchor=\"end\">"
        << XmlEscape(plan.m_strStatistics) << "</text>\n";

    svg << "<g class=\"grid\" stroke=\"#e0e0e0\" stroke-width=\"1\">\n";
    for (const series::CAxisTick& tick : plan.m_vecValueTicks) {
        svg << "<line x1=\"" << plot.m_nLeft << "\" y1=\"" << tick.m_nPosition << ".5\" x2=\""
            << plot.m_nRight << "\" y2=\"" << tick.m_nPosition << ".5\"/>\n";
    }
    for (const series::CAxisTick& tick : plan.m_vecTimeTicks) {
        svg << "<line x1=\"" << tick.m_nPosition << ".5\" y1=\"" << plot.m_nTop << "\" x2=\""
            << tick.m_nPosition << ".5\" y2=\"" << plot.m_nBottom << "\"/>\n";
    }
    svg << "</g>\n";
    svg << "<rect class=\"plot\" x=\"" << plot.m_nLeft << ".5\" y=\"" << plot.m_nTop
        << ".5\" width=\"" << plot.Width() - 1 << "\" height=\"" << plot.Height() - 1
        << "\" fill=\"none\" stroke=\"#000000\"/>\n";

    svg << "<g class=\"value-labels\" text-anchor=\"end\">\n";
    for (const series::CAxisTick& tick : plan.m_vecValueTicks) {
        svg << "<text x=\"" << plot.m_nLeft - kTickLength - 2 << "\" y=\""
            << tick.m_nPosition + kFontSize / 2 - 2 << "\">" << XmlEscape(tick.m_strLabel)
            << "</text>\n";
    }
    svg << "</g>\n<g class=\"time-labels\" text-anchor=\"middle\">\n";
    for (const series::CAxisTick& tick : plan.m_vecTimeTicks) {
        const int nTop = plot.m_nBottom + kTickLength + 2;
        svg << "<text x=\"" << tick.m_nPosition << "\" y=\"" << Baseline(nTop) << "\">"
            << XmlEscape(tick.m_strLabel) << "</text>\n";
        if (!tick.m_strDate.empty()) {
            svg << "<text x=\"" << tick.m_nPosition << "\" y=\"" << Baseline(nTop + kLineHeight)
                << "\">" << XmlEscape(tick.m_strDate) << "</text>\n";
        }
    }
    svg << "</g>\n";

    svg << "<g class=\"line\" fill=\"none\" stroke=\"" << kLineColour
        << "\" stroke-width=\"1.5\" stroke-linejoin=\"round\">\n";
    for (const std::vector<series::CChartPoint>& piece : plan.m_vecLines) {
        if (piece.size() == 1) {
            svg << "<circle cx=\"" << piece[0].m_nX << "\" cy=\"" << piece[0].m_nY
                << "\" r=\"1.5\" fill=\"" << kLineColour << "\" stroke=\"none\"/>\n";
            continue;
        }
        svg << "<polyline points=\"";
        for (std::size_t i = 0; i < piece.size(); ++i) {
            svg << (i > 0 ? " " : "") << piece[i].m_nX << ',' << piece[i].m_nY;
        }
        svg << "\"/>\n";
    }
    svg << "</g>\n</svg>\n";
    return svg.str();
}
