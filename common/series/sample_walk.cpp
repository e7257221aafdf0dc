// The request's files, one after the other, through the sample reader into a sink.
#include "series/sample_walk.h"

#include "datafile/data_file_reader.h"
#include "platform/data_file_io.h"

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

}  // namespace

CWalkResult WalkSamples(const std::vector<std::string>& vecPaths, ISampleSink& sink,
                        const LoadObserver& observer) {
    CWalkResult result;
    CLoadProgress progress;
    progress.m_nFiles = vecPaths.size();
    std::vector<std::uint64_t> vecSizes;
    for (const std::string& strPath : vecPaths) {
        vecSizes.push_back(SizeOf(strPath));
        progress.m_nBytesTotal += vecSizes.back();
    }
    const auto report = [&]() {
        progress.m_nSamples = result.m_nSamples;
        if (!observer || observer(progress)) return true;
        result.m_bCancelled = true;
        return false;
    };

    std::uint64_t nBytesBefore = 0;  // of the files before the current one
    for (std::size_t i = 0; i < vecPaths.size(); ++i) {
        progress.m_nFile = i;
        progress.m_nBytesDone = nBytesBefore;
        if (!report()) return result;
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
        sink.BeginFile(reader.Header(), reader.CounterNames());

        std::uint64_t nReported = 0;
        platform::Time tSample = 0;
        perf::PerfBytes block;
        for (;;) {
            const ESampleRead eRead = reader.NextView(tSample, block);
            if (eRead == ESampleRead::kSample) {
                ++result.m_nSamples;
                sink.AddSample(tSample, block);
                const std::uint64_t nOffset = reader.Offset();
                if (nOffset - nReported >= kReportBytes) {
                    nReported = nOffset;
                    progress.m_nBytesDone = nBytesBefore + nOffset;
                    if (!report()) return result;
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
    report();
    return result;
}

}  // namespace series
