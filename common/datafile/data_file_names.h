// Data file names: the base name from directory, host, start hour and schedule; "(n)" rules.
#pragma once
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/error_codes.h"

namespace datafile {

// The start hour of a file as its name shows it: the local time formatted "%Y-%m%d-%H"
// (19 August 2004, 2 p.m. gives "2004-0819-14").
std::string StartHourText(platform::Time tStart);

// The base name B of the files of one job: the pattern "%s\VARN_%s_%s_%d" filled with the data
// directory, the host name as registered, the start hour and the schedule number, with the
// platform's separator. The directory is used as given: one that ends with a separator gives
// two separators in a row, which the file system reads as one.
std::string BaseName(const std::string& strDataDir, const std::string& strHost,
                     platform::Time tStart, int nSchedule);

// strBase + strExtension for nNumber 0, otherwise strBase + "(nNumber)" + strExtension
// (the pattern "%s(%d)" followed by the extension).
std::string NumberedName(std::string_view strBase, int nNumber, std::string_view strExtension);

// The largest "(n)" tried before a name is given up as taken; no real directory comes near it.
inline constexpr int kMaxNameNumber = 100000;

// Renames a finished file to its ".var" name: its base B' is the path without its last four
// characters; the new name is B' + ".var", or B'(1).var, B'(2).var, ... when that exists, the
// first that is free. Never replaces a file. On success strFinishedPath is the new path.
// kErrorFileNotFound when the file itself has gone; kErrorInvalidName for a path of fewer than
// five characters; the rename's own code for any other failure.
platform::ErrorCode RenameToFinished(const std::string& strOpenPath, std::string& strFinishedPath);

}  // namespace datafile
