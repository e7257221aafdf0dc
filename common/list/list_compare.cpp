// The three-way comparison that orders a list's rows by the texts of one column.
#include "list/list_compare.h"

#include <cstddef>

#include "list/leading_decimal.h"
#include "platform/text_compare.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsAllDigits(std::string_view text) {
    for (char c : text) {
        if (!IsDigit(c)) return false;
    }
    return true;
}

// "NN/NN/NNNN" with N a digit; being pure ASCII, ten characters are ten bytes.
bool IsDayMonthYear(std::string_view text) {
    if (text.size() != 10) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool slash = (i == 2 || i == 5);
        if (slash ? text[i] != '/' : !IsDigit(text[i])) return false;
    }
    return true;
}

std::string_view SkipLeadingZeros(std::string_view digits) {
    std::size_t i = 0;
    while (i < digits.size() && digits[i] == '0') ++i;
    return digits.substr(i);
}

// Three-way comparison of two unsigned digit strings by value, whatever their length.
int CompareMagnitudes(std::string_view a, std::string_view b) {
    a = SkipLeadingZeros(a);
    b = SkipLeadingZeros(b);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int result = a.compare(b);
    return (result > 0) - (result < 0);
}

// t1 is all digits; t2 is read with leading blanks, an optional sign and its leading digits.
int CompareNumbers(std::string_view t1, std::string_view t2) {
    std::size_t i = 0;
    while (i < t2.size() && (t2[i] == ' ' || (t2[i] >= '\t' && t2[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < t2.size() && (t2[i] == '+' || t2[i] == '-')) {
        negative = t2[i] == '-';
        ++i;
    }
    std::size_t end = i;
    while (end < t2.size() && IsDigit(t2[end])) ++end;
    const std::string_view digits2 = t2.substr(i, end - i);
    if (negative && !SkipLeadingZeros(digits2).empty()) return 1;  // t1 is never negative
    return CompareMagnitudes(t1, digits2);
}

// The number at [offset, offset + length) of a text; 0 where the text is shorter.
int NumberAt(std::string_view text, std::size_t offset, std::size_t length) {
    if (offset >= text.size()) return 0;
    return ParseLeadingDecimal(text.substr(offset, length));
}

int CompareInts(int a, int b) {
    return (a > b) - (a < b);
}

int CompareDates(std::string_view t1, std::string_view t2) {
    static constexpr struct {
        std::size_t m_nOffset;
        std::size_t m_nLength;
    } kFields[] = {{6, 4}, {3, 2}, {0, 2}};  // year, month, day
    for (const auto& field : kFields) {
        const int result = CompareInts(NumberAt(t1, field.m_nOffset, field.m_nLength),
                                       NumberAt(t2, field.m_nOffset, field.m_nLength));
        if (result != 0) return result;
    }
    return 0;
}

}  // namespace

int CompareListTexts(std::string_view t1, std::string_view t2) {
    if (IsAllDigits(t1)) return CompareNumbers(t1, t2);
    if (IsDayMonthYear(t1)) return CompareDates(t1, t2);
    return platform::CompareLocaleText(t1, t2);
}

int CompareSortTexts(std::string_view t1, std::string_view t2, bool ascending) {
    return ascending ? CompareListTexts(t1, t2) : CompareListTexts(t2, t1);
}
