// Byte layout of a performance data block: structure sizes, field offsets, indices and counter
// types.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace perf {

// The objects every performance data request names, as the value name of the request.
inline constexpr std::string_view kPerfObjectList = "238 4 234 236 510 502 638 230 1850";

// Object title indices of the English counter-name table.
inline constexpr std::uint32_t kObjectProcessor = 238;
inline constexpr std::uint32_t kObjectMemory = 4;
inline constexpr std::uint32_t kObjectPhysicalDisk = 234;
inline constexpr std::uint32_t kObjectLogicalDisk = 236;
inline constexpr std::uint32_t kObjectNetworkInterface = 510;
inline constexpr std::uint32_t kObject502 = 502;
inline constexpr std::uint32_t kObjectTcp = 638;
inline constexpr std::uint32_t kObjectProcess = 230;
inline constexpr std::uint32_t kObject1850 = 1850;

// Counter title indices of the three figures.
inline constexpr std::uint32_t kCounterProcessorTime = 6;  // % Processor Time (counts idle time)
inline constexpr std::uint32_t kCounterDiskTime = 200;     // % Disk Time (counts busy time)
inline constexpr std::uint32_t kCounterAvailableMBytes = 1382;  // Available MBytes (raw count)

// The instance the two rate figures read.
inline constexpr std::string_view kTotalInstance = "_Total";

// NumInstances of an object that has one counter block and no instances.
inline constexpr std::int32_t kPerfNoInstances = -1;

// Counter types (CounterType field) used by the blocks this suite reads and simulates.
inline constexpr std::uint32_t kPerfCounterRawcount = 0x00010000;
inline constexpr std::uint32_t kPerfCounterLargeRawcount = 0x00010100;
inline constexpr std::uint32_t kPerfCounterCounter = 0x10410400;
inline constexpr std::uint32_t kPerfCounterBulkCount = 0x10410500;
inline constexpr std::uint32_t kPerfCounter100nsQueuelen = 0x00550500;
inline constexpr std::uint32_t kPerfRawFraction = 0x20020400;
inline constexpr std::uint32_t kPerfRawBase = 0x40030403;
inline constexpr std::uint32_t kPerf100nsecTimer = 0x20510500;
inline constexpr std::uint32_t kPerf100nsecTimerInv = 0x21510500;
inline constexpr std::uint32_t kPerfPrecision100nsTimer = 0x20570500;
inline constexpr std::uint32_t kPerfAverageTimer = 0x30020400;
inline constexpr std::uint32_t kPerfAverageBase = 0x40030402;
inline constexpr std::uint32_t kPerfElapsedTime = 0x30240500;
inline constexpr std::uint32_t kPerfCounterRawcountHex = 0x00000000;
inline constexpr std::uint32_t kPerfCounterLargeRawcountHex = 0x00000100;
inline constexpr std::uint32_t kPerfCounterTimer = 0x20410500;
inline constexpr std::uint32_t kPerfCounterTimerInv = 0x21410500;
inline constexpr std::uint32_t kPerfObjTimeTimer = 0x20610500;
inline constexpr std::uint32_t kPerfPrecisionSystemTimer = 0x20470500;
inline constexpr std::uint32_t kPerfPrecisionObjectTimer = 0x20670500;
// The base that follows a precision timer (PERF_PRECISION_TIMESTAMP is this type).
inline constexpr std::uint32_t kPerfLargeRawBase = 0x40030500;
// The bits of a counter type that give its value's size: 0 for 4 bytes, 0x100 for 8 bytes.
inline constexpr std::uint32_t kPerfSizeMask = 0x00000300;
inline constexpr std::uint32_t kPerfSizeLarge = 0x00000100;
// The bits that mark a base counter (PERF_TYPE_COUNTER | PERF_COUNTER_BASE).
inline constexpr std::uint32_t kPerfBaseMask = 0x00070C00;
inline constexpr std::uint32_t kPerfBaseBits = 0x00030400;

// Detail levels (DetailLevel fields).
inline constexpr std::uint32_t kPerfDetailNovice = 100;
inline constexpr std::uint32_t kPerfDetailAdvanced = 200;

// PERF_DATA_BLOCK: 88 bytes at offset 0 of the buffer.
namespace data_block {
inline constexpr std::size_t kSize = 88;
inline constexpr std::size_t kSignature = 0;  // four UTF-16 code units "PERF"
inline constexpr std::size_t kLittleEndian = 8;
inline constexpr std::size_t kVersion = 12;
inline constexpr std::size_t kRevision = 16;
inline constexpr std::size_t kTotalByteLength = 20;
inline constexpr std::size_t kHeaderLength = 24;
inline constexpr std::size_t kNumObjectTypes = 28;
inline constexpr std::size_t kDefaultObject = 32;
inline constexpr std::size_t kSystemTime = 36;  // SYSTEMTIME: eight 16-bit fields, UTC
inline constexpr std::size_t kPerfTime = 56;
inline constexpr std::size_t kPerfFreq = 64;
inline constexpr std::size_t kPerfTime100nSec = 72;
inline constexpr std::size_t kSystemNameLength = 80;
inline constexpr std::size_t kSystemNameOffset = 84;
}  // namespace data_block

// PERF_OBJECT_TYPE: 64 bytes.
namespace object_type {
inline constexpr std::size_t kSize = 64;
inline constexpr std::size_t kTotalByteLength = 0;
inline constexpr std::size_t kDefinitionLength = 4;
inline constexpr std::size_t kHeaderLength = 8;
inline constexpr std::size_t kObjectNameTitleIndex = 12;
inline constexpr std::size_t kObjectNameTitle = 16;
inline constexpr std::size_t kObjectHelpTitleIndex = 20;
inline constexpr std::size_t kObjectHelpTitle = 24;
inline constexpr std::size_t kDetailLevel = 28;
inline constexpr std::size_t kNumCounters = 32;
inline constexpr std::size_t kDefaultCounter = 36;
inline constexpr std::size_t kNumInstances = 40;
inline constexpr std::size_t kCodePage = 44;
inline constexpr std::size_t kPerfTime = 48;
inline constexpr std::size_t kPerfFreq = 56;
}  // namespace object_type

// PERF_COUNTER_DEFINITION: 40 bytes.
namespace counter_definition {
inline constexpr std::size_t kSize = 40;
inline constexpr std::size_t kByteLength = 0;
inline constexpr std::size_t kCounterNameTitleIndex = 4;
inline constexpr std::size_t kCounterNameTitle = 8;
inline constexpr std::size_t kCounterHelpTitleIndex = 12;
inline constexpr std::size_t kCounterHelpTitle = 16;
inline constexpr std::size_t kDefaultScale = 20;
inline constexpr std::size_t kDetailLevel = 24;
inline constexpr std::size_t kCounterType = 28;
inline constexpr std::size_t kCounterSize = 32;
inline constexpr std::size_t kCounterOffset = 36;
}  // namespace counter_definition

// PERF_INSTANCE_DEFINITION: 24 bytes, followed by its UTF-16 name.
namespace instance_definition {
inline constexpr std::size_t kSize = 24;
inline constexpr std::size_t kByteLength = 0;
inline constexpr std::size_t kParentObjectTitleIndex = 4;
inline constexpr std::size_t kParentObjectInstance = 8;
inline constexpr std::size_t kUniqueID = 12;
inline constexpr std::size_t kNameOffset = 16;
inline constexpr std::size_t kNameLength = 20;
}  // namespace instance_definition

// PERF_COUNTER_BLOCK: a 4-byte ByteLength followed by the counter values.
namespace counter_block {
inline constexpr std::size_t kSize = 4;
inline constexpr std::size_t kByteLength = 0;
}  // namespace counter_block

// Every value is read as 8 bytes, whatever the counter's own size.
inline constexpr std::size_t kCounterValueSize = 8;

}  // namespace perf
