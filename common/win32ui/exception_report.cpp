// Logging of exceptions caught at window boundaries.
#include "win32ui/exception_report.h"

#include <windows.h>

#include <exception>
#include <mutex>

#include "platform/win32/wide_string.h"

namespace win32ui {

namespace {

std::mutex& LoggerLock() {
    static std::mutex lock;
    return lock;
}

ExceptionLogger& Logger() {
    static ExceptionLogger logger;
    return logger;
}

std::string DescribeCurrentException() {
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "unknown exception";
    }
}

}  // namespace

void SetExceptionLogger(ExceptionLogger logger) {
    std::lock_guard<std::mutex> guard(LoggerLock());
    Logger() = std::move(logger);
}

void ReportCurrentException(std::string_view where) noexcept {
    try {
        const std::string strLine = std::string(where) + ": " + DescribeCurrentException();
        ExceptionLogger logger;
        {
            std::lock_guard<std::mutex> guard(LoggerLock());
            logger = Logger();
        }
        if (logger) {
            logger(strLine);
        } else {
            OutputDebugStringW(platform::Utf8ToWide(strLine + "\n").c_str());
        }
    } catch (...) {
    }
}

}  // namespace win32ui
