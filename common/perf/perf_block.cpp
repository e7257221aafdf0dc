// Checked walk of a performance data block: every length is tested before the bytes it covers are
// read.
#include "perf/perf_block.h"

#include <algorithm>
#include <cstring>

#include "perf/instance_name.h"
#include "perf/perf_bytes.h"
#include "perf/perf_layout.h"

namespace perf {

namespace {

// Calls fn for each object in walk order until fn returns false or the walk ends: after
// NumObjectTypes objects, or at the first object whose lengths fail the checks. Every checked
// object is at least 64 bytes long, so a huge NumObjectTypes cannot keep the loop going.
template <typename Fn>
void ForEachObject(PerfBytes block, Fn&& fn) {
    const PerfBytes bytes = BlockBytes(block);
    if (bytes.empty()) return;
    const std::uint32_t nCount = LoadU32(bytes.data() + data_block::kNumObjectTypes);
    std::size_t nOffset = LoadU32(bytes.data() + data_block::kHeaderLength);
    if (nOffset < data_block::kSize) return;
    for (std::uint32_t i = 0; i < nCount; ++i) {
        const std::optional<CPerfObject> object = CPerfObject::CheckedAt(bytes, nOffset);
        if (!object || !fn(*object)) return;
        nOffset += object->TotalByteLength();
    }
}

// A 64-bit field of the block header, or 0 when the header does not fit inside the block.
std::int64_t HeaderField64(PerfBytes block, std::size_t nOffset) {
    const PerfBytes bytes = BlockBytes(block);
    if (bytes.empty()) return 0;
    return LoadI64(bytes.data() + nOffset);
}

// True for a name that FindAsciiInstance can compare: characters 1 to 127 only.
bool IsPlainAscii(std::string_view str) {
    for (const char c : str) {
        if (c <= 0) return false;  // NUL, or a byte of a multibyte character
    }
    return true;
}

// Folds an ASCII letter to small, for comparisons that ignore case.
constexpr std::uint16_t FoldAscii(std::uint16_t c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<std::uint16_t>(c - 'A' + 'a') : c;
}

// Whether the UTF-16LE name that starts an area of nUnits whole code units is strAscii followed by
// its NUL, comparing letters without regard to case. A code unit of 0x80 or more never equals an
// ASCII character, so nothing needs decoding.
bool AsciiNameEquals(const std::uint8_t* pName, std::size_t nUnits, std::string_view strAscii) {
    if (nUnits <= strAscii.size()) return false;
    for (std::size_t i = 0; i < strAscii.size(); ++i) {
        const std::uint16_t nUnit = LoadU16(pName + 2 * i);
        if (nUnit >= 0x80 ||
            FoldAscii(nUnit) != FoldAscii(static_cast<std::uint8_t>(strAscii[i]))) {
            return false;
        }
    }
    return LoadU16(pName + 2 * strAscii.size()) == 0;
}

}  // namespace

bool IsPerfDataBlock(const void* pBuffer, std::size_t nSize) {
    static constexpr std::uint8_t kSignature[8] = {'P', 0, 'E', 0, 'R', 0, 'F', 0};
    if (pBuffer == nullptr || nSize < sizeof(kSignature)) return false;
    return std::memcmp(pBuffer, kSignature, sizeof(kSignature)) == 0;
}

bool IsPerfDataBlock(PerfBytes block) {
    return IsPerfDataBlock(block.data(), block.size());
}

PerfBytes BlockBytes(PerfBytes reply) {
    if (!IsPerfDataBlock(reply) || reply.size() < data_block::kSize) return {};
    const std::size_t nLimit = StoredByteLength(reply);
    if (nLimit < data_block::kSize) return {};
    return reply.first(nLimit);
}

std::uint32_t BlockTotalByteLength(PerfBytes block) {
    if (block.size() < data_block::kTotalByteLength + 4) return 0;
    return LoadU32(block.data() + data_block::kTotalByteLength);
}

std::size_t StoredByteLength(PerfBytes block) {
    return std::min<std::size_t>(block.size(), BlockTotalByteLength(block));
}

std::int64_t BlockPerfTime100nSec(PerfBytes block) {
    return HeaderField64(block, data_block::kPerfTime100nSec);
}

std::int64_t BlockPerfTime(PerfBytes block) {
    return HeaderField64(block, data_block::kPerfTime);
}

std::int64_t BlockPerfFreq(PerfBytes block) {
    return HeaderField64(block, data_block::kPerfFreq);
}

CPerfObject::CPerfObject(PerfBytes block, std::size_t nOffset)
    : m_block(block),
      m_nOffset(nOffset),
      m_nEnd(nOffset + object_type::kSize),
      m_nTotalByteLength(Field32(object_type::kTotalByteLength)),
      m_nDefinitionLength(Field32(object_type::kDefinitionLength)),
      m_nHeaderLength(Field32(object_type::kHeaderLength)),
      m_nTitleIndex(Field32(object_type::kObjectNameTitleIndex)),
      m_nNumCounters(Field32(object_type::kNumCounters)),
      m_nNumInstances(static_cast<std::int32_t>(Field32(object_type::kNumInstances))) {}

std::optional<CPerfObject> CPerfObject::CheckedAt(PerfBytes block, std::size_t nOffset) {
    if (nOffset > block.size() || block.size() - nOffset < object_type::kSize) return std::nullopt;
    CPerfObject object(block, nOffset);
    if (object.m_nHeaderLength < object_type::kSize ||
        object.m_nDefinitionLength < object.m_nHeaderLength ||
        object.m_nTotalByteLength < object.m_nDefinitionLength ||
        object.m_nTotalByteLength > block.size() - nOffset) {
        return std::nullopt;
    }
    object.m_nEnd = nOffset + object.m_nTotalByteLength;
    return object;
}

// Reads a 32-bit field of the object itself, or of a structure inside it (offset from the object).
std::uint32_t CPerfObject::Field32(std::size_t nOffset) const {
    return LoadU32(m_block.data() + m_nOffset + nOffset);
}

std::int64_t CPerfObject::PerfTime() const {
    return LoadI64(m_block.data() + m_nOffset + object_type::kPerfTime);
}

std::int64_t CPerfObject::PerfFreq() const {
    return LoadI64(m_block.data() + m_nOffset + object_type::kPerfFreq);
}

std::optional<CPerfCounterDef> CPerfObject::CounterDefAt(std::size_t nPos) const {
    if (nPos > m_nEnd || m_nEnd - nPos < counter_definition::kSize) return std::nullopt;
    const std::uint8_t* pDef = m_block.data() + nPos;
    const std::uint32_t nByteLength = LoadU32(pDef + counter_definition::kByteLength);
    if (nByteLength < counter_definition::kSize || nByteLength > m_nEnd - nPos) {
        return std::nullopt;
    }
    CPerfCounterDef def;
    def.m_nOffset = nPos;
    def.m_nByteLength = nByteLength;
    def.m_nTitleIndex = LoadU32(pDef + counter_definition::kCounterNameTitleIndex);
    def.m_nCounterType = LoadU32(pDef + counter_definition::kCounterType);
    def.m_nCounterSize = LoadU32(pDef + counter_definition::kCounterSize);
    def.m_nCounterOffset = LoadU32(pDef + counter_definition::kCounterOffset);
    return def;
}

std::optional<CPerfCounterDef> CPerfObject::FindCounter(std::uint32_t nCounterIndex) const {
    // The walk of ForEachCounter, reading only what it needs until the definition is found.
    const std::uint8_t* const pBlock = m_block.data();
    std::size_t nPos = m_nOffset + m_nHeaderLength;  // <= m_nEnd, checked with the object
    for (std::uint32_t i = 0; i < m_nNumCounters; ++i) {
        const std::size_t nRoom = m_nEnd - nPos;  // nPos <= m_nEnd, as each step is checked
        if (nRoom < counter_definition::kSize) return std::nullopt;
        const std::uint8_t* const pDef = pBlock + nPos;
        const std::uint32_t nByteLength = LoadU32(pDef + counter_definition::kByteLength);
        if (std::size_t{nByteLength} - counter_definition::kSize >
            nRoom - counter_definition::kSize) {
            return std::nullopt;
        }
        if (LoadU32(pDef + counter_definition::kCounterNameTitleIndex) == nCounterIndex) {
            return CounterDefAt(nPos);
        }
        nPos += nByteLength;
    }
    return std::nullopt;
}

std::optional<CPerfCounterBlock> CPerfObject::CounterBlockAt(std::size_t nPos) const {
    if (nPos > m_nEnd || m_nEnd - nPos < counter_block::kSize) return std::nullopt;
    const std::uint32_t nByteLength = LoadU32(m_block.data() + nPos + counter_block::kByteLength);
    if (nByteLength < counter_block::kSize || nByteLength > m_nEnd - nPos) return std::nullopt;
    return CPerfCounterBlock{nPos, nByteLength};
}

std::optional<CPerfInstance> CPerfObject::InstanceAt(std::size_t nPos) const {
    if (nPos > m_nEnd || m_nEnd - nPos < instance_definition::kSize) return std::nullopt;
    const std::uint8_t* pInstance = m_block.data() + nPos;
    const std::uint32_t nByteLength = LoadU32(pInstance + instance_definition::kByteLength);
    if (nByteLength < instance_definition::kSize || nByteLength > m_nEnd - nPos) {
        return std::nullopt;
    }
    const std::optional<CPerfCounterBlock> counters = CounterBlockAt(nPos + nByteLength);
    if (!counters) return std::nullopt;

    // The name runs from NameOffset to its NUL code unit, all inside the instance definition;
    // a name that would leave it matches nothing.
    CPerfInstance instance;
    instance.m_counters = *counters;
    const std::uint32_t nNameOffset = LoadU32(pInstance + instance_definition::kNameOffset);
    if (nNameOffset < nByteLength) {
        const std::span<const std::uint8_t> area(pInstance + nNameOffset,
                                                 nByteLength - nNameOffset);
        for (std::size_t nUnit = 0; area.size() - nUnit >= 2; nUnit += 2) {
            if (area[nUnit] == 0 && area[nUnit + 1] == 0) {
                instance.m_name = area.first(nUnit);
                instance.m_bNamed = true;
                break;
            }
        }
    }
    return instance;
}

std::optional<CPerfCounterBlock> CPerfObject::FindAsciiInstance(
    std::string_view strInstance) const {
    // The checks of InstanceAt and CounterBlockAt, each pair of bounds folded into one unsigned
    // comparison (a length below its minimum wraps around to a huge value), without building the
    // instances; only a name whose first code unit could match is compared further. The walk is
    // a chain of dependent reads (an instance's length, then its counter block's), so it steps
    // with plain pointers, whose reads the processor starts soonest.
    const std::uint8_t* const pBlock = m_block.data();
    const std::uint8_t* const pEnd = pBlock + m_nEnd;
    const std::uint16_t nFirst =
        strInstance.empty() ? 0 : FoldAscii(static_cast<std::uint8_t>(strInstance[0]));
    // Inside the object: the start, and later the end of a counter block checked to lie inside.
    const std::uint8_t* pInstance = pBlock + m_nOffset + m_nDefinitionLength;
    for (std::int32_t i = 0; i < m_nNumInstances; ++i) {
        const auto nRoom = static_cast<std::size_t>(pEnd - pInstance);
        if (nRoom < instance_definition::kSize) return std::nullopt;
        const std::uint32_t nByteLength = LoadU32(pInstance + instance_definition::kByteLength);
        if (std::size_t{nByteLength} - instance_definition::kSize >
            nRoom - instance_definition::kSize) {
            return std::nullopt;
        }
        const std::uint8_t* const pCounters = pInstance + nByteLength;
        const std::size_t nCounterRoom = nRoom - nByteLength;
        if (nCounterRoom < counter_block::kSize) return std::nullopt;
        const std::uint32_t nCounterLength = LoadU32(pCounters + counter_block::kByteLength);
        if (std::size_t{nCounterLength} - counter_block::kSize >
            nCounterRoom - counter_block::kSize) {
            return std::nullopt;
        }
        const std::uint32_t nNameOffset = LoadU32(pInstance + instance_definition::kNameOffset);
        if (nNameOffset < nByteLength) {
            const std::uint8_t* const pName = pInstance + nNameOffset;
            const std::size_t nUnits = (nByteLength - nNameOffset) / 2;
            if (nUnits > 0 && FoldAscii(LoadU16(pName)) == nFirst &&
                AsciiNameEquals(pName, nUnits, strInstance)) {
                return CPerfCounterBlock{static_cast<std::size_t>(pCounters - pBlock),
                                         nCounterLength};
            }
        }
        pInstance = pCounters + nCounterLength;
    }
    return std::nullopt;
}

std::optional<CPerfCounterBlock> CPerfObject::FindCounterBlock(std::string_view strInstance) const {
    if (m_nNumInstances == kPerfNoInstances) return CounterBlockAt(m_nOffset + m_nDefinitionLength);
    if (IsPlainAscii(strInstance)) return FindAsciiInstance(strInstance);
    std::optional<CPerfCounterBlock> found;
    ForEachInstance([&](const CPerfInstance& instance) {
        if (!instance.m_bNamed || !InstanceNameEquals(instance.m_name, strInstance)) return true;
        found = instance.m_counters;
        return false;
    });
    return found;
}

std::optional<std::int64_t> CPerfObject::ReadValue(const CPerfCounterBlock& counters,
                                                   const CPerfCounterDef& counter) const {
    // Sizes other than 4 are taken as 8, the size every value is read with.
    const std::size_t nOwnBytes = counter.m_nCounterSize == 4 ? 4 : kCounterValueSize;
    if (counters.m_nByteLength < nOwnBytes ||
        counter.m_nCounterOffset > counters.m_nByteLength - nOwnBytes) {
        return std::nullopt;
    }
    // The counter block lies inside the object, so nPos + nOwnBytes <= m_nEnd.
    const std::size_t nPos = counters.m_nOffset + counter.m_nCounterOffset;
    if (m_nEnd - nPos >= kCounterValueSize) return LoadI64(m_block.data() + nPos);
    std::uint8_t arrValue[kCounterValueSize] = {};
    std::memcpy(arrValue, m_block.data() + nPos, m_nEnd - nPos);
    return LoadI64(arrValue);
}

std::optional<std::int64_t> CPerfObject::ReadValue(const CPerfCounterBlock& counters,
                                                   const CPerfCounterDef& counter,
                                                   std::size_t nBytes) const {
    if (nBytes != 4) nBytes = kCounterValueSize;
    if (counters.m_nByteLength < nBytes ||
        counter.m_nCounterOffset > counters.m_nByteLength - nBytes) {
        return std::nullopt;
    }
    const std::uint8_t* pValue = m_block.data() + counters.m_nOffset + counter.m_nCounterOffset;
    return nBytes == 4 ? static_cast<std::int64_t>(LoadU32(pValue)) : LoadI64(pValue);
}

std::optional<CPerfObject> FindObject(PerfBytes block, std::uint32_t nObjectIndex) {
    std::optional<CPerfObject> found;
    ForEachObject(block, [&](const CPerfObject& object) {
        if (object.TitleIndex() != nObjectIndex) return true;
        found = object;
        return false;
    });
    return found;
}

void FindObjects(PerfBytes block, std::span<const std::uint32_t> indices,
                 std::span<std::optional<CPerfObject>> found) {
    for (auto& object : found) object.reset();
    const std::size_t nWanted = std::min(indices.size(), found.size());
    std::size_t nMissing = nWanted;
    const PerfBytes bytes = BlockBytes(block);
    if (bytes.empty() || nMissing == 0) return;
    // The walk of ForEachObject with the checks of CPerfObject::CheckedAt, reading only the
    // lengths and the index of the objects stepped over.
    const std::uint32_t nCount = LoadU32(bytes.data() + data_block::kNumObjectTypes);
    std::size_t nOffset = LoadU32(bytes.data() + data_block::kHeaderLength);
    if (nOffset < data_block::kSize) return;
    for (std::uint32_t n = 0; n < nCount; ++n) {
        if (nOffset > bytes.size() || bytes.size() - nOffset < object_type::kSize) return;
        const std::uint8_t* const pObject = bytes.data() + nOffset;
        const std::uint32_t nTotal = LoadU32(pObject + object_type::kTotalByteLength);
        const std::uint32_t nDefinition = LoadU32(pObject + object_type::kDefinitionLength);
        const std::uint32_t nHeader = LoadU32(pObject + object_type::kHeaderLength);
        if (nHeader < object_type::kSize || nDefinition < nHeader || nTotal < nDefinition ||
            nTotal > bytes.size() - nOffset) {
            return;
        }
        const std::uint32_t nIndex = LoadU32(pObject + object_type::kObjectNameTitleIndex);
        for (std::size_t i = 0; i < nWanted; ++i) {
            if (found[i] || nIndex != indices[i]) continue;
            found[i] = CPerfObject::CheckedAt(bytes, nOffset);
            if (--nMissing == 0) return;
        }
        nOffset += nTotal;
    }
}

std::set<std::uint32_t> ObjectsPresent(PerfBytes block) {
    std::set<std::uint32_t> indices;
    ForEachObject(block, [&](const CPerfObject& object) {
        indices.insert(object.TitleIndex());
        return true;
    });
    return indices;
}

std::int64_t ReadCounter(PerfBytes block, std::uint32_t nObjectIndex, std::uint32_t nCounterIndex,
                         std::string_view strInstance) {
    return ReadCounter(FindObject(block, nObjectIndex), nCounterIndex, strInstance);
}

std::int64_t ReadCounter(const std::optional<CPerfObject>& object, std::uint32_t nCounterIndex,
                         std::string_view strInstance) {
    if (!object) return 0;
    const std::optional<CPerfCounterDef> counter = object->FindCounter(nCounterIndex);
    if (!counter) return -1;
    const std::optional<CPerfCounterBlock> counters = object->FindCounterBlock(strInstance);
    if (!counters) return -1;
    return object->ReadValue(*counters, *counter).value_or(-1);
}

}  // namespace perf
