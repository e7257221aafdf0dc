// CZeroedPages on Linux: anonymous private mappings, which the kernel fills with zeros on first
// use.
#include <sys/mman.h>

#include "platform/zeroed_pages.h"

namespace platform {

bool CZeroedPages::Allocate(std::size_t nBytes) {
    Release();
    if (nBytes == 0) return false;
    void* p = mmap(nullptr, nBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return false;
    m_pData = static_cast<std::uint8_t*>(p);
    m_nSize = nBytes;
    return true;
}

void CZeroedPages::Release() {
    if (m_pData != nullptr) munmap(m_pData, m_nSize);
    m_pData = nullptr;
    m_nSize = 0;
}

}  // namespace platform
