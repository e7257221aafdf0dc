// Tests of the configuration store's contract, the same on the registry and on the Linux file.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>

#include "config_store_fixture.h"
#include "platform/config_store.h"
#include "private_configuration.h"

namespace {

using platform::ConfigStore;
using platform_test::ConfigStoreTest;

struct STextCase {
    const char* label;
    std::string value;
};

class ConfigText : public ConfigStoreTest, public testing::WithParamInterface<STextCase> {};

TEST_P(ConfigText, RoundTrips) {
    const std::string name = ValueName("text");
    ASSERT_EQ(ConfigStore::WriteString(name, GetParam().value), platform::kSuccess);
    std::string read = "stale";
    ASSERT_EQ(ConfigStore::ReadString(name, read), platform::kSuccess);
    EXPECT_EQ(read, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConfigText,
    testing::Values(STextCase{"windows_path", "C:\\VARNOLE\\data"},
                    STextCase{"japanese", "予約 ～ 稼動データ ｷｬﾝｾﾙ"}, STextCase{"empty", ""},
                    STextCase{"line_breaks", "line1\nline2\r\nline3"},
                    STextCase{"looks_like_an_entry", "x\nOther=s:evil"},
                    STextCase{"escape_lookalikes", "\\n \\x41 \\\\"},
                    STextCase{"equals_and_colons", "a=b:c=d"}, STextCase{"spaces", " padded "}),
    [](const testing::TestParamInfo<STextCase>& info) { return info.param.label; });

TEST_F(ConfigStoreTest, DwordsRoundTripOverTheWholeRange) {
    const std::string name = ValueName("dword");
    for (std::uint32_t value : {0u, 1u, 202604u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        ASSERT_EQ(ConfigStore::WriteDword(name, value), platform::kSuccess);
        std::uint32_t read = 12345;
        ASSERT_EQ(ConfigStore::ReadDword(name, read), platform::kSuccess);
        EXPECT_EQ(read, value);
    }
}

TEST_F(ConfigStoreTest, MissingValueIsFileNotFound) {
    std::string text = "kept";
    std::uint32_t number = 7;
    EXPECT_EQ(ConfigStore::ReadString(ValueName("missing"), text), platform::kErrorFileNotFound);
    EXPECT_EQ(ConfigStore::ReadDword(ValueName("missing"), number), platform::kErrorFileNotFound);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(number, 7u);
}

TEST_F(ConfigStoreTest, WrongTypeIsInvalidData) {
    const std::string textName = ValueName("is_text");
    const std::string numberName = ValueName("is_number");
    ASSERT_EQ(ConfigStore::WriteString(textName, "12"), platform::kSuccess);
    ASSERT_EQ(ConfigStore::WriteDword(numberName, 12), platform::kSuccess);
    std::string text;
    std::uint32_t number = 0;
    EXPECT_EQ(ConfigStore::ReadDword(textName, number), platform::kErrorInvalidData);
    EXPECT_EQ(ConfigStore::ReadString(numberName, text), platform::kErrorInvalidData);
}

TEST_F(ConfigStoreTest, WritesReplaceOneValueAndKeepTheOthers) {
    const std::string a = ValueName("a");
    const std::string b = ValueName("b");
    ASSERT_EQ(ConfigStore::WriteString(a, "first"), platform::kSuccess);
    ASSERT_EQ(ConfigStore::WriteDword(b, 5), platform::kSuccess);
    ASSERT_EQ(ConfigStore::WriteString(a, "second"), platform::kSuccess);
    // A value may change its type.
    ASSERT_EQ(ConfigStore::WriteString(b, "now text"), platform::kSuccess);
    std::string text;
    ASSERT_EQ(ConfigStore::ReadString(a, text), platform::kSuccess);
    EXPECT_EQ(text, "second");
    ASSERT_EQ(ConfigStore::ReadString(b, text), platform::kSuccess);
    EXPECT_EQ(text, "now text");
}

TEST_F(ConfigStoreTest, NamesIgnoreCaseLikeRegistryValues) {
    const std::string name = ValueName("MixedCase");
    ASSERT_EQ(ConfigStore::WriteDword(name, 3), platform::kSuccess);
    std::string lower = name;
    for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    std::uint32_t read = 0;
    ASSERT_EQ(ConfigStore::ReadDword(lower, read), platform::kSuccess);
    EXPECT_EQ(read, 3u);
    ASSERT_EQ(ConfigStore::WriteDword(lower, 4), platform::kSuccess);
    ASSERT_EQ(ConfigStore::ReadDword(name, read), platform::kSuccess);
    EXPECT_EQ(read, 4u);
}

// The programs never create the key: where it is missing, opening it for writing fails and
// nothing is written.
TEST(ConfigWriterTest, MissingKeyIsNeitherCreatedNorWritten) {
    platform_test::CPrivateConfiguration config;
    platform::ConfigWriter writer;
    EXPECT_EQ(writer.WriteDword("ExecID_Serial", 1), platform::kErrorInvalidHandle);
    EXPECT_EQ(writer.Open(), platform::kErrorFileNotFound);
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(writer.WriteDword("ExecID_Serial", 1), platform::kErrorInvalidHandle);
    EXPECT_EQ(ConfigStore::WriteString("DataDirectory", "x"), platform::kErrorFileNotFound);
    EXPECT_FALSE(config.KeyExists());

    config.CreateKey();
    ASSERT_EQ(writer.Open(), platform::kSuccess);
    EXPECT_TRUE(writer.IsOpen());
    ASSERT_EQ(writer.WriteDword("ExecID_Serial", 41), platform::kSuccess);
    ASSERT_EQ(writer.WriteString("DataDirectory", "D:\\data"), platform::kSuccess);
    std::uint32_t serial = 0;
    std::string directory;
    ASSERT_EQ(ConfigStore::ReadDword("ExecID_Serial", serial), platform::kSuccess);
    ASSERT_EQ(ConfigStore::ReadString("DataDirectory", directory), platform::kSuccess);
    EXPECT_EQ(serial, 41u);
    EXPECT_EQ(directory, "D:\\data");
}

}  // namespace
