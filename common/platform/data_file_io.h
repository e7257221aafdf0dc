// Data files: a new file written while others may read it, and a file read in chunks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/error_codes.h"

namespace platform {

// A file open for writing. Write hands every byte to the operating system or reports why not;
// readers see the bytes as soon as Write returns (no further flush is needed for that).
class IOutputFile {
public:
    virtual ~IOutputFile() = default;
    // Writes all nSize bytes at the current end, or returns the error (kErrorDiskFull when the
    // volume is full); bytes written before the error stay in the file.
    virtual ErrorCode Write(const void* pData, std::size_t nSize) = 0;
    // Closes the file; the error of the close itself, if any. Further calls do nothing.
    virtual ErrorCode Close() = 0;
};

// Creates a file that must not exist yet and opens it for writing; others may open it for
// reading (and may rename or delete it only if they ask for that share) but not for writing.
// kErrorFileExists (or kErrorAlreadyExists) when the name is taken; kErrorPathNotFound when the
// directory is missing. Nothing is ever truncated.
ErrorCode CreateNewOutputFile(const std::string& path, std::unique_ptr<IOutputFile>& file);

// A file open for reading from the start, in pieces. The open lets others go on reading,
// writing, renaming or deleting it, so reading a file never gets in the way of its writer.
class InputFile {
public:
    InputFile();
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    ErrorCode Open(const std::string& path);
    // Reads up to nSize bytes into pBuffer; nRead is 0 at the end of the file. A later call may
    // find more bytes when the file has grown meanwhile.
    ErrorCode Read(void* pBuffer, std::size_t nSize, std::size_t& nRead);
    // The file's size now (it may still grow while its writer goes on).
    ErrorCode Size(std::uint64_t& nBytes) const;
    bool IsOpen() const;
    void Close();

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};

}  // namespace platform
