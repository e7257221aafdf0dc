// The PNG and DIB encodings: checksums, the file's chunks, and pixels that decode back exactly.
#include "rgb_image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

namespace {

std::uint32_t BigEndian32(const std::string& s, std::size_t n) {
    return (std::uint32_t(std::uint8_t(s[n])) << 24) | (std::uint32_t(std::uint8_t(s[n + 1])) << 16) |
           (std::uint32_t(std::uint8_t(s[n + 2])) << 8) | std::uint32_t(std::uint8_t(s[n + 3]));
}

std::uint32_t LittleEndian(const std::string& s, std::size_t n, int nBytes) {
    std::uint32_t v = 0;
    for (int i = nBytes - 1; i >= 0; --i) v = (v << 8) | std::uint8_t(s[n + i]);
    return v;
}

// A small inflater for stored and fixed-Huffman blocks, written from the deflate format's
// tables, to read back what the encoder wrote.
class CInflater {
public:
    explicit CInflater(const std::string& strData) : m_strData(strData) {}

    std::vector<std::uint8_t> Run() {
        std::vector<std::uint8_t> out;
        bool bFinal = false;
        while (!bFinal) {
            bFinal = Bits(1) == 1;
            const std::uint32_t nType = Bits(2);
            if (nType == 0) {
                m_nBit = (m_nBit + 7) / 8 * 8;
                const std::uint32_t nLength = Bits(16);
                Bits(16);
                for (std::uint32_t i = 0; i < nLength; ++i) out.push_back(std::uint8_t(Bits(8)));
            } else if (nType == 1) {
                for (;;) {
                    const int nSymbol = Symbol();
                    if (nSymbol < 256) {
                        out.push_back(std::uint8_t(nSymbol));
                        continue;
                    }
                    if (nSymbol == 256) break;
                    static const int kBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,
                                                15, 17, 19, 23, 27, 31, 35, 43, 51,  59,
                                                67, 83, 99, 115, 131, 163, 195, 227, 258};
                    static const int kExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
                    const int nIndex = nSymbol - 257;
                    const int nLength = kBase[nIndex] + int(Bits(kExtra[nIndex]));
                    const int nDistanceCode = int(Code(5));
                    if (nDistanceCode >= 24) throw std::runtime_error("distance code");
                    static const int kDistBase[] = {1,   2,   3,   4,   5,   7,    9,    13,
                                                    17,  25,  33,  49,  65,  97,   129,  193,
                                                    257, 385, 513, 769, 1025, 1537, 2049, 3073};
                    const int nDistExtra = nDistanceCode < 4 ? 0 : nDistanceCode / 2 - 1;
                    const int nDistance = kDistBase[nDistanceCode] + int(Bits(nDistExtra));
                    if (nDistance > int(out.size())) throw std::runtime_error("distance");
                    for (int i = 0; i < nLength; ++i) out.push_back(out[out.size() - nDistance]);
                }
            } else {
                throw std::runtime_error("block type");
            }
        }
        return out;
    }

private:
    std::uint32_t Bits(int nCount) {
        std::uint32_t v = 0;
        for (int i = 0; i < nCount; ++i, ++m_nBit) {
            if (m_nBit / 8 >= m_strData.size()) throw std::runtime_error("end of data");
            v |= std::uint32_t((std::uint8_t(m_strData[m_nBit / 8]) >> (m_nBit % 8)) & 1) << i;
        }
        return v;
    }
    std::uint32_t Code(int nCount) {
        std::uint32_t v = 0;
        for (int i = 0; i < nCount; ++i) v = (v << 1) | Bits(1);
        return v;
    }
    int Symbol() {
        std::uint32_t c = Code(7);
        if (c <= 23) return 256 + int(c);
        c = (c << 1) | Bits(1);
        if (c >= 0x30 && c <= 0xBF) return int(c) - 0x30;
        if (c >= 0xC0 && c <= 0xC7) return 280 + int(c) - 0xC0;
        c = (c << 1) | Bits(1);
        if (c >= 0x190 && c <= 0x1FF) return 144 + int(c) - 0x190;
        throw std::runtime_error("bad code");
    }
    const std::string& m_strData;
    std::size_t m_nBit = 0;
};

// Decodes an encoded PNG of this encoder (one IDAT, filters None or Sub) back into pixels.
CRgbImage DecodePng(const std::string& strPng) {
    EXPECT_EQ(strPng.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
    std::size_t nPos = 8;
    CRgbImage image;
    std::string strIdat;
    std::vector<std::string> vecTypes;
    while (nPos + 12 <= strPng.size()) {
        const std::uint32_t nLength = BigEndian32(strPng, nPos);
        const std::string strType = strPng.substr(nPos + 4, 4);
        vecTypes.push_back(strType);
        const std::string strBody = strPng.substr(nPos + 4, 4 + nLength);
        EXPECT_EQ(BigEndian32(strPng, nPos + 8 + nLength),
                  Crc32(reinterpret_cast<const std::uint8_t*>(strBody.data()), strBody.size()))
            << strType;
        if (strType == "IHDR") {
            image = CRgbImage(int(BigEndian32(strPng, nPos + 8)), int(BigEndian32(strPng, nPos + 12)));
            EXPECT_EQ(strPng.substr(nPos + 16, 5), std::string("\x08\x02\x00\x00\x00", 5));
        }
        if (strType == "IDAT") strIdat += strPng.substr(nPos + 8, nLength);
        nPos += 12 + nLength;
    }
    EXPECT_EQ(nPos, strPng.size());
    EXPECT_EQ(vecTypes, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ((std::uint8_t(strIdat[0]) * 256 + std::uint8_t(strIdat[1])) % 31, 0);
    const std::vector<std::uint8_t> raw = CInflater(strIdat.substr(2)).Run();
    EXPECT_EQ(BigEndian32(strIdat, strIdat.size() - 4), Adler32(raw.data(), raw.size()));
    const std::size_t nRowBytes = std::size_t(image.m_nWidth) * 3;
    EXPECT_EQ(raw.size(), (nRowBytes + 1) * std::size_t(image.m_nHeight));
    for (int y = 0; y < image.m_nHeight && raw.size() == (nRowBytes + 1) * std::size_t(image.m_nHeight); ++y) {
        const std::uint8_t* pIn = raw.data() + std::size_t(y) * (nRowBytes + 1);
        EXPECT_LE(pIn[0], 1);
        std::uint8_t* pOut = image.Row(y);
        for (std::size_t i = 0; i < nRowBytes; ++i) {
            pOut[i] = std::uint8_t(pIn[1 + i] + (pIn[0] == 1 && i >= 3 ? pOut[i - 3] : 0));
        }
    }
    return image;
}

// A chart-like picture: white, a grey grid, a frame and a blue zigzag.
CRgbImage ChartLike(int nWidth, int nHeight) {
    CRgbImage image(nWidth, nHeight);
    std::memset(image.m_vecPixels.data(), 255, image.m_vecPixels.size());
    for (int y = 0; y < nHeight; ++y) {
        for (int x = 0; x < nWidth; ++x) {
            std::uint8_t* p = image.Row(y) + 3 * x;
            if (x % 50 == 0 || y % 40 == 0) p[0] = p[1] = p[2] = 224;
            if (x == 0 || y == 0 || x == nWidth - 1 || y == nHeight - 1) p[0] = p[1] = p[2] = 0;
            if (y == (x * 7) % nHeight) p[0] = 0, p[1] = 80, p[2] = 200;
        }
    }
    return image;
}

TEST(PngEncoder, ChecksumsMatchTheirDefinitions) {
    const std::string strText = "Wikipedia";
    EXPECT_EQ(Adler32(reinterpret_cast<const std::uint8_t*>(strText.data()), strText.size()),
              0x11E60398u);
    const std::string strEnd = "IEND";
    EXPECT_EQ(Crc32(reinterpret_cast<const std::uint8_t*>(strEnd.data()), strEnd.size()),
              0xAE426082u);
    const std::string strCheck = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const std::uint8_t*>(strCheck.data()), strCheck.size()),
              0xCBF43926u);
}

TEST(PngEncoder, PixelsDecodeBackExactlyAndRunsCompress) {
    for (const auto& [nWidth, nHeight] : {std::pair{1, 1}, std::pair{3, 2}, std::pair{640, 400},
                                         std::pair{257, 5}}) {
        const CRgbImage image = ChartLike(nWidth, nHeight);
        const std::string strPng = EncodePng(image);
        const CRgbImage decoded = DecodePng(strPng);
        EXPECT_EQ(decoded.m_nWidth, nWidth);
        EXPECT_EQ(decoded.m_nHeight, nHeight);
        EXPECT_EQ(decoded.m_vecPixels, image.m_vecPixels) << nWidth << "x" << nHeight;
        if (nWidth == 640) {
            EXPECT_LT(strPng.size(), image.m_vecPixels.size() / 10);
        }
    }
    // Noise has no runs: every byte a literal, still exact.
    CRgbImage noise(33, 17);
    std::uint32_t nSeed = 12345;
    for (std::uint8_t& b : noise.m_vecPixels) b = std::uint8_t((nSeed = nSeed * 1103515245 + 12345) >> 16);
    EXPECT_EQ(DecodePng(EncodePng(noise)).m_vecPixels, noise.m_vecPixels);
    EXPECT_EQ(EncodePng(CRgbImage()), "");
}

TEST(DibEncoder, HeaderAndBottomUpPaddedRows) {
    CRgbImage image(3, 2);
    for (std::size_t i = 0; i < image.m_vecPixels.size(); ++i) image.m_vecPixels[i] = std::uint8_t(i + 1);
    const std::string strDib = EncodeDib(image);
    const std::uint32_t nStride = 12;  // 9 bytes of pixels, padded to 12
    ASSERT_EQ(strDib.size(), 40u + 2 * nStride);
    EXPECT_EQ(LittleEndian(strDib, 0, 4), 40u);
    EXPECT_EQ(LittleEndian(strDib, 4, 4), 3u);
    EXPECT_EQ(LittleEndian(strDib, 8, 4), 2u);
    EXPECT_EQ(LittleEndian(strDib, 12, 2), 1u);
    EXPECT_EQ(LittleEndian(strDib, 14, 2), 24u);
    EXPECT_EQ(LittleEndian(strDib, 16, 4), 0u);
    EXPECT_EQ(LittleEndian(strDib, 20, 4), 2 * nStride);
    // The first stored row is the picture's bottom row, blue first.
    EXPECT_EQ(std::uint8_t(strDib[40]), image.Row(1)[2]);
    EXPECT_EQ(std::uint8_t(strDib[41]), image.Row(1)[1]);
    EXPECT_EQ(std::uint8_t(strDib[42]), image.Row(1)[0]);
    EXPECT_EQ(std::uint8_t(strDib[40 + nStride]), image.Row(0)[2]);
    EXPECT_EQ(strDib.substr(40 + 9, 3), std::string(3, '\0'));
}

}  // namespace
