// The tool tips as the main window calls them: 59 button tips and the editor's empty one, the
// delay, and the balloon shown and removed at the editor.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <cstring>

#include "OutsideTestSupport_win.h"
#include "TimerWait_win.h"
#include "api/IQuibbet.h"
#include "com/Create.h"
#include "com/Object.h"
#include "com/tests/Variants.h"

namespace {

using namespace outside::test;
using com::tests::Bool;
using com::tests::Long;
using com::tests::Missing;
using com::tests::Str;

const auto* const kApartment = ::testing::AddGlobalTestEnvironment(new ComApartment);

std::vector<HWND> TipWindows(bool visibleOnly) {
    std::pair<std::vector<HWND>, bool> found{{}, visibleOnly};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) {
            auto& [list, visible] = *reinterpret_cast<std::pair<std::vector<HWND>, bool>*>(p);
            wchar_t cls[64] = {};
            GetClassNameW(w, cls, 64);
            if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0 && (!visible || IsWindowVisible(w))) list.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.first;
}

std::wstring ToolText(HWND tips, HWND tool) {
    wchar_t text[256] = {};
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = GetParent(tool);
    ti.uId = reinterpret_cast<UINT_PTR>(tool);
    ti.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&ti));
    return text;
}

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

class QuibbetTest : public ::testing::Test {
protected:
    void SetUp() override {
        tips = com::CreateFromDll<IQuibbet>(L"Quibbet.dll", CLSID_Quibbet);
        ASSERT_TRUE(tips);
    }
    HostWindow host{600, 300};
    com::Ptr<IQuibbet> tips;
};

TEST_F(QuibbetTest, FiftyNineTipsAndTheEditorsEmptyOneAndAHoverShowsItsText) {
    std::vector<HWND> buttons;
    for (int i = 0; i < 59; ++i) {
        buttons.push_back(CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, (i % 10) * 50,
                                          (i / 10) * 40, 40, 30, host.Get(), nullptr, nullptr, nullptr));
        const std::wstring text = L"节拍号" + std::to_wstring(i);
        CallByName(tips.Get(), L"AddTool", DISPATCH_METHOD, {Handle(buttons[i]), Str(text.c_str()), Long(5)});
    }
    HWND editor = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 250, 600, 50, host.Get(), nullptr,
                                  nullptr, nullptr);
    CallByName(tips.Get(), L"addtool", DISPATCH_METHOD, {Handle(editor), Missing(), Long(0)});
    CallByName(tips.Get(), L"SetDelayTime", DISPATCH_METHOD, {Long(30000)});

    auto all = TipWindows(false);
    ASSERT_EQ(1u, all.size());
    EXPECT_EQ(60, SendMessageW(all[0], TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(30000, SendMessageW(all[0], TTM_GETDELAYTIME, TTDT_AUTOPOP, 0));
    EXPECT_EQ(L"", ToolText(all[0], editor));
    // Adding again replaces the tip.
    CallByName(tips.Get(), L"AddTool", DISPATCH_METHOD, {Handle(buttons[58]), Str(L"小节休止符"), Long(5)});
    EXPECT_EQ(60, SendMessageW(all[0], TTM_GETTOOLCOUNT, 0, 0));

    RECT r;
    GetWindowRect(buttons[17], &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    // One move: every move restarts the tip's wait.
    PostMessageW(buttons[17], WM_MOUSEMOVE, 0, MAKELPARAM(20, 15));
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(all[0]) != FALSE; })) << "no tip shown on hover";
    TOOLINFOW current{};
    current.cbSize = sizeof(current);
    ASSERT_TRUE(SendMessageW(all[0], TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&current)));
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(buttons[17]), current.uId);
    EXPECT_EQ(L"节拍号17", ToolText(all[0], buttons[17]));
}

TEST_F(QuibbetTest, ABalloonShownThenRemovedLeavesNoTipWindowShown) {
    HWND editor = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 600, 300, host.Get(), nullptr,
                                  nullptr, nullptr);
    auto show = [&](const wchar_t* text, const wchar_t* title, bool full) {
        VARIANT m = Missing();
        if (full)
            return CallByName(
                tips.Get(), L"ShowBalloon", DISPATCH_METHOD,
                {Handle(editor), Str(text), m, m, Bool(true), Str(title), Long(1), m, Long(5), m, Long(0), Long(200)});
        return CallByName(tips.Get(), L"ShowBalloon", DISPATCH_METHOD,
                          {Handle(editor), Str(text), m, m, m, Str(title), m, m, m, m, m, m});
    };
    show(L"换气的说明", L"换气符号", true);
    ASSERT_TRUE(PumpUntil([] { return !TipWindows(true).empty(); }));
    HWND balloon = TipWindows(true)[0];
    EXPECT_TRUE(GetWindowLongW(balloon, GWL_STYLE) & TTS_BALLOON);
    EXPECT_EQ(200, SendMessageW(balloon, TTM_GETMAXTIPWIDTH, 0, 0));
    EXPECT_EQ(L"换气的说明", ToolText(balloon, editor));

    show(L"", L"", false);
    EXPECT_TRUE(PumpUntil([] { return TipWindows(true).empty(); }));
}

TEST_F(QuibbetTest, TextsThatAreNotValidAreShownWithReplacementCharactersAndBadControlsRefused) {
    HWND tool =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 40, 30, host.Get(), nullptr, nullptr, nullptr);
    const char gbk[] = "\xCB\xCE\x61\xCB";  // a cut character at the end
    SAFEARRAY* bytes = SafeArrayCreateVector(VT_UI1, 0, 4);
    std::memcpy(bytes->pvData, gbk, 4);
    VARIANT v;
    V_VT(&v) = VT_ARRAY | VT_UI1;
    V_ARRAY(&v) = bytes;
    CallByName(tips.Get(), L"AddTool", DISPATCH_METHOD, {Handle(tool), v, Long(1)});
    SafeArrayDestroy(bytes);
    HWND tips1 = TipWindows(false).at(0);
    EXPECT_EQ(L"宋a\uFFFD", ToolText(tips1, tool));
    const wchar_t lone[] = {L'x', 0xD800, 0};
    CallByName(tips.Get(), L"AddTool", DISPATCH_METHOD, {Handle(tool), Str(lone), Long(1)});
    EXPECT_EQ(L"x\uFFFD", ToolText(tips1, tool));

    auto* control = new FakeControl;
    auto object = com::Ptr<IDispatch>::Share(control);
    control->hwnd = tool;
    VARIANT v2;
    V_VT(&v2) = VT_DISPATCH;
    V_DISPATCH(&v2) = object.Get();
    CallByName(tips.Get(), L"AddTool", DISPATCH_METHOD, {v2, Str(L"对象"), Long(1)});
    EXPECT_EQ(L"对象", ToolText(tips1, tool));

    control->hwnd = nullptr;
    for (VARIANT control : {Long(0), Long(12345), Str(L"x"), v2}) {
        HRESULT hr = S_OK;
        CallByName(tips.Get(), L"AddTool", DISPATCH_METHOD, {control, Str(L"t")}, &hr);
        EXPECT_TRUE(FAILED(hr));
    }
}

}  // namespace
