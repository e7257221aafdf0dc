// The headless runner: Gather's controller started, ticked once a second on the real clock, and
// taken through the exit path answering Yes, without a window.
#pragma once
#include <ostream>

#include "headless_options.h"
#include "platform/host_access.h"

// Exit codes of the runner.
inline constexpr int kHeadlessOk = 0;
inline constexpr int kHeadlessStartupFailed = 1;
inline constexpr int kHeadlessUsage = 2;
inline constexpr int kHeadlessSaveFailed = 3;  // VARNOLE.dat could not be saved at the exit

// Starts the controller as Gather does (without the main menu's mutex check), loads VARNOLE.dat
// from the program directory, ticks once a second for the given seconds, then exits as Gather
// does on "終了" answered Yes: running schedules are stopped and booked again, VARNOLE.dat is
// saved, left-over data files are finished, the jobs are released and the execution-ID state is
// written. Run-log lines go to out as "time<TAB>target<TAB>message"; message boxes to err.
// The jobs run on pNetwork (the benchmark watches the network this way); null takes the
// process's network chosen by VARNOLE_SIMULATION. Everything else is the machine's own.
int RunHeadless(const CHeadlessOptions& options, std::ostream& out, std::ostream& err,
                platform::HostAccess* pNetwork = nullptr);
