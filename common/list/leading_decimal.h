// Reading the decimal number at the start of a text, the lenient way list texts are read.
#pragma once
#include <string_view>

// The value of the text's leading blanks, optional sign and leading digits; 0 when there are no
// digits. Values beyond the int range saturate at INT_MIN or INT_MAX. Never reads past the text.
int ParseLeadingDecimal(std::string_view text);
