// The demo booking set: what Gather shows in one minute on the demo network, as tables that the
// settings writer stores in VARNOLE.dat.
#pragma once
#include <string>
#include <vector>

#include "gather_tables.h"
#include "platform/clock.h"

// The group of the demo set and its members.
inline constexpr const char* kDemoGroup = "OFFICE";

// Fills empty tables with the demo set: the hosts PC01, PC02, PC03, PC04 and DOWN01, the group
// OFFICE (PC03 and PC04), and four bookings that start at once at tStart and run for nSeconds:
//   01  PC01 alone, every second;
//   02  the group OFFICE, every two seconds (one data file per member);
//   03  PC02, every second, recording only once its processor load reaches 10 % (the demo
//       network's PC02 climbs from 5 % by 9 % a minute, so the trigger fires after about 35 s);
//   04  DOWN01, which refuses every connection: the run log says why.
// Returns one line per booking that says what it shows.
std::vector<std::string> FillDemoBookings(CGatherTables& tables, platform::Time tStart,
                                          int nSeconds);
