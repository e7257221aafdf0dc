// The clipboard block: what is put under a registered format comes back from it.
#include <gtest/gtest.h>

#include <string>

#include "menu_test_util.h"
#include "platform/clipboard.h"

namespace {

TEST(ClipboardTest, ABlockComesBackUnderItsFormatAndOnlyThere) {
    const std::string format = PrivateName("FORMAT");
    const std::string bytes("\x01\x00\xFF\x5C\x97\x00tail", 10);
    ASSERT_EQ(platform::PutClipboardBlock(format, bytes), platform::kSuccess);

    std::string read;
    ASSERT_EQ(platform::GetClipboardBlock(format, read), platform::kSuccess);
    // The memory manager may round the block up; the extra bytes are zeros.
    ASSERT_GE(read.size(), bytes.size());
    EXPECT_EQ(read.substr(0, bytes.size()), bytes);
    EXPECT_EQ(read.find_first_not_of('\0', bytes.size()), std::string::npos);

    EXPECT_EQ(platform::GetClipboardBlock(PrivateName("OTHER"), read),
              platform::kErrorFileNotFound);
    EXPECT_TRUE(read.empty());
}

TEST(ClipboardTest, PuttingABlockEmptiesTheClipboardFirst) {
    const std::string first = PrivateName("FIRST");
    const std::string second = PrivateName("SECOND");
    ASSERT_EQ(platform::PutClipboardBlock(first, "one"), platform::kSuccess);
    ASSERT_EQ(platform::PutClipboardBlock(second, "two"), platform::kSuccess);
    std::string read;
    EXPECT_EQ(platform::GetClipboardBlock(first, read), platform::kErrorFileNotFound);
    ASSERT_EQ(platform::GetClipboardBlock(second, read), platform::kSuccess);
    EXPECT_EQ(read.substr(0, 3), "two");
}

TEST(ClipboardTest, AnEmptyFormatNameIsRefused) {
    std::string read;
    EXPECT_NE(platform::PutClipboardBlock("", "x"), platform::kSuccess);
    EXPECT_NE(platform::GetClipboardBlock("", read), platform::kSuccess);
}

}  // namespace
