// Reads a data file front to back through a window that grows only as far as an item needs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "archive_stream.h"
#include "datafile/data_file_format.h"
#include "platform/data_file_io.h"

namespace datafile {

// How decoding one item ended.
enum class EDecode {
    kOk,
    kEndOfFile,  // the file ends inside the item
    kMalformed,  // the bytes are not a valid item, or the item is longer than allowed
    kReadError,  // the file could not be read; CDataFileInput::Error has the code
};

// The window holds bytes read from the file and not consumed yet. The file is read in pieces of
// kBufferSize bytes; a longer item makes the window grow only as the file actually delivers
// bytes, so a length field cannot make the reader allocate more than the file holds.
class CDataFileInput {
public:
    // Where bytes come from when they do not come from a file: reads up to nSize bytes into
    // pBuffer and sets nRead (0 at the end for now), or returns an error code, as a file read does.
    using Source =
        std::function<platform::ErrorCode(void* pBuffer, std::size_t nSize, std::size_t& nRead)>;

    platform::ErrorCode Open(const std::string& strPath);
    // Reads from fnSource instead of a file, with the same checks: for bytes that arrive in
    // memory, and for tests that deliver a file in small pieces or let it grow between reads.
    void Open(Source fnSource);
    void Close();
    // A source that delivers bytes the caller keeps alive while the input reads them.
    static Source FromBytes(std::span<const std::uint8_t> bytes);

    std::span<const std::uint8_t> Window() const {
        return {m_vecBuffer.data() + m_nStart, m_nEnd - m_nStart};
    }
    // Adds up to nBytes (at least one piece of kBufferSize) from the file to the window.
    // False when the file had nothing more, or the read failed (Error() is then set).
    bool ReadMore(std::size_t nBytes = 0);
    // Reads until the window holds at least nBytes; false when the file ends first or a read
    // fails.
    bool Fill(std::size_t nBytes);
    // Drops nBytes from the front of the window (at most the window's size).
    void Consume(std::size_t nBytes);
    // The file offset of the window's first byte.
    std::uint64_t Offset() const { return m_nOffset; }
    // The file's size now; 0 when it cannot be told.
    std::uint64_t FileSize() const;
    // The least a read asks of the file: kBufferSize unless set higher (at most 1 MiB). Readers
    // that go through a whole file ask for larger pieces, so that a record costs less than one
    // call to the system.
    void SetReadSize(std::size_t nBytes);
    platform::ErrorCode Error() const { return m_nError; }

    // Decodes one item with fn, a callable taking a CArchiveReader over the window. While the
    // reader runs out of bytes the window is refilled and fn called again from the item's start;
    // an item that would be longer than nMaxBytes is malformed. On kOk the item is consumed.
    template <typename Fn>
    EDecode Decode(Fn&& fn, std::size_t nMaxBytes) {
        for (;;) {
            const std::span<const std::uint8_t> window = Window();
            CArchiveReader reader(window.data(), window.size());
            fn(reader);
            if (reader.Ok()) {
                if (reader.Position() > nMaxBytes) return EDecode::kMalformed;
                Consume(reader.Position());
                return EDecode::kOk;
            }
            if (reader.ErrorCode() != EArchiveError::kTruncated) return EDecode::kMalformed;
            if (window.size() >= nMaxBytes) return EDecode::kMalformed;
            if (!ReadMore()) return Failed() ? EDecode::kReadError : EDecode::kEndOfFile;
        }
    }

private:
    bool Failed() const { return m_nError != platform::kSuccess; }
    bool IsOpen() const { return m_file.IsOpen() || m_fnSource != nullptr; }

    platform::InputFile m_file;
    Source m_fnSource;  // set instead of m_file
    std::vector<std::uint8_t> m_vecBuffer;
    std::size_t m_nStart = 0;  // first unconsumed byte in m_vecBuffer
    std::size_t m_nEnd = 0;    // one past the last byte read into m_vecBuffer
    std::uint64_t m_nOffset = 0;
    std::size_t m_nReadSize = kBufferSize;
    platform::ErrorCode m_nError = platform::kSuccess;
};

// Reads one archive string of at most kMaxStringBytes as UTF-8 text; false when the input ends
// inside it, it is malformed or longer, or a read fails. Each string is decoded once, when all of
// its bytes are there: the window refills only re-check its length prefix.
bool ReadText(CDataFileInput& input, std::string& strText);

}  // namespace datafile
