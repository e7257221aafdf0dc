// The collection job's recording: data files with split deadline and flush countdown, the
// shortened waits, the failure count with its one reconnection, and the final close.
#include <algorithm>
#include <memory>

#include "datafile/data_file_format.h"
#include "datafile/data_file_header.h"
#include "datafile/data_file_writer.h"
#include "hosts/host_connection.h"
#include "hosts/perf_query.h"
#include "job/job_texts.h"
#include "job/job_worker.h"
#include "perf/perf_block.h"

namespace {

constexpr std::int32_t kFlushPeriodMs = 60'000;
constexpr platform::Time kNoSplitSeconds = 365 * 24 * 60 * 60;

// Samples between flushes: about one flush a minute. nInterval is already in range, so this is
// at least 1 (every sample once the interval reaches a minute).
std::int32_t FlushCountdown(std::int32_t nInterval) {
    return std::max(kFlushPeriodMs / nInterval, 1);
}

// Every reply the request can return fits a sample record, so a block is never refused by the
// file layer for its size.
static_assert(kPerfBufferCapBytes <= datafile::kMaxSampleBytes);

}  // namespace

std::uint32_t CJobWorker::Record() {
    if (m_job.m_tRunEnd < m_tNow) {
        return CloseKeys() ? kJobExitInOrder : kJobExitFailed;
    }

    const std::int32_t nInterval = m_nInterval;
    const platform::Time tsSpan =
        m_job.m_nSplitUnit != 0 ? m_job.m_nSplitUnit / 1000 : kNoSplitSeconds;
    std::int32_t nFlushCountdown = FlushCountdown(nInterval);
    int nFailures = 0;
    platform::Time tSplitDeadline = 0;

    CDataFileWriter writer =
        m_context.m_fnCreateFile ? CDataFileWriter(m_context.m_fnCreateFile) : CDataFileWriter();
    // Every failure of the file layer ends here: the file is closed as it is and keeps its
    // ".va_" name, the keys are given up and the job ends keeping its state.
    auto fileFailure = [&](platform::ErrorCode nCode) {
        const std::string strMessage = FileErrorText(writer.Path(), nCode);
        m_job.SetMessage(strMessage);
        LogError(kFileLayerErrorCode, strMessage);
        writer.Close();
        CloseHost(m_access, m_hCounterKey, m_hMachine);
        m_hCounterKey = platform::kNoHostKey;
        m_hMachine = platform::kNoHostKey;
        return kJobExitFailed;
    };
    // Finishes the open file; a ".va_" file that has vanished is not renamed and not an error.
    auto finishFile = [&]() -> platform::ErrorCode {
        const platform::ErrorCode nCode = writer.Finish();
        return nCode == platform::kErrorFileNotFound ? platform::kSuccess : nCode;
    };

    for (;;) {
        if (m_tNow >= m_job.m_tRunEnd) {
            break;
        }
        // The request comes before the file work, and the sample keeps the moment its reply
        // arrived: creating a file (at the start of the run and at each split, when hundreds of
        // jobs create theirs in the same second) never delays a sample.
        const platform::ErrorCode nRequest = m_query.Request(m_access, m_hCounterKey);
        const platform::Time tSample = m_clock.Now();
        if (!writer.IsOpen() || m_tNow >= tSplitDeadline) {
            tSplitDeadline = m_tNow + tsSpan;
            if (writer.IsOpen()) {
                if (const platform::ErrorCode nCode = finishFile(); nCode != platform::kSuccess) {
                    return fileFailure(nCode);
                }
            }
            platform::ErrorCode nCode =
                writer.Create(m_job.m_strDataDir, m_job.m_strHost, m_job.m_nSchedule, m_tNow);
            if (nCode == platform::kSuccess) {
                CDataFileHeader header;
                header.m_strOsInfo = m_job.m_strOsInfo;
                header.m_strCpuInfo = m_job.m_strCpuInfo;
                header.m_strGroup = m_job.m_strGroup;
                header.m_strExecId = m_job.m_strExecId;
                header.m_nBranch = static_cast<std::uint32_t>(m_job.m_nBranch);
                header.m_strHost = m_job.m_strHost;
                header.m_strComment = m_job.m_strComment;
                header.m_tStart = m_tNow;
                header.m_nCpuThreshold = m_job.m_nCpuThreshold;
                header.m_nMemThreshold = m_job.m_nMemThreshold;
                header.m_nDiskThreshold = m_job.m_nDiskThreshold;
                nCode = writer.WriteHeader(header, m_names);
            }
            if (nCode == platform::kSuccess) {
                ++m_job.m_nBranch;
                nCode = writer.Flush();
            }
            if (nCode != platform::kSuccess) {
                return fileFailure(nCode);
            }
        }

        bool bReconnectCheck = false;
        {
            if (nRequest != platform::kSuccess) {
                const std::string strMessage =
                    JobErrorMessage(m_job.m_nSchedule, m_job.m_strHost, nRequest);
                m_job.SetMessage(strMessage);
                LogError(static_cast<std::int32_t>(nRequest), strMessage);
                ++nFailures;
                bReconnectCheck = true;
            } else if (const perf::PerfBytes block = perf::BlockBytes(m_query.Block());
                       block.empty()) {
                // An invalid reply of the host (no signature, or too short to be a block):
                // reconnect, not counted as a failure.
                bReconnectCheck = true;
            } else {
                platform::ErrorCode nWrite = writer.WriteSample(tSample, block);
                if (nWrite == platform::kSuccess) {
                    if (nInterval > kFlushPeriodMs) {
                        nWrite = writer.Flush();
                    } else if (--nFlushCountdown <= 0) {
                        nWrite = writer.Flush();
                        nFlushCountdown = FlushCountdown(nInterval);
                    }
                }
                if (nWrite != platform::kSuccess) {
                    return fileFailure(nWrite);
                }
            }
        }

        if (bReconnectCheck) {
            if (nFailures > 1) {
                break;
            }
            Reconnect(nFailures);
        }

        // Shortened by the millisecond part of the clock, so samples stay near whole seconds.
        if (WaitForStop(static_cast<std::int64_t>(nInterval) - m_clock.UtcMillisecond())) {
            break;
        }
        m_tNow = m_clock.Now();
    }

    m_job.SetJobState(kJobStateClosing);
    if (writer.IsOpen()) {
        if (const platform::ErrorCode nCode = finishFile(); nCode != platform::kSuccess) {
            return fileFailure(nCode);
        }
    }
    return CloseKeys() ? kJobExitInOrder : kJobExitFailed;
}
