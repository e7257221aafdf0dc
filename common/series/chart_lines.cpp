// Min/max reduction of a series into pixel columns, with the line broken at gaps and holes.
#include "series/chart_lines.h"

#include <algorithm>
#include <cmath>

namespace series {
namespace {

// One pixel column of the piece being built: its highest and lowest point (rows grow
// downwards, so the highest point has the smallest row) and which of them came first.
class CColumn {
public:
    void Start(int nX, int nY) {
        m_nX = nX;
        m_nTop = m_nBottom = nY;
        m_bTopFirst = true;
        m_bOpen = true;
    }
    bool IsOpen() const { return m_bOpen; }
    int X() const { return m_nX; }
    void Add(int nY) {
        if (nY < m_nTop) {
            m_nTop = nY;
            m_bTopFirst = false;
        } else if (nY > m_nBottom) {
            m_nBottom = nY;
            m_bTopFirst = true;
        }
    }
    void Flush(std::vector<CChartPoint>& vecPiece) {
        if (!m_bOpen) return;
        m_bOpen = false;
        if (m_nTop == m_nBottom) {
            vecPiece.push_back({m_nX, m_nTop});
            return;
        }
        vecPiece.push_back({m_nX, m_bTopFirst ? m_nTop : m_nBottom});
        vecPiece.push_back({m_nX, m_bTopFirst ? m_nBottom : m_nTop});
    }

private:
    int m_nX = 0;
    int m_nTop = 0;
    int m_nBottom = 0;
    bool m_bTopFirst = true;
    bool m_bOpen = false;
};

}  // namespace

platform::Time MaxJoinedStep(platform::Time tsTypical) {
    if (tsTypical <= 0) return 0;
    return std::max<platform::Time>(3 * tsTypical, tsTypical + 5);
}

std::vector<std::vector<CChartPoint>> ReduceToLines(const CSeries& series,
                                                    const CLineScale& scale) {
    std::vector<std::vector<CChartPoint>> vecLines;
    const CChartRect& plot = scale.m_plot;
    const double dTimeSpan = static_cast<double>(scale.m_tLast - scale.m_tFirst);
    const double dValueSpan = scale.m_dHigh - scale.m_dLow;
    const double dColumns = plot.Width() - 1;
    const double dRows = plot.Height() - 1;
    const auto columnOf = [&](platform::Time t) {
        if (dTimeSpan <= 0) return plot.m_nLeft + plot.Width() / 2;
        const double dX = static_cast<double>(t - scale.m_tFirst) / dTimeSpan * dColumns;
        return plot.m_nLeft + static_cast<int>(std::clamp(std::floor(dX + 0.5), 0.0, dColumns));
    };
    const auto rowOf = [&](double dValue) {
        const double dY = dValueSpan > 0 ? (dValue - scale.m_dLow) / dValueSpan * dRows : 0;
        return plot.m_nBottom - static_cast<int>(std::clamp(std::floor(dY + 0.5), 0.0, dRows));
    };

    std::vector<CChartPoint> vecPiece;
    CColumn column;
    const auto endPiece = [&]() {
        column.Flush(vecPiece);
        if (!vecPiece.empty()) vecLines.push_back(std::move(vecPiece));
        vecPiece.clear();
    };
    bool bHaveLast = false;
    platform::Time tLast = 0;
    for (const CSeriesPoint& point : series.Points()) {
        if (point.IsGap()) {
            endPiece();
            bHaveLast = false;
            continue;
        }
        if (bHaveLast && scale.m_tsMaxStep > 0 && point.m_tTime - tLast > scale.m_tsMaxStep) {
            endPiece();
        }
        bHaveLast = true;
        tLast = point.m_tTime;
        const int nX = columnOf(point.m_tTime);
        const int nY = rowOf(point.m_dValue);
        if (column.IsOpen() && column.X() == nX) {
            column.Add(nY);
        } else {
            column.Flush(vecPiece);
            column.Start(nX, nY);
        }
    }
    endPiece();
    return vecLines;
}

}  // namespace series
