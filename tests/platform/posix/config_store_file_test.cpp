// Tests of the Linux configuration file: its line format, escaping and atomic replacement.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "config_store_fixture.h"
#include "platform/config_store.h"

namespace platform_test {

void DeleteTestValue(const std::string&) {}  // the test's directory is removed as a whole

}  // namespace platform_test

namespace {

using platform::ConfigStore;
using platform_test::ConfigStoreTest;

class ConfigFileTest : public ConfigStoreTest {
protected:
    std::string ReadConfigFile() const {
        std::ifstream in(Dir().Path("config"), std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }
    void WriteConfigFile(const std::string& content) const { Dir().WriteFile("config", content); }
};

TEST_F(ConfigFileTest, WritesOneEscapedLinePerValue) {
    ASSERT_EQ(ConfigStore::WriteString("DataDirectory", "/srv/varnole"), platform::kSuccess);
    ASSERT_EQ(ConfigStore::WriteDword("ExecID_Month", 202604), platform::kSuccess);
    ASSERT_EQ(ConfigStore::WriteString("Note", "a\\b\nc=d"), platform::kSuccess);
    ASSERT_EQ(ConfigStore::WriteString("Odd=Name", "v"), platform::kSuccess);
    EXPECT_EQ(ReadConfigFile(),
              "DataDirectory=s:/srv/varnole\n"
              "ExecID_Month=d:202604\n"
              "Note=s:a\\\\b\\nc=d\n"
              "Odd\\x3DName=s:v\n");
    std::string read;
    ASSERT_EQ(ConfigStore::ReadString("Odd=Name", read), platform::kSuccess);
    EXPECT_EQ(read, "v");
}

TEST_F(ConfigFileTest, ValueCannotInjectAnotherEntry) {
    ASSERT_EQ(ConfigStore::WriteString("A", "x\nB=s:evil\n"), platform::kSuccess);
    std::string read;
    EXPECT_EQ(ConfigStore::ReadString("B", read), platform::kErrorFileNotFound);
    ASSERT_EQ(ConfigStore::ReadString("A", read), platform::kSuccess);
    EXPECT_EQ(read, "x\nB=s:evil\n");
}

TEST_F(ConfigFileTest, HandWrittenLinesSurviveAndBadValuesAreInvalidData) {
    WriteConfigFile(
        "# written by hand\n"
        "Big=d:4294967296\n"
        "Letters=d:12x\n"
        "BadEscape=s:a\\q\n"
        "no separator line\n"
        "Good=d:9\n");
    std::uint32_t number = 0;
    std::string text;
    EXPECT_EQ(ConfigStore::ReadDword("Big", number), platform::kErrorInvalidData);
    EXPECT_EQ(ConfigStore::ReadDword("Letters", number), platform::kErrorInvalidData);
    EXPECT_EQ(ConfigStore::ReadString("BadEscape", text), platform::kErrorInvalidData);
    ASSERT_EQ(ConfigStore::ReadDword("Good", number), platform::kSuccess);
    EXPECT_EQ(number, 9u);

    ASSERT_EQ(ConfigStore::WriteDword("Good", 10), platform::kSuccess);
    const std::string content = ReadConfigFile();
    EXPECT_NE(content.find("# written by hand\n"), std::string::npos);
    EXPECT_NE(content.find("no separator line\n"), std::string::npos);
    EXPECT_NE(content.find("Good=d:10\n"), std::string::npos);
}

TEST_F(ConfigFileTest, ReplacesTheFileWithoutLeavingTemporaries) {
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(ConfigStore::WriteDword("Counter", static_cast<std::uint32_t>(i)),
                  platform::kSuccess);
    }
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Dir().Path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"config", "config.lock"}));
}

// The directory stands for the registry key, which only the installer creates: a missing one
// (or a file in its place) is not created by a write, and nothing is written.
TEST_F(ConfigFileTest, MissingDirectoryIsNotCreatedOnWrite) {
    const std::string nested = Dir().Path("a/b");
    setenv("VARNOLE_CONFIG_DIR", nested.c_str(), 1);
    std::string read;
    EXPECT_EQ(ConfigStore::ReadString("X", read), platform::kErrorFileNotFound);
    EXPECT_EQ(ConfigStore::WriteString("X", "y"), platform::kErrorFileNotFound);
    EXPECT_FALSE(std::filesystem::exists(Dir().Path("a")));

    Dir().WriteFile("plain", "not a directory");
    setenv("VARNOLE_CONFIG_DIR", Dir().Path("plain").c_str(), 1);
    EXPECT_EQ(ConfigStore::WriteDword("X", 1), platform::kErrorFileNotFound);
    EXPECT_EQ(ReadConfigFile(), "");

    std::filesystem::create_directories(nested);
    setenv("VARNOLE_CONFIG_DIR", nested.c_str(), 1);
    ASSERT_EQ(ConfigStore::WriteString("X", "y"), platform::kSuccess);
    ASSERT_EQ(ConfigStore::ReadString("X", read), platform::kSuccess);
    EXPECT_EQ(read, "y");
}

}  // namespace
