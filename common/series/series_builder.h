// Builds one counter's series from the samples of a request's data files, in order.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "datafile/counter_name_map.h"
#include "perf/perf_block.h"
#include "platform/clock.h"
#include "series/counter_choice.h"
#include "series/counter_tracker.h"
#include "series/series.h"

namespace series {

// Every sample becomes one point: the counter's value, or a gap when none can be given — the
// first sample (a rate needs two), a counter that went back (restarted), a time base that stood
// still or went back, a block without the object, instance or counter, a counter type without
// a formula. For a sum over instances, the instances are matched by name from one sample to the
// next; an instance that is new in this sample adds nothing yet, and a restart of any of them
// makes the whole sample a gap. A sample stamped earlier than one already taken (the collecting
// computer's clock was set back) is left out.
class CSeriesBuilder {
public:
    explicit CSeriesBuilder(const CCounterChoice& choice);

    // The samples that follow come from a file of this host with this counter-name table. The
    // split pieces of one run continue each other: the last sample of the previous file stays
    // the base of the next rate when the host is the same.
    void BeginFile(std::string_view strHost, const CCounterNameMap& names);
    void AddSample(platform::Time tSample, perf::PerfBytes block);

    const CSeries& Series() const { return m_series; }
    CSeries TakeSeries() { return std::move(m_series); }
    void Reserve(std::size_t nPoints) { m_series.Reserve(nPoints); }

    // Samples read, including gaps and those left out.
    std::size_t SampleCount() const { return m_nSamples; }
    // Samples left out because their time went back.
    std::size_t SkippedCount() const { return m_nSkipped; }
    // True once a block held the object and the counter.
    bool CounterSeen() const { return m_tracker.CounterSeen(); }
    // The counter type of a sample that had no formula, 0 while there was none.
    std::uint32_t UnsupportedType() const { return m_tracker.UnsupportedType(); }

private:
    CCounterTracker m_tracker;
    bool m_bHaveTime = false;
    platform::Time m_tLast = 0;
    CSeries m_series;
    std::size_t m_nSamples = 0;
    std::size_t m_nSkipped = 0;
};

}  // namespace series
