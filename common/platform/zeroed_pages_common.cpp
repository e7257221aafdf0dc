// The moves of CZeroedPages; the pages themselves come from the platform's file.
#include "platform/zeroed_pages.h"

#include <utility>

namespace platform {

CZeroedPages::CZeroedPages(CZeroedPages&& other) noexcept
    : m_pData(std::exchange(other.m_pData, nullptr)), m_nSize(std::exchange(other.m_nSize, 0)) {}

CZeroedPages& CZeroedPages::operator=(CZeroedPages&& other) noexcept {
    if (this != &other) {
        Release();
        m_pData = std::exchange(other.m_pData, nullptr);
        m_nSize = std::exchange(other.m_nSize, 0);
    }
    return *this;
}

}  // namespace platform
