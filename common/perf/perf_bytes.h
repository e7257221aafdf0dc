// Little-endian field access on raw byte buffers: memcpy into integers, never a cast pointer.
#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace perf {

namespace detail {

template <typename T>
constexpr T FromLittleEndian(T nValue) {
    if constexpr (std::endian::native == std::endian::little || sizeof(T) == 1) {
        return nValue;
    } else {
        T nResult = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            nResult = static_cast<T>((nResult << 8) | ((nValue >> (8 * i)) & 0xFF));
        }
        return nResult;
    }
}

}  // namespace detail

// Reads a little-endian value of type T at p. The caller has checked that sizeof(T) bytes exist.
template <typename T>
inline T LoadLE(const std::uint8_t* p) {
    using U = std::make_unsigned_t<T>;
    U nRaw;
    std::memcpy(&nRaw, p, sizeof(U));
    return static_cast<T>(detail::FromLittleEndian(nRaw));
}

// Writes nValue at p in little-endian order. The caller has checked that sizeof(T) bytes exist.
template <typename T>
inline void StoreLE(std::uint8_t* p, T nValue) {
    using U = std::make_unsigned_t<T>;
    U nRaw = detail::FromLittleEndian(static_cast<U>(nValue));
    std::memcpy(p, &nRaw, sizeof(U));
}

inline std::uint16_t LoadU16(const std::uint8_t* p) {
    return LoadLE<std::uint16_t>(p);
}
inline std::uint32_t LoadU32(const std::uint8_t* p) {
    return LoadLE<std::uint32_t>(p);
}
inline std::int32_t LoadI32(const std::uint8_t* p) {
    return LoadLE<std::int32_t>(p);
}
inline std::int64_t LoadI64(const std::uint8_t* p) {
    return LoadLE<std::int64_t>(p);
}

}  // namespace perf
