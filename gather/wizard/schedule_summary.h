// The wizard's last page: the booking record built from the control values, and the confirmation
// text that shows it.
#pragma once
#include <cstdint>
#include <string>

#include "host_tables.h"
#include "platform/clock.h"
#include "schedule.h"
#include "wizard_values.h"

struct SScheduleSummary {
    // The record the wizard hands back on OK: the blank record of tNow with every field the
    // values decide written; its target is empty when the start lies in the past.
    CSchedule m_schedule;
    // The confirmation text: target, trigger, start and end, interval, split, comment.
    std::string m_strText;
    // A single start ("本日" or "指定日") at or before tNow: the booking would never run.
    bool m_bPastStart = false;
};

// Builds the record and its text from the control values, the wizard's group table (a group
// target lists its members) and the present moment. nKeptInterval is the working record's
// interval, kept when the interval list was never filled (page 7 not shown).
//
// A weekly booking carries a following start like the daily and monthly ones: the run after its
// first run (the next chosen weekday after it, at the start time), so its text shows the next
// run's start and end as theirs do.
SScheduleSummary BuildScheduleSummary(const SWizardValues& values, const CGroupTable& groups,
                                      platform::Time tNow, std::int32_t nKeptInterval);

// The chosen weekdays, Monday first and Sunday last, joined by ",": "月,水,日".
std::string WeekdayListText(const std::array<bool, 7>& bWeekday);
