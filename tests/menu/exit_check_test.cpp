// The exit check's probe on real named mutexes, and the text it builds from the probe results.
#include <gtest/gtest.h>

#include "exit_check.h"
#include "menu_test_util.h"
#include "platform/named_mutex.h"

namespace {

TEST(ExitProbeTest, AProbeOfAFreeNameLeavesNoMutexBehind) {
    const std::string name = PrivateName("ProbeFree");
    EXPECT_FALSE(menu::ProbeMutexHeld(name));
    EXPECT_FALSE(platform::NamedMutex::Exists(name));
    // The program itself can still create its mutex afterwards.
    platform::NamedMutex program;
    EXPECT_EQ(program.Create(name, true), platform::kSuccess);
}

TEST(ExitProbeTest, AHeldMutexIsSeenAndStaysWithItsHolder) {
    const std::string name = PrivateName("ProbeHeld");
    platform::NamedMutex program;
    ASSERT_EQ(program.Create(name, true), platform::kSuccess);
    EXPECT_TRUE(menu::ProbeMutexHeld(name));
    EXPECT_TRUE(menu::ProbeMutexHeld(name));
    EXPECT_TRUE(platform::NamedMutex::Exists(name));
    program.Close();
    EXPECT_FALSE(menu::ProbeMutexHeld(name));
}

TEST(ExitCheckTextTest, LinesFollowTheTableOrderWhateverOrderTheyRunIn) {
    struct {
        std::vector<std::string> running;
        const char* expected;
    } cases[] = {
        {{}, ""},
        {{"VARNOLE_ManaProgram"},
         "VARNOLE [稼動データファイルの管理] が起動中です。\r\n先に終了させてください。"},
        {{"VARNOLE_ManaProgram", "VARNOLE_ConvProgram", "VARNOLE_GraphProgram",
          "VARNOLE_GathProgram"},
         "VARNOLE [稼動データの収集／監視] が起動中です。\r\n"
         "VARNOLE [ＣＳＶファイルの作成] が起動中です。\r\n"
         "VARNOLE [グラフの作成] が起動中です。\r\n"
         "VARNOLE [稼動データファイルの管理] が起動中です。\r\n"
         "先に終了させてください。"},
        // The main menu's own mutex and unknown names do not count.
        {{"VARNOLE_MainProgram", "VARNOLE_ERR"}, ""},
    };
    for (const auto& c : cases) {
        const std::string text = menu::ExitCheckText([&](const std::string& mutex) {
            for (const auto& name : c.running) {
                if (name == mutex) return true;
            }
            return false;
        });
        EXPECT_EQ(text, c.expected);
    }
}

}  // namespace
