#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "win/DialogKit_win.h"

namespace {

enum : int { kBox = 10, kOwnArrows, kFormArrows, kHidden, kLater, kAfter, kStatus };
constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;

const std::array<win::DialogControl, 7> kRows = {{
    {L"EDIT", kBox, L"5", L"a tip", {10, 10, 60, 22}, WS_TABSTOP | WS_BORDER},
    {UPDOWN_CLASSW, kOwnArrows, L"", nullptr, {0, 0, 0, 0}, UDS_SETBUDDYINT | UDS_ALIGNRIGHT},
    {UPDOWN_CLASSW, kFormArrows, L"", nullptr, {100, 10, 16, 22}, 0},
    {L"BUTTON", kHidden, L"hidden", nullptr, {10, 40, 60, 22}, kButton},
    {L"BUTTON", kLater, L"later", L"its tip", {10, 70, 60, 22}, kButton},
    {L"BUTTON", kAfter, L"after", nullptr, {10, 100, 60, 22}, kButton},
    {STATUSCLASSNAMEW, kStatus, L"", nullptr, {0, 0, 0, 0}, 0},
}};

// What the kit did, looked at from inside the running dialog.
struct Seen {
    bool HiddenShown = true, LaterMade = true;
    int TipsAtOpening = 0, TipsAfterLater = 0;
    std::vector<int> TabOrder;
    LONG StatusBottom = 0, ClientBottom = -1;
    std::vector<int> FormSteps;
    std::wstring BoxAfterOwnArrows;
};

class ProbeDialog final : public win::TableDialog {
public:
    explicit ProbeDialog(bool tipsPosted = false)
        : TableDialog(L"kit", kRows, SIZE{200, 160}), tipsPosted_(tipsPosted) {}
    Seen seen;

private:
    void OnInit() override {
        if (tipsPosted_) {  // a row made before the posted tips: its tip is left to them, not added twice
            MakeRow(kLater);
            AddRowTip(kLater);
            seen.TipsAtOpening = TipCount();
        }
        SendMessageW(Item(kOwnArrows), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(kBox)), 0);
        SendMessageW(Item(kOwnArrows), UDM_SETRANGE32, 0, 100);
        SendMessageW(Item(kOwnArrows), UDM_SETPOS32, 0, 5);
        PostMessageW(dialog_, WM_APP, 0, 0);  // looked at once the tips are added
    }
    void OnCommand(int, int) override {}
    void OnUpDown(int id, int step) override { seen.FormSteps.push_back(id * step); }
    bool Hidden(const win::DialogControl& c) const override { return c.Id == kHidden; }
    bool Later(const win::DialogControl& c) const override { return c.Id == kLater; }
    bool TipsPosted() const override { return tipsPosted_; }
    INT_PTR OnOther(UINT msg, WPARAM, LPARAM) override {
        if (msg != WM_APP) return FALSE;
        seen.HiddenShown = IsWindowVisible(Item(kHidden));
        if (tipsPosted_) {
            seen.TipsAfterLater = TipCount();
            End(IDOK);
            return TRUE;
        }
        seen.LaterMade = Item(kLater) != nullptr;
        seen.TipsAtOpening = TipCount();
        MakeRow(kLater);
        AddRowTip(kLater);
        seen.TipsAfterLater = TipCount();
        for (HWND h = Item(kBox); h && seen.TabOrder.size() < 4; h = GetNextDlgTabItem(dialog_, h, FALSE))
            seen.TabOrder.push_back(GetDlgCtrlID(h));
        RECT status{}, client{};
        GetWindowRect(Item(kStatus), &status);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&status), 2);
        GetClientRect(dialog_, &client);
        seen.StatusBottom = status.bottom, seen.ClientBottom = client.bottom;
        for (int id : {kOwnArrows, kFormArrows}) {  // the upper arrow pressed
            SendMessageW(Item(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            SendMessageW(Item(id), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        }
        const std::u16string box = Text(kBox);
        seen.BoxAfterOwnArrows.assign(box.begin(), box.end());
        End(IDOK);
        return TRUE;
    }
    int TipCount() const {
        HWND tips = nullptr;
        while ((tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) &&
               GetWindow(tips, GW_OWNER) != dialog_) {
        }
        return tips ? static_cast<int>(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0)) : 0;
    }
    bool tipsPosted_;
};

// Rows hidden or made later, tips added after the dialog's own set-up, a later row in its table
// place, the status bar at the foot of the sized dialog, and up-downs that hold their own value
// left to themselves while the others tell the form.
TEST(DialogKit, TableRowsAreMadeShownTippedAndOrderedAsTheTableSays) {
    ProbeDialog dialog;
    ASSERT_EQ(dialog.Run(nullptr), IDOK);
    const Seen& s = dialog.seen;
    EXPECT_FALSE(s.HiddenShown);
    EXPECT_FALSE(s.LaterMade);
    EXPECT_EQ(s.TipsAtOpening, 1);
    EXPECT_EQ(s.TipsAfterLater, 2);
    EXPECT_EQ(s.TabOrder, (std::vector<int>{kBox, kLater, kAfter, kBox}));
    EXPECT_EQ(s.StatusBottom, s.ClientBottom);
    EXPECT_EQ(s.BoxAfterOwnArrows, L"6");
    ASSERT_EQ(s.FormSteps.size(), 1u);
    EXPECT_EQ(std::abs(s.FormSteps[0]), kFormArrows);
}

// Tips left to the dialog's loop: none while it sets itself up, each row's once before anything
// posted during the set-up is handled.
TEST(DialogKit, PostedTipsComeFirstInTheLoopAndOnceEach) {
    ProbeDialog dialog(true);
    ASSERT_EQ(dialog.Run(nullptr), IDOK);
    EXPECT_EQ(dialog.seen.TipsAtOpening, 0);
    EXPECT_EQ(dialog.seen.TipsAfterLater, 2);
}

}  // namespace
