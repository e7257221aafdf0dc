// libFuzzer target of the data file readers: the header reader, and the sample reader walking a
// file delivered whole, and again in small pieces while the file grows.
//
// Input: byte 0 is the size of the pieces the second walk receives (0: as much as it asks for),
// byte 1 how much of the file exists when the second walk opens it (byte 1 / 256 of the file;
// the rest appears once that walk has reached the end of what exists). The rest is the file.
// Beyond not crashing, not reading past the bytes and not allocating beyond the readers' limits,
// every input must satisfy:
// - the sample reader opens only files whose header the header reader accepts, with its fields;
// - no sample is longer than the record limit, and the samples together fit in the file;
// - walking the growing file in pieces gives exactly the walk over the whole file: the same
//   header, names, samples and verdict at the end.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "datafile/data_file_format.h"
#include "datafile/data_file_header.h"
#include "datafile/data_file_input.h"
#include "datafile/data_file_reader.h"
#include "fuzz_check.h"

namespace {

// Delivers the file's bytes as a file being written would: only the part that exists so far,
// and at most nPiece bytes per read.
class CGrowingFile {
public:
    CGrowingFile(std::span<const std::uint8_t> bytes, std::size_t nExisting, std::size_t nPiece)
        : m_bytes(bytes), m_nExisting(nExisting), m_nPiece(nPiece) {}

    datafile::CDataFileInput::Source Source() {
        return [this](void* pBuffer, std::size_t nSize, std::size_t& nRead) {
            nRead = std::min({nSize, m_nPiece, m_nExisting - m_nPos});
            if (nRead > 0) std::memcpy(pBuffer, m_bytes.data() + m_nPos, nRead);
            m_nPos += nRead;
            return platform::kSuccess;
        };
    }
    void GrowToTheEnd() { m_nExisting = m_bytes.size(); }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_nExisting;
    std::size_t m_nPiece;
    std::size_t m_nPos = 0;
};

// What a walk found.
struct CWalk {
    platform::ErrorCode m_nOpen = platform::kSuccess;
    CDataFileHeader m_header;
    CCounterNameMap m_names;
    std::vector<CDataSample> m_vecSamples;
    ESampleRead m_eEnd = ESampleRead::kEnd;
};

// Reads samples until the reader reports something other than a sample.
ESampleRead ReadSamples(CDataFileReader& reader, std::vector<CDataSample>& samples) {
    for (;;) {
        CDataSample sample;
        const ESampleRead eRead = reader.Next(sample);
        if (eRead != ESampleRead::kSample) return eRead;
        samples.push_back(std::move(sample));
    }
}

bool SameHeader(const CDataFileHeader& a, const CDataFileHeader& b) {
    return a.m_strTag == b.m_strTag && a.m_nVersion == b.m_nVersion &&
           a.m_strOsInfo == b.m_strOsInfo && a.m_strCpuInfo == b.m_strCpuInfo &&
           a.m_strGroup == b.m_strGroup && a.m_strExecId == b.m_strExecId &&
           a.m_nBranch == b.m_nBranch && a.m_strHost == b.m_strHost &&
           a.m_strComment == b.m_strComment && a.m_tStart == b.m_tStart &&
           a.m_nCpuThreshold == b.m_nCpuThreshold && a.m_nMemThreshold == b.m_nMemThreshold &&
           a.m_nDiskThreshold == b.m_nDiskThreshold;
}

bool SameSamples(const std::vector<CDataSample>& a, const std::vector<CDataSample>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const CDataSample& x, const CDataSample& y) {
                          return x.m_tSample == y.m_tSample && x.m_vecBlock == y.m_vecBlock;
                      });
}

CWalk WalkWhole(std::span<const std::uint8_t> file) {
    CWalk walk;
    CDataFileReader reader;
    walk.m_nOpen = reader.Open(datafile::CDataFileInput::FromBytes(file));
    if (walk.m_nOpen != platform::kSuccess) return walk;
    walk.m_header = reader.Header();
    walk.m_names = reader.CounterNames();
    walk.m_eEnd = ReadSamples(reader, walk.m_vecSamples);
    // Once the walk has ended it stays ended.
    CDataSample again;
    FUZZ_CHECK(reader.Next(again) == walk.m_eEnd);
    return walk;
}

void CheckHeaderReader(std::span<const std::uint8_t> file, const CWalk& whole) {
    datafile::CDataFileInput input;
    input.Open(datafile::CDataFileInput::FromBytes(file));
    CDataFileHeader header;
    const bool bRead = header.Read(input);
    if (whole.m_nOpen == platform::kSuccess) {
        FUZZ_CHECK(bRead);
        FUZZ_CHECK(SameHeader(header, whole.m_header));
    }
    if (bRead) FUZZ_CHECK(CDataFileHeader::IsDataFile(header.m_strTag, header.m_nVersion));
}

void CheckLimits(std::span<const std::uint8_t> file, const CWalk& whole) {
    std::size_t nStored = 0;
    for (const CDataSample& sample : whole.m_vecSamples) {
        FUZZ_CHECK(sample.m_vecBlock.size() >= 8);
        FUZZ_CHECK(sample.m_vecBlock.size() <= datafile::kMaxSampleBytes);
        nStored += 8 + sample.m_vecBlock.size() + 4;  // time, length, block, end mark
    }
    FUZZ_CHECK(nStored <= file.size());
    FUZZ_CHECK(whole.m_eEnd != ESampleRead::kReadError);
}

void CheckGrowingWalk(std::span<const std::uint8_t> file, std::size_t nExisting, std::size_t nPiece,
                      const CWalk& whole) {
    CGrowingFile growing(file, nExisting, nPiece);
    CDataFileReader reader;
    const platform::ErrorCode nOpen = reader.Open(growing.Source());
    if (nOpen != platform::kSuccess) {
        // Only a file that exists whole must open as it does when read at once.
        if (nExisting == file.size()) FUZZ_CHECK(nOpen == whole.m_nOpen);
        return;
    }
    FUZZ_CHECK(whole.m_nOpen == platform::kSuccess);
    FUZZ_CHECK(SameHeader(reader.Header(), whole.m_header));
    FUZZ_CHECK(reader.CounterNames() == whole.m_names);

    std::vector<CDataSample> samples;
    ESampleRead eEnd = ReadSamples(reader, samples);
    if (eEnd != ESampleRead::kDamaged) {
        FUZZ_CHECK(eEnd == ESampleRead::kEnd || eEnd == ESampleRead::kIncomplete);
        growing.GrowToTheEnd();
        eEnd = ReadSamples(reader, samples);
    }
    FUZZ_CHECK(eEnd == whole.m_eEnd);
    FUZZ_CHECK(SameSamples(samples, whole.m_vecSamples));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    if (nSize < 2) return 0;
    const std::span<const std::uint8_t> file(pData + 2, nSize - 2);
    const std::size_t nPiece = pData[0] == 0 ? file.size() + 1 : pData[0];
    const std::size_t nExisting = file.size() * pData[1] / 256;

    const CWalk whole = WalkWhole(file);
    CheckHeaderReader(file, whole);
    CheckLimits(file, whole);
    CheckGrowingWalk(file, nExisting, nPiece, whole);
    return 0;
}
