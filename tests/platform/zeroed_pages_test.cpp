// Zero-filled page buffers: zeros without being written, writable to the last byte, moved and
// replaced without leaking or sharing pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "platform/zeroed_pages.h"

namespace {

bool AllZero(const platform::CZeroedPages& pages) {
    return std::all_of(pages.Data(), pages.Data() + pages.Size(),
                       [](std::uint8_t b) { return b == 0; });
}

TEST(ZeroedPages, ComeZeroFilledAndTakeWritesToTheirLastByte) {
    platform::CZeroedPages pages;
    EXPECT_EQ(pages.Data(), nullptr);
    EXPECT_FALSE(pages.Allocate(0));
    EXPECT_EQ(pages.Size(), 0u);

    // Not a whole number of pages: the last byte asked for is still usable.
    ASSERT_TRUE(pages.Allocate(76'801));
    ASSERT_NE(pages.Data(), nullptr);
    EXPECT_EQ(pages.Size(), 76'801u);
    EXPECT_TRUE(AllZero(pages));
    pages.Data()[0] = 0x11;
    pages.Data()[pages.Size() - 1] = 0x22;

    // A new allocation gives back the old pages and starts from zeros again.
    ASSERT_TRUE(pages.Allocate(102'400));
    EXPECT_TRUE(AllZero(pages));
}

TEST(ZeroedPages, MoveHandsThePagesOverOnce) {
    platform::CZeroedPages first;
    ASSERT_TRUE(first.Allocate(4096));
    first.Data()[10] = 7;
    std::uint8_t* const pData = first.Data();

    platform::CZeroedPages second(std::move(first));
    EXPECT_EQ(first.Data(), nullptr);
    EXPECT_EQ(first.Size(), 0u);
    EXPECT_EQ(second.Data(), pData);
    EXPECT_EQ(second.Data()[10], 7);

    // Assigning over a buffer that holds pages gives those back (the sanitizer build and the
    // platform would report a leak or a double release).
    platform::CZeroedPages third;
    ASSERT_TRUE(third.Allocate(8192));
    third = std::move(second);
    EXPECT_EQ(third.Data(), pData);
    EXPECT_EQ(third.Size(), 4096u);
    third.Release();
    EXPECT_EQ(third.Data(), nullptr);
    third.Release();  // twice is harmless
}

}  // namespace
