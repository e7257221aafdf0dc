// Checked, in-place walk of a performance data block: objects, counter definitions, instances.
//
// Blocks arrive from other computers, so every offset and length is checked before it is read.
// The walk never leaves BlockBytes (the smaller of the buffer and the block's TotalByteLength); a
// structure that would leave it counts as missing, and a reply that is not a block has no objects
// at all. Nothing is copied: the views below hold offsets into the caller's buffer, which must
// outlive them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <string_view>

namespace perf {

// The bytes of one performance data block as the host returned them.
using PerfBytes = std::span<const std::uint8_t>;

// True when the buffer starts with the UTF-16 signature "PERF" (so holds at least 8 bytes).
// This is the signature test alone; whether a reply is a block to decode or store is BlockBytes.
bool IsPerfDataBlock(const void* pBuffer, std::size_t nSize);
bool IsPerfDataBlock(PerfBytes block);

// The one test of whether a host's reply is a performance data block: the bytes of the block,
// which are its first TotalByteLength bytes (all of the buffer when the header claims more than
// arrived). Empty when the reply is not a block: no "PERF" signature, or the 88-byte block header
// does not fit inside both the buffer and TotalByteLength. These bytes are what a sample record
// stores and what the walk below may visit.
PerfBytes BlockBytes(PerfBytes reply);

// The block's TotalByteLength field as written by the host, or 0 when the buffer is too short to
// hold it. This is not checked against the buffer size; see StoredByteLength.
std::uint32_t BlockTotalByteLength(PerfBytes block);

// TotalByteLength limited to the buffer, whether or not the bytes form a block (see BlockBytes).
std::size_t StoredByteLength(PerfBytes block);

// The block's PerfTime100nSec, or 0 when the block has no complete header inside its limit.
std::int64_t BlockPerfTime100nSec(PerfBytes block);
// The block's PerfTime (ticks of the host's high-resolution counter) and PerfFreq (ticks per
// second), or 0 when the block has no complete header inside its limit.
std::int64_t BlockPerfTime(PerfBytes block);
std::int64_t BlockPerfFreq(PerfBytes block);

// One counter definition, checked to lie inside its object.
struct CPerfCounterDef {
    std::size_t m_nOffset = 0;  // of the definition, from the start of the block
    std::uint32_t m_nByteLength = 0;
    std::uint32_t m_nTitleIndex = 0;
    std::uint32_t m_nCounterType = 0;
    std::uint32_t m_nCounterSize = 0;
    std::uint32_t m_nCounterOffset = 0;  // of the value inside a counter block
};

// One counter block, checked to lie inside its object.
struct CPerfCounterBlock {
    std::size_t m_nOffset = 0;  // from the start of the block
    std::uint32_t m_nByteLength = 0;
};

// One instance of an object, checked to lie inside its object with its counter block.
struct CPerfInstance {
    // The name's UTF-16LE code units before its NUL, all inside the instance definition; empty,
    // with m_bNamed false, when the NUL is missing there (such a name matches nothing).
    std::span<const std::uint8_t> m_name;
    bool m_bNamed = false;
    CPerfCounterBlock m_counters;
};

// One object of a block whose own lengths have been checked: HeaderLength >= 64,
// HeaderLength <= DefinitionLength <= TotalByteLength, and the object lies inside the block.
class CPerfObject {
public:
    // The object at nOffset of a block already limited to its walkable bytes, or none when the
    // object's lengths fail the checks above.
    static std::optional<CPerfObject> CheckedAt(PerfBytes block, std::size_t nOffset);

    std::uint32_t TitleIndex() const { return m_nTitleIndex; }
    std::uint32_t NumCounters() const { return m_nNumCounters; }
    std::int32_t NumInstances() const { return m_nNumInstances; }
    std::size_t Offset() const { return m_nOffset; }
    std::uint32_t TotalByteLength() const { return m_nTotalByteLength; }
    // The object's own time base: PerfTime in ticks and PerfFreq in ticks per second.
    std::int64_t PerfTime() const;
    std::int64_t PerfFreq() const;

    // Calls fn(const CPerfCounterDef&) for up to NumCounters definitions in block order until fn
    // returns false; the walk stops at a definition shorter than 40 bytes or leaving the object.
    template <typename Fn>
    void ForEachCounter(Fn&& fn) const;

    // Calls fn(const CPerfInstance&) for up to NumInstances instances in block order until fn
    // returns false. The walk stops at an instance or counter block that would leave the object.
    // Objects without instances (NumInstances -1) have none to visit.
    template <typename Fn>
    void ForEachInstance(Fn&& fn) const;

    // The first of up to NumCounters definitions with this title index, or none (also when the
    // walk would leave the object or meets a definition shorter than 40 bytes).
    std::optional<CPerfCounterDef> FindCounter(std::uint32_t nCounterIndex) const;

    // The counter block to read: for an object without instances the one block (the name is
    // ignored); otherwise the block of the first instance whose name equals strInstance ignoring
    // case. None when no instance matches, NumInstances is 0 or below -1, or the walk would leave
    // the object.
    std::optional<CPerfCounterBlock> FindCounterBlock(std::string_view strInstance) const;

    // The 8 little-endian bytes at the counter's offset in the counter block. The counter's own
    // bytes (4 for a CounterSize of 4, otherwise 8) must lie inside the counter block, or there
    // is no value. The rest of the 8 bytes is read as far as the object reaches and taken as 0
    // beyond it, so a 32-bit value at the very end of the object reads right and nothing outside
    // the object is ever read.
    std::optional<std::int64_t> ReadValue(const CPerfCounterBlock& block,
                                          const CPerfCounterDef& counter) const;
    // The same for a value of nBytes bytes, 4 or 8: a 4-byte value is the unsigned 32-bit number
    // there, so a counter in the last 4 bytes of its counter block can be read too.
    std::optional<std::int64_t> ReadValue(const CPerfCounterBlock& block,
                                          const CPerfCounterDef& counter,
                                          std::size_t nBytes) const;

private:
    CPerfObject(PerfBytes block, std::size_t nOffset);
    std::uint32_t Field32(std::size_t nOffset) const;
    // The definition at nPos when it is at least 40 bytes long and lies inside the object.
    std::optional<CPerfCounterDef> CounterDefAt(std::size_t nPos) const;
    // The instance definition at nPos with its counter block, or none when either would leave
    // the object.
    std::optional<CPerfInstance> InstanceAt(std::size_t nPos) const;
    // A counter block at nOffset whose ByteLength keeps it inside the object, or none.
    std::optional<CPerfCounterBlock> CounterBlockAt(std::size_t nOffset) const;

    PerfBytes m_block;
    std::size_t m_nOffset;
    std::size_t m_nEnd;  // one past the object's last byte
    std::uint32_t m_nTotalByteLength;
    std::uint32_t m_nDefinitionLength;
    std::uint32_t m_nHeaderLength;
    std::uint32_t m_nTitleIndex;
    std::uint32_t m_nNumCounters;
    std::int32_t m_nNumInstances;
};

template <typename Fn>
void CPerfObject::ForEachCounter(Fn&& fn) const {
    std::size_t nPos = m_nOffset + m_nHeaderLength;  // <= m_nEnd, checked with the object
    for (std::uint32_t i = 0; i < m_nNumCounters; ++i) {
        const std::optional<CPerfCounterDef> def = CounterDefAt(nPos);
        if (!def || !fn(*def)) return;
        nPos += def->m_nByteLength;
    }
}

template <typename Fn>
void CPerfObject::ForEachInstance(Fn&& fn) const {
    std::size_t nPos = m_nOffset + m_nDefinitionLength;  // <= m_nEnd, checked with the object
    for (std::int32_t i = 0; i < m_nNumInstances; ++i) {
        const std::optional<CPerfInstance> instance = InstanceAt(nPos);
        if (!instance || !fn(*instance)) return;
        nPos = instance->m_counters.m_nOffset + instance->m_counters.m_nByteLength;
    }
}

// The first object whose ObjectNameTitleIndex equals nObjectIndex, or none.
std::optional<CPerfObject> FindObject(PerfBytes block, std::uint32_t nObjectIndex);

// The ObjectNameTitleIndex values of all objects that the walk reaches.
std::set<std::uint32_t> ObjectsPresent(PerfBytes block);

// The raw value of a counter: 0 when the object is absent; -1 when the object has no counter of
// that index, or has instances and none is called strInstance (compared ignoring case); the
// 8 bytes at the counter's offset otherwise. strInstance is UTF-8 and is ignored for objects
// without instances.
std::int64_t ReadCounter(PerfBytes block, std::uint32_t nObjectIndex, std::uint32_t nCounterIndex,
                         std::string_view strInstance);

}  // namespace perf
