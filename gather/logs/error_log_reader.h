// Reading an error log file back into records, for tests and for a viewer of the log.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "error_record.h"
#include "platform/error_codes.h"

// What an error log holds: every whole record in file order, and whether reading stopped early.
class CErrorLogContents {
public:
    std::vector<CErrorRecord> m_arrRecords;
    // True when the bytes end inside a record, or a record holds a string length the format does
    // not define; reading stops there, since nothing after it can be aligned to a record start.
    bool m_bIncomplete = false;
    // The bytes taken by the whole records: where the incomplete tail begins.
    std::size_t m_nGoodBytes = 0;
};

// Decodes records from the start of the bytes until they end or a record cannot be read whole.
CErrorLogContents ParseErrorLog(std::string_view bytes);

// Reads the file at path (while writers may go on appending) and decodes it. A missing file is
// kErrorFileNotFound with empty contents.
platform::ErrorCode ReadErrorLog(const std::string& strPath, CErrorLogContents& contents);
