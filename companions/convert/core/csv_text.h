// The pieces of a CSV line: quoted fields, numbers, sample times, and the two encodings.
#pragma once
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/local_time.h"

namespace csv {

// The encodings a CSV file can be written in. Both end lines with CR LF.
enum class ECsvEncoding {
    kCp932,    // code page 932, what a Japanese spreadsheet opens as it is
    kUtf8Bom,  // UTF-8 with a byte-order mark
};

inline constexpr std::string_view kCsvLineEnd = "\r\n";
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Appends the field, between double quotes (with each quote doubled) when it holds a comma, a
// double quote, a line break or spaces at either end, as they are otherwise.
void AppendCsvField(std::string& strLine, std::string_view strField);

// Appends the value with nDecimals digits after the point (0 to 6), rounded; "-0" is written as
// "0". Values that are not finite are written as nothing (an empty field).
void AppendCsvNumber(std::string& strLine, double dValue, int nDecimals);

// The text of a UTF-8 line in the encoding (the line's ASCII bytes are the same in both).
std::string EncodeCsvText(std::string_view strUtf8, ECsvEncoding eEncoding);

// Sample times in local time as "YYYY/MM/DD HH:MM:SS". The local fields are worked out once per
// minute: the seconds of the following samples of the same minute are added to them.
class CCsvTimeText {
public:
    // Appends the time; a time the platform cannot represent gives an empty field.
    void Append(std::string& strLine, platform::Time tTime);

private:
    bool m_bMinuteKnown = false;
    platform::Time m_tMinute = 0;  // the start of the cached minute
    char m_szMinute[32] = {};  // "YYYY/MM/DD HH:MM"
};

}  // namespace csv
