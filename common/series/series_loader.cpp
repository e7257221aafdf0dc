// The request's files, one after the other, through the sample reader into the series builder.
#include "series/series_loader.h"

#include <algorithm>
#include <limits>

#include "datafile/data_file_header.h"
#include "datafile/data_file_reader.h"
#include "platform/data_file_io.h"
#include "series/series_builder.h"

namespace series {
namespace {

// Reads through whole files in pieces of this size.
constexpr std::size_t kReadSize = 1u << 20;
// The observer hears about progress at least this often (in bytes of a file).
constexpr std::uint64_t kReportBytes = 1u << 20;

std::uint64_t SizeOf(const std::string& strPath) {
    platform::InputFile file;
    std::uint64_t nBytes = 0;
    if (file.Open(strPath) == platform::kSuccess) file.Size(nBytes);
    return nBytes;
}

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

}  // namespace

CLoadResult LoadSeries(const std::vector<std::string>& vecPaths, const CCounterChoice& choice,
                       const LoadObserver& observer) {
    CLoadResult result;
    CSeriesBuilder builder(choice);

    CLoadProgress progress;
    progress.m_nFiles = vecPaths.size();
    std::vector<std::uint64_t> vecSizes;
    for (const std::string& strPath : vecPaths) {
        vecSizes.push_back(SizeOf(strPath));
        progress.m_nBytesTotal += vecSizes.back();
    }
    const auto report = [&]() { return !observer || observer(progress); };

    std::uint64_t nBytesBefore = 0;  // of the files before the current one
    for (std::size_t i = 0; i < vecPaths.size(); ++i) {
        progress.m_nFile = i;
        progress.m_nBytesDone = nBytesBefore;
        if (!report()) {
            result.m_eError = ELoadError::kCancelled;
            return result;
        }
        const std::string& strPath = vecPaths[i];
        CDataFileReader reader;
        reader.SetReadSize(kReadSize);
        const platform::ErrorCode nOpen = reader.Open(strPath);
        if (nOpen != platform::kSuccess) {
            result.m_vecProblems.push_back(
                {strPath,
                 nOpen == platform::kErrorInvalidData ? EFileProblem::kNotDataFile
                                                      : EFileProblem::kOpenFailed,
                 nOpen});
            nBytesBefore += vecSizes[i];
            continue;
        }
        if (result.m_nFiles++ == 0) result.m_strHost = reader.Header().m_strHost;
        builder.BeginFile(reader.Header().m_strHost, reader.CounterNames());

        std::uint64_t nReported = 0;
        platform::Time tSample = 0;
        perf::PerfBytes block;
        for (;;) {
            const ESampleRead eRead = reader.NextView(tSample, block);
            if (eRead == ESampleRead::kSample) {
                builder.AddSample(tSample, block);
                const std::uint64_t nOffset = reader.Offset();
                if (nOffset - nReported >= kReportBytes) {
                    nReported = nOffset;
                    progress.m_nBytesDone = nBytesBefore + nOffset;
                    progress.m_nSamples = builder.SampleCount();
                    if (!report()) {
                        result.m_eError = ELoadError::kCancelled;
                        return result;
                    }
                }
                continue;
            }
            if (eRead == ESampleRead::kDamaged) {
                result.m_vecProblems.push_back({strPath, EFileProblem::kDamaged, 0});
            } else if (eRead == ESampleRead::kReadError) {
                result.m_vecProblems.push_back(
                    {strPath, EFileProblem::kReadFailed, reader.ReadError()});
            }
            break;  // kEnd, kIncomplete (the last record is not whole yet), or a problem
        }
        nBytesBefore += vecSizes[i];
    }
    progress.m_nFile = vecPaths.size();
    progress.m_nBytesDone = progress.m_nBytesTotal;
    progress.m_nSamples = builder.SampleCount();
    if (!report()) {
        result.m_eError = ELoadError::kCancelled;
        return result;
    }

    result.m_nSamples = builder.SampleCount();
    result.m_nSkipped = builder.SkippedCount();
    result.m_nCounterType = builder.UnsupportedType();
    result.m_eError = Verdict(result, builder, vecPaths.size());
    result.m_series = builder.TakeSeries();
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
