// Tests of the error log record layout and of reading a log back, whole or cut off anywhere.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive_stream.h"
#include "logs/error_log_reader.h"
#include "logs/error_record.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) bytes.push_back(static_cast<char>(value));
    return bytes;
}

std::string Encode(const std::vector<CErrorRecord>& records) {
    CArchiveWriter archive;
    for (const CErrorRecord& record : records) WriteErrorRecord(archive, record);
    return archive.TakeBuffer();
}

CErrorRecord Record(platform::Time t, std::int32_t code, std::string system, std::string text) {
    CErrorRecord record;
    record.m_tTime = t;
    record.m_nCode = code;
    record.m_strSystemText = std::move(system);
    record.m_strText = std::move(text);
    return record;
}

TEST(ErrorRecordLayout, FieldsInFileOrderWithCodePage932Strings) {
    const std::string bytes = Encode({Record(0x01020304, 5, "Denied", "予約 - 3")});
    const std::string expected = Bytes({0x04, 0x03, 0x02, 0x01,  // time
                                        0x05, 0x00, 0x00, 0x00,  // code
                                        0x06}) +
                                 "Denied" + Bytes({0x08, 0x97, 0x5C, 0x96, 0xF1}) + " - 3";
    EXPECT_EQ(bytes, expected);
}

TEST(ErrorRecordLayout, NoCodeIsMinusOneWithEmptySystemText) {
    const std::string bytes = Encode({Record(0, kNoErrorCode, "", "x")});
    EXPECT_EQ(bytes, Bytes({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 'x'}));
}

// Three records of different shapes, to cut at every offset.
std::vector<CErrorRecord> SampleRecords() {
    return {Record(1000, 5, "Access is denied.", "SetEvent - 3/Access is denied."),
            Record(-5, kNoErrorCode, "", std::string(260, 'z')),
            Record(2000000000, 1460, "タイムアウト", ":RegSetValueEx ExecID_Serial")};
}

TEST(ErrorLogReader, StopsCleanlyWhereverTheFileIsCut) {
    const std::vector<CErrorRecord> records = SampleRecords();
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i <= records.size(); ++i) {
        ends.push_back(Encode({records.begin(), records.begin() + static_cast<long>(i)}).size());
    }
    const std::string bytes = Encode(records);
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        const CErrorLogContents contents = ParseErrorLog(std::string_view(bytes).substr(0, cut));
        std::size_t whole = 0;
        while (whole < ends.size() && ends[whole] <= cut) ++whole;
        const std::size_t good = whole == 0 ? 0 : ends[whole - 1];
        ASSERT_EQ(contents.m_arrRecords.size(), whole) << "cut at " << cut;
        EXPECT_EQ(contents.m_nGoodBytes, good) << "cut at " << cut;
        EXPECT_EQ(contents.m_bIncomplete, cut != good) << "cut at " << cut;
        for (std::size_t i = 0; i < whole; ++i) EXPECT_EQ(contents.m_arrRecords[i], records[i]);
    }
}

TEST(ErrorLogReader, StopsAtAnUndefinedLengthMarker) {
    std::string bytes = Encode({SampleRecords()[0]});
    const std::size_t firstEnd = bytes.size();
    // A record whose system text claims the length marker 0xFF 0xFFFE, then a good record.
    bytes += Bytes({0, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFE, 0xFF});
    bytes += Encode({SampleRecords()[2]});
    const CErrorLogContents contents = ParseErrorLog(bytes);
    EXPECT_EQ(contents.m_arrRecords.size(), 1u);
    EXPECT_TRUE(contents.m_bIncomplete);
    EXPECT_EQ(contents.m_nGoodBytes, firstEnd);
}

}  // namespace
