// The stored form of a list's column widths: a count and the widths, each a 32-bit integer.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Profile section that holds one binary value per list, named by the list control's identifier.
inline constexpr char kColumnWidthsSection[] = "ListCtrls";

// The entry name of a list's widths: its dialog control identifier in decimal ("1000").
std::string ColumnWidthsEntry(int controlId);

// The binary value: the number of columns, then each width in column order, all little-endian
// 32-bit integers.
std::vector<std::uint8_t> EncodeColumnWidths(const std::vector<int>& widths);

// The widths of a stored value, or nothing when it must not be used: shorter than its count,
// a length that is not exactly 4 + 4 x count bytes, a count other than columnCount, or a
// width outside 0..kMaxColumnWidth.
std::optional<std::vector<int>> DecodeColumnWidths(std::span<const std::uint8_t> stored,
                                                   int columnCount);
