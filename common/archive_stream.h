// The binary archive stream shared by the settings file, error log, data files and clipboard block.
//
// Encoding (all little-endian):
//   int32 / uint32  4 bytes
//   time            int32 seconds since 1970-01-01 00:00:00 UTC
//   string          length prefix, then that many code page 932 bytes, no terminator:
//                   length < 255:     1 byte
//                   length < 0xFFFE:  0xFF, uint16 length
//                   otherwise:        0xFF, uint16 0xFFFF, uint32 length
//
// Strings are UTF-8 in the program; WriteString/ReadString convert to and from code page 932 at
// this boundary, keeping every stored byte (bytes without a one-to-one character travel as
// escapes, see platform/text_codec.h), so a string read and written again is unchanged.
// WriteRawString/ReadRawString move the bytes unchanged (for texts that already are code page
// 932, and for tags that are plain ASCII anyway).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/clock.h"

// Appends encoded values to a byte buffer. Writing never fails.
class CArchiveWriter {
public:
    void WriteInt32(std::int32_t nValue);
    void WriteUInt32(std::uint32_t nValue);
    // A point in time as int32 seconds. The format cannot hold times before 1901-12-13 20:45:52
    // UTC or after 2038-01-19 03:14:07 UTC; such a time is clamped to the nearest end of that
    // range, so the record stays well-formed and reads back as the closest moment it can hold.
    void WriteTime(platform::Time tValue);
    // UTF-8 text, stored as code page 932 (characters it cannot hold become '?').
    void WriteString(std::string_view strUtf8);
    // Bytes stored as they are, with the string length prefix.
    void WriteRawString(std::string_view strBytes);
    // Bytes stored as they are, without any prefix (a block whose length was written before).
    void WriteBytes(const void* pData, std::size_t nSize);

    const std::string& Buffer() const { return m_strBuffer; }
    std::size_t Size() const { return m_strBuffer.size(); }
    // Hands the bytes over and leaves the writer empty.
    std::string TakeBuffer();
    void Clear() { m_strBuffer.clear(); }

    // The int32 a time is stored as (see WriteTime).
    static std::int32_t ClampTime(platform::Time tValue);

private:
    void WriteLength(std::size_t nLength);

    std::string m_strBuffer;
};

// Why a read failed. The first failure sticks: later reads do nothing and return empty values.
enum class EArchiveError {
    kNone,
    kTruncated,        // fewer bytes left than the value needs
    kBadLengthMarker,  // a length prefix the format does not define (0xFF 0xFFFE)
};

// Reads encoded values from a byte span it does not own and never reads past its end.
// A read that cannot be satisfied puts the reader into a failed state: it returns 0 or an empty
// string, leaves the position where the failing value started, and every later read fails too,
// so a caller can read a whole record and check Ok() once.
class CArchiveReader {
public:
    CArchiveReader(const unsigned char* pData, std::size_t nSize);
    explicit CArchiveReader(std::string_view bytes);
    // The reader does not own its input: a temporary string would be gone before the first read.
    explicit CArchiveReader(std::string&&) = delete;

    std::int32_t ReadInt32();
    std::uint32_t ReadUInt32();
    platform::Time ReadTime();
    // Code page 932 text, returned as UTF-8 (with escapes for bytes that have no one-to-one
    // character, which WriteString turns back into the same bytes).
    std::string ReadString();
    // The string's bytes as stored.
    std::string ReadRawString();
    // nSize bytes as stored, without a prefix. Fails without allocating when fewer are left.
    std::string ReadBytes(std::size_t nSize);

    bool Ok() const { return m_eError == EArchiveError::kNone; }
    EArchiveError ErrorCode() const { return m_eError; }
    // A readable description of the first failure, empty while Ok().
    const std::string& Error() const { return m_strError; }
    std::size_t Remaining() const { return m_nSize - m_nPos; }
    std::size_t Position() const { return m_nPos; }
    bool AtEnd() const { return m_nPos == m_nSize; }

private:
    bool Need(std::size_t nBytes, const char* pszWhat);
    void Fail(EArchiveError eError, std::string strMessage);
    std::uint32_t TakeUInt32();
    std::uint16_t TakeUInt16();
    // Reads a length prefix; false (and failed) when it is malformed or longer than the input.
    bool ReadLength(std::size_t& nLength);

    const unsigned char* m_pData;
    std::size_t m_nSize;
    std::size_t m_nPos = 0;
    EArchiveError m_eError = EArchiveError::kNone;
    std::string m_strError;
};
