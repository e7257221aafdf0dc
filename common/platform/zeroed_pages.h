// Zero-filled memory straight from the system's page allocator, for large long-lived buffers.
#pragma once
#include <cstddef>
#include <cstdint>

namespace platform {

// A buffer of whole pages that the system hands out already zero-filled. Unlike a zero-filled
// heap block, no byte is written to make it so: a page becomes resident only when it is first
// used, so the part of a buffer that no reply reaches costs no memory, and a buffer given back
// returns its pages to the system instead of leaving a hole in the heap.
class CZeroedPages {
public:
    CZeroedPages() = default;
    ~CZeroedPages() { Release(); }
    CZeroedPages(CZeroedPages&& other) noexcept;
    CZeroedPages& operator=(CZeroedPages&& other) noexcept;
    CZeroedPages(const CZeroedPages&) = delete;
    CZeroedPages& operator=(const CZeroedPages&) = delete;

    // Gives back the pages held, then takes nBytes (more than 0) of new ones. False, holding
    // nothing, when the system refuses.
    bool Allocate(std::size_t nBytes);
    void Release();

    std::uint8_t* Data() const { return m_pData; }
    // The bytes asked for (the pages may reach a little further).
    std::size_t Size() const { return m_nSize; }

private:
    std::uint8_t* m_pData = nullptr;
    std::size_t m_nSize = 0;
};

}  // namespace platform
