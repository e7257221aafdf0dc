// One record of the error log VARNOLE.err: its fields and its archive encoding.
#pragma once
#include <cstdint>
#include <string>

#include "archive_stream.h"
#include "platform/clock.h"

// The code of a record that stands for no platform error; its system text is empty.
inline constexpr std::int32_t kNoErrorCode = -1;

// A failure as the error log keeps it. Texts are UTF-8 in memory and code page 932 in the file.
class CErrorRecord {
public:
    platform::Time m_tTime = 0;           // when the record was written
    std::int32_t m_nCode = kNoErrorCode;  // the platform error code, or kNoErrorCode
    std::string m_strSystemText;          // the platform's text for the code, empty for -1
    std::string m_strText;                // the caller's description ("SetEvent - %d/%s", ...)

    bool operator==(const CErrorRecord&) const = default;
};

// Appends the record in file order: time (int32), code (int32), system text, text.
void WriteErrorRecord(CArchiveWriter& archive, const CErrorRecord& record);

// Reads one record. False, with the reader failed and the record unspecified, when the input
// ends inside the record or holds a malformed string length.
bool ReadErrorRecord(CArchiveReader& archive, CErrorRecord& record);
