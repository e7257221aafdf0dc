// Decoding a whole error log: record after record until the end or an incomplete record.
#include "error_log_reader.h"

#include "platform/file_write.h"

CErrorLogContents ParseErrorLog(std::string_view bytes) {
    CErrorLogContents contents;
    CArchiveReader archive(bytes);
    while (!archive.AtEnd()) {
        CErrorRecord record;
        if (!ReadErrorRecord(archive, record)) {
            contents.m_bIncomplete = true;
            break;
        }
        contents.m_arrRecords.push_back(std::move(record));
        contents.m_nGoodBytes = archive.Position();
    }
    return contents;
}

// An error log is rotated monthly and holds small records; anything larger is not a log to load
// into memory whole.
constexpr std::size_t kMaxErrorLogBytes = 256u * 1024 * 1024;

platform::ErrorCode ReadErrorLog(const std::string& strPath, CErrorLogContents& contents) {
    contents = CErrorLogContents();
    std::string bytes;
    const platform::ErrorCode error = platform::ReadFileCapped(strPath, kMaxErrorLogBytes, bytes);
    if (error != platform::kSuccess) return error;
    contents = ParseErrorLog(bytes);
    return platform::kSuccess;
}
