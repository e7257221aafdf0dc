// Samples to points: the counter tracker's value of each sample, samples out of time order left
// out.
#include "series/series_builder.h"

namespace series {

CSeriesBuilder::CSeriesBuilder(const CCounterChoice& choice) : m_tracker(choice) {}

void CSeriesBuilder::BeginFile(std::string_view strHost, const CCounterNameMap& names) {
    m_tracker.BeginFile(strHost, names);
}

void CSeriesBuilder::AddSample(platform::Time tSample, perf::PerfBytes block) {
    ++m_nSamples;
    if (m_bHaveTime && tSample < m_tLast) {
        ++m_nSkipped;
        return;
    }
    m_bHaveTime = true;
    m_tLast = tSample;

    m_tracker.AddSample(block);
    if (m_tracker.HasValue()) {
        m_series.AddValue(tSample, m_tracker.Value());
    } else {
        m_series.AddGap(tSample);
    }
}

}  // namespace series
