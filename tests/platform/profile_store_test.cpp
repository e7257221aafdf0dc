// Tests of the application profile's contract, the same in the registry and in the Linux file.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config_store_fixture.h"
#include "platform/config_store.h"
#include "platform/profile_store.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using platform::ProfileStore;
using platform_test::ConfigStoreTest;

class ProfileStoreTest : public ConfigStoreTest {
protected:
    // A program name of its own per test, so Windows runs never meet each other's values.
    std::string Program() {
        if (m_strProgram.empty()) m_strProgram = ValueName("profile");
        return m_strProgram;
    }
    void TearDown() override {
#ifdef _WIN32
        if (!m_strProgram.empty()) {
            const std::string key = std::string(platform::ConfigStore::kKeyPath) + "\\" +
                                    m_strProgram;
            RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
        }
#endif
        ConfigStoreTest::TearDown();
    }

private:
    std::string m_strProgram;
};

TEST_F(ProfileStoreTest, BinaryValuesRoundTripPerProgramSectionAndEntry) {
    const std::vector<std::uint8_t> widths{2, 0, 0, 0, 30, 0, 0, 0, 0x3C, 0x01, 0, 0};
    const std::vector<std::uint8_t> other{0xFF, 0x00, 0x7F};
    ASSERT_EQ(ProfileStore::WriteBinary(Program(), "ListCtrls", "1000", widths),
              platform::kSuccess);
    ASSERT_EQ(ProfileStore::WriteBinary(Program(), "ListCtrls", "1001", other), platform::kSuccess);

    std::vector<std::uint8_t> read;
    ASSERT_EQ(ProfileStore::ReadBinary(Program(), "ListCtrls", "1000", read), platform::kSuccess);
    EXPECT_EQ(read, widths);
    ASSERT_EQ(ProfileStore::ReadBinary(Program(), "ListCtrls", "1001", read), platform::kSuccess);
    EXPECT_EQ(read, other);

    // Rewriting replaces; an empty value is a value.
    ASSERT_EQ(ProfileStore::WriteBinary(Program(), "ListCtrls", "1000", {}), platform::kSuccess);
    read = {9};
    ASSERT_EQ(ProfileStore::ReadBinary(Program(), "ListCtrls", "1000", read), platform::kSuccess);
    EXPECT_TRUE(read.empty());
}

TEST_F(ProfileStoreTest, MissingValuesAndBadNamesAreReported) {
    std::vector<std::uint8_t> read{1, 2};
    EXPECT_NE(ProfileStore::ReadBinary(Program(), "ListCtrls", "1000", read), platform::kSuccess);
    EXPECT_TRUE(read.empty());
    ASSERT_EQ(ProfileStore::WriteBinary(Program(), "ListCtrls", "1000", {1}), platform::kSuccess);
    EXPECT_NE(ProfileStore::ReadBinary(Program(), "ListCtrls", "1002", read), platform::kSuccess);

    // A name that could escape its key or line is refused before anything is touched.
    for (const char* bad : {"", "a/b", "a\\b", "x=y", "a b", "\xE4\xBA\x88"}) {
        EXPECT_EQ(ProfileStore::WriteBinary(Program(), "ListCtrls", bad, {1}),
                  platform::kErrorInvalidParameter)
            << bad;
        EXPECT_EQ(ProfileStore::WriteBinary(bad, "ListCtrls", "1000", {1}),
                  platform::kErrorInvalidParameter)
            << bad;
    }
    EXPECT_EQ(ProfileStore::WriteBinary(Program(), "ListCtrls", "1000",
                                        std::vector<std::uint8_t>(ProfileStore::kMaxValueBytes + 1)),
              platform::kErrorFileTooLarge);
}

TEST_F(ProfileStoreTest, ProfileValuesLeaveConfigurationValuesAlone) {
    const std::string name = ValueName("beside_profile");
    ASSERT_EQ(platform::ConfigStore::WriteString(name, "C:\\data"), platform::kSuccess);
    ASSERT_EQ(ProfileStore::WriteBinary(Program(), "ListCtrls", "1000", {4, 0, 0, 0}),
              platform::kSuccess);
    std::string text;
    ASSERT_EQ(platform::ConfigStore::ReadString(name, text), platform::kSuccess);
    EXPECT_EQ(text, "C:\\data");
}

}  // namespace
