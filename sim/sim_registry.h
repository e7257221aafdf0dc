// The registry of one simulated host: keys by path, each with typed values, as the remote
// registry shows them (names compared ignoring ASCII case, strings stored in UTF-16LE).
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// One value: its type (platform::kRegSz, ...) and the bytes the wide-character API returns.
struct CSimValue {
    std::string m_strName;
    std::uint32_t m_nType = 0;
    std::vector<std::uint8_t> m_vecData;
};

// The data of typed values.
std::vector<std::uint8_t> StringData(std::string_view strUtf8);  // UTF-16LE with its NUL
std::vector<std::uint8_t> DwordData(std::uint32_t nValue);       // 4 bytes, little-endian
// Each string with its NUL, then one more NUL that ends the list.
std::vector<std::uint8_t> MultiStringData(const std::vector<std::string>& vecStrings);

// A key path reduced to its comparison form: components lower-cased (ASCII), joined by one
// backslash, without empty components ("\Software\\Microsoft\" -> "software\microsoft").
std::string NormalizeKeyPath(std::string_view strPath);
// strBase followed by strSub, in comparison form.
std::string JoinKeyPath(std::string_view strBase, std::string_view strSub);

class CSimRegistry {
public:
    // Creates the key (and its parents, implicitly) when missing; replaces a value of the same
    // name.
    void SetValue(std::string_view strKey, std::string_view strName, std::uint32_t nType,
                  std::vector<std::uint8_t> vecData);
    void SetString(std::string_view strKey, std::string_view strName, std::string_view strUtf8);
    void SetDword(std::string_view strKey, std::string_view strName, std::uint32_t nValue);

    // Removes a value; false when there was none.
    bool DeleteValue(std::string_view strKey, std::string_view strName);
    // Removes a key with all keys below it; false when nothing was there.
    bool DeleteKey(std::string_view strKey);

    // A key exists when it holds values or lies above a key that does; the root always exists.
    // strNormalized must be in comparison form.
    bool KeyExists(const std::string& strNormalized) const;
    const CSimValue* FindValue(const std::string& strNormalized, std::string_view strName) const;

private:
    std::map<std::string, std::vector<CSimValue>> m_mapKeys;  // comparison form -> values
};

}  // namespace sim
