// File operations that pass through to the platform but fail or stop at a chosen step, for save and
// load faults.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file_ops.h"
#include "platform/error_codes.h"

namespace gather_test {

// Thrown to stand for the process ending in the middle of an operation.
struct CProcessEnded {};

class CFaultFileOps : public IFileOps {
public:
    // WriteAll writes this many bytes of its input, then fails with m_nWriteError (a full disk).
    std::optional<platform::ErrorCode> m_nWriteError;
    std::size_t m_nWriteBeforeError = 0;
    // ReadAll fails with this code without reading.
    std::optional<platform::ErrorCode> m_nReadError;
    // Rename fails with this code when its source path ends with m_strRenameFailSource.
    std::optional<platform::ErrorCode> m_nRenameError;
    std::string m_strRenameFailSource;
    // The process "ends" (CProcessEnded) right after a successful WriteAll, or right before
    // Replace.
    bool m_bEndAfterWrite = false;
    bool m_bEndBeforeReplace = false;
    // One line per call: "write NAME", "rename NAME NAME", ... (file names only).
    std::vector<std::string> m_arrCalls;

    bool Exists(const std::string& strPath) override { return PlatformFileOps().Exists(strPath); }

    platform::ErrorCode ReadAll(const std::string& strPath, std::size_t nMaxSize,
                                std::string& strContents) override {
        m_arrCalls.push_back("read " + Name(strPath));
        if (m_nReadError) return *m_nReadError;
        return PlatformFileOps().ReadAll(strPath, nMaxSize, strContents);
    }

    platform::ErrorCode WriteAll(const std::string& strPath, std::string_view bytes) override {
        m_arrCalls.push_back("write " + Name(strPath));
        if (m_nWriteError) {
            PlatformFileOps().WriteAll(strPath, bytes.substr(0, m_nWriteBeforeError));
            return *m_nWriteError;
        }
        const platform::ErrorCode nError = PlatformFileOps().WriteAll(strPath, bytes);
        if (nError == platform::kSuccess && m_bEndAfterWrite) throw CProcessEnded{};
        return nError;
    }

    platform::ErrorCode Rename(const std::string& strFrom, const std::string& strTo) override {
        m_arrCalls.push_back("rename " + Name(strFrom) + " " + Name(strTo));
        if (m_nRenameError && EndsWith(strFrom, m_strRenameFailSource)) return *m_nRenameError;
        return PlatformFileOps().Rename(strFrom, strTo);
    }

    platform::ErrorCode Replace(const std::string& strFrom, const std::string& strTo) override {
        m_arrCalls.push_back("replace " + Name(strFrom) + " " + Name(strTo));
        if (m_bEndBeforeReplace) throw CProcessEnded{};
        return PlatformFileOps().Replace(strFrom, strTo);
    }

    platform::ErrorCode Delete(const std::string& strPath) override {
        m_arrCalls.push_back("delete " + Name(strPath));
        return PlatformFileOps().Delete(strPath);
    }

    platform::ErrorCode RestrictAccess(const std::string& strPath) override {
        m_arrCalls.push_back("restrict " + Name(strPath));
        return PlatformFileOps().RestrictAccess(strPath);
    }

private:
    static std::string Name(const std::string& strPath) {
        const std::size_t n = strPath.find_last_of("\\/");
        return n == std::string::npos ? strPath : strPath.substr(n + 1);
    }
    static bool EndsWith(const std::string& str, const std::string& strEnd) {
        return str.size() >= strEnd.size() &&
               str.compare(str.size() - strEnd.size(), strEnd.size(), strEnd) == 0;
    }
};

}  // namespace gather_test
