// Archive stream: exact bytes of each encoding, code page 932 strings, and hostile input.
#include "archive_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A reader over an exactly sized heap copy, so that any read past the end is a real overread
// that the sanitizers report.
class CExactInput {
public:
    explicit CExactInput(const std::string& strBytes) : m_bytes(strBytes.begin(), strBytes.end()) {}
    CArchiveReader Reader() const { return CArchiveReader(m_bytes.data(), m_bytes.size()); }

private:
    std::vector<unsigned char> m_bytes;
};

TEST(ArchiveWriter, IntegersAreLittleEndianTwosComplement) {
    CArchiveWriter writer;
    writer.WriteInt32(110);
    writer.WriteInt32(-2);
    writer.WriteUInt32(0x82);
    writer.WriteUInt32(0xA1B2C3D4u);
    EXPECT_EQ(writer.Buffer(), Bytes({0x6E, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0x82, 0, 0, 0, 0xD4,
                                      0xC3, 0xB2, 0xA1}));
    // Times are signed: 0xFFFFFFFF is one second before 1970, not a moment in 2106.
    CArchiveReader reader(writer.Buffer());
    reader.ReadInt32();
    EXPECT_EQ(reader.ReadTime(), -2);
    EXPECT_EQ(reader.ReadUInt32(), 0x82u);
    EXPECT_EQ(reader.ReadTime(), static_cast<std::int32_t>(0xA1B2C3D4u));
    EXPECT_TRUE(reader.AtEnd());
}

TEST(ArchiveWriter, TimesOutsideInt32AreClampedToTheNearestEnd) {
    struct Case {
        platform::Time tIn;
        std::int32_t nStored;
    };
    const Case cases[] = {
        {0, 0},
        {-1, -1},
        {1796589005, 1796589005},
        {2147483647, 2147483647},
        {2147483648LL, 2147483647},
        {4102444800LL, 2147483647},  // 2100-01-01
        {-2147483648LL, std::numeric_limits<std::int32_t>::min()},
        {-2147483649LL, std::numeric_limits<std::int32_t>::min()},
    };
    for (const Case& c : cases) {
        CArchiveWriter writer;
        writer.WriteTime(c.tIn);
        CArchiveReader reader(writer.Buffer());
        EXPECT_EQ(reader.ReadTime(), c.nStored) << c.tIn;
        EXPECT_TRUE(reader.Ok());
    }
}

TEST(ArchiveStream, LengthPrefixAtEachBoundary) {
    struct Case {
        std::size_t nLength;
        std::string strPrefix;
    };
    const Case cases[] = {
        {0, Bytes({0x00})},
        {1, Bytes({0x01})},
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {256, Bytes({0xFF, 0x00, 0x01})},
        {300, Bytes({0xFF, 0x2C, 0x01})},
        {65533, Bytes({0xFF, 0xFD, 0xFF})},
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {65535, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const Case& c : cases) {
        std::string strText(c.nLength, 'x');
        if (!strText.empty()) strText.back() = 'z';
        CArchiveWriter writer;
        writer.WriteRawString(strText);
        writer.WriteInt32(7);
        const std::string& out = writer.Buffer();
        ASSERT_EQ(out.size(), c.strPrefix.size() + c.nLength + 4) << c.nLength;
        EXPECT_EQ(out.substr(0, c.strPrefix.size()), c.strPrefix) << c.nLength;

        CExactInput input(out);
        CArchiveReader reader = input.Reader();
        EXPECT_EQ(reader.ReadRawString(), strText) << c.nLength;
        EXPECT_EQ(reader.ReadInt32(), 7);
        EXPECT_TRUE(reader.Ok()) << reader.Error();
        EXPECT_TRUE(reader.AtEnd());
    }
}

TEST(ArchiveStream, StringsAreCodePage932OnDiskAndUtf8InMemory) {
    const std::string strText = "予約 ～ 稼動データ ｷｬﾝｾﾙ";
    CArchiveWriter writer;
    writer.WriteString(strText);
    // 予 ends in 0x5C, ～ is 0x81 0x60, the half-width katakana are single bytes.
    EXPECT_EQ(writer.Buffer(),
              Bytes({24,   0x97, 0x5C, 0x96, 0xF1, 0x20, 0x81, 0x60, 0x20, 0x89, 0xD2, 0x93, 0xAE,
                     0x83, 0x66, 0x81, 0x5B, 0x83, 0x5E, 0x20, 0xB7, 0xAC, 0xDD, 0xBE, 0xD9}));
    CArchiveReader reader(writer.Buffer());
    EXPECT_EQ(reader.ReadString(), strText);
    EXPECT_TRUE(reader.Ok());
    EXPECT_TRUE(reader.AtEnd());

    // The prefix counts code page 932 bytes: 128 x 予 is 384 bytes of UTF-8 but 256 on disk.
    std::string strLong;
    for (int i = 0; i < 128; ++i) strLong += "予";
    writer.Clear();
    writer.WriteString(strLong);
    EXPECT_EQ(writer.Buffer().substr(0, 3), Bytes({0xFF, 0x00, 0x01}));
    EXPECT_EQ(writer.Size(), 3u + 256u);
}

TEST(ArchiveStream, RecordRoundTrip) {
    const std::string strBlock = Bytes({'P', 'E', 'R', 'F', 0x00, 0xFF, 0x10});
    CArchiveWriter writer;
    writer.WriteRawString("VARNOLE1");
    writer.WriteUInt32(130);
    writer.WriteString("");
    writer.WriteString("ホスト1");
    writer.WriteTime(1796589005);
    writer.WriteInt32(-1);
    writer.WriteUInt32(static_cast<std::uint32_t>(strBlock.size()));
    writer.WriteBytes(strBlock.data(), strBlock.size());
    writer.WriteRawString("END");
    EXPECT_EQ(writer.Buffer().substr(0, 9), std::string("\x08VARNOLE1"));
    EXPECT_EQ(writer.Buffer().substr(writer.Size() - 4), std::string("\x03"
                                                                     "END"));

    CExactInput input(writer.Buffer());
    CArchiveReader reader = input.Reader();
    EXPECT_EQ(reader.ReadRawString(), "VARNOLE1");
    EXPECT_EQ(reader.ReadUInt32(), 130u);
    EXPECT_EQ(reader.ReadString(), "");
    EXPECT_EQ(reader.ReadString(), "ホスト1");
    EXPECT_EQ(reader.ReadTime(), 1796589005);
    EXPECT_EQ(reader.ReadInt32(), -1);
    const std::uint32_t nBlock = reader.ReadUInt32();
    EXPECT_EQ(reader.ReadBytes(nBlock), strBlock);
    EXPECT_EQ(reader.ReadRawString(), "END");
    EXPECT_TRUE(reader.Ok()) << reader.Error();
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.Position(), writer.Size());
}

TEST(ArchiveReader, AcceptsLongerLengthFormsThanNeeded) {
    // The writer always uses the shortest form; a reader still takes the longer forms.
    const CExactInput input(
        Bytes({0xFF, 0x03, 0x00, 'a', 'b', 'c', 0xFF, 0xFF, 0xFF, 0x02, 0, 0, 0, 'd', 'e'}));
    CArchiveReader reader = input.Reader();
    EXPECT_EQ(reader.ReadRawString(), "abc");
    EXPECT_EQ(reader.ReadRawString(), "de");
    EXPECT_TRUE(reader.Ok());
    EXPECT_TRUE(reader.AtEnd());
}

// Each input is read as one string; every one must fail cleanly at offset 0.
TEST(ArchiveReader, HostileStringPrefixesFailWithoutReadingOrAllocating) {
    struct Case {
        const char* pszName;
        std::string strInput;
        EArchiveError eError;
    };
    const Case cases[] = {
        {"empty input", "", EArchiveError::kTruncated},
        {"short length, short data", Bytes({0x05, 'a', 'b'}), EArchiveError::kTruncated},
        {"254 announced, none present", Bytes({0xFE}), EArchiveError::kTruncated},
        {"long marker alone", Bytes({0xFF}), EArchiveError::kTruncated},
        {"long marker, half a uint16", Bytes({0xFF, 0x10}), EArchiveError::kTruncated},
        {"uint16 length beyond input", Bytes({0xFF, 0x00, 0x01, 'a'}), EArchiveError::kTruncated},
        {"0xFFFE marker", Bytes({0xFF, 0xFE, 0xFF, 0x00, 'a'}), EArchiveError::kBadLengthMarker},
        {"huge marker, no uint32", Bytes({0xFF, 0xFF, 0xFF, 0x01, 0x00}),
         EArchiveError::kTruncated},
        {"1 GiB announced", Bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x40, 'a', 'b'}),
         EArchiveError::kTruncated},
        {"4 GiB announced", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
         EArchiveError::kTruncated},
    };
    for (const Case& c : cases) {
        for (const bool bConvert : {false, true}) {
            CExactInput input(c.strInput);
            CArchiveReader reader = input.Reader();
            const std::string strOut = bConvert ? reader.ReadString() : reader.ReadRawString();
            EXPECT_FALSE(reader.Ok()) << c.pszName;
            EXPECT_EQ(reader.ErrorCode(), c.eError) << c.pszName;
            EXPECT_FALSE(reader.Error().empty()) << c.pszName;
            EXPECT_TRUE(strOut.empty()) << c.pszName;
            EXPECT_EQ(reader.Position(), 0u) << c.pszName;
            EXPECT_EQ(reader.Remaining(), c.strInput.size()) << c.pszName;
        }
    }
}

TEST(ArchiveReader, ShortFixedSizeValuesFail) {
    CExactInput input(Bytes({0x01, 0x02, 0x03}));
    {
        CArchiveReader reader = input.Reader();
        EXPECT_EQ(reader.ReadInt32(), 0);
        EXPECT_EQ(reader.ErrorCode(), EArchiveError::kTruncated);
    }
    {
        CArchiveReader reader = input.Reader();
        EXPECT_EQ(reader.ReadTime(), 0);
        EXPECT_FALSE(reader.Ok());
    }
    {
        CArchiveReader reader = input.Reader();
        EXPECT_TRUE(reader.ReadBytes(std::numeric_limits<std::size_t>::max()).empty());
        EXPECT_FALSE(reader.Ok());
        EXPECT_EQ(reader.Position(), 0u);
    }
    {
        CArchiveReader reader(nullptr, 100);
        EXPECT_EQ(reader.Remaining(), 0u);
        EXPECT_EQ(reader.ReadUInt32(), 0u);
        EXPECT_FALSE(reader.Ok());
    }
}

TEST(ArchiveReader, FirstFailureSticks) {
    // A string announcing 9 bytes where 8 follow; those 8 bytes would make two valid ints.
    const CExactInput input(Bytes({0x09, 1, 0, 0, 0, 2, 0, 0, 0}));
    CArchiveReader record = input.Reader();
    EXPECT_EQ(record.ReadRawString(), "");
    const std::string strFirst = record.Error();
    EXPECT_EQ(record.ReadInt32(), 0);
    EXPECT_EQ(record.ReadRawString(), "");
    EXPECT_EQ(record.ReadTime(), 0);
    EXPECT_FALSE(record.Ok());
    EXPECT_EQ(record.Error(), strFirst);
    EXPECT_EQ(record.Position(), 0u);
}

TEST(ArchiveReader, EveryTruncationOfARecordFailsCleanly) {
    CArchiveWriter writer;
    writer.WriteInt32(1);
    writer.WriteString("予約");
    writer.WriteRawString(std::string(300, 'p'));
    writer.WriteTime(1796589005);
    writer.WriteRawString(std::string(65534, 'q'));
    const std::string strFull = writer.TakeBuffer();
    for (std::size_t n = 0; n <= strFull.size();
         n += (n < 400 || n + 400 > strFull.size()) ? 1 : 997) {
        CExactInput input(strFull.substr(0, n));
        CArchiveReader reader = input.Reader();
        reader.ReadInt32();
        reader.ReadString();
        reader.ReadRawString();
        reader.ReadTime();
        reader.ReadRawString();
        EXPECT_EQ(reader.Ok(), n == strFull.size()) << n;
        EXPECT_LE(reader.Position(), n);
    }
}

}  // namespace
