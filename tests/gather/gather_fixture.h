// A CGatherDlg in a scratch program directory, on a manual clock and a small simulated network,
// with a scripted view, wizard and message boxes, its own error log, an in-memory execution-ID
// store and file operations that reach the disk until a test makes them fail.
#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <memory>
#include <string>

#include "common/local_time_util.h"
#include "common/recording_message_box_view.h"
#include "gather/fake_gather_view.h"
#include "gather/fault_file_ops.h"
#include "gather/memory_id_store.h"
#include "gather/scripted_wizard.h"
#include "gather_dlg.h"
#include "job/wait_clock.h"
#include "logs/error_log.h"
#include "platform/temp_dir.h"
#include "sim/sim_test_network.h"

namespace gather_test {

// PC1..PC4 answer; DOWN refuses every connection.
inline constexpr const char* kTestNetwork =
    "workgroup WORKGROUP\n"
    "host PC1\n"
    "host PC2\n"
    "host PC3\n"
    "host PC4\n"
    "host DOWN\n"
    "    refuse 53\n";

// Reads a whole file with the standard library ("" when it is missing).
inline std::string ReadBytes(const std::string& strPath) {
    std::ifstream in(platform_test::PathFromUtf8(strPath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A mutex name no other test process uses, so that error-log rotation stays per test.
inline std::string UniqueName(const std::string& strBase) {
    static std::atomic<int> s_nSerial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    return strBase + "_" + std::to_string(stamp) + "_" + std::to_string(++s_nSerial);
}

class CGatherFixture : public ::testing::Test {
protected:
    // Sunday 2026-12-06 15:30:05 local time.
    CGatherFixture()
        : m_clock(testutil::Local(2026, 12, 6, 15, 30, 5)),
          m_waitClock(m_clock),
          m_pNetwork(sim_test::MakeNetwork(kTestNetwork, m_clock)),
          m_errorLog(m_clock, m_dir.Path(), UniqueName("VarnoleTestErr")) {}

    void SetUp() override { m_pDlg = NewDialog(m_view, m_boxes); }
    // The controller goes first: its jobs use the network, the clock and the error log.
    void TearDown() override { m_pDlg.reset(); }

    // What the controllers of the test work with.
    CGatherEnvironment Environment() {
        CGatherEnvironment environment;
        environment.m_pNetwork = m_pNetwork.get();
        environment.m_pWaitClock = &m_waitClock;
        environment.m_pErrorLog = &m_errorLog;
        environment.m_pFileOps = &m_files;
        environment.m_pExecIdStore = &m_store;
        return environment;
    }

    // A controller as window initialisation prepares it: directories, blank schedules, columns.
    std::unique_ptr<CGatherDlg> NewDialog(CFakeGatherView& view,
                                          testutil::CRecordingMessageBoxView& boxes) {
        auto pDlg = std::make_unique<CGatherDlg>(view, boxes, m_wizard, Environment());
        pDlg->SetProgramDirectory(m_dir.Path());
        pDlg->SetDataDirectory(m_dir.Path());
        pDlg->EditTables().ResetAllSchedules();
        EXPECT_TRUE(pDlg->CreateListColumns());
        return pDlg;
    }

    std::string File(const std::string& strName) const { return m_dir.Path(strName); }
    std::string Bytes(const std::string& strName) const { return ReadBytes(File(strName)); }

    platform_test::CTempDir m_dir;
    platform::ManualClock m_clock;
    CManualWaitClock m_waitClock;
    std::unique_ptr<sim::CSimNetwork> m_pNetwork;
    CErrorLog m_errorLog;
    CFaultFileOps m_files;
    CMemoryIdStore m_store;
    CFakeGatherView m_view;
    testutil::CRecordingMessageBoxView m_boxes;
    CScriptedWizard m_wizard;
    std::unique_ptr<CGatherDlg> m_pDlg;
};

}  // namespace gather_test
