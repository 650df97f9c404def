#include <gtest/gtest.h>

#include "MenuStates.h"
#include "MenuTable.h"

namespace tavolin {
namespace {

struct Values {
    bool can = false;
    int32_t mode = 1, selLength = 0, cpdq = -1, xjdq = -1;
    bool playing = false, paused = false;
};

struct FakeEditor final : MenuStateSource, Values {
    explicit FakeEditor(Values v) : Values(v) {}
    bool CanUndo() override { return can; }
    bool CanRedo() override { return can; }
    bool CanCut() override { return can; }
    bool CanCopy() override { return can; }
    bool CanPaste() override { return can; }
    bool CanDel() override { return can; }
    int32_t InputState() override { return mode; }
    int32_t SelLength() override { return selLength; }
    int32_t CPdqLine() override { return cpdq; }
    int32_t XjdqLine() override { return xjdq; }
    bool Playing() override { return playing; }
    bool Paused() override { return paused; }
};

TEST(MenuStates, ItemsFollowTheEditorAsTheirMenuOpens) {
    const struct {
        const char* menu;
        Values editor;
        const char* name;
        int index;
        int enabled;  // -1: left as it is
        const wchar_t* caption;
    } rows[] = {
        {"FileEdit", {.can = true, .mode = 3}, "SelAll", -1, 0, nullptr},
        {"FileEdit", {.can = true, .mode = 3}, "CopyWord", -1, 1, nullptr},
        {"FileEdit", {.mode = 2}, "WordDel", -1, 0, nullptr},
        {"FileEdit", {.mode = 2}, "SelAll", -1, 1, nullptr},
        {"Setting", {.cpdq = 0}, "Mydq", 0, -1, L"目标行：0"},
        {"Setting", {.cpdq = 0}, "Mydq", 1, 1, nullptr},
        {"Setting", {.xjdq = 12}, "MyXjdq", 0, -1, L"目标行：12"},
        {"Setting", {.cpdq = -1}, "Mydq", 0, -1, L"目标行：无"},
        {"Setting", {.cpdq = -1}, "Mydq", 1, 0, nullptr},
        {"Setting", {.mode = 3, .cpdq = 0}, "LINE888", -1, 0, nullptr},
        {"Setting", {.mode = 3, .cpdq = 0}, "YGYCPos", -1, 0, nullptr},
        {"Common", {.mode = 3}, "MyLPX", -1, 1, nullptr},
        {"Common", {.mode = 3}, "JPH", -1, 0, nullptr},
        {"Common", {.mode = 3}, "CustomWord", -1, 0, nullptr},
        {"Common", {.mode = 1}, "MyLPX", -1, 0, nullptr},
        {"Common", {.selLength = 1}, "TFZ", 0, 0, nullptr},
        {"Common", {.selLength = 1}, "HuXian", 1, 0, nullptr},
        {"Common", {.selLength = 1}, "HuaYng", 8, 0, nullptr},
        {"Common", {.selLength = 1}, "FYC", 3, 1, nullptr},
        {"Common", {.selLength = 1}, "YG", 8, 1, nullptr},
        {"Common", {.selLength = 1}, "ZhuagSeYing", 10, 1, nullptr},
        {"Common", {.selLength = -4}, "TFZ", 1, 1, nullptr},
        {"Common", {.selLength = -4}, "HuXian", 0, 1, nullptr},
        {"Common", {.selLength = -4}, "ZhuagSeYing", 10, 0, nullptr},
        {"Common", {.selLength = -3}, "ZhuagSeYing", 10, 1, nullptr},
        {"Common", {.selLength = 0}, "ZhuYing", 9, 0, nullptr},
        {"YueQi", {.selLength = -2}, "GFHuHao", 5, 1, nullptr},
        {"YueQi", {.selLength = 1}, "HQHuaYing", 9, 0, nullptr},
        {"Play", {.playing = true, .paused = true}, "PausePlay", -1, 1, L"继续"},
        {"Play", {}, "PausePlay", -1, 0, L"暂停"},
        {"Play", {}, "CloesMusic", -1, 0, nullptr},
    };
    for (auto r : rows) {
        SCOPED_TRACE(testing::Message() << r.menu << " " << r.name << " " << r.index);
        FakeEditor editor(r.editor);
        const auto states = MenuStates(r.menu, editor);
        const MenuItemState* found = nullptr;
        for (const auto& s : states) {
            EXPECT_GE(FindMenuItem(s.name, s.index), 0) << s.name << s.index;
            if (std::string_view(s.name) == r.name && s.index == r.index) found = &s;
        }
        ASSERT_TRUE(found);
        EXPECT_EQ(r.enabled < 0 ? std::optional<bool>() : std::optional<bool>(r.enabled == 1), found->enabled);
        EXPECT_EQ(r.caption ? std::optional<std::wstring>(r.caption) : std::nullopt, found->caption);
    }
}

TEST(MenuStates, LinesModeKeepsTargetCaptionsAndPauseGreysStop) {
    FakeEditor lines({.mode = 3, .cpdq = 2});
    for (const auto& s : MenuStates("Setting", lines)) EXPECT_NE("Mydq", std::string_view(s.name));
    EXPECT_TRUE(MenuStates("File", lines).empty());
    const auto paused = PauseToggledStates(true);
    ASSERT_EQ(2u, paused.size());
    EXPECT_EQ(L"继续", paused[0].caption);
    EXPECT_EQ(false, paused[1].enabled);
    EXPECT_EQ(true, PauseToggledStates(false)[1].enabled);
}

}  // namespace
}  // namespace tavolin
