// ReadCounterNames: the two reads of the "Counter" value and the walk over its strings.
#include "counter_name_reader.h"

#include <new>
#include <vector>

#include "registry_text.h"

void ParseCounterNames(std::span<const std::uint8_t> data, CCounterNameMap& names) {
    const std::size_t nUnits = data.size() / 2;
    std::size_t nPos = 0;  // in units
    // The next string; empty at the end of the data.
    const auto next = [&]() {
        const std::size_t nStart = nPos;
        while (nPos < nUnits && (data[2 * nPos] != 0 || data[2 * nPos + 1] != 0)) ++nPos;
        const std::size_t nEnd = nPos;
        if (nPos < nUnits) ++nPos;  // past the NUL
        return Utf16LeToUtf8(data.subspan(2 * nStart, 2 * (nEnd - nStart)));
    };
    // The pairs end at an empty index text. An empty name is a damaged pair, not the end: it is
    // left out and the walk goes on, so one bad entry does not lose every name after it.
    for (;;) {
        std::string strIndex = next();
        if (strIndex.empty()) break;
        std::string strName = next();
        if (strName.empty()) continue;
        names[std::move(strIndex)] = std::move(strName);
    }
}

platform::ErrorCode ReadCounterNames(platform::HostAccess& access, platform::HostKey hCounterKey,
                                     CCounterNameMap& names) {
    names.clear();
    const std::string strValue = "Counter";
    std::uint32_t nSize = 0;
    platform::ErrorCode nCode = access.QueryValue(hCounterKey, strValue, nullptr, nullptr, nSize);
    if (nCode != platform::kSuccess) return nCode;
    if (nSize > kMaxCounterTableBytes) return platform::kErrorNotEnoughMemory;

    std::vector<std::uint8_t> vecData;
    try {
        // At least one byte so that the read passes a buffer and is not taken as a size query.
        vecData.assign(nSize > 0 ? nSize : 1, 0);
    } catch (const std::bad_alloc&) {
        return platform::kErrorNotEnoughMemory;
    }
    std::uint32_t nRead = nSize;
    nCode = access.QueryValue(hCounterKey, strValue, nullptr, vecData.data(), nRead);
    if (nCode != platform::kSuccess) return nCode;
    if (nRead > nSize) nRead = nSize;  // never trust a count beyond the buffer
    ParseCounterNames(std::span<const std::uint8_t>(vecData.data(), nRead), names);
    return platform::kSuccess;
}
