// Reads a data file for the programs that use its samples: header, name table, sample records.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "datafile/counter_name_map.h"
#include "datafile/data_file_header.h"
#include "datafile/data_file_input.h"
#include "perf/perf_block.h"
#include "platform/clock.h"
#include "platform/error_codes.h"

// One sample record: when it was taken and the performance data block as the host returned it.
struct CDataSample {
    platform::Time m_tSample = 0;
    std::vector<std::uint8_t> m_vecBlock;
};

enum class ESampleRead {
    kSample,      // the sample holds the next record
    kEnd,         // the file ends right after the previous record
    kIncomplete,  // the file ends inside this record (still being written, or cut short)
    kDamaged,     // the bytes here are not a sample record; nothing after them is read
    kReadError,   // the file could not be read; ReadError() has the platform's code
};

// Walks a data file front to back. The samples are the records after the counter-name table; a
// reader stops at the first record that is incomplete or damaged. A file still being written
// may have grown when Next is called again after kEnd or kIncomplete: the walk then goes on
// from the same record.
class CDataFileReader {
public:
    // Opens the file and reads its header and counter-name table. kSuccess; the platform's code
    // when the file cannot be opened or read; kErrorInvalidData when it is not a data file or
    // its header or table is damaged or incomplete.
    platform::ErrorCode Open(const std::string& strPath);
    // The same for a file's bytes from a source other than a file (see CDataFileInput::Source).
    platform::ErrorCode Open(datafile::CDataFileInput::Source fnSource);
    void Close();

    const CDataFileHeader& Header() const { return m_header; }
    const CCounterNameMap& CounterNames() const { return m_names; }

    // Reads the next sample record into sample (its block buffer is reused between calls).
    ESampleRead Next(CDataSample& sample);
    // The same without a copy: on kSample, block views the record's bytes inside the reader,
    // valid until the next call of Next, NextView, Open or Close.
    ESampleRead NextView(platform::Time& tSample, perf::PerfBytes& block);
    platform::ErrorCode ReadError() const { return m_input.Error(); }

    // How far the walk has come: the file offset after the last record handed out, and the
    // file's size now.
    std::uint64_t Offset() const { return m_input.Offset() + m_nHandedOut; }
    std::uint64_t FileSize() const { return m_input.FileSize(); }
    // Reads the file in pieces of at least nBytes (up to 1 MiB) from the next read on; for
    // walks through whole files.
    void SetReadSize(std::size_t nBytes) { m_input.SetReadSize(nBytes); }

private:
    // Reads the header and the counter-name table from the opened input.
    platform::ErrorCode ReadFront();
    bool ReadCounterNames();

    datafile::CDataFileInput m_input;
    CDataFileHeader m_header;
    CCounterNameMap m_names;
    bool m_bOpen = false;
    bool m_bDamaged = false;
    std::size_t m_nHandedOut = 0;  // bytes of the record NextView handed out, consumed next time
};
