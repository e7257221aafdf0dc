// Execution IDs: the per-month run counter, its registry values and the ID text of each run.
#pragma once
#include <cstdint>
#include <mutex>
#include <string>

#include "platform/clock.h"
#include "platform/error_codes.h"

class CErrorLog;

inline constexpr char kExecIdMonthValue[] = "ExecID_Month";
inline constexpr char kExecIdSerialValue[] = "ExecID_Serial";

// Where the counter is kept between runs of the program: two DWORD values of one key.
class IExecutionIdStore {
public:
    virtual ~IExecutionIdStore() = default;
    virtual platform::ErrorCode ReadDword(const std::string& strName, std::uint32_t& nValue) = 0;
    // Opens the existing key for writing; it is never created.
    virtual platform::ErrorCode OpenForWriting() = 0;
    // Writes a value into the key opened for writing.
    virtual platform::ErrorCode WriteDword(const std::string& strName, std::uint32_t nValue) = 0;
    virtual void CloseForWriting() = 0;
};

// The configuration store: values under SOFTWARE\HALDEK\VARNOLE\1.0 of the local machine.
IExecutionIdStore& ConfigExecutionIdStore();

// "%s%02d%05d" of (the last digit of nYear, nMonth, nSequence): "61200000" for the first run of
// December 2026. A sequence above 99999 is printed in full ("612100000").
std::string FormatExecutionId(int nYear, int nMonth, std::int32_t nSequence);

// The execution-ID state of the process: the month marker and the sequence number of the last
// ID given out in that month. NextExecutionId may be called from any thread; all three operations
// run under the object's lock, which is the process-wide lock of the counter.
class CExecutionIds {
public:
    // clock gives "now"; store holds the values between runs; failed writes are recorded in
    // errorLog. All three must outlive this object.
    CExecutionIds(const platform::IClock& clock, IExecutionIdStore& store, CErrorLog& errorLog);
    CExecutionIds(const CExecutionIds&) = delete;
    CExecutionIds& operator=(const CExecutionIds&) = delete;

    // Reads ExecID_Month and ExecID_Serial (window initialisation). Without a month marker the
    // marker becomes now and the next ID is the month's first; without a serial the next ID is
    // the stored month's first. A stored serial below -1 (which is never written) counts as none.
    void LoadExecutionIdState();

    // The ID of a run starting now: a new month or year restarts the sequence at 0, otherwise it
    // goes on by one from the last ID given out.
    std::string NextExecutionId();

    // Writes both values (window destruction) into the key when it can be opened; without the
    // key nothing is written and nothing recorded. Each failed write appends a record with the
    // platform code and ":RegSetValueEx " plus the value name to strDataDirectory's error log.
    void SaveExecutionIdState(const std::string& strDataDirectory);

    platform::Time MonthMarker() const;
    std::int32_t Sequence() const;

private:
    const platform::IClock* m_pClock;
    IExecutionIdStore* m_pStore;
    CErrorLog* m_pErrorLog;

    mutable std::mutex m_lock;  // guards the two values below
    platform::Time m_tMonth = 0;
    std::int32_t m_nSequence = 0;
};
