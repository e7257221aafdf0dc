// libFuzzer target of the block reader: raw input blocks, and built blocks altered by the input.
//
// Input byte 0 chooses the mode. Odd: the rest of the input is the block. Even: the rest is a
// list of 7-byte patches applied to a built standard block (1 byte choosing a length, count or
// offset field, or from 128 up the aligned word that the next 2 bytes select, then the 32-bit
// value), and a leftover byte truncates it.
// Beyond not crashing, every input must satisfy: cutting the buffer at the block's own
// TotalByteLength changes nothing the reader reports.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "perf/perf_test_blocks.h"

namespace {

struct CBase {
    std::vector<std::uint8_t> m_vecBefore;  // the sample that precedes every fuzzed block
    std::vector<std::uint8_t> m_vecBlock;
    std::vector<std::size_t> m_vecFields;
};

const CBase& Base() {
    static const CBase base = [] {
        CBase b;
        sim::CPerfBlockBuilder builder = perftest::StandardBuilder();
        perftest::SetFigures(builder, {50'000'000, 1000, 2000, 700});
        b.m_vecBefore = builder.Build();
        perftest::SetFigures(builder, {60'000'000, 5'001'000, 7'002'000, 650});
        sim::CBlockLayout layout;
        b.m_vecBlock = builder.Build(&layout);
        b.m_vecFields = perftest::StructureFields(layout);
        return b;
    }();
    return base;
}

std::vector<std::uint8_t> PatchedBlock(const std::uint8_t* pData, std::size_t nSize) {
    const CBase& base = Base();
    std::vector<std::uint8_t> block = base.m_vecBlock;
    std::size_t i = 0;
    for (; nSize - i >= 7; i += 7) {
        const std::uint8_t nChoice = pData[i];
        const std::size_t nWord = perf::LoadU16(pData + i + 1);
        const std::uint32_t nValue = perf::LoadU32(pData + i + 3);
        const std::size_t nOffset = nChoice < 128
                                        ? base.m_vecFields[nChoice % base.m_vecFields.size()]
                                        : nWord % (block.size() / 4) * 4;
        perftest::Patch32(block, nOffset, nValue);
    }
    if (i < nSize) block.resize(block.size() * pData[i] / 256);
    return block;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    if (nSize == 0) return 0;
    std::vector<std::uint8_t> block = (pData[0] & 1) != 0
                                          ? std::vector<std::uint8_t>(pData + 1, pData + nSize)
                                          : PatchedBlock(pData + 1, nSize - 1);
    block.shrink_to_fit();
    const perftest::CReport report = perftest::Report(Base().m_vecBefore, block);
    const std::size_t nLimit = perf::StoredByteLength(block);
    if (!(perftest::Report(Base().m_vecBefore, perftest::Prefix(block, nLimit)) == report)) {
        std::abort();
    }
    return 0;
}
