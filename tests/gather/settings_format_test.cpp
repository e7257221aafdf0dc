// The settings file's byte layout: golden records, older versions, and reading cut-off or damaged
// data.
#include "settings_format.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "gather/settings_bytes.h"

namespace {

using gather_test::CRawBytes;
using gather_test::CRawSchedule;

std::string Hex(const std::string& bytes) {
    static const char* kDigits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
        out += ' ';
    }
    return out;
}

TEST(SettingsRecord, UsedScheduleIs94BytesWithThresholdsBeforeTimes) {
    CSchedule s;
    s.m_nState = 1;
    s.m_nTargetType = 0;
    s.m_nInterval = 1000;
    s.m_nSplitUnit = 1800000;
    s.m_nRepeat = 2;
    s.m_nDay = 15;
    s.m_tStart = 0x11223344;
    s.m_bWeekday = {1, 0, 1, 0, 0, 0, 1};
    s.m_nEndType = 0;
    s.m_tsDuration = 7200;
    s.m_tsEndTime = 86400 + 6 * 3600;
    s.m_nCpuThreshold = 80;
    s.m_nMemThreshold = 512;
    s.m_nDiskThreshold = -1;
    s.m_tNextStart = 0x60000001;
    s.m_tNextEnd = 0x60000002;
    s.m_tFollowingStart = 0x60000003;

    const unsigned char kExpected[] = {
        0x01, 0x00, 0x00, 0x00,  // state
        0x00, 0x00, 0x00, 0x00,  // target type
        0x00,                    // target ""
        0x00,                    // comment ""
        0xe8, 0x03, 0x00, 0x00,  // interval 1000
        0x40, 0x77, 0x1b, 0x00,  // split unit 1800000
        0x02, 0x00, 0x00, 0x00,  // repetition
        0x0f, 0x00, 0x00, 0x00,  // day 15
        0x44, 0x33, 0x22, 0x11,  // start
        0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // end type
        0x20, 0x1c, 0x00, 0x00,                                      // duration 7200
        0xe0, 0xa5, 0x01, 0x00,                                      // end time 108000
        0x50, 0x00, 0x00, 0x00,                                      // processor threshold 80
        0x00, 0x02, 0x00, 0x00,                                      // memory threshold 512
        0xff, 0xff, 0xff, 0xff,                                      // disk threshold -1
        0x01, 0x00, 0x00, 0x60,                                      // next start
        0x02, 0x00, 0x00, 0x60,                                      // next end
        0x03, 0x00, 0x00, 0x60,                                      // following start
    };
    static_assert(sizeof kExpected == 94);

    CArchiveWriter writer;
    WriteScheduleRecord(writer, s);
    const std::string expected(reinterpret_cast<const char*>(kExpected), sizeof kExpected);
    EXPECT_EQ(Hex(writer.Buffer()), Hex(expected));

    CArchiveReader reader(writer.Buffer());
    CSchedule back;
    ReadScheduleRecord(reader, CSettingsLayout::ForVersion(110), back);
    EXPECT_TRUE(reader.Ok());
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(back, s);
}

TEST(SettingsRecord, FreeScheduleSlotIsFourZeroBytesWhateverItHolds) {
    CSchedule s = CSchedule::Blank(1'800'000'000);
    s.m_strTarget = "PC1";  // left over in a freed slot: not written
    CArchiveWriter writer;
    WriteScheduleRecord(writer, s);
    EXPECT_EQ(writer.Buffer(), std::string(4, '\0'));
}

TEST(SettingsRecord, HostFieldsInFileOrderAndGroupMembersFirstToLast) {
    CHostEntry host;
    host.m_strHost = "H";
    host.m_strUser = "U";
    host.m_strPassword = "P";
    host.m_strOsInfo = "O";
    host.m_strCpuInfo = "C";
    host.m_strOwnerInfo = "W";
    CArchiveWriter writer;
    WriteHostRecord(writer, host);
    EXPECT_EQ(writer.Buffer(),
              CRawBytes().Str("C").Str("H").Str("W").Str("O").Str("P").Str("U").Bytes());

    CHostGroup group;
    group.m_strName = "G";
    group.m_strMember[0] = "a";
    group.m_strMember[1] = "b";
    writer.Clear();
    WriteGroupRecord(writer, group);
    EXPECT_EQ(writer.Buffer(), CRawBytes().Str("G").Str("a").Str("b").Empty(48).Bytes());
}

TEST(SettingsFile, EmptyTablesGiveTheFullVersion110Layout) {
    auto hosts = std::make_unique<CHostTable>();
    auto groups = std::make_unique<CGroupTable>();
    auto schedules = std::make_unique<CScheduleTable>();
    const std::string bytes = EncodeSettings(7, *hosts, *groups, *schedules);
    EXPECT_EQ(bytes.size(), 8u + 500 * 6 + 50 * 51 + 500 * 4);
    EXPECT_EQ(bytes.substr(0, 8), CRawBytes().Int(110).Int(7).Bytes());
}

TEST(SettingsLayout, SlotCountsAndOptionalFieldsByVersion) {
    struct {
        std::int32_t nVersion;
        int nHosts, nGroups, nSchedules;
        bool bTargetType, bSplitUnit;
    } const kCases[] = {
        {100, 20, 0, 100, false, false},  {101, 500, 0, 500, false, false},
        {102, 500, 50, 500, true, false}, {109, 500, 50, 500, true, false},
        {110, 500, 50, 500, true, true},  {111, 500, 50, 500, true, true},
        {0, 500, 50, 500, true, false},   {-1, 500, 50, 500, true, false},
    };
    for (const auto& c : kCases) {
        const CSettingsLayout layout = CSettingsLayout::ForVersion(c.nVersion);
        EXPECT_EQ(layout.m_nHosts, c.nHosts) << c.nVersion;
        EXPECT_EQ(layout.m_nGroups, c.nGroups) << c.nVersion;
        EXPECT_EQ(layout.m_nSchedules, c.nSchedules) << c.nVersion;
        EXPECT_EQ(layout.m_bTargetType, c.bTargetType) << c.nVersion;
        EXPECT_EQ(layout.m_bSplitUnit, c.bSplitUnit) << c.nVersion;
    }
}

// A version-100 file: 20 hosts, no groups, 100 schedules without target type and split unit.
TEST(SettingsFile, Version100LayoutIsRead) {
    CRawBytes file;
    file.Int(100).Int(42);
    for (int i = 0; i < 20; ++i) {
        if (i == 19) {
            file.Str("Pentium").Str("PC19").Str("owner").Str("NT 4.0").Str("pw").Str("admin");
        } else {
            file.Empty(6);
        }
    }
    CRawSchedule used;
    used.m_nState = 2;
    used.m_strTarget = "PC19";
    used.m_strComment = "daily";
    used.m_nInterval = 5000;
    used.m_nRepeat = 1;
    used.m_tStart = 1'000'000'000;
    used.m_nMem = 256;
    used.m_tNextStart = 1'000'003'600;
    used.m_tNextEnd = 1'000'007'200;
    used.m_tFollowingStart = 1'000'090'000;
    for (int i = 0; i < 100; ++i) {
        if (i == 3 || i == 99) {
            used.AppendTo(file, false, false);
        } else {
            file.Int(0);
        }
    }

    const CSettingsContents c = DecodeSettings(file.Bytes());
    ASSERT_TRUE(c.Complete());
    EXPECT_EQ(c.m_nVersion, 100);
    EXPECT_EQ(c.m_nLastSchedule, 42);
    EXPECT_EQ(c.m_nHostsRead, 20);
    EXPECT_EQ(c.m_nGroupsRead, 0);
    EXPECT_EQ(c.m_nSchedulesRead, 100);
    const CHostEntry& host = (*c.m_pHosts)[19];
    EXPECT_EQ(host.m_strCpuInfo, "Pentium");
    EXPECT_EQ(host.m_strHost, "PC19");
    EXPECT_EQ(host.m_strOwnerInfo, "owner");
    EXPECT_EQ(host.m_strOsInfo, "NT 4.0");
    EXPECT_EQ(host.m_strPassword, "pw");
    EXPECT_EQ(host.m_strUser, "admin");
    for (int i : {3, 99}) {
        const CSchedule& s = (*c.m_pSchedules)[static_cast<std::size_t>(i)];
        EXPECT_EQ(s.m_nState, 2);
        EXPECT_EQ(s.m_nTargetType, kTargetHost);
        EXPECT_EQ(s.m_nSplitUnit, 0);
        EXPECT_EQ(s.m_strTarget, "PC19");
        EXPECT_EQ(s.m_strComment, "daily");
        EXPECT_EQ(s.m_nInterval, 5000);
        EXPECT_EQ(s.m_nMemThreshold, 256);
        EXPECT_EQ(s.m_tNextStart, 1'000'003'600);
        EXPECT_EQ(s.m_tFollowingStart, 1'000'090'000);
    }
    EXPECT_TRUE((*c.m_pSchedules)[4].IsFree());
    EXPECT_EQ((*c.m_pSchedules)[100], CSchedule());  // beyond the file's slots: untouched
}

// A version-101 file: 500 hosts, no groups, 500 schedules, no target type, no split unit.
TEST(SettingsFile, Version101LayoutIsRead) {
    CRawBytes file;
    file.Int(101).Int(500);
    for (int i = 0; i < 500; ++i) {
        if (i == 499) {
            file.Str("cpu").Str("LAST").Empty(4);
        } else {
            file.Empty(6);
        }
    }
    CRawSchedule used;
    used.m_strTarget = "LAST";
    used.m_nInterval = 60000;
    used.m_nRepeat = 4;
    used.m_nDay = -1;
    used.m_nDisk = 90;
    for (int i = 0; i < 500; ++i) {
        if (i == 499) {
            used.AppendTo(file, false, false);
        } else {
            file.Int(0);
        }
    }

    const CSettingsContents c = DecodeSettings(file.Bytes());
    ASSERT_TRUE(c.Complete());
    EXPECT_EQ(c.m_nLastSchedule, 500);
    EXPECT_EQ(c.m_nHostsRead, 500);
    EXPECT_EQ(c.m_nGroupsRead, 0);
    EXPECT_EQ(c.m_nSchedulesRead, 500);
    EXPECT_EQ((*c.m_pHosts)[499].m_strHost, "LAST");
    EXPECT_EQ((*c.m_pHosts)[499].m_strCpuInfo, "cpu");
    const CSchedule& s = (*c.m_pSchedules)[499];
    EXPECT_EQ(s.m_nState, 1);
    EXPECT_EQ(s.m_nTargetType, kTargetHost);
    EXPECT_EQ(s.m_nSplitUnit, 0);
    EXPECT_EQ(s.m_nRepeat, 4);
    EXPECT_EQ(s.m_nDay, -1);
    EXPECT_EQ(s.m_nDiskThreshold, 90);
}

// Versions 102..109 have group slots and the target type but no split unit.
TEST(SettingsFile, VersionWithGroupsButWithoutSplitUnit) {
    CRawBytes file;
    file.Int(105).Int(3).Empty(500 * 6);
    file.Str("TEAM").Str("a").Empty(49);
    file.Empty(49 * 51);
    CRawSchedule used;
    used.m_nTargetType = 1;
    used.m_strTarget = "TEAM";
    used.m_nInterval = 2000;
    used.AppendTo(file, true, false);
    for (int i = 1; i < 500; ++i) file.Int(0);

    const CSettingsContents c = DecodeSettings(file.Bytes());
    ASSERT_TRUE(c.Complete());
    EXPECT_EQ((*c.m_pGroups)[0].m_strName, "TEAM");
    EXPECT_EQ((*c.m_pGroups)[0].m_strMember[0], "a");
    const CSchedule& s = (*c.m_pSchedules)[0];
    EXPECT_EQ(s.m_nTargetType, kTargetGroup);
    EXPECT_EQ(s.m_nInterval, 2000);
    EXPECT_EQ(s.m_nSplitUnit, 0);
}

// A file with something in every kind of record, and where each record ends.
struct CSampleFile {
    std::string m_strBytes;
    std::vector<std::size_t> m_arrHostEnds, m_arrGroupEnds, m_arrScheduleEnds;
    std::unique_ptr<CHostTable> m_pHosts = std::make_unique<CHostTable>();
    std::unique_ptr<CGroupTable> m_pGroups = std::make_unique<CGroupTable>();
    std::unique_ptr<CScheduleTable> m_pSchedules = std::make_unique<CScheduleTable>();

    CSampleFile() {
        (*m_pHosts)[0] = {"PC1", "user", "secret", "Windows 10.0 19045", "Xeon 3000 MHz", "owner"};
        (*m_pHosts)[2] = {"サーバ２", "", "", "", "", ""};
        (*m_pGroups)[0].m_strName = "営業";
        (*m_pGroups)[0].m_strMember[0] = "PC1";
        (*m_pGroups)[0].m_strMember[1] = "サーバ２";
        CSchedule s;
        s.m_nState = 1;
        s.m_strTarget = "PC1";
        s.m_strComment = "毎朝";
        s.m_nInterval = 1000;
        s.m_nRepeat = 1;
        (*m_pSchedules)[0] = s;
        s.m_nTargetType = kTargetGroup;
        s.m_strTarget = "営業";
        (*m_pSchedules)[499] = s;

        CArchiveWriter writer;
        writer.WriteInt32(kSettingsVersion);
        writer.WriteInt32(12);
        for (const CHostEntry& host : *m_pHosts) {
            WriteHostRecord(writer, host);
            m_arrHostEnds.push_back(writer.Size());
        }
        for (const CHostGroup& group : *m_pGroups) {
            WriteGroupRecord(writer, group);
            m_arrGroupEnds.push_back(writer.Size());
        }
        for (const CSchedule& schedule : *m_pSchedules) {
            WriteScheduleRecord(writer, schedule);
            m_arrScheduleEnds.push_back(writer.Size());
        }
        m_strBytes = writer.TakeBuffer();
    }
};

int RecordsEndingBy(const std::vector<std::size_t>& ends, std::size_t nSize) {
    int n = 0;
    while (n < static_cast<int>(ends.size()) && ends[static_cast<std::size_t>(n)] <= nSize) ++n;
    return n;
}

TEST(SettingsFile, WholeFileReadsBackEveryRecord) {
    const CSampleFile sample;
    EXPECT_EQ(sample.m_strBytes,
              EncodeSettings(12, *sample.m_pHosts, *sample.m_pGroups, *sample.m_pSchedules));
    const CSettingsContents c = DecodeSettings(sample.m_strBytes);
    ASSERT_TRUE(c.Complete());
    EXPECT_EQ(*c.m_pHosts, *sample.m_pHosts);
    EXPECT_EQ(*c.m_pGroups, *sample.m_pGroups);
    EXPECT_EQ(*c.m_pSchedules, *sample.m_pSchedules);
}

// A prefix of a valid file is reported as cut off, keeps exactly the records that lie wholly
// inside it, and names where the first incomplete record began. Every offset is tried in the
// header and around the records that hold something (each field of each kind of record is cut),
// and every 37th byte in the long runs of empty slots between them.
TEST(SettingsFile, TruncatedAtEveryOffsetKeepsTheWholeRecordsBeforeTheCut) {
    const CSampleFile sample;
    const std::string& bytes = sample.m_strBytes;
    const std::size_t nGroupsStart = sample.m_arrHostEnds.back();
    const std::size_t nSchedulesStart = sample.m_arrGroupEnds.back();
    const auto Near = [](std::size_t n, std::size_t nFrom, std::size_t nTo) {
        return n + 8 >= nFrom && n <= nTo + 8;
    };
    int nTried = 0;
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const bool bEvery = Near(n, 0, sample.m_arrHostEnds[3]) ||
                            Near(n, nGroupsStart, sample.m_arrGroupEnds[1]) ||
                            Near(n, nSchedulesStart, sample.m_arrScheduleEnds[1]) ||
                            Near(n, sample.m_arrScheduleEnds[498], bytes.size());
        if (!bEvery && n % 37 != 0) continue;
        ++nTried;
        const CSettingsContents c = DecodeSettings(std::string_view(bytes).substr(0, n));
        ASSERT_FALSE(c.Complete()) << n;
        ASSERT_EQ(c.m_eError, EArchiveError::kTruncated) << n;
        ASSERT_EQ(c.m_bHeaderRead, n >= 8) << n;
        const int nHosts = n < 8 ? 0 : RecordsEndingBy(sample.m_arrHostEnds, n);
        const int nGroups = RecordsEndingBy(sample.m_arrGroupEnds, n);
        const int nSchedules = RecordsEndingBy(sample.m_arrScheduleEnds, n);
        ASSERT_EQ(c.m_nHostsRead, nHosts) << n;
        ASSERT_EQ(c.m_nGroupsRead, nGroups) << n;
        ASSERT_EQ(c.m_nSchedulesRead, nSchedules) << n;
        std::size_t nRecordStart = 0;
        if (n >= 8) {
            if (nHosts < kHostSlots) {
                nRecordStart = nHosts == 0 ? 8 : sample.m_arrHostEnds[nHosts - 1];
            } else if (nGroups < kGroupSlots) {
                nRecordStart =
                    nGroups == 0 ? sample.m_arrHostEnds.back() : sample.m_arrGroupEnds[nGroups - 1];
            } else {
                nRecordStart = nSchedules == 0 ? sample.m_arrGroupEnds.back()
                                               : sample.m_arrScheduleEnds[nSchedules - 1];
            }
        }
        ASSERT_EQ(c.m_nErrorOffset, nRecordStart) << n;
        // A record cut in the middle leaves its slot as it was.
        if (nHosts == 0) {
            ASSERT_TRUE((*c.m_pHosts)[0].IsFree()) << n;
        }
        if (nGroups == 0) {
            ASSERT_TRUE((*c.m_pGroups)[0].IsFree()) << n;
        }
        if (nSchedules < kScheduleSlots) {
            ASSERT_TRUE((*c.m_pSchedules)[499].IsFree()) << n;
        }
    }
    EXPECT_GT(nTried, 500);
    // The cut in the middle of the last schedule keeps all hosts and groups as written.
    const CSettingsContents c = DecodeSettings(std::string_view(bytes).substr(0, bytes.size() - 1));
    EXPECT_EQ(*c.m_pHosts, *sample.m_pHosts);
    EXPECT_EQ(*c.m_pGroups, *sample.m_pGroups);
    EXPECT_EQ((*c.m_pSchedules)[0], (*sample.m_pSchedules)[0]);
}

TEST(SettingsFile, DamagedLengthsFailWithoutReadingOnOrAllocating) {
    // A host text claiming 2 GB in a file of a few bytes, and the length marker 0xFFFE that the
    // format does not use.
    std::string huge = CRawBytes().Int(110).Int(1).Bytes();
    huge += std::string("\xff\xff\xff\xff\xff\xff\x7f", 7);
    const CSettingsContents cHuge = DecodeSettings(huge);
    EXPECT_EQ(cHuge.m_eError, EArchiveError::kTruncated);
    EXPECT_EQ(cHuge.m_nHostsRead, 0);

    std::string marker = CRawBytes().Int(110).Int(1).Bytes();
    marker += std::string("\xff\xfe\xff", 3);
    const CSettingsContents cMarker = DecodeSettings(marker);
    EXPECT_EQ(cMarker.m_eError, EArchiveError::kBadLengthMarker);
    EXPECT_EQ(cMarker.m_nErrorOffset, 8u);
}

}  // namespace
