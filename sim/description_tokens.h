// Splitting a description line into words, and reading numbers from words, with clear errors.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// Words of one line: separated by spaces or tabs; a word in double quotes may hold spaces and
// '#' ("" inside quotes stands for one quote); '#' outside quotes starts a comment. False with
// strError set when a quote is not closed or a quoted word runs into another character.
bool SplitDescriptionLine(std::string_view strLine, std::vector<std::string>& vecWords,
                          std::string& strError);

// An unsigned decimal (or 0x hexadecimal) integer within nMin..nMax; none when the word is
// anything else.
std::optional<std::uint64_t> ParseUnsigned(std::string_view strWord, std::uint64_t nMin,
                                           std::uint64_t nMax);

// A finite decimal number within dMin..dMax; none otherwise.
std::optional<double> ParseNumber(std::string_view strWord, double dMin, double dMax);

// Bytes written as pairs of hexadecimal digits; none when the text is not.
std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view strHex);

}  // namespace sim
