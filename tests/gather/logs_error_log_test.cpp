// Tests of the error log writer: record contents, directories, busy and missing files, rotation.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

#include "archive_stream.h"
#include "logs/error_log.h"
#include "logs/error_log_reader.h"
#include "platform/file_io.h"
#include "platform/files.h"
#include "platform/named_mutex.h"
#include "platform/temp_dir.h"

namespace {

using platform::ManualClock;
using platform_test::CTempDir;

constexpr platform::Time kNow = 1796000000;  // 2026-12-1x

// A mutex name of this test alone, so that parallel test programs never share one.
std::string UniqueMutexName() {
    static std::random_device s_random;
    return "VARNOLE_ERR_test_" + std::to_string(s_random()) + "_" +
           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
}

std::vector<CErrorRecord> ReadRecords(const std::string& path) {
    CErrorLogContents contents;
    EXPECT_EQ(ReadErrorLog(path, contents), platform::kSuccess) << path;
    EXPECT_FALSE(contents.m_bIncomplete) << path;
    return contents.m_arrRecords;
}

std::string EncodedRecord(platform::Time t, const std::string& text) {
    CErrorRecord record;
    record.m_tTime = t;
    record.m_strText = text;
    CArchiveWriter archive;
    WriteErrorRecord(archive, record);
    return archive.TakeBuffer();
}

class ErrorLogWriter : public testing::Test {
protected:
    CTempDir m_dirProgram;
    CTempDir m_dirData;
    ManualClock m_clock{kNow};
    CErrorLog m_log{m_clock, m_dirProgram.Path() + platform::kPathSeparator, UniqueMutexName()};
};

TEST_F(ErrorLogWriter, AppendsRecordsWithTimeCodeAndSystemText) {
    ASSERT_EQ(m_log.WriteErrorLog(5, m_dirData.Path(), "SetEvent - 3/x"), platform::kSuccess);
    m_clock.AdvanceSeconds(7);
    ASSERT_EQ(
        m_log.WriteErrorLog(kNoErrorCode, m_dirData.Path() + platform::kPathSeparator, "no code"),
        platform::kSuccess);

    const auto records = ReadRecords(m_dirData.Path(kErrorLogFileName));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].m_tTime, kNow);
    EXPECT_EQ(records[0].m_nCode, 5);
    EXPECT_EQ(records[0].m_strSystemText, SystemErrorText(5));
    EXPECT_FALSE(records[0].m_strSystemText.empty());
    EXPECT_EQ(records[0].m_strText, "SetEvent - 3/x");
    EXPECT_EQ(records[1].m_tTime, kNow + 7);
    EXPECT_EQ(records[1].m_nCode, kNoErrorCode);
    EXPECT_EQ(records[1].m_strSystemText, "");
    EXPECT_EQ(records[1].m_strText, "no code");
    EXPECT_FALSE(m_dirProgram.Exists(kErrorLogFileName));
}

TEST_F(ErrorLogWriter, ReportPlatformErrorWritesToTheProgramDirectoryAndReturnsTheText) {
    EXPECT_EQ(m_log.ReportPlatformError(53, "WNetAddConnection2"), SystemErrorText(53));
    const auto records = ReadRecords(m_dirProgram.Path(kErrorLogFileName));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].m_nCode, 53);
    EXPECT_EQ(records[0].m_strText, "WNetAddConnection2");
}

TEST_F(ErrorLogWriter, MissingDirectoryFailsAndTheRecordFollowsLater) {
    const std::string directory = m_dirData.Path("later");
    EXPECT_EQ(m_log.WriteErrorLog(2, directory, "first"), platform::kErrorPathNotFound);
    EXPECT_EQ(m_log.HeldBackRecords(), 1u);

    m_dirData.MakeDirectory("later");
    ASSERT_EQ(m_log.WriteErrorLog(3, directory, "second"), platform::kSuccess);
    EXPECT_EQ(m_log.HeldBackRecords(), 0u);
    const auto records = ReadRecords(directory + platform::kPathSeparator + kErrorLogFileName);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].m_strText, "first");
    EXPECT_EQ(records[1].m_strText, "second");
}

TEST_F(ErrorLogWriter, HeldBackRecordsAreBoundedAndTheRestCounted) {
    const std::string directory = m_dirData.Path("missing");
    const std::string text(10000, 'x');
    const std::size_t fit = CErrorLog::kMaxHeldBytes / EncodedRecord(0, text).size();
    for (std::size_t i = 0; i < fit + 3; ++i) m_log.WriteErrorLog(2, directory, text);
    EXPECT_EQ(m_log.HeldBackRecords(), fit);
    EXPECT_EQ(m_log.DroppedRecords(), 3u);
}

TEST_F(ErrorLogWriter, BusyFileIsRetriedForABoundedTimeThenWrittenNextTime) {
    const std::string path = m_dirData.Path(kErrorLogFileName);
    m_log.SetBusyWait(30);
    {
        platform::AppendFile other;  // another writer holds the file open
        ASSERT_EQ(other.Open(path), platform::kSuccess);
        EXPECT_EQ(m_log.WriteErrorLog(5, m_dirData.Path(), "while busy"),
                  platform::kErrorSharingViolation);
        EXPECT_EQ(m_log.HeldBackRecords(), 1u);
        ASSERT_EQ(other.Append(EncodedRecord(9, "other writer")), platform::kSuccess);
    }
    ASSERT_EQ(m_log.WriteErrorLog(6, m_dirData.Path(), "after"), platform::kSuccess);
    const auto records = ReadRecords(path);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].m_strText, "other writer");
    EXPECT_EQ(records[1].m_strText, "while busy");
    EXPECT_EQ(records[1].m_nCode, 5);
    EXPECT_EQ(records[2].m_strText, "after");
}

#ifndef _WIN32
// A file that can take only part of a record (here: a file size limit) is cut back, so the log
// never holds half a record with whole ones after it.
TEST_F(ErrorLogWriter, PartlyWrittenRecordIsCutBack) {
    const std::string path = m_dirData.Path(kErrorLogFileName);
    const std::string first = EncodedRecord(1, "first");
    m_dirData.WriteFile(kErrorLogFileName, first);
    m_log.SetBusyWait(0);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = first.size() + 40;
    void (*previous)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const platform::ErrorCode error =
        m_log.WriteErrorLog(5, m_dirData.Path(), std::string(200, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);

    EXPECT_EQ(error, platform::kErrorDiskFull);
    EXPECT_EQ(std::filesystem::file_size(platform_test::PathFromUtf8(path)), first.size());
    ASSERT_EQ(m_log.WriteErrorLog(6, m_dirData.Path(), "after"), platform::kSuccess);
    const auto records = ReadRecords(path);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].m_strText, std::string(200, 'x'));
    EXPECT_EQ(records[2].m_strText, "after");
}
#endif

// ---- rotation ----

class ErrorLogRotation : public testing::Test {
protected:
    // Puts an old log (one record "old") into directory and returns its creation time.
    static platform::Time PlaceOldLog(const CTempDir& directory) {
        directory.WriteFile(kErrorLogFileName, EncodedRecord(1, "old"));
        platform::Time created = 0;
        EXPECT_EQ(platform::FileCreationTime(directory.Path(kErrorLogFileName), created),
                  platform::kSuccess);
        return created;
    }

    static std::vector<std::string> Texts(const std::string& path) {
        std::vector<std::string> texts;
        for (const CErrorRecord& record : ReadRecords(path)) texts.push_back(record.m_strText);
        return texts;
    }

    CTempDir m_dir;
    std::string m_strMutex = UniqueMutexName();
};

using TextList = std::vector<std::string>;

TEST_F(ErrorLogRotation, LogCreated744HoursAgoMovesToTheBackup) {
    const platform::Time created = PlaceOldLog(m_dir);
    m_dir.WriteFile(kErrorLogBackupName, EncodedRecord(0, "month before"));
    ManualClock clock(created + 744 * 3600);
    CErrorLog log(clock, "", m_strMutex);
    ASSERT_EQ(log.WriteErrorLog(2, m_dir.Path(), "new"), platform::kSuccess);
    EXPECT_EQ(Texts(m_dir.Path(kErrorLogBackupName)), TextList{"old"});
    EXPECT_EQ(Texts(m_dir.Path(kErrorLogFileName)), TextList{"new"});
}

TEST_F(ErrorLogRotation, LogCreated743HoursAgoIsKept) {
    const platform::Time created = PlaceOldLog(m_dir);
    ManualClock clock(created + 744 * 3600 - 1);  // 743 whole hours
    CErrorLog log(clock, "", m_strMutex);
    ASSERT_EQ(log.WriteErrorLog(2, m_dir.Path(), "new"), platform::kSuccess);
    EXPECT_FALSE(m_dir.Exists(kErrorLogBackupName));
    EXPECT_EQ(Texts(m_dir.Path(kErrorLogFileName)), (TextList{"old", "new"}));
}

TEST_F(ErrorLogRotation, OnlyTheFirstWriteOfTheProcessRotates) {
    const platform::Time created = PlaceOldLog(m_dir);
    ManualClock clock(created + 743 * 3600);
    CErrorLog log(clock, "", m_strMutex);
    ASSERT_EQ(log.WriteErrorLog(2, m_dir.Path(), "first"), platform::kSuccess);
    clock.AdvanceSeconds(100 * 3600);
    ASSERT_EQ(log.WriteErrorLog(2, m_dir.Path(), "second"), platform::kSuccess);
    EXPECT_FALSE(m_dir.Exists(kErrorLogBackupName));
    EXPECT_EQ(Texts(m_dir.Path(kErrorLogFileName)), (TextList{"old", "first", "second"}));
}

TEST_F(ErrorLogRotation, OnlyTheFirstWritesDirectoryRotates) {
    CTempDir other;
    const platform::Time created = PlaceOldLog(m_dir);
    ManualClock clock(created + 800 * 3600);
    CErrorLog log(clock, "", m_strMutex);
    ASSERT_EQ(log.WriteErrorLog(2, other.Path(), "elsewhere"), platform::kSuccess);
    ASSERT_EQ(log.WriteErrorLog(2, m_dir.Path(), "here"), platform::kSuccess);
    EXPECT_FALSE(m_dir.Exists(kErrorLogBackupName));
    EXPECT_EQ(Texts(m_dir.Path(kErrorLogFileName)), (TextList{"old", "here"}));
}

TEST_F(ErrorLogRotation, TheWriterKeepsTheMutexSoALaterProcessSkips) {
    const platform::Time created = PlaceOldLog(m_dir);
    ManualClock clock(created + 800 * 3600);
    CErrorLog first(clock, "", m_strMutex);
    ASSERT_EQ(first.WriteErrorLog(2, m_dir.Path(), "first"), platform::kSuccess);
    EXPECT_TRUE(platform::NamedMutex::Exists(m_strMutex));

    // A new log, aged again, met by a second "process" while the first one still runs.
    CTempDir later;
    const platform::Time laterCreated = PlaceOldLog(later);
    clock.Set(laterCreated + 800 * 3600);
    CErrorLog second(clock, "", m_strMutex);
    ASSERT_EQ(second.WriteErrorLog(2, later.Path(), "second"), platform::kSuccess);
    EXPECT_FALSE(later.Exists(kErrorLogBackupName));
}

}  // namespace
