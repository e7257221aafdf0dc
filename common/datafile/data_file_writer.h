// Writes one data file of a collection job: free name, header, samples, finished as .var.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "archive_stream.h"
#include "datafile/counter_name_map.h"
#include "datafile/data_file_format.h"
#include "datafile/data_file_header.h"
#include "perf/perf_block.h"
#include "platform/clock.h"
#include "platform/data_file_io.h"

// Bytes go through a buffer of kBufferSize bytes; the header is flushed as soon as it is
// written, samples when the owner calls Flush. The first failure of the file layer sticks: every
// later write, Flush and Finish return it, and the file is never renamed after it, so a damaged
// file keeps its ".va_" name. Times come from the caller; the writer never reads a clock.
class CDataFileWriter {
public:
    // How the file is created: platform::CreateNewOutputFile, or a stand-in in tests.
    using FileCreator = std::function<platform::ErrorCode(
        const std::string& strPath, std::unique_ptr<platform::IOutputFile>& pFile)>;

    CDataFileWriter();
    explicit CDataFileWriter(FileCreator fnCreate);
    // A file still open is flushed and closed, not renamed.
    ~CDataFileWriter();
    CDataFileWriter(const CDataFileWriter&) = delete;
    CDataFileWriter& operator=(const CDataFileWriter&) = delete;

    // Creates the file for writing (others may read it, not write it) as B + ".va_", or B(1).va_,
    // B(2).va_, ... when that exists, B being datafile::BaseName of the arguments. A file still
    // open from before is closed first without renaming. Path() is the chosen path.
    platform::ErrorCode Create(const std::string& strDataDir, const std::string& strHost,
                               int nSchedule, platform::Time tStart);
    // Writes the header (tag "VARNOLE1", version 130, the fields of header, the counter-name
    // table) and flushes it.
    platform::ErrorCode WriteHeader(const CDataFileHeader& header, const CCounterNameMap& names);
    // Appends one sample record: the time, L, the block's bytes and the end mark, the bytes
    // being perf::BlockBytes of the reply (its first TotalByteLength bytes, or the whole buffer
    // when the block claims more than the buffer holds). A reply that BlockBytes does not take
    // for a block, or one larger than kMaxSampleBytes, is refused with kErrorInvalidParameter
    // and nothing is written: callers decide with BlockBytes before they write.
    platform::ErrorCode WriteSample(platform::Time tSample, perf::PerfBytes block);
    // Hands the buffered bytes to the file.
    platform::ErrorCode Flush();
    // Flushes, closes and renames the file to its ".var" name (datafile::RenameToFinished).
    // After a failure the file is closed and keeps its ".va_" name, and the failure's code is
    // returned; kErrorFileNotFound when the file has vanished meanwhile.
    platform::ErrorCode Finish();
    // Flushes unless a write has failed, and closes the file without renaming it.
    platform::ErrorCode Close();

    bool IsOpen() const { return m_pFile != nullptr; }
    // The ".va_" path chosen by Create.
    const std::string& Path() const { return m_strPath; }
    // The ".var" path after a successful Finish, empty before.
    const std::string& FinishedPath() const { return m_strFinishedPath; }
    // The first failure since Create, kSuccess while there was none.
    platform::ErrorCode Error() const { return m_nError; }

private:
    // Adds bytes through the buffer; writes large pieces directly after the buffered bytes.
    platform::ErrorCode Put(const void* pData, std::size_t nSize);
    platform::ErrorCode Put(const std::string& strBytes) {
        return Put(strBytes.data(), strBytes.size());
    }
    platform::ErrorCode WriteOut(const void* pData, std::size_t nSize);

    FileCreator m_fnCreate;
    std::unique_ptr<platform::IOutputFile> m_pFile;
    std::array<std::uint8_t, datafile::kBufferSize> m_arrBuffer{};
    std::size_t m_nBuffered = 0;
    CArchiveWriter m_archive;  // encodes the header and the small parts of sample records
    std::string m_strPath;
    std::string m_strFinishedPath;
    platform::ErrorCode m_nError = platform::kSuccess;
};
