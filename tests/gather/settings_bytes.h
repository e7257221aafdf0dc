// Builds settings file bytes field by field from the file layout, independently of the writer
// under test.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace gather_test {

class CRawBytes {
public:
    CRawBytes& Int(std::int32_t nValue) {
        const auto u = static_cast<std::uint32_t>(nValue);
        for (int i = 0; i < 4; ++i) m_str.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
        return *this;
    }
    // A string of fewer than 255 bytes: a one-byte length, then the bytes.
    CRawBytes& Str(std::string_view bytes) {
        m_str.push_back(static_cast<char>(bytes.size()));
        m_str.append(bytes);
        return *this;
    }
    CRawBytes& Empty(int nCount) {
        m_str.append(static_cast<std::size_t>(nCount), '\0');
        return *this;
    }
    const std::string& Bytes() const { return m_str; }

private:
    std::string m_str;
};

// The fields of a used schedule record that every version stores, with the optional ones
// (target type, split unit) present or not.
struct CRawSchedule {
    std::int32_t m_nState = 1;
    std::int32_t m_nTargetType = 0;
    std::string m_strTarget;
    std::string m_strComment;
    std::int32_t m_nInterval = 1000;
    std::int32_t m_nSplitUnit = 0;
    std::int32_t m_nRepeat = 1;
    std::int32_t m_nDay = 1;
    std::int32_t m_tStart = 0;
    std::int32_t m_bWeekday[7] = {0, 0, 0, 0, 0, 0, 0};
    std::int32_t m_nEndType = 1;
    std::int32_t m_tsDuration = 3600;
    std::int32_t m_tsEndTime = 0;
    std::int32_t m_nCpu = -1;
    std::int32_t m_nMem = -1;
    std::int32_t m_nDisk = -1;
    std::int32_t m_tNextStart = 0;
    std::int32_t m_tNextEnd = 0;
    std::int32_t m_tFollowingStart = 0;

    void AppendTo(CRawBytes& out, bool bTargetType, bool bSplitUnit) const {
        out.Int(m_nState);
        if (bTargetType) out.Int(m_nTargetType);
        out.Str(m_strTarget).Str(m_strComment).Int(m_nInterval);
        if (bSplitUnit) out.Int(m_nSplitUnit);
        out.Int(m_nRepeat).Int(m_nDay).Int(m_tStart);
        for (std::int32_t b : m_bWeekday) out.Int(b);
        out.Int(m_nEndType).Int(m_tsDuration).Int(m_tsEndTime);
        out.Int(m_nCpu).Int(m_nMem).Int(m_nDisk);
        out.Int(m_tNextStart).Int(m_tNextEnd).Int(m_tFollowingStart);
    }
};

}  // namespace gather_test
