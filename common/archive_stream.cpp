// Encoding and checked decoding of the archive stream's int32, time and string values.
#include "archive_stream.h"

#include <limits>
#include <utility>

#include "platform/text_codec.h"

namespace {

constexpr unsigned char kLongPrefix = 0xFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;  // never written; marks an encoding we do not read
constexpr std::uint16_t kHugeMarker = 0xFFFF;  // a uint32 length follows

}  // namespace

// ---- CArchiveWriter ----

void CArchiveWriter::WriteUInt32(std::uint32_t nValue) {
    const char bytes[4] = {
        static_cast<char>(nValue & 0xFF), static_cast<char>((nValue >> 8) & 0xFF),
        static_cast<char>((nValue >> 16) & 0xFF), static_cast<char>((nValue >> 24) & 0xFF)};
    m_strBuffer.append(bytes, sizeof bytes);
}

void CArchiveWriter::WriteInt32(std::int32_t nValue) {
    WriteUInt32(static_cast<std::uint32_t>(nValue));
}

std::int32_t CArchiveWriter::ClampTime(platform::Time tValue) {
    constexpr platform::Time kMin = std::numeric_limits<std::int32_t>::min();
    constexpr platform::Time kMax = std::numeric_limits<std::int32_t>::max();
    if (tValue < kMin) return static_cast<std::int32_t>(kMin);
    if (tValue > kMax) return static_cast<std::int32_t>(kMax);
    return static_cast<std::int32_t>(tValue);
}

void CArchiveWriter::WriteTime(platform::Time tValue) {
    WriteInt32(ClampTime(tValue));
}

void CArchiveWriter::WriteLength(std::size_t nLength) {
    if (nLength < kLongPrefix) {
        m_strBuffer.push_back(static_cast<char>(nLength));
        return;
    }
    m_strBuffer.push_back(static_cast<char>(kLongPrefix));
    if (nLength < kWideMarker) {
        m_strBuffer.push_back(static_cast<char>(nLength & 0xFF));
        m_strBuffer.push_back(static_cast<char>((nLength >> 8) & 0xFF));
        return;
    }
    m_strBuffer.push_back(static_cast<char>(0xFF));
    m_strBuffer.push_back(static_cast<char>(0xFF));
    // The format has no room for more than 4 GiB; no text of the suite comes near it.
    WriteUInt32(static_cast<std::uint32_t>(nLength));
}

void CArchiveWriter::WriteRawString(std::string_view strBytes) {
    WriteLength(strBytes.size());
    m_strBuffer.append(strBytes.data(), strBytes.size());
}

void CArchiveWriter::WriteString(std::string_view strUtf8) {
    WriteRawString(platform::Utf8ToCp932(strUtf8));
}

void CArchiveWriter::WriteBytes(const void* pData, std::size_t nSize) {
    if (nSize == 0) return;
    m_strBuffer.append(static_cast<const char*>(pData), nSize);
}

std::string CArchiveWriter::TakeBuffer() {
    std::string strOut = std::move(m_strBuffer);
    m_strBuffer.clear();
    return strOut;
}

// ---- CArchiveReader ----

CArchiveReader::CArchiveReader(const unsigned char* pData, std::size_t nSize)
    : m_pData(pData), m_nSize(pData != nullptr ? nSize : 0) {}

CArchiveReader::CArchiveReader(std::string_view bytes)
    : CArchiveReader(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) {}

void CArchiveReader::Fail(EArchiveError eError, std::string strMessage) {
    if (!Ok()) return;
    m_eError = eError;
    m_strError = std::move(strMessage);
}

bool CArchiveReader::Need(std::size_t nBytes, const char* pszWhat) {
    if (!Ok()) return false;
    if (nBytes <= Remaining()) return true;
    Fail(EArchiveError::kTruncated, std::string("archive truncated: ") + pszWhat + " at offset " +
                                        std::to_string(m_nPos) + " needs " +
                                        std::to_string(nBytes) + " bytes, " +
                                        std::to_string(Remaining()) + " left");
    return false;
}

std::uint32_t CArchiveReader::TakeUInt32() {
    const unsigned char* p = m_pData + m_nPos;
    m_nPos += 4;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t CArchiveReader::TakeUInt16() {
    const unsigned char* p = m_pData + m_nPos;
    m_nPos += 2;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t CArchiveReader::ReadUInt32() {
    if (!Need(4, "integer")) return 0;
    return TakeUInt32();
}

std::int32_t CArchiveReader::ReadInt32() {
    return static_cast<std::int32_t>(ReadUInt32());
}

platform::Time CArchiveReader::ReadTime() {
    if (!Need(4, "time")) return 0;
    return static_cast<platform::Time>(static_cast<std::int32_t>(TakeUInt32()));
}

bool CArchiveReader::ReadLength(std::size_t& nLength) {
    const std::size_t nStart = m_nPos;
    nLength = 0;
    if (!Need(1, "string length")) return false;
    std::size_t nValue = m_pData[m_nPos++];
    if (nValue == kLongPrefix) {
        if (!Need(2, "string length")) {
            m_nPos = nStart;
            return false;
        }
        nValue = TakeUInt16();
        if (nValue == kWideMarker) {
            m_nPos = nStart;
            Fail(EArchiveError::kBadLengthMarker,
                 "archive string at offset " + std::to_string(nStart) +
                     " has the length marker 0xFFFE, which this format does not use");
            return false;
        }
        if (nValue == kHugeMarker) {
            if (!Need(4, "string length")) {
                m_nPos = nStart;
                return false;
            }
            nValue = TakeUInt32();
        }
    }
    // The length is checked against what is left before anything is allocated for it.
    if (nValue > Remaining()) {
        const std::size_t nLeft = Remaining();
        m_nPos = nStart;
        Fail(EArchiveError::kTruncated,
             "archive truncated: string at offset " + std::to_string(nStart) + " announces " +
                 std::to_string(nValue) + " bytes, " + std::to_string(nLeft) + " left");
        return false;
    }
    nLength = nValue;
    return true;
}

std::string CArchiveReader::ReadRawString() {
    std::size_t nLength = 0;
    if (!ReadLength(nLength)) return {};
    std::string strOut(reinterpret_cast<const char*>(m_pData + m_nPos), nLength);
    m_nPos += nLength;
    return strOut;
}

std::string CArchiveReader::ReadString() {
    if (!Ok()) return {};
    return platform::Cp932ToUtf8(ReadRawString());
}

std::string CArchiveReader::ReadBytes(std::size_t nSize) {
    if (!Need(nSize, "block")) return {};
    std::string strOut(reinterpret_cast<const char*>(m_pData + m_nPos), nSize);
    m_nPos += nSize;
    return strOut;
}
