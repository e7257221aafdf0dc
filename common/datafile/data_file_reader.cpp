// The sample reader: checks each record's length, signature and end mark before handing it out.
#include "datafile/data_file_reader.h"

#include <algorithm>
#include <utility>

#include "datafile/data_file_format.h"
#include "perf/perf_block.h"

namespace {

// Sample time and block length.
constexpr std::size_t kRecordPrefix = 8;
// The end mark as stored: its one-byte length and its three letters.
constexpr std::size_t kEndMarkBytes = 1 + datafile::kEndMark.size();

}  // namespace

platform::ErrorCode CDataFileReader::Open(const std::string& strPath) {
    Close();
    const platform::ErrorCode nCode = m_input.Open(strPath);
    if (nCode != platform::kSuccess) return nCode;
    return ReadFront();
}

platform::ErrorCode CDataFileReader::Open(datafile::CDataFileInput::Source fnSource) {
    Close();
    m_input.Open(std::move(fnSource));
    return ReadFront();
}

platform::ErrorCode CDataFileReader::ReadFront() {
    if (!m_header.Read(m_input) || !ReadCounterNames()) {
        const platform::ErrorCode nError = m_input.Error();
        Close();
        return nError != platform::kSuccess ? nError : platform::kErrorInvalidData;
    }
    m_bOpen = true;
    return platform::kSuccess;
}

void CDataFileReader::Close() {
    m_input.Close();
    m_header = CDataFileHeader();
    m_names.clear();
    m_bOpen = false;
    m_bDamaged = false;
    m_nHandedOut = 0;
}

bool CDataFileReader::ReadCounterNames() {
    std::uint32_t nStrings = 0;
    if (m_input.Decode([&](CArchiveReader& reader) { nStrings = reader.ReadUInt32(); }, 4) !=
        datafile::EDecode::kOk) {
        return false;
    }
    // The table is written as pairs; an odd or absurd count means the file is damaged.
    if (nStrings % 2 != 0 || nStrings > datafile::kMaxCounterNameStrings) return false;
    std::string strIndex;
    std::string strName;
    for (std::uint32_t i = 0; i < nStrings / 2; ++i) {
        if (!datafile::ReadText(m_input, strIndex) || !datafile::ReadText(m_input, strName)) {
            return false;
        }
        m_names[strIndex] = strName;  // a later pair with the same index replaces the earlier
    }
    return true;
}

ESampleRead CDataFileReader::Next(CDataSample& sample) {
    platform::Time tSample = 0;
    perf::PerfBytes block;
    const ESampleRead eRead = NextView(tSample, block);
    if (eRead == ESampleRead::kSample) {
        sample.m_tSample = tSample;
        sample.m_vecBlock.assign(block.begin(), block.end());
    }
    return eRead;
}

ESampleRead CDataFileReader::NextView(platform::Time& tSample, perf::PerfBytes& block) {
    if (!m_bOpen) return ESampleRead::kReadError;
    m_input.Consume(m_nHandedOut);
    m_nHandedOut = 0;
    if (m_bDamaged) return ESampleRead::kDamaged;

    if (!m_input.Fill(kRecordPrefix)) {
        if (m_input.Error() != platform::kSuccess) return ESampleRead::kReadError;
        return m_input.Window().empty() ? ESampleRead::kEnd : ESampleRead::kIncomplete;
    }
    const std::span<const std::uint8_t> prefix = m_input.Window();
    CArchiveReader header(prefix.data(), kRecordPrefix);
    const platform::Time tRecord = header.ReadTime();
    const std::uint32_t nLength = header.ReadUInt32();
    if (nLength < 8 || nLength > datafile::kMaxSampleBytes) {
        m_bDamaged = true;
        return ESampleRead::kDamaged;
    }

    // The window grows only as far as the file really has bytes, so a length beyond the end of
    // the file costs no more memory than the file holds.
    const std::size_t nRecord = kRecordPrefix + nLength + kEndMarkBytes;
    if (!m_input.Fill(nRecord)) {
        if (m_input.Error() != platform::kSuccess) return ESampleRead::kReadError;
        return ESampleRead::kIncomplete;
    }
    const std::span<const std::uint8_t> record = m_input.Window().first(nRecord);
    const std::span<const std::uint8_t> bytes = record.subspan(kRecordPrefix, nLength);
    CArchiveReader end(record.data() + kRecordPrefix + nLength, kEndMarkBytes);
    if (!perf::IsPerfDataBlock(bytes) || end.ReadRawString() != datafile::kEndMark ||
        !end.AtEnd()) {
        m_bDamaged = true;
        return ESampleRead::kDamaged;
    }
    tSample = tRecord;
    block = bytes;
    m_nHandedOut = nRecord;
    return ESampleRead::kSample;
}
