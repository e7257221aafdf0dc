// The code page 932 table on Linux: iconv "CP932", adjusted to give Windows' bytes.
#include <iconv.h>

#include <cerrno>

#include "platform/cp932_bytes.h"
#include "platform/cp932_table.h"
#include "platform/utf8.h"

namespace platform {
namespace {

// Windows writes these private-use characters and U+0080 as single bytes, which the C library's
// table does not. Of those bytes Windows reads back only 0x80; the others have no mapping when
// read, and the C library agrees.
struct SByteMapping {
    char32_t codePoint;
    unsigned char byte;
};
constexpr SByteMapping kSingleByteExtras[] = {
    {0x0080, 0x80}, {0xF8F0, 0xA0}, {0xF8F1, 0xFD}, {0xF8F2, 0xFE}, {0xF8F3, 0xFF},
};

// Windows has no mapping for these; the C library maps them onto look-alike characters
// (U+301C onto the same bytes as U+FF5E, U+00A5 onto '\', ...).
constexpr char32_t kUnmappedLookAlikes[] = {
    0x00A2, 0x00A3, 0x00A5, 0x00AC, 0x2014, 0x2016, 0x203E, 0x2212, 0x301C,
};

// One conversion descriptor per thread and direction (a descriptor keeps state between calls).
class CIconv {
public:
    CIconv(const char* to, const char* from) : m_hCd(iconv_open(to, from)) {}
    ~CIconv() {
        if (IsOpen()) iconv_close(m_hCd);
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;

    bool IsOpen() const { return m_hCd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in` and appends to `out`; false (with `out` unchanged) on any failure.
    bool Convert(std::string_view in, std::string& out) {
        if (!IsOpen()) return false;
        iconv(m_hCd, nullptr, nullptr, nullptr, nullptr);
        const std::size_t start = out.size();
        out.resize(start + in.size() * 4 + 8);
        char* pIn = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char* pOut = out.data() + start;
        std::size_t outLeft = out.size() - start;
        std::size_t result = iconv(m_hCd, &pIn, &inLeft, &pOut, &outLeft);
        if (result != static_cast<std::size_t>(-1)) {
            result = iconv(m_hCd, nullptr, nullptr, &pOut, &outLeft);
        }
        if (result == static_cast<std::size_t>(-1) || inLeft != 0) {
            out.resize(start);
            return false;
        }
        out.resize(out.size() - outLeft);
        return true;
    }

private:
    iconv_t m_hCd;
};

CIconv& ToCp932() {
    thread_local CIconv s_cd("CP932", "UTF-8");
    return s_cd;
}

CIconv& FromCp932() {
    thread_local CIconv s_cd("UTF-8", "CP932");
    return s_cd;
}

bool IsLookAlike(char32_t cp) {
    for (char32_t c : kUnmappedLookAlikes) {
        if (c == cp) return true;
    }
    return false;
}

// Converts a run of well-formed UTF-8 that holds no specially handled character: the whole run
// at once, or character by character when some character has no mapping.
void AppendRunAsCp932(std::string_view run, std::string& out) {
    if (run.empty() || ToCp932().Convert(run, out)) return;
    std::size_t pos = 0;
    while (pos < run.size()) {
        const std::size_t start = pos;
        utf8::DecodeNext(run, pos);
        if (!ToCp932().Convert(run.substr(start, pos - start), out)) out.push_back('?');
    }
}

}  // namespace

namespace cp932 {

std::string EncodeWithTable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t runStart = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        const char32_t cp = utf8::DecodeNext(text, pos);
        if (cp < 0x80) continue;  // ASCII stays in the run
        int special = -1;         // byte to emit, or '?' for no mapping
        if (cp == utf8::kInvalid || cp > 0xFFFF || IsLookAlike(cp)) {
            special = '?';
        } else {
            for (const SByteMapping& m : kSingleByteExtras) {
                if (m.codePoint == cp) special = m.byte;
            }
        }
        if (special < 0) continue;
        AppendRunAsCp932(text.substr(runStart, start - runStart), out);
        out.push_back(static_cast<char>(special));
        runStart = pos;
    }
    AppendRunAsCp932(text.substr(runStart), out);
    return out;
}

std::string DecodeWithTable(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    if (FromCp932().Convert(bytes, out)) return out;
    out.clear();
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t length = cp932::CharLength(bytes, pos);
        const std::string_view one = bytes.substr(pos, length);
        pos += length;
        if (one.size() == 1 && static_cast<unsigned char>(one[0]) == 0x80) {
            utf8::Append(out, 0x0080);
        } else if (!FromCp932().Convert(one, out)) {
            out.push_back('?');
        }
    }
    return out;
}

}  // namespace cp932
}  // namespace platform
