// The start-up decisions: the administrator test over a group list and the program-files check.
#include <gtest/gtest.h>

#include <set>

#include "menu_tables.h"
#include "platform/security_groups.h"
#include "startup_checks.h"

namespace {

platform::SecurityId Sid(std::uint8_t revision, std::uint64_t authority,
                         std::vector<std::uint32_t> parts) {
    platform::SecurityId id;
    id.nRevision = revision;
    id.nAuthority = authority;
    id.subAuthorities = std::move(parts);
    return id;
}

TEST(AdministratorTest, OnlyTheExactAdministratorsIdentifierCounts) {
    const platform::SecurityId everyone = Sid(1, 1, {0});
    const platform::SecurityId users = Sid(1, 5, {32, 545});
    struct {
        const char* name;
        std::vector<platform::SecurityId> groups;
        bool expected;
    } cases[] = {
        {"empty list", {}, false},
        {"exact match among others", {everyone, users, Sid(1, 5, {32, 544})}, true},
        {"users only", {everyone, users}, false},
        {"extra sub-authority", {Sid(1, 5, {32, 544, 0})}, false},
        {"missing sub-authority", {Sid(1, 5, {32})}, false},
        {"other authority", {Sid(1, 16, {32, 544})}, false},
        {"other revision", {Sid(2, 5, {32, 544})}, false},
        {"sub-authorities swapped", {Sid(1, 5, {544, 32})}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(menu::HasAdministratorsGroup(c.groups), c.expected) << c.name;
    }
    EXPECT_EQ(menu::AdministratorsGroup().ToString(), "S-1-5-32-544");
}

TEST(AdministratorTest, TheTokenGroupsReadBackAsIdentifiers) {
    std::vector<platform::SecurityId> groups;
    ASSERT_EQ(platform::ReadTokenGroups(groups), platform::kSuccess);
    // Every token carries Everyone; finding it proves the identifiers were read field by field.
    bool everyone = false;
    for (const auto& id : groups) everyone = everyone || id.ToString() == "S-1-1-0";
    EXPECT_TRUE(everyone);
}

TEST(ProgramFilesTest, TheFirstMissingFileInTableOrderIsReported) {
    struct {
        std::set<std::string> present;
        const char* expected;  // null: nothing missing
    } cases[] = {
        {{"Gather.exe", "Manager.exe", "Plotara.exe", "Graph.exe"}, nullptr},
        {{}, "Gather.exe"},
        {{"Gather.exe", "Plotara.exe"}, "Manager.exe"},
        {{"Gather.exe", "Manager.exe", "Graph.exe"}, "Plotara.exe"},
        // The menu never starts Graph itself, yet it refuses to run without it.
        {{"Gather.exe", "Manager.exe", "Plotara.exe", "Convert.exe"}, "Graph.exe"},
        // Names are exact: another spelling does not stand in for the file.
        {{"gather.exe", "Manager.exe", "Plotara.exe", "Graph.exe"}, "Gather.exe"},
    };
    for (const auto& c : cases) {
        const auto missing = menu::FirstMissingProgramFile(
            [&](const std::string& file) { return c.present.count(file) != 0; });
        if (c.expected == nullptr) {
            EXPECT_FALSE(missing.has_value());
        } else {
            ASSERT_TRUE(missing.has_value()) << c.expected;
            EXPECT_EQ(*missing, c.expected);
        }
    }
}

TEST(ProgramFilesTest, ConvertIsNotRequiredAtStart) {
    std::vector<std::string> asked;
    menu::FirstMissingProgramFile([&](const std::string& file) {
        asked.push_back(file);
        return true;
    });
    EXPECT_EQ(asked,
              (std::vector<std::string>{"Gather.exe", "Manager.exe", "Plotara.exe", "Graph.exe"}));
}

TEST(ProgramFilesTest, MessageNamesTheFile) {
    EXPECT_EQ(menu::MissingFileText("Gather.exe"), "ファイル [Gather.exe] が見つかりません");
    EXPECT_EQ(menu::MissingFileText("Graph.exe"), "ファイル [Graph.exe] が見つかりません");
}

}  // namespace
