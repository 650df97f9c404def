// The tool tips as the main window calls them: 59 button tips and the editor's empty one, the
// delay, and the balloon shown and removed at the editor.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <cstring>

#include "OutsideTestSupport_win.h"
#include "TimerWait_win.h"
#include "TipWindows_win.h"
#include "api/IQuibbet.h"
#include "com/Create.h"
#include "com/Object.h"

namespace {

using namespace outside::test;
using namespace com::tests;
const auto* const kApartment = ::testing::AddGlobalTestEnvironment(new ComApartment);

// A control as a form holds it: an object with a hwnd property.
struct FakeControl final : com::DispatchObject<FakeControl, IDispatch> {
    static std::span<const com::Member<FakeControl>> Members() {
        static const com::Member<FakeControl> table[] = {
            {1, L"hwnd", com::kGet, [](FakeControl& s, com::Args&, VARIANT* r) {
                 com::Return(r, int32_t(reinterpret_cast<intptr_t>(s.hwnd)));
             }}};
        return table;
    }
    HWND hwnd = nullptr;
};

struct QuibbetTest : ::testing::Test {
    HWND Child(int x, int y, int w, int h) {
        return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, x, y, w, h, host.get(), nullptr,
                               nullptr, nullptr);
    }
    HRESULT Add(VARIANT control, VARIANT text, int flags = 5) {
        return CallByName(tips.Get(), L"AddTool", DISPATCH_METHOD, {control, text, Long(flags)});
    }
    Window host = HostWindow(600, 300);
    com::Ptr<IDispatch> tips = com::CreateFromDll<IDispatch>(L"Quibbet.dll", CLSID_Quibbet);
};

TEST_F(QuibbetTest, FiftyNineTipsAndTheEditorsEmptyOneAndAHoverShowsItsText) {
    std::vector<HWND> buttons;
    for (int i = 0; i < 59; ++i) {
        buttons.push_back(Child((i % 10) * 50, (i / 10) * 40, 40, 30));
        ASSERT_EQ(S_OK, Add(Handle(buttons[i]), Str((L"节拍号" + std::to_wstring(i)).c_str())));
    }
    HWND editor = Child(0, 250, 600, 50);
    ASSERT_EQ(S_OK, Add(Handle(editor), Missing(), 0));
    ASSERT_EQ(S_OK, CallByName(tips.Get(), L"setdelaytime", DISPATCH_METHOD, {Long(30000)}));
    ASSERT_EQ(S_OK, Add(Handle(buttons[58]), Str(L"小节休止符")));  // replaces the tip
    const auto all = Tips(false);
    ASSERT_EQ(1u, all.size());
    EXPECT_EQ(60, SendMessageW(all[0], TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(30000, SendMessageW(all[0], TTM_GETDELAYTIME, TTDT_AUTOPOP, 0));
    EXPECT_EQ(L"小节休止符", ToolText(all[0], buttons[58]));

    RECT r;
    GetWindowRect(buttons[17], &r);
    SetCursorPos(r.left + 20, r.top + 15);
    PostMessageW(buttons[17], WM_MOUSEMOVE, 0, MAKELPARAM(20, 15));  // once: each move restarts the wait
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(all[0]) != FALSE; })) << "no tip on hover";
    TOOLINFOW current{};
    current.cbSize = sizeof(current);
    ASSERT_TRUE(SendMessageW(all[0], TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&current)));
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(buttons[17]), current.uId);
    EXPECT_EQ(L"节拍号17", ToolText(all[0], buttons[17]));
}

TEST_F(QuibbetTest, ABalloonShownThenRemovedLeavesNoTipShown) {
    HWND editor = Child(0, 0, 600, 300);
    VARIANT m = Missing();
    ASSERT_EQ(S_OK, CallByName(tips.Get(), L"ShowBalloon", DISPATCH_METHOD,
                               {Handle(editor), Str(L"换气的说明"), m, m, Bool(true), Str(L"换气符号"), Long(1), m,
                                Long(5), m, Long(0), Long(200)}));
    ASSERT_TRUE(PumpUntil([] { return !Tips(true).empty(); }));
    HWND balloon = Tips(true)[0];
    EXPECT_TRUE(GetWindowLongW(balloon, GWL_STYLE) & TTS_BALLOON);
    EXPECT_EQ(200, SendMessageW(balloon, TTM_GETMAXTIPWIDTH, 0, 0));
    EXPECT_EQ(L"换气的说明", ToolText(balloon, editor));
    ASSERT_EQ(S_OK, CallByName(tips.Get(), L"ShowBalloon", DISPATCH_METHOD,
                               {Handle(editor), Str(L""), m, m, m, Str(L""), m, m, m, m, m, m}));
    EXPECT_TRUE(PumpUntil([] { return Tips(true).empty(); }));
}

TEST_F(QuibbetTest, BadTextsShowReplacementCharactersAndBadControlsAreRefused) {
    HWND tool = Child(0, 0, 40, 30);
    VARIANT bytes;
    V_VT(&bytes) = VT_ARRAY | VT_UI1;
    V_ARRAY(&bytes) = SafeArrayCreateVector(VT_UI1, 0, 4);
    std::memcpy(V_ARRAY(&bytes)->pvData, "\xCB\xCE\x61\xCB", 4);  // a cut character at the end
    ASSERT_EQ(S_OK, Add(Handle(tool), bytes));
    HWND tips1 = Tips(false).at(0);
    EXPECT_EQ(L"宋a\uFFFD", ToolText(tips1, tool));

    auto* control = new FakeControl;
    auto keep = com::Ptr<IDispatch>::Share(control);
    VARIANT object;
    V_VT(&object) = VT_DISPATCH;
    V_DISPATCH(&object) = control;
    control->AddRef();
    control->hwnd = tool;
    ASSERT_EQ(S_OK, Add(object, Str(L"对象")));  // the call's reference is dropped
    EXPECT_EQ(L"对象", ToolText(tips1, tool));
    control->AddRef();
    control->hwnd = nullptr;
    for (VARIANT c : {Long(0), Long(12345), Str(L"x"), object}) EXPECT_TRUE(FAILED(Add(c, Str(L"t"))));
    // The desktop window belongs to another process (the script client's test: a long text).
    DWORD process = 0;
    GetWindowThreadProcessId(GetDesktopWindow(), &process);
    ASSERT_NE(GetCurrentProcessId(), process);
    EXPECT_TRUE(FAILED(Add(Handle(GetDesktopWindow()), Str(L"12345678"))));
}

}  // namespace
