// A scratch directory for one test, made with the standard library so that the code under test
// is not used to prepare its own test; removed with everything in it at the end.
#pragma once
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/files.h"

namespace platform_test {

inline std::filesystem::path PathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

class CTempDir {
public:
    CTempDir() {
        static std::atomic<int> s_nSerial{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = std::filesystem::temp_directory_path() /
                 ("varnole-test-" + std::to_string(stamp) + "-" + std::to_string(++s_nSerial));
        std::filesystem::create_directories(m_path);
        const std::u8string u8 = m_path.u8string();
        m_strPath.assign(u8.begin(), u8.end());
    }
    ~CTempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    // The directory, UTF-8, without a trailing separator.
    const std::string& Path() const { return m_strPath; }
    // A path inside the directory, UTF-8.
    std::string Path(const std::string& name) const {
        return m_strPath + platform::kPathSeparator + name;
    }

    // Writes a file whose name may be any Unicode text (the Windows C++ library's streams
    // cannot open such names, so this uses the C runtime's wide open there).
    void WriteFile(const std::string& name, const std::string& content = "x") const {
#ifdef _WIN32
        FILE* file = _wfopen(PathFromUtf8(Path(name)).c_str(), L"wb");
#else
        FILE* file = fopen(Path(name).c_str(), "wb");
#endif
        if (file == nullptr) return;
        fwrite(content.data(), 1, content.size(), file);
        fclose(file);
    }
    void MakeDirectory(const std::string& name) const {
        std::filesystem::create_directories(PathFromUtf8(Path(name)));
    }
    bool Exists(const std::string& name) const {
        return std::filesystem::exists(PathFromUtf8(Path(name)));
    }

private:
    std::filesystem::path m_path;
    std::string m_strPath;
};

}  // namespace platform_test
