// libFuzzer target of the settings loader: VARNOLE.dat bytes decoded into the host, group and
// schedule tables, and the loaded schedules' next runs and list texts, as start-up computes them.
//
// The input is the file. Beyond not crashing, not reading past the bytes and not allocating
// beyond what the bytes hold, every input must satisfy:
// - no table holds more records than the file's layout has slots;
// - the file cut in half yields the whole records before the cut, equal to those of the whole
//   file, and nothing after them;
// - what was read, saved again, reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_check.h"
#include "schedule.h"
#include "schedule_texts.h"
#include "settings_format.h"

namespace {

// The moment the loaded schedules are refreshed against: 2024-03-31 00:30 UTC, half an hour
// before the clocks go forward in the time zone set below.
constexpr platform::Time kNow = 1711845000;

bool SameRecords(const CSettingsContents& a, const CSettingsContents& b, int nHosts, int nGroups,
                 int nSchedules) {
    for (int i = 0; i < nHosts; ++i) {
        if (!((*a.m_pHosts)[i] == (*b.m_pHosts)[i])) return false;
    }
    for (int i = 0; i < nGroups; ++i) {
        if (!((*a.m_pGroups)[i] == (*b.m_pGroups)[i])) return false;
    }
    for (int i = 0; i < nSchedules; ++i) {
        if (!((*a.m_pSchedules)[i] == (*b.m_pSchedules)[i])) return false;
    }
    return true;
}

void CheckCounts(const CSettingsContents& contents) {
    FUZZ_CHECK(contents.m_nHostsRead >= 0 && contents.m_nHostsRead <= contents.m_layout.m_nHosts);
    FUZZ_CHECK(contents.m_nGroupsRead >= 0 &&
               contents.m_nGroupsRead <= contents.m_layout.m_nGroups);
    FUZZ_CHECK(contents.m_nSchedulesRead >= 0 &&
               contents.m_nSchedulesRead <= contents.m_layout.m_nSchedules);
    FUZZ_CHECK(contents.m_nLastSchedule >= 1 &&
               contents.m_nLastSchedule <= contents.m_layout.m_nSchedules);
    if (contents.Complete()) {
        FUZZ_CHECK(contents.m_bHeaderRead);
        FUZZ_CHECK(contents.m_nHostsRead == contents.m_layout.m_nHosts);
        FUZZ_CHECK(contents.m_nGroupsRead == contents.m_layout.m_nGroups);
        FUZZ_CHECK(contents.m_nSchedulesRead == contents.m_layout.m_nSchedules);
    }
}

void CheckCut(std::string_view file, const CSettingsContents& whole) {
    const CSettingsContents cut = DecodeSettings(file.substr(0, file.size() / 2));
    CheckCounts(cut);
    if (!cut.m_bHeaderRead) return;
    FUZZ_CHECK(cut.m_nVersion == whole.m_nVersion);
    FUZZ_CHECK(cut.m_nHostsRead <= whole.m_nHostsRead);
    FUZZ_CHECK(cut.m_nGroupsRead <= whole.m_nGroupsRead);
    FUZZ_CHECK(cut.m_nSchedulesRead <= whole.m_nSchedulesRead);
    FUZZ_CHECK(SameRecords(cut, whole, cut.m_nHostsRead, cut.m_nGroupsRead, cut.m_nSchedulesRead));
    // Slots after the cut keep their initial values.
    static const CSettingsContents blank;
    for (int i = cut.m_nHostsRead; i < kHostSlots; ++i)
        FUZZ_CHECK((*cut.m_pHosts)[i] == (*blank.m_pHosts)[i]);
    for (int i = cut.m_nSchedulesRead; i < kScheduleSlots; ++i)
        FUZZ_CHECK((*cut.m_pSchedules)[i] == (*blank.m_pSchedules)[i]);
}

// A file read whole and saved again holds the same records in the current layout.
void CheckSavedAgain(const CSettingsContents& whole) {
    if (!whole.Complete()) return;
    const CSettingsContents again = DecodeSettings(EncodeSettings(
        whole.m_nLastSchedule, *whole.m_pHosts, *whole.m_pGroups, *whole.m_pSchedules));
    FUZZ_CHECK(again.Complete());
    FUZZ_CHECK(again.m_nVersion == kSettingsVersion);
    FUZZ_CHECK(again.m_nLastSchedule == whole.m_nLastSchedule);
    // A free slot is saved as its state alone and reads back as an empty record.
    CSettingsContents expected;
    *expected.m_pHosts = *whole.m_pHosts;
    *expected.m_pGroups = *whole.m_pGroups;
    for (int i = 0; i < kScheduleSlots; ++i) {
        const CSchedule& schedule = (*whole.m_pSchedules)[i];
        if (!schedule.IsFree()) (*expected.m_pSchedules)[i] = schedule;
    }
    FUZZ_CHECK(SameRecords(again, expected, kHostSlots, kGroupSlots, kScheduleSlots));
}

// What start-up does with each loaded schedule: a next start in the past is recomputed, and the
// list row shows the schedule's texts.
void RefreshLoadedSchedules(const CSettingsContents& whole) {
    for (int i = 0; i < whole.m_nSchedulesRead; ++i) {
        CSchedule schedule = (*whole.m_pSchedules)[i];
        if (schedule.IsFree()) continue;
        schedule.m_nState = kStateWaiting;
        if (schedule.m_tNextStart < kNow) {
            const std::optional<CScheduleRun> run = NextRun(schedule, kNow);
            if (!run) continue;
            FUZZ_CHECK(run->m_tStart >= kNow);
            schedule.m_tNextStart = run->m_tStart;
            schedule.m_tNextEnd = run->m_tEnd;
        }
        ScheduleNumberText(i);
        ScheduleTypeText(schedule);
        ScheduleRepeatText(schedule);
        ScheduleThresholdText(schedule);
        ScheduleStateText(schedule);
        FormatScheduleTime(schedule.m_tNextStart, kTimeStyleList);
        FormatScheduleTime(schedule.m_tNextEnd, kTimeStyleLog);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Local times (next runs, list texts) in a zone with daylight saving.
    setenv("TZ", "Europe/Berlin", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    const std::string_view file(reinterpret_cast<const char*>(pData), nSize);
    const CSettingsContents whole = DecodeSettings(file);
    CheckCounts(whole);
    CheckCut(file, whole);
    CheckSavedAgain(whole);
    RefreshLoadedSchedules(whole);
    return 0;
}
