// PNG and DIB encodings of an RGB picture; the PNG's deflate stream uses fixed Huffman codes.
#include "rgb_image.h"

#include <array>

namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kFilterSub = 1;
constexpr int kMinRun = 3;     // shorter repeats are cheaper as literals
constexpr int kMaxRun = 258;   // the longest match deflate can express

void PutBigEndian32(std::string& strOut, std::uint32_t n) {
    for (int i = 3; i >= 0; --i) strOut += static_cast<char>((n >> (8 * i)) & 0xFF);
}

void PutLittleEndian(std::string& strOut, std::uint32_t n, int nBytes) {
    for (int i = 0; i < nBytes; ++i) strOut += static_cast<char>((n >> (8 * i)) & 0xFF);
}

void PutChunk(std::string& strOut, const char (&szType)[5], const std::string& strData) {
    PutBigEndian32(strOut, static_cast<std::uint32_t>(strData.size()));
    std::string strBody(szType, 4);
    strBody += strData;
    strOut += strBody;
    PutBigEndian32(strOut, Crc32(reinterpret_cast<const std::uint8_t*>(strBody.data()),
                                 strBody.size()));
}

// Deflate's bit writer: bits go in from the least significant end of each byte.
class CBitWriter {
public:
    explicit CBitWriter(std::string& strOut) : m_strOut(strOut) {}
    void Bits(std::uint32_t nValue, int nCount) {
        for (int i = 0; i < nCount; ++i) Bit((nValue >> i) & 1);
    }
    // Huffman codes are written from their most significant bit.
    void Code(std::uint32_t nCode, int nLength) {
        for (int i = nLength - 1; i >= 0; --i) Bit((nCode >> i) & 1);
    }
    void Flush() {
        if (m_nBits > 0) m_strOut += static_cast<char>(m_nByte);
        m_nByte = 0;
        m_nBits = 0;
    }

private:
    void Bit(std::uint32_t nBit) {
        m_nByte |= static_cast<std::uint8_t>(nBit << m_nBits);
        if (++m_nBits == 8) Flush();
    }
    std::string& m_strOut;
    std::uint8_t m_nByte = 0;
    int m_nBits = 0;
};

// The fixed literal/length code of a symbol (0 to 287).
void PutSymbol(CBitWriter& writer, int nSymbol) {
    if (nSymbol < 144) return writer.Code(0x30 + nSymbol, 8);
    if (nSymbol < 256) return writer.Code(0x190 + (nSymbol - 144), 9);
    if (nSymbol < 280) return writer.Code(nSymbol - 256, 7);
    writer.Code(0xC0 + (nSymbol - 280), 8);
}

// A match of nLength (3 to 258) bytes at distance 1: length symbol, its extra bits, distance
// code 0 (5 bits, no extra bits).
void PutRun(CBitWriter& writer, int nLength) {
    static constexpr std::array<int, 29> kBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,
                                                  15, 17, 19, 23, 27, 31, 35, 43, 51,  59,
                                                  67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr std::array<int, 29> kExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                   2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    int nCode = 28;
    while (kBase[static_cast<std::size_t>(nCode)] > nLength) --nCode;
    PutSymbol(writer, 257 + nCode);
    writer.Bits(static_cast<std::uint32_t>(nLength - kBase[static_cast<std::size_t>(nCode)]),
                kExtra[static_cast<std::size_t>(nCode)]);
    writer.Code(0, 5);
}

// One final fixed-Huffman block: literals, and runs of the byte before as matches at distance 1.
std::string Deflate(const std::vector<std::uint8_t>& vecData) {
    std::string strOut;
    CBitWriter writer(strOut);
    writer.Bits(1, 1);  // the last block
    writer.Bits(1, 2);  // fixed Huffman codes
    std::size_t i = 0;
    while (i < vecData.size()) {
        if (i > 0) {
            std::size_t nRun = 0;
            while (i + nRun < vecData.size() && nRun < kMaxRun &&
                   vecData[i + nRun] == vecData[i - 1]) {
                ++nRun;
            }
            if (nRun >= kMinRun) {
                PutRun(writer, static_cast<int>(nRun));
                i += nRun;
                continue;
            }
        }
        PutSymbol(writer, vecData[i++]);
    }
    PutSymbol(writer, 256);  // end of block
    writer.Flush();
    return strOut;
}

}  // namespace

std::uint32_t Crc32(const std::uint8_t* pData, std::size_t nSize, std::uint32_t nCrc) {
    static const std::array<std::uint32_t, 256> kTable = [] {
        std::array<std::uint32_t, 256> table{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        return table;
    }();
    nCrc = ~nCrc;
    for (std::size_t i = 0; i < nSize; ++i) nCrc = kTable[(nCrc ^ pData[i]) & 0xFF] ^ (nCrc >> 8);
    return ~nCrc;
}

std::uint32_t Adler32(const std::uint8_t* pData, std::size_t nSize) {
    constexpr std::uint32_t kModulus = 65521;
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::size_t i = 0; i < nSize; ++i) {
        a = (a + pData[i]) % kModulus;
        b = (b + a) % kModulus;
    }
    return (b << 16) | a;
}

std::string EncodePng(const CRgbImage& image) {
    if (image.m_nWidth <= 0 || image.m_nHeight <= 0) return {};
    const std::size_t nRowBytes = static_cast<std::size_t>(image.m_nWidth) * 3;

    // Filter type byte, then each byte minus the same colour of the pixel to its left.
    std::vector<std::uint8_t> vecFiltered;
    vecFiltered.reserve((nRowBytes + 1) * static_cast<std::size_t>(image.m_nHeight));
    for (int nRow = 0; nRow < image.m_nHeight; ++nRow) {
        const std::uint8_t* pRow = image.Row(nRow);
        vecFiltered.push_back(kFilterSub);
        for (std::size_t i = 0; i < nRowBytes; ++i) {
            vecFiltered.push_back(
                static_cast<std::uint8_t>(pRow[i] - (i >= 3 ? pRow[i - 3] : 0)));
        }
    }

    std::string strZlib = {0x78, 0x01};  // deflate, 32 KB window, no dictionary, fastest
    strZlib += Deflate(vecFiltered);
    PutBigEndian32(strZlib, Adler32(vecFiltered.data(), vecFiltered.size()));

    std::string strHeader;
    PutBigEndian32(strHeader, static_cast<std::uint32_t>(image.m_nWidth));
    PutBigEndian32(strHeader, static_cast<std::uint32_t>(image.m_nHeight));
    strHeader += {8, 2, 0, 0, 0};  // 8 bits, RGB, deflate, adaptive filters, no interlace

    std::string strPng(reinterpret_cast<const char*>(kPngSignature), sizeof kPngSignature);
    PutChunk(strPng, "IHDR", strHeader);
    PutChunk(strPng, "IDAT", strZlib);
    PutChunk(strPng, "IEND", {});
    return strPng;
}

std::string EncodeDib(const CRgbImage& image) {
    if (image.m_nWidth <= 0 || image.m_nHeight <= 0) return {};
    const std::uint32_t nStride = (static_cast<std::uint32_t>(image.m_nWidth) * 3 + 3) & ~3u;
    const std::uint32_t nImageBytes = nStride * static_cast<std::uint32_t>(image.m_nHeight);
    std::string strDib;
    PutLittleEndian(strDib, 40, 4);  // biSize
    PutLittleEndian(strDib, static_cast<std::uint32_t>(image.m_nWidth), 4);
    PutLittleEndian(strDib, static_cast<std::uint32_t>(image.m_nHeight), 4);  // bottom-up
    PutLittleEndian(strDib, 1, 2);   // biPlanes
    PutLittleEndian(strDib, 24, 2);  // biBitCount
    PutLittleEndian(strDib, 0, 4);   // BI_RGB
    PutLittleEndian(strDib, nImageBytes, 4);
    PutLittleEndian(strDib, 2835, 4);  // 72 dots per inch, in dots per metre
    PutLittleEndian(strDib, 2835, 4);
    PutLittleEndian(strDib, 0, 4);  // no colour table
    PutLittleEndian(strDib, 0, 4);
    for (int nRow = image.m_nHeight - 1; nRow >= 0; --nRow) {
        const std::uint8_t* pRow = image.Row(nRow);
        for (int x = 0; x < image.m_nWidth; ++x) {
            strDib += static_cast<char>(pRow[3 * x + 2]);
            strDib += static_cast<char>(pRow[3 * x + 1]);
            strDib += static_cast<char>(pRow[3 * x]);
        }
        strDib.append(nStride - static_cast<std::uint32_t>(image.m_nWidth) * 3, '\0');
    }
    return strDib;
}
