#include <gtest/gtest.h>

#include "CommandRouter.h"
#include "PlaybackLock.h"

namespace tavolin {
namespace {

TEST(PlaybackLock, LocksMenusAndPanelsButNotPauseOrStop) {
    const struct {
        const char* name;
        int index;
        bool locked;
    } rows[] = {
        {"OpenFile", -1, true},  // under 文件(&F), reached by Ctrl+O
        {"PlayMusic", -1, true},   {"SetPlaying", -1, true}, {"PausePlay", -1, false},
        {"CloesMusic", -1, false}, {"Play", -1, false},      {"MunButton", 21, true},  // on the top panel
        {"CmdFont", 0, true},      {"CmdInfo", 1, true},     {"ExtralValCombo", -1, true},
        {"ZEVudu1", -1, false},    {"EM_OnWord", 0, false},  {"StatusBar1", -1, false},
    };
    for (const auto& r : rows) EXPECT_EQ(r.locked, IsLockedSource(r.name, r.index)) << r.name << r.index;
}

TEST(PlaybackLock, RouterRefusesLockedSourcesUntilUnlocked) {
    CommandRouter router;
    int opened = 0, paused = 0;
    router.Add("OpenFile", [&](int) { ++opened; });
    router.Add("PausePlay", [&](int) { ++paused; });
    router.SetRefusal(IsLockedSource);
    EXPECT_TRUE(router.Run("OpenFile", -1));  // used up, so a shortcut goes no further
    EXPECT_TRUE(router.Run("PausePlay", -1));
    EXPECT_EQ(0, opened);
    EXPECT_EQ(1, paused);
    router.SetRefusal(nullptr);
    router.Run("OpenFile", -1);
    EXPECT_EQ(1, opened);
}

}  // namespace
}  // namespace tavolin
