// The pieces the host dialog tests share: a simulated network from description text, an error
// log in a scratch program directory, and reading that log back.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "logs/error_log.h"
#include "logs/error_log_reader.h"
#include "platform/temp_dir.h"
#include "sim/description_parser.h"
#include "sim/sim_network.h"

namespace hosts_test {

// An error record as "code label".
inline std::string RecordLine(const CErrorRecord& record) {
    return std::to_string(record.m_nCode) + " " + record.m_strText;
}

class CHostTestBase : public ::testing::Test {
protected:
    // Builds the network from description text; each request advances the clock by its
    // scripted delay instead of sleeping.
    void MakeNetwork(const std::string& strDescription) {
        sim::CSimNetworkDescription description;
        std::string strError;
        ASSERT_TRUE(sim::ParseNetworkDescription(strDescription, description, strError)) << strError;
        m_pNetwork = std::make_unique<sim::CSimNetwork>(
            std::move(description), m_clock,
            [this](std::uint32_t nMs) { m_clock.AdvanceMilliseconds(nMs); });
    }

    // Every record of the program directory's error log as "code label".
    std::vector<std::string> LogLines() const {
        CErrorLogContents contents;
        ReadErrorLog(m_dir.Path("VARNOLE.err"), contents);
        std::vector<std::string> vecLines;
        for (const CErrorRecord& record : contents.m_arrRecords) {
            vecLines.push_back(RecordLine(record));
        }
        return vecLines;
    }

    std::vector<CErrorRecord> LogRecords() const {
        CErrorLogContents contents;
        ReadErrorLog(m_dir.Path("VARNOLE.err"), contents);
        return contents.m_arrRecords;
    }

    platform_test::CTempDir m_dir;
    platform::ManualClock m_clock{1'800'000'000};
    CErrorLog m_log{m_clock, m_dir.Path(), "VARNOLE_ERR_host_dialogs_test"};
    std::unique_ptr<sim::CSimNetwork> m_pNetwork;
};

}  // namespace hosts_test
