// Encoding and decoding of one error log record through the archive stream.
#include "error_record.h"

void WriteErrorRecord(CArchiveWriter& archive, const CErrorRecord& record) {
    archive.WriteTime(record.m_tTime);
    archive.WriteInt32(record.m_nCode);
    archive.WriteString(record.m_strSystemText);
    archive.WriteString(record.m_strText);
}

bool ReadErrorRecord(CArchiveReader& archive, CErrorRecord& record) {
    record.m_tTime = archive.ReadTime();
    record.m_nCode = archive.ReadInt32();
    record.m_strSystemText = archive.ReadString();
    record.m_strText = archive.ReadString();
    return archive.Ok();
}
