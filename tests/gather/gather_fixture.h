// A CGatherDlg in a scratch program directory with a manual clock, a scripted view and recorded
// message boxes.
#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "common/local_time_util.h"
#include "common/recording_message_box_view.h"
#include "gather/fake_gather_view.h"
#include "gather_dlg.h"
#include "platform/temp_dir.h"

namespace gather_test {

// Reads a whole file with the standard library ("" when it is missing).
inline std::string ReadBytes(const std::string& strPath) {
    std::ifstream in(platform_test::PathFromUtf8(strPath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CGatherFixture : public ::testing::Test {
protected:
    // Sunday 2026-12-06 15:30:05 local time.
    CGatherFixture() : m_clock(testutil::Local(2026, 12, 6, 15, 30, 5)) {}

    void SetUp() override { m_pDlg = NewDialog(m_view, m_boxes); }

    // A controller as window initialisation prepares it: directories, blank schedules, columns.
    std::unique_ptr<CGatherDlg> NewDialog(CFakeGatherView& view,
                                          testutil::CRecordingMessageBoxView& boxes) {
        auto pDlg = std::make_unique<CGatherDlg>(view, boxes, m_clock);
        pDlg->SetProgramDirectory(m_dir.Path());
        pDlg->SetDataDirectory(m_dir.Path());
        pDlg->ResetAllSchedules();
        EXPECT_TRUE(pDlg->CreateListColumns());
        return pDlg;
    }

    std::string File(const std::string& strName) const { return m_dir.Path(strName); }
    std::string Bytes(const std::string& strName) const { return ReadBytes(File(strName)); }

    platform_test::CTempDir m_dir;
    platform::ManualClock m_clock;
    CFakeGatherView m_view;
    testutil::CRecordingMessageBoxView m_boxes;
    std::unique_ptr<CGatherDlg> m_pDlg;
};

}  // namespace gather_test
