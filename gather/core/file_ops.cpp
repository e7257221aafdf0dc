// IFileOps on the platform layer's file functions.
#include "file_ops.h"

#include "platform/file_access.h"
#include "platform/file_write.h"
#include "platform/files.h"

namespace {

class CPlatformFileOps final : public IFileOps {
public:
    bool Exists(const std::string& strPath) override { return platform::FileExists(strPath); }
    platform::ErrorCode ReadAll(const std::string& strPath, std::size_t nMaxSize,
                                std::string& strContents) override {
        return platform::ReadFileCapped(strPath, nMaxSize, strContents);
    }
    platform::ErrorCode WriteAll(const std::string& strPath, std::string_view bytes) override {
        return platform::WriteFileFlushed(strPath, bytes, platform::EFileAccess::kAdministrators);
    }
    platform::ErrorCode Rename(const std::string& strFrom, const std::string& strTo) override {
        return platform::RenameFile(strFrom, strTo);
    }
    platform::ErrorCode Replace(const std::string& strFrom, const std::string& strTo) override {
        return platform::RenameReplacing(strFrom, strTo);
    }
    platform::ErrorCode Delete(const std::string& strPath) override {
        return platform::DeleteFile(strPath);
    }
    platform::ErrorCode RestrictAccess(const std::string& strPath) override {
        return platform::RestrictToAdministrators(strPath);
    }
};

}  // namespace

IFileOps& PlatformFileOps() {
    static CPlatformFileOps s_fileOps;
    return s_fileOps;
}
