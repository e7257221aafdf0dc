// The execution-ID counter: loaded, stepped month by month and saved through the config store.
#include "execution_ids.h"

#include <cstdio>
#include <limits>
#include <memory>

#include "archive_stream.h"
#include "error_log.h"
#include "platform/config_store.h"
#include "platform/local_time.h"

namespace {

class CConfigExecutionIdStore final : public IExecutionIdStore {
public:
    platform::ErrorCode ReadDword(const std::string& strName, std::uint32_t& nValue) override {
        return platform::ConfigStore::ReadDword(strName, nValue);
    }
    platform::ErrorCode OpenForWriting() override {
        m_pWriter = std::make_unique<platform::ConfigWriter>();
        return m_pWriter->Open();
    }
    platform::ErrorCode WriteDword(const std::string& strName, std::uint32_t nValue) override {
        if (m_pWriter == nullptr) return platform::kErrorInvalidHandle;
        return m_pWriter->WriteDword(strName, nValue);
    }
    void CloseForWriting() override { m_pWriter.reset(); }

private:
    std::unique_ptr<platform::ConfigWriter> m_pWriter;
};

}  // namespace

IExecutionIdStore& ConfigExecutionIdStore() {
    static CConfigExecutionIdStore s_store;
    return s_store;
}

std::string FormatExecutionId(int nYear, int nMonth, std::int32_t nSequence) {
    const int digit = ((nYear % 10) + 10) % 10;
    char text[32];
    std::snprintf(text, sizeof text, "%d%02d%05d", digit, nMonth, static_cast<int>(nSequence));
    return text;
}

CExecutionIds::CExecutionIds(const platform::IClock& clock, IExecutionIdStore& store,
                             CErrorLog& errorLog)
    : m_pClock(&clock), m_pStore(&store), m_pErrorLog(&errorLog) {}

void CExecutionIds::LoadExecutionIdState() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_nSequence = 0;
    std::uint32_t month = 0;
    if (m_pStore->ReadDword(kExecIdMonthValue, month) != platform::kSuccess) {
        m_tMonth = m_pClock->Now();
        m_nSequence = -1;
        return;
    }
    // The marker is the int32 time value stored as a DWORD.
    m_tMonth = static_cast<platform::Time>(static_cast<std::int32_t>(month));
    std::uint32_t serial = 0;
    if (m_pStore->ReadDword(kExecIdSerialValue, serial) != platform::kSuccess) {
        m_nSequence = -1;
        return;
    }
    m_nSequence = static_cast<std::int32_t>(serial);
    if (m_nSequence < -1) m_nSequence = -1;
}

std::string CExecutionIds::NextExecutionId() {
    std::lock_guard<std::mutex> guard(m_lock);
    const platform::Time now = m_pClock->Now();
    platform::LocalFields today;
    platform::LocalFields marker;
    const bool haveToday = platform::SplitLocalTime(now, today);
    const bool haveMarker = platform::SplitLocalTime(m_tMonth, marker);
    if (!haveToday || !haveMarker || marker.nYear != today.nYear || marker.nMonth != today.nMonth) {
        m_tMonth = now;
        m_nSequence = -1;
    }
    // The counter is an int32 in the registry; rather than overflow it starts the month again.
    if (m_nSequence == std::numeric_limits<std::int32_t>::max()) m_nSequence = -1;
    ++m_nSequence;
    return FormatExecutionId(today.nYear, today.nMonth, m_nSequence);
}

void CExecutionIds::SaveExecutionIdState(const std::string& strDataDirectory) {
    std::lock_guard<std::mutex> guard(m_lock);
    // No key, no counter to keep: the suite is not installed, or not for this user to change.
    if (m_pStore->OpenForWriting() != platform::kSuccess) {
        m_pStore->CloseForWriting();
        return;
    }
    const auto write = [&](const char* name, std::uint32_t value) {
        const platform::ErrorCode error = m_pStore->WriteDword(name, value);
        if (error != platform::kSuccess) {
            m_pErrorLog->WriteErrorLog(static_cast<std::int32_t>(error), strDataDirectory,
                                       std::string(":RegSetValueEx ") + name);
        }
    };
    write(kExecIdMonthValue, static_cast<std::uint32_t>(CArchiveWriter::ClampTime(m_tMonth)));
    write(kExecIdSerialValue, static_cast<std::uint32_t>(m_nSequence));
    m_pStore->CloseForWriting();
}

platform::Time CExecutionIds::MonthMarker() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_tMonth;
}

std::int32_t CExecutionIds::Sequence() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_nSequence;
}
