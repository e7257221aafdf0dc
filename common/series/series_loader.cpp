// The request's files, walked one after the other, into the series builder.
#include "series/series_loader.h"

#include <algorithm>
#include <limits>

#include "datafile/data_file_header.h"
#include "series/series_builder.h"

namespace series {
namespace {

ELoadError Verdict(const CLoadResult& result, const CSeriesBuilder& builder,
                   std::size_t nPaths) {
    if (nPaths == 0) return ELoadError::kNoFiles;
    if (result.m_nFiles == 0) return ELoadError::kNoUsableFile;
    if (result.m_nSamples == 0) return ELoadError::kNoSamples;
    if (!builder.CounterSeen()) return ELoadError::kCounterMissing;
    if (builder.Series().ValueCount() == 0) {
        return builder.UnsupportedType() != 0 ? ELoadError::kUnsupportedType
                                              : ELoadError::kNoValues;
    }
    return ELoadError::kNone;
}

// Hands the walk's samples to the series builder.
class CBuilderSink final : public ISampleSink {
public:
    explicit CBuilderSink(const CCounterChoice& choice) : m_builder(choice) {}
    void BeginFile(const CDataFileHeader& header, const CCounterNameMap& names) override {
        m_builder.BeginFile(header.m_strHost, names);
    }
    void AddSample(platform::Time tSample, perf::PerfBytes block) override {
        m_builder.AddSample(tSample, block);
    }
    CSeriesBuilder m_builder;
};

}  // namespace

CLoadResult LoadSeries(const std::vector<std::string>& vecPaths, const CCounterChoice& choice,
                       const LoadObserver& observer) {
    CBuilderSink sink(choice);
    CWalkResult walk = WalkSamples(vecPaths, sink, observer);
    CLoadResult result;
    result.m_strHost = std::move(walk.m_strHost);
    result.m_nFiles = walk.m_nFiles;
    result.m_vecProblems = std::move(walk.m_vecProblems);
    if (walk.m_bCancelled) {
        result.m_eError = ELoadError::kCancelled;
        return result;
    }
    const CSeriesBuilder& builder = sink.m_builder;
    result.m_nSamples = builder.SampleCount();
    result.m_nSkipped = builder.SkippedCount();
    result.m_nCounterType = builder.UnsupportedType();
    result.m_eError = Verdict(result, builder, vecPaths.size());
    result.m_series = sink.m_builder.TakeSeries();
    return result;
}

std::vector<std::string> OrderedByStart(const std::vector<std::string>& vecPaths) {
    struct SKeyed {
        platform::Time tStart;
        std::uint32_t nBranch;
        std::string strPath;
    };
    std::vector<SKeyed> vecKeyed;
    for (const std::string& strPath : vecPaths) {
        CDataFileHeader header;
        if (header.Read(strPath)) {
            vecKeyed.push_back({header.m_tStart, header.m_nBranch, strPath});
        } else {
            vecKeyed.push_back(
                {std::numeric_limits<platform::Time>::max(), 0, strPath});
        }
    }
    std::stable_sort(vecKeyed.begin(), vecKeyed.end(), [](const SKeyed& a, const SKeyed& b) {
        return a.tStart != b.tStart ? a.tStart < b.tStart : a.nBranch < b.nBranch;
    });
    std::vector<std::string> vecOrdered;
    for (SKeyed& keyed : vecKeyed) vecOrdered.push_back(std::move(keyed.strPath));
    return vecOrdered;
}

}  // namespace series
