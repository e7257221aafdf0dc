// Where an exception that reached a window procedure goes: it is logged, never swallowed silently.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace win32ui {

// Receives one line describing an exception caught at a window boundary ("WM_COMMAND: what").
using ExceptionLogger = std::function<void(const std::string& strLine)>;

// Replaces the logger for the whole process (a program routes it to its error log at start-up).
// Null restores the default, which writes the line to the debugger output.
void SetExceptionLogger(ExceptionLogger logger);

// Logs the exception in flight (call from a catch block) with where it was caught; a logger that
// throws itself is ignored.
void ReportCurrentException(std::string_view where) noexcept;

}  // namespace win32ui
