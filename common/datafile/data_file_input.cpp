// The data file reader's window: reads in pieces, compacts consumed bytes away, never overreads.
#include "datafile/data_file_input.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "datafile/data_file_format.h"

namespace datafile {
namespace {

// The most one read adds, so that a long record grows the window in steps of bytes that exist.
constexpr std::size_t kMaxPiece = 1u << 20;

}  // namespace

platform::ErrorCode CDataFileInput::Open(const std::string& strPath) {
    Close();
    m_nError = m_file.Open(strPath);
    return m_nError;
}

void CDataFileInput::Open(Source fnSource) {
    Close();
    m_fnSource = std::move(fnSource);
}

CDataFileInput::Source CDataFileInput::FromBytes(std::span<const std::uint8_t> bytes) {
    return [bytes, nPos = std::size_t{0}](void* pBuffer, std::size_t nSize,
                                          std::size_t& nRead) mutable {
        nRead = std::min(nSize, bytes.size() - nPos);
        if (nRead > 0) std::memcpy(pBuffer, bytes.data() + nPos, nRead);
        nPos += nRead;
        return platform::kSuccess;
    };
}

void CDataFileInput::Close() {
    m_file.Close();
    m_fnSource = nullptr;
    m_vecBuffer.clear();
    m_vecBuffer.shrink_to_fit();
    m_nStart = m_nEnd = 0;
    m_nOffset = 0;
    m_nError = platform::kSuccess;
}

bool CDataFileInput::ReadMore(std::size_t nBytes) {
    if (Failed() || !IsOpen()) return false;
    const std::size_t nPiece = std::clamp(nBytes, m_nReadSize, kMaxPiece);
    // Consumed bytes are moved out of the way before the buffer grows.
    if (m_nStart > 0 && m_vecBuffer.size() - m_nEnd < nPiece) {
        std::memmove(m_vecBuffer.data(), m_vecBuffer.data() + m_nStart, m_nEnd - m_nStart);
        m_nEnd -= m_nStart;
        m_nStart = 0;
    }
    if (m_vecBuffer.size() - m_nEnd < nPiece) m_vecBuffer.resize(m_nEnd + nPiece);
    std::size_t nRead = 0;
    m_nError = m_fnSource ? m_fnSource(m_vecBuffer.data() + m_nEnd, nPiece, nRead)
                          : m_file.Read(m_vecBuffer.data() + m_nEnd, nPiece, nRead);
    if (Failed()) return false;
    m_nEnd += std::min(nRead, nPiece);  // a source can never claim more than it was given room for
    return nRead > 0;
}

std::uint64_t CDataFileInput::FileSize() const {
    std::uint64_t nBytes = 0;
    return m_file.Size(nBytes) == platform::kSuccess ? nBytes : 0;
}

void CDataFileInput::SetReadSize(std::size_t nBytes) {
    m_nReadSize = std::clamp(nBytes, kBufferSize, kMaxPiece);
}

bool CDataFileInput::Fill(std::size_t nBytes) {
    while (m_nEnd - m_nStart < nBytes) {
        if (!ReadMore(nBytes - (m_nEnd - m_nStart))) return false;
    }
    return true;
}

void CDataFileInput::Consume(std::size_t nBytes) {
    nBytes = std::min(nBytes, m_nEnd - m_nStart);
    m_nStart += nBytes;
    m_nOffset += nBytes;
    if (m_nStart == m_nEnd) m_nStart = m_nEnd = 0;
}

bool ReadText(CDataFileInput& input, std::string& strText) {
    // A length prefix takes at most 7 bytes.
    return input.Decode([&](CArchiveReader& reader) { strText = reader.ReadString(); },
                        kMaxStringBytes + 7) == EDecode::kOk;
}

}  // namespace datafile
