#include <gtest/gtest.h>

#include "MenuStates.h"
#include "MenuTable.h"

namespace tavolin {
namespace {

TEST(MenuStates, ItemsFollowTheEditorAsTheirMenuOpens) {
    const struct {
        const char* menu;
        MenuEditorState editor;
        const char* name;
        int index;
        int enabled;  // -1: left as it is
        const wchar_t* caption;
    } rows[] = {
        {"FileEdit", {.canCopy = true, .inputState = 3}, "SelAll", -1, 0, nullptr},
        {"FileEdit", {.canCopy = true, .inputState = 3}, "CopyWord", -1, 1, nullptr},
        {"Setting", {.inputState = 3}, "YGYCPos", -1, 0, nullptr},
        {"Setting", {.xjdqLine = 7}, "MyXjdq", 0, -1, L"目标行：7"},
        {"Common", {.selLength = 1}, "ZhuagSeYing", 10, 1, nullptr},
        {"Common", {.selLength = -3}, "ZhuagSeYing", 10, 1, nullptr},  // backwards counts too
        {"Common", {.selLength = 0}, "YG", 8, 0, nullptr},
        {"YueQi", {.selLength = -2}, "GFHuHao", 5, 1, nullptr},
        {"Play", {.playing = false, .paused = true}, "PausePlay", -1, 0, L"继续"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.menu << " " << r.name << " " << r.index);
        const MenuItemState* found = nullptr;
        const auto states = MenuStates(r.menu, r.editor);
        for (const auto& s : states) {
            EXPECT_GE(FindMenuItem(s.name, s.index), 0) << s.name << s.index;
            if (std::string_view(s.name) == r.name && s.index == r.index) found = &s;
        }
        ASSERT_TRUE(found);
        EXPECT_EQ(r.enabled < 0 ? std::optional<bool>() : std::optional<bool>(r.enabled == 1), found->enabled);
        EXPECT_EQ(r.caption ? std::optional<std::wstring>(r.caption) : std::nullopt, found->caption);
    }
    // Target captions stay as they were under greyed submenus.
    for (const auto& s : MenuStates("Setting", {.inputState = 3, .cpdqLine = 2}))
        EXPECT_NE("Mydq", std::string_view(s.name));
    EXPECT_EQ(false, PauseToggledStates(true)[1].enabled);
}

}  // namespace
}  // namespace tavolin
