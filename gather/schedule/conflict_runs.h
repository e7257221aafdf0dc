// The runs of one schedule that the overlap check compares.
#pragma once
#include <vector>

#include "platform/clock.h"
#include "schedule.h"

// How far ahead runs are listed: up to the present moment plus 31 days.
inline constexpr platform::Time kConflictLookAhead = 31 * 86400;

// Longest run list of one schedule. Only a record with a negative run length could reach it (its
// runs would end before the horizon for years); a daily schedule lists about 32 runs.
inline constexpr int kMaxConflictRuns = 1000;

// The schedule's runs in order: first its booked next run (m_tNextStart, m_tNextEnd), always;
// then, except for the monthly kinds (repetition 3 and 4), each NextRun from the end of the run
// before, up to the first run that ends at or after tHorizon (not included) or until NextRun
// gives none. A run that would not start after the run before (a run whose end is not after its
// start is found again from its own end) is searched again from one second after that run's
// start, so every run starts later than the one before it.
// When pHorizonEnd is given, it receives the end of the run that the horizon left out (the list
// stays the same for every later horizon up to that end), or the largest time when something
// else ended the list (the same for every later horizon).
std::vector<CScheduleRun> ConflictRuns(const CSchedule& schedule, platform::Time tHorizon,
                                       platform::Time* pHorizonEnd = nullptr);
