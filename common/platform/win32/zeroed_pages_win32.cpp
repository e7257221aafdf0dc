// CZeroedPages on Windows: committed virtual memory, whose pages the system zero-fills on first
// use.
#include <windows.h>

#include "platform/zeroed_pages.h"

namespace platform {

bool CZeroedPages::Allocate(std::size_t nBytes) {
    Release();
    if (nBytes == 0) return false;
    void* p = VirtualAlloc(nullptr, nBytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (p == nullptr) return false;
    m_pData = static_cast<std::uint8_t*>(p);
    m_nSize = nBytes;
    return true;
}

void CZeroedPages::Release() {
    if (m_pData != nullptr) VirtualFree(m_pData, 0, MEM_RELEASE);
    m_pData = nullptr;
    m_nSize = 0;
}

}  // namespace platform
