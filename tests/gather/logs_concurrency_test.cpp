// Tests that error records appended by many threads and by a second process at once all land whole.
//
// The parent writes from 8 threads; a second process writes from 2 threads at the same time into
// the same file, serialised through the same VARNOLE_ERR-style mutex. On Linux the second process
// is a fork of this one; on Windows it is this test program started again, which runs only the
// ErrorLogSecondWriter test, told the directory and mutex name through the environment.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "archive_stream.h"
#include "logs/error_log.h"
#include "logs/error_log_reader.h"
#include "platform/files.h"
#include "platform/temp_dir.h"

namespace {

using platform_test::CTempDir;

constexpr int kParentThreads = 8;
constexpr int kChildThreads = 2;
constexpr int kRecordsPerThread = 1000;
constexpr char kDirVariable[] = "VARNOLE_LOGS_TEST_DIR";
constexpr char kMutexVariable[] = "VARNOLE_LOGS_TEST_MUTEX";
constexpr std::int32_t kCodes[] = {kNoErrorCode, 2, 5, 32, 87, 1460};

// The code and text of record i of writer (process, thread). Text lengths run through 0..299
// bytes after the tag, so both string prefix sizes occur, and every seventh text is Japanese.
std::int32_t CodeOf(int i) {
    return kCodes[i % 6];
}

std::string TextOf(int process, int thread, int i) {
    std::string text = "P" + std::to_string(process) + "T" + std::to_string(thread) + " #" +
                       std::to_string(i) + " ";
    if (i % 7 == 0) text += "予約 %02d のログ収集";
    text.append(static_cast<std::size_t>(i % 300), static_cast<char>('a' + i % 26));
    return text;
}

// What a text reads back as after the code page 932 boundary.
std::string RoundTrip(const std::string& text) {
    CArchiveWriter archive;
    archive.WriteString(text);
    CArchiveReader reader(archive.Buffer());
    return reader.ReadString();
}

bool Exists(const std::string& path) {
    return platform::FileExists(path);
}

void Touch(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file != nullptr) std::fclose(file);
}

// Waits (bounded) for a marker file of the other process; false when it never came.
bool WaitFor(const std::string& path) {
    for (int i = 0; i < 6000; ++i) {
        if (Exists(path)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// Writes nThreads x kRecordsPerThread records; the number of writes that did not succeed.
int WriteAll(CErrorLog& log, const std::string& directory, int process, int nThreads) {
    std::vector<int> failures(static_cast<std::size_t>(nThreads), 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < nThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kRecordsPerThread; ++i) {
                if (log.WriteErrorLog(CodeOf(i), directory, TextOf(process, t, i)) !=
                    platform::kSuccess) {
                    ++failures[static_cast<std::size_t>(t)];
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    int total = 0;
    for (int f : failures) total += f;
    return total;
}

// The second process's part: announce itself, wait for the go, write, report failures.
int RunSecondWriter(const std::string& directory, const std::string& mutexName) {
    const std::string base = directory + platform::kPathSeparator;
    Touch(base + "child.ready");
    if (!WaitFor(base + "parent.go")) return 2;
    CErrorLog log(platform::SystemClock(), directory, mutexName);
    return WriteAll(log, directory, 1, kChildThreads) == 0 ? 0 : 1;
}

#ifdef _WIN32
// Sets (or, with an empty value, removes) a variable that a started process inherits.
void SetVariable(const char* name, const std::string& value) {
    _putenv_s(name, value.c_str());
}
#endif

// Starts the second writer; Wait() gives its exit code (0 = all its records written).
class CSecondWriter {
public:
    CSecondWriter(const std::string& directory, const std::string& mutexName) {
#ifdef _WIN32
        SetVariable(kDirVariable, directory);
        SetVariable(kMutexVariable, mutexName);
        SetVariable("GTEST_OUTPUT", "");  // the parent's report file is the parent's alone
        std::string exe = platform::ProgramDirectory() + VARNOLE_LOGS_TEST_EXE;
        if (exe.find(' ') != std::string::npos) exe = "\"" + exe + "\"";
        const std::string command =
            exe + " --gtest_filter=ErrorLogSecondWriter.* --gtest_color=no > NUL";
        m_thread = std::thread([this, command] { m_nExit = std::system(command.c_str()); });
#else
        m_nPid = fork();
        if (m_nPid == 0) _exit(RunSecondWriter(directory, mutexName));
#endif
    }

    int Wait() {
#ifdef _WIN32
        if (m_thread.joinable()) {
            m_thread.join();
            // The later tests of this program are not second writers.
            SetVariable(kDirVariable, "");
            SetVariable(kMutexVariable, "");
        }
        return m_nExit;
#else
        if (m_nPid <= 0) return -1;
        int status = 0;
        if (waitpid(m_nPid, &status, 0) != m_nPid) return -1;
        m_nPid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    }

    ~CSecondWriter() {
        Wait();
    }

private:
#ifdef _WIN32
    std::thread m_thread;
    int m_nExit = -1;
#else
    pid_t m_nPid = -1;
#endif
};

std::string UniqueMutexName() {
    static std::random_device s_random;
    return "VARNOLE_ERR_conc_" + std::to_string(s_random()) + "_" +
           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
}

TEST(ErrorLogConcurrency, ThreadsAndASecondProcessAllLandIntact) {
    CTempDir dir;
    const std::string base = dir.Path() + platform::kPathSeparator;
    const std::string mutexName = UniqueMutexName();

    CSecondWriter child(dir.Path(), mutexName);
    // Both sides start writing together; if the child never reports, the parent writes alone
    // and the record count below fails.
    EXPECT_TRUE(WaitFor(base + "child.ready"));
    CErrorLog log(platform::SystemClock(), dir.Path(), mutexName);
    Touch(base + "parent.go");
    EXPECT_EQ(WriteAll(log, dir.Path(), 0, kParentThreads), 0);
    EXPECT_EQ(child.Wait(), 0);
    EXPECT_EQ(log.HeldBackRecords(), 0u);

    CErrorLogContents contents;
    ASSERT_EQ(ReadErrorLog(base + kErrorLogFileName, contents), platform::kSuccess);
    EXPECT_FALSE(contents.m_bIncomplete);
    ASSERT_EQ(contents.m_arrRecords.size(),
              static_cast<std::size_t>((kParentThreads + kChildThreads) * kRecordsPerThread));

    std::map<std::int32_t, std::string> systemTexts;
    for (std::int32_t code : kCodes) systemTexts[code] = RoundTrip(SystemErrorText(code));
    // Each writer's records appear once each and in the order it wrote them.
    std::map<std::pair<int, int>, int> next;
    int mismatches = 0;
    for (const CErrorRecord& record : contents.m_arrRecords) {
        int process = -1;
        int thread = -1;
        int i = -1;
        if (std::sscanf(record.m_strText.c_str(), "P%dT%d #%d", &process, &thread, &i) != 3) {
            ++mismatches;
            continue;
        }
        int& expected = next[{process, thread}];
        if (i != expected || record.m_nCode != CodeOf(i) ||
            record.m_strText != RoundTrip(TextOf(process, thread, i)) ||
            record.m_strSystemText != systemTexts[record.m_nCode]) {
            ++mismatches;
        }
        expected = i + 1;
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(next.size(), static_cast<std::size_t>(kParentThreads + kChildThreads));
    for (const auto& [writer, count] : next) {
        EXPECT_EQ(count, kRecordsPerThread) << "P" << writer.first << "T" << writer.second;
    }
}

#ifdef _WIN32
// The second process of the test above; does nothing when started as part of a normal run.
TEST(ErrorLogSecondWriter, WritesItsShare) {
    const char* directory = std::getenv(kDirVariable);
    const char* mutexName = std::getenv(kMutexVariable);
    if (directory == nullptr || mutexName == nullptr || directory[0] == '\0') {
        GTEST_SKIP() << "runs only as the second writer process";
    }
    EXPECT_EQ(RunSecondWriter(directory, mutexName), 0);
}
#endif

}  // namespace
