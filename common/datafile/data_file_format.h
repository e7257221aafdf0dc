// Constants of the data file layout: tags, versions, buffer sizes and the limits a reader enforces.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace datafile {

// The tag the writer puts first, and the older tag that readers still accept.
inline constexpr std::string_view kTag = "VARNOLE1";
inline constexpr std::string_view kOldTag = "VARNOLE";

// The version the writer puts second.
inline constexpr std::uint32_t kVersion = 130;
// The oldest layout: no OS, processor, group, execution ID or branch number in the header.
inline constexpr std::uint32_t kVersionWithoutJobFields = 100;
// From this version on the header holds those five items.
inline constexpr std::uint32_t kFirstVersionWithJobFields = 110;

// The text that closes every sample record (stored as a string: 0x03 'E' 'N' 'D').
inline constexpr std::string_view kEndMark = "END";

// Extensions of a file being written and of a finished file.
inline constexpr std::string_view kOpenExtension = ".va_";
inline constexpr std::string_view kFinishedExtension = ".var";

// The writer collects bytes in a buffer of this size before handing them to the file; readers
// fetch the file in pieces of this size.
inline constexpr std::size_t kBufferSize = 4096;

// Limits on what a reader accepts from a file, so that a damaged or hostile file cannot make it
// allocate much more than a real file ever needs.
// A header or counter-name string longer than this makes the file unreadable.
inline constexpr std::size_t kMaxStringBytes = 1u << 20;
// A counter-name table announcing more strings than this is damaged (real hosts have a few
// thousand pairs).
inline constexpr std::uint32_t kMaxCounterNameStrings = 1u << 18;
// A sample record announcing a larger block is damaged: the collector never requests a block
// larger than this.
inline constexpr std::uint32_t kMaxSampleBytes = 64u << 20;

}  // namespace datafile
