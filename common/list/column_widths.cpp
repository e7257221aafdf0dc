// The stored form of a list's column widths: a count and the widths, each a 32-bit integer.
#include "list/column_widths.h"

#include <cstddef>

#include "list/column_layout.h"

namespace {

constexpr std::size_t kFieldSize = 4;

void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < kFieldSize; ++i) {
        out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    }
}

std::int32_t ReadInt32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < kFieldSize; ++i) {
        bits |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return static_cast<std::int32_t>(bits);
}

}  // namespace

std::string ColumnWidthsEntry(int controlId) {
    return std::to_string(controlId);
}

std::vector<std::uint8_t> EncodeColumnWidths(const std::vector<int>& widths) {
    std::vector<std::uint8_t> out;
    out.reserve(kFieldSize * (widths.size() + 1));
    AppendInt32(out, static_cast<std::int32_t>(widths.size()));
    for (int width : widths) AppendInt32(out, width);
    return out;
}

std::optional<std::vector<int>> DecodeColumnWidths(std::span<const std::uint8_t> stored,
                                                   int columnCount) {
    if (stored.size() < kFieldSize || columnCount < 0) return std::nullopt;
    const std::int32_t count = ReadInt32(stored, 0);
    if (count != columnCount) return std::nullopt;
    const std::size_t expected = kFieldSize * (static_cast<std::size_t>(count) + 1);
    if (stored.size() != expected) return std::nullopt;
    std::vector<int> widths;
    widths.reserve(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const std::int32_t width = ReadInt32(stored, kFieldSize * (i + 1));
        if (width < 0 || width > kMaxColumnWidth) return std::nullopt;
        widths.push_back(width);
    }
    return widths;
}
