// A new file written through a large buffer, created under a temporary name that is free.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "csv_conversion.h"
#include "platform/data_file_io.h"
#include "platform/error_codes.h"

namespace csv {

// Appends go to a buffer that is written to the file whenever it holds a megabyte. The first
// error sticks: later appends and writes do nothing, and Error tells it.
class CBufferedOutput {
public:
    // Creates the file at the first free name of strBase + strSuffix, strBase + strSuffix + "1",
    // ... (up to 99), so that no file of the user's is ever touched. Path() tells the name.
    platform::ErrorCode CreateTemporary(const std::string& strBase, std::string_view strSuffix,
                                        const OutputFileMaker& fnCreate);

    // The buffer to append to; call Written after appending.
    std::string& Buffer() { return m_strBuffer; }
    void Written() {
        if (m_strBuffer.size() >= kBufferBytes) WriteBuffer();
    }
    void Append(std::string_view strBytes) {
        m_strBuffer += strBytes;
        Written();
    }

    // Writes what is buffered and closes the file.
    platform::ErrorCode Close();
    // Closes the file (if open) and deletes it (if it was created).
    void Discard();

    platform::ErrorCode Error() const { return m_nError; }
    const std::string& Path() const { return m_strPath; }

    static constexpr std::size_t kBufferBytes = 1u << 20;

private:
    void WriteBuffer();

    std::unique_ptr<platform::IOutputFile> m_pFile;
    std::string m_strPath;
    std::string m_strBuffer;
    platform::ErrorCode m_nError = platform::kSuccess;
};

}  // namespace csv
