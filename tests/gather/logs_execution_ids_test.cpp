// Tests of execution IDs: the text, month and year rollover, the stored state and its failures.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "gather/memory_id_store.h"
#include "logs/error_log.h"
#include "logs/error_log_reader.h"
#include "logs/execution_ids.h"
#include "platform/config_store.h"
#include "platform/local_time.h"
#include "platform/private_configuration.h"
#include "platform/temp_dir.h"

namespace {

using platform::ManualClock;
using platform_test::CTempDir;

platform::Time At(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
    return platform::MakeLocalTime(year, month, day, hour, minute, second);
}

std::uint32_t Dword(platform::Time t) {
    return static_cast<std::uint32_t>(t);
}

std::string UniqueMutexName() {
    static std::random_device s_random;
    return "VARNOLE_ERR_ids_" + std::to_string(s_random()) + "_" +
           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
}

class ExecutionIds : public testing::Test {
protected:
    // A counter loaded from the store as it is now, with the clock at `now`.
    std::string FirstIdAt(platform::Time now) {
        m_clock.Set(now);
        m_ids.LoadExecutionIdState();
        return m_ids.NextExecutionId();
    }

    CTempDir m_dirData;
    ManualClock m_clock{At(2026, 12, 6)};
    gather_test::CMemoryIdStore m_store;
    CErrorLog m_log{m_clock, "", UniqueMutexName()};
    CExecutionIds m_ids{m_clock, m_store, m_log};
};

TEST(ExecutionIdText, DigitMonthAndSequence) {
    EXPECT_EQ(FormatExecutionId(2026, 12, 0), "61200000");
    EXPECT_EQ(FormatExecutionId(2030, 1, 7), "00100007");
    EXPECT_EQ(FormatExecutionId(2027, 3, 99999), "70399999");
    EXPECT_EQ(FormatExecutionId(2027, 3, 100000), "703100000");  // wider, no cap
}

TEST_F(ExecutionIds, FreshInstallationStartsAtZeroAndCountsOn) {
    EXPECT_EQ(FirstIdAt(At(2026, 12, 6)), "61200000");
    EXPECT_EQ(m_ids.NextExecutionId(), "61200001");
    EXPECT_EQ(m_ids.NextExecutionId(), "61200002");
}

// The first ID of a process, from the stored month marker and serial 41.
TEST_F(ExecutionIds, StoredStateDecidesTheFirstId) {
    struct SCase {
        platform::Time tStored;
        std::uint32_t nSerial;
        platform::Time tNow;
        const char* pszExpected;
    };
    const SCase cases[] = {
        // the same month continues
        {At(2026, 12, 1), 41, At(2026, 12, 31, 23, 59, 59), "61200042"},
        // the last second of November, then the first of December (local time)
        {At(2026, 11, 30, 23, 59, 59), 41, At(2026, 12, 1, 0, 0, 0), "61200000"},
        // the same month of another year
        {At(2016, 12, 6), 41, At(2026, 12, 6), "61200000"},
        // past five digits
        {At(2026, 12, 1), 99999, At(2026, 12, 6), "612100000"},
    };
    for (const SCase& c : cases) {
        m_store.m_mapValues = {{kExecIdMonthValue, Dword(c.tStored)},
                               {kExecIdSerialValue, c.nSerial}};
        EXPECT_EQ(FirstIdAt(c.tNow), c.pszExpected);
    }
}

TEST_F(ExecutionIds, YearChangeWhileRunningRestarts) {
    EXPECT_EQ(FirstIdAt(At(2026, 12, 31, 23, 59, 0)), "61200000");
    EXPECT_EQ(m_ids.NextExecutionId(), "61200001");
    m_clock.Set(At(2027, 1, 1, 0, 0, 30));
    EXPECT_EQ(m_ids.NextExecutionId(), "70100000");
    EXPECT_EQ(m_ids.NextExecutionId(), "70100001");
}

TEST_F(ExecutionIds, UnreadableOrCorruptSerialStartsTheMonthAtZero) {
    m_store.m_mapValues = {{kExecIdMonthValue, Dword(At(2026, 12, 1))}};
    EXPECT_EQ(FirstIdAt(At(2026, 12, 6)), "61200000");
    m_store.m_mapValues[kExecIdSerialValue] = 0x80000000u;  // never written by the program
    EXPECT_EQ(FirstIdAt(At(2026, 12, 6)), "61200000");
    m_store.m_mapValues[kExecIdSerialValue] = 0x7FFFFFFFu;  // would overflow the int32
    EXPECT_EQ(FirstIdAt(At(2026, 12, 6)), "61200000");
}

TEST_F(ExecutionIds, SavedStateLetsTheNextProcessContinue) {
    EXPECT_EQ(FirstIdAt(At(2026, 12, 6)), "61200000");
    EXPECT_EQ(m_ids.NextExecutionId(), "61200001");
    m_ids.SaveExecutionIdState(m_dirData.Path());
    EXPECT_EQ(m_store.m_mapValues[kExecIdMonthValue], Dword(At(2026, 12, 6)));
    EXPECT_EQ(m_store.m_mapValues[kExecIdSerialValue], 1u);
    EXPECT_FALSE(m_dirData.Exists(kErrorLogFileName));

    CExecutionIds restarted(m_clock, m_store, m_log);
    restarted.LoadExecutionIdState();
    EXPECT_EQ(restarted.NextExecutionId(), "61200002");
}

TEST_F(ExecutionIds, SavedBeforeAnyRunTheNextProcessStartsAtZero) {
    m_clock.Set(At(2026, 12, 6));
    m_ids.LoadExecutionIdState();
    m_ids.SaveExecutionIdState(m_dirData.Path());
    EXPECT_EQ(m_store.m_mapValues[kExecIdSerialValue], 0xFFFFFFFFu);  // -1
    CExecutionIds restarted(m_clock, m_store, m_log);
    restarted.LoadExecutionIdState();
    EXPECT_EQ(restarted.NextExecutionId(), "61200000");
}

TEST_F(ExecutionIds, FailedWritesAreRecordedInTheDataDirectory) {
    m_store.m_mapFailures = {{kExecIdMonthValue, platform::kErrorAccessDenied},
                             {kExecIdSerialValue, platform::kErrorWriteFault}};
    FirstIdAt(At(2026, 12, 6));
    m_ids.SaveExecutionIdState(m_dirData.Path());

    CErrorLogContents contents;
    ASSERT_EQ(ReadErrorLog(m_dirData.Path(kErrorLogFileName), contents), platform::kSuccess);
    ASSERT_EQ(contents.m_arrRecords.size(), 2u);
    EXPECT_EQ(contents.m_arrRecords[0].m_nCode, 5);
    EXPECT_EQ(contents.m_arrRecords[0].m_strText, ":RegSetValueEx ExecID_Month");
    EXPECT_EQ(contents.m_arrRecords[0].m_strSystemText, SystemErrorText(5));
    EXPECT_EQ(contents.m_arrRecords[1].m_nCode, 29);
    EXPECT_EQ(contents.m_arrRecords[1].m_strText, ":RegSetValueEx ExecID_Serial");
}

// A key that cannot be opened (missing, or not to be written by this user) gets nothing, and
// that is no failure to record; the key is closed again after a save either way.
TEST_F(ExecutionIds, KeyThatCannotBeOpenedGetsNothingAndNoRecord) {
    for (platform::ErrorCode nError : {platform::kErrorFileNotFound, platform::kErrorAccessDenied}) {
        m_store.m_nOpenError = nError;
        FirstIdAt(At(2026, 12, 6));
        m_ids.SaveExecutionIdState(m_dirData.Path());
        EXPECT_TRUE(m_store.m_mapValues.empty());
        EXPECT_FALSE(m_dirData.Exists(kErrorLogFileName));
        EXPECT_FALSE(m_store.m_bOpen);
    }
    m_store.m_nOpenError = platform::kSuccess;
    m_ids.SaveExecutionIdState(m_dirData.Path());
    EXPECT_EQ(m_store.m_mapValues.size(), 2u);
    EXPECT_FALSE(m_store.m_bOpen);
}

TEST_F(ExecutionIds, ThreadsNeverGetTheSameId) {
    FirstIdAt(At(2026, 12, 6));
    constexpr int kThreads = 8;
    constexpr int kEach = 500;
    std::vector<std::vector<std::string>> ids(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i) ids[t].push_back(m_ids.NextExecutionId());
        });
    }
    for (std::thread& thread : threads) thread.join();
    std::set<std::string> distinct;
    for (const auto& list : ids) distinct.insert(list.begin(), list.end());
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kThreads * kEach));
    EXPECT_EQ(m_ids.Sequence(), kThreads * kEach);  // the first ID took 0
}

// The counter in the real configuration store, a private one for the test.
class ExecutionIdsInTheStore : public testing::Test {
protected:
    platform_test::CPrivateConfiguration m_config;
    CTempDir m_dirData;
    ManualClock m_clock{At(2026, 12, 6)};
    CErrorLog m_log{m_clock, "", UniqueMutexName()};
    CExecutionIds m_ids{m_clock, ConfigExecutionIdStore(), m_log};
};

// Without the key (the suite was not installed) nothing is written: the key is not created and
// no error is recorded.
TEST_F(ExecutionIdsInTheStore, MissingKeyIsNotCreatedAndNothingIsRecorded) {
    m_ids.LoadExecutionIdState();
    EXPECT_EQ(m_ids.NextExecutionId(), "61200000");
    m_ids.SaveExecutionIdState(m_dirData.Path());
    EXPECT_FALSE(m_config.KeyExists());
    EXPECT_FALSE(m_dirData.Exists(kErrorLogFileName));
}

TEST_F(ExecutionIdsInTheStore, ExistingKeyKeepsTheCounterForTheNextProcess) {
    m_config.CreateKey();
    m_ids.LoadExecutionIdState();
    EXPECT_EQ(m_ids.NextExecutionId(), "61200000");
    EXPECT_EQ(m_ids.NextExecutionId(), "61200001");
    m_ids.SaveExecutionIdState(m_dirData.Path());
    EXPECT_FALSE(m_dirData.Exists(kErrorLogFileName));

    std::uint32_t nMonth = 0;
    std::uint32_t nSerial = 0;
    ASSERT_EQ(platform::ConfigStore::ReadDword(kExecIdMonthValue, nMonth), platform::kSuccess);
    ASSERT_EQ(platform::ConfigStore::ReadDword(kExecIdSerialValue, nSerial), platform::kSuccess);
    EXPECT_EQ(nMonth, Dword(At(2026, 12, 6)));
    EXPECT_EQ(nSerial, 1u);
    CExecutionIds restarted(m_clock, ConfigExecutionIdStore(), m_log);
    restarted.LoadExecutionIdState();
    EXPECT_EQ(restarted.NextExecutionId(), "61200002");
}

}  // namespace
