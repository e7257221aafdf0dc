// Decoding of UTF-16LE registry strings and the size-then-read value helper.
#include "registry_text.h"

#include <vector>

#include "platform/utf8.h"

std::string Utf16LeToUtf8(std::span<const std::uint8_t> bytes) {
    std::string strResult;
    const std::size_t nUnits = bytes.size() / 2;
    const auto unit = [&](std::size_t i) -> char32_t {
        return static_cast<char32_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    };
    for (std::size_t i = 0; i < nUnits; ++i) {
        const char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < nUnits && unit(i + 1) >= 0xDC00 &&
            unit(i + 1) <= 0xDFFF) {
            platform::utf8::Append(strResult,
                                   0x10000 + ((c - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else {
            // Append turns a lone surrogate into U+FFFD.
            platform::utf8::Append(strResult, c);
        }
    }
    return strResult;
}

platform::ErrorCode ReadValueText(platform::HostAccess& access, platform::HostKey hKey,
                                  const std::string& strName, std::string& strText,
                                  EValueReadStep* pFailedStep) {
    strText.clear();
    const auto fail = [&](EValueReadStep eStep, platform::ErrorCode nCode) {
        if (pFailedStep != nullptr) *pFailedStep = eStep;
        return nCode;
    };
    std::uint32_t nType = 0;
    std::uint32_t nSize = 0;
    platform::ErrorCode nCode = access.QueryValue(hKey, strName, &nType, nullptr, nSize);
    if (nCode != platform::kSuccess) return fail(EValueReadStep::kSize, nCode);
    if (nSize > kMaxValueTextBytes)
        return fail(EValueReadStep::kSize, platform::kErrorNotEnoughMemory);

    // Four spare zero bytes: an empty value still passes a buffer (not a size query), and a
    // DWORD shorter than 4 bytes reads as zero-extended.
    std::vector<std::uint8_t> vecData(static_cast<std::size_t>(nSize) + 4, 0);
    std::uint32_t nRead = nSize;
    nCode = access.QueryValue(hKey, strName, &nType, vecData.data(), nRead);
    if (nCode != platform::kSuccess) return fail(EValueReadStep::kRead, nCode);
    if (nRead > nSize) nRead = nSize;  // never trust a count beyond the buffer

    if (nType == platform::kRegSz) {
        std::size_t nEnd = 0;
        while (nEnd + 1 < nRead && (vecData[nEnd] != 0 || vecData[nEnd + 1] != 0)) nEnd += 2;
        strText = Utf16LeToUtf8(std::span<const std::uint8_t>(vecData.data(), nEnd));
    } else if (nType == platform::kRegDword) {
        const std::uint32_t nValue = static_cast<std::uint32_t>(vecData[0]) |
                                     static_cast<std::uint32_t>(vecData[1]) << 8 |
                                     static_cast<std::uint32_t>(vecData[2]) << 16 |
                                     static_cast<std::uint32_t>(vecData[3]) << 24;
        strText = std::to_string(static_cast<std::int32_t>(nValue));
    }
    return fail(EValueReadStep::kNone, platform::kSuccess);
}
