// Reading an integer from an edit's text, the way the dialog's data exchange reads it.
#pragma once
#include <optional>
#include <string>

// The integer the text holds: optional blanks, an optional sign, decimal digits, optional
// blanks, nothing else, within the 32-bit range. Nothing otherwise (an empty text included).
std::optional<int> ParseIntegerText(const std::string& strText);

// Why a text is refused for an integer edit with an optional range: "整数を入力してください。"
// when it is not an integer, "%1 から %2 までの整数を入力してください。" when it lies outside
// [nMin, nMax]; empty when the value is accepted (and written to nValue).
std::string CheckIntegerText(const std::string& strText, const std::optional<int>& nMin,
                             const std::optional<int>& nMax, int& nValue);
