// The wizard's time arithmetic: the collection time, its text, the interval candidates it allows,
// the interval texts and the split file count.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "wizard_values.h"

// Today's date (of tNow, local time) at the given hour and minute, seconds 0.
std::optional<platform::Time> TodayAt(platform::Time tNow, int nHour, int nMinute);

// The length of one run as the wizard's values describe it, in seconds: the duration choice, or
// from the reference start (today at the start time for a timer booking, else tNow) to the end
// time of day on the reference's date plus the end day offset. May be zero or negative.
std::int64_t CollectSeconds(const SWizardValues& values, platform::Time tNow);

// "%d日%d時間%d分" with each part left out when it is 0; empty for no time at all.
std::string CollectTimeText(std::int64_t nSeconds);

// The interval candidates (milliseconds) a run of this length may use, in ascending order: from
// the first whose hour limit reaches the run's whole hours to the last below its whole minutes.
std::vector<std::int32_t> IntervalCandidatesFor(std::int64_t nCollectSeconds);

// "%d 秒" up to 59999 ms, else "%d 分".
std::string IntervalText(std::int32_t nMilliseconds);

// An interval entry's milliseconds: the number before the first blank, times 1000 when the rest
// says "秒", else times 60000.
std::int32_t ParseIntervalText(const std::string& strText);

// The selected interval entry's milliseconds; 1000 for an index outside the entries.
std::int32_t SelectedInterval(const SWizardValues& values);

// How many data files a run of this length is split into: 1 without a split, else the run's
// length divided by the split unit, rounded up. "%d個".
std::int64_t SplitFileCount(std::int64_t nCollectSeconds, std::int32_t nSplitMilliseconds);
std::string SplitFileCountText(std::int64_t nCollectSeconds, std::int32_t nSplitMilliseconds);
