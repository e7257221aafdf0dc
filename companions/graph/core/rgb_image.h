// A picture as 8-bit RGB pixels, and its two encodings: a PNG file and a clipboard DIB.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Rows top to bottom, three bytes a pixel (red, green, blue), no padding.
struct CRgbImage {
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<std::uint8_t> m_vecPixels;

    CRgbImage() = default;
    CRgbImage(int nWidth, int nHeight)
        : m_nWidth(nWidth),
          m_nHeight(nHeight),
          m_vecPixels(static_cast<std::size_t>(nWidth) * static_cast<std::size_t>(nHeight) * 3) {}
    std::uint8_t* Row(int nRow) {
        return m_vecPixels.data() + static_cast<std::size_t>(nRow) * m_nWidth * 3;
    }
    const std::uint8_t* Row(int nRow) const {
        return m_vecPixels.data() + static_cast<std::size_t>(nRow) * m_nWidth * 3;
    }
};

// A PNG file: 8-bit RGB, each row filtered with the "Sub" filter, compressed with fixed Huffman
// codes and runs of repeated bytes (a chart is mostly runs of one colour). Empty for an image
// without pixels.
std::string EncodePng(const CRgbImage& image);

// The clipboard's device-independent bitmap (CF_DIB): a 40-byte BITMAPINFOHEADER followed by
// 24-bit rows bottom to top, blue-green-red, each padded to a multiple of 4 bytes.
std::string EncodeDib(const CRgbImage& image);

// The CRC-32 of PNG chunks and the Adler-32 of zlib streams, for the encoder and its tests.
std::uint32_t Crc32(const std::uint8_t* pData, std::size_t nSize, std::uint32_t nCrc = 0);
std::uint32_t Adler32(const std::uint8_t* pData, std::size_t nSize);
