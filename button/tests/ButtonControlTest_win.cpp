// The Button control of Kavrel.dll in the program's own container, as the
// main window's panels hold it: properties, states, mouse, events, captures.
#include <windows.h>
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ButtonFace.h"
#include "ButtonPainter_win.h"
#include "api/IButton.h"
#include "com/Container.h"
#include "com/Create.h"
#include "com/Variant.h"
#include "com/tests/RecordingSink.h"
#include "com/tests/Variants.h"
#include "tools/tests/DialogCloser_win.h"
#include "win/tests/Capture_win.h"

using namespace kavrel;
namespace flat = Gdiplus::DllExports;
namespace id = dispid::Button;
namespace ev = dispid::ButtonEvents;

namespace {
using com::tests::Bool;
using com::tests::Long;

VARIANT Call(IDispatch* d, DISPID member, WORD kind, std::vector<VARIANT> args = {}) {
    VARIANT result;
    VariantInit(&result);
    DISPID put = DISPID_PROPERTYPUT;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS p{reversed.data(), nullptr, UINT(reversed.size()), 0};
    if (kind == DISPATCH_PROPERTYPUT) {
        p.rgdispidNamedArgs = &put;
        p.cNamedArgs = 1;
    }
    EXPECT_EQ(S_OK, d->Invoke(member, IID_NULL, 0, kind, &p, &result, nullptr, nullptr)) << member;
    return result;
}
int32_t GetLong(IDispatch* d, DISPID member) {
    VARIANT v = Call(d, member, DISPATCH_PROPERTYGET);
    VariantChangeType(&v, &v, 0, VT_I4);
    return V_I4(&v);
}
bool GetBool(IDispatch* d, DISPID member) {
    VARIANT v = Call(d, member, DISPATCH_PROPERTYGET);
    return V_VT(&v) == VT_BOOL && V_BOOL(&v) != VARIANT_FALSE;
}
void Put(IDispatch* d, DISPID member, VARIANT v) {
    Call(d, member, DISPATCH_PROPERTYPUT, {v});
}

// The window's pixels as 0xRRGGBB, once the paints it waits for are done.
std::vector<uint32_t> Capture(HWND hwnd, int w, int h, const wchar_t* savePng = nullptr) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const win::BitmapHandle copy = win::test::CopyOf(win::WindowDc(hwnd).Get(), RECT{0, 0, w, h});
    if (savePng) {
        const cGDIPlus gdi;  // GDI+ started for the save
        win::test::SavePng(copy.Get(), savePng);
    }
    return win::test::PixelsOf(copy.Get(), w, h);
}

bool Near(uint32_t a, uint32_t b) {
    for (int s = 0; s < 24; s += 8)
        if (std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)) > 3) return false;
    return true;
}

class ButtonControl : public ::testing::Test {
protected:
    void SetUp() override {
        parent = CreateWindowExW(0, L"STATIC", L"panel", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, 200,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(parent);
    }
    void TearDown() override {
        for (auto& s : sites) s->Close();
        sites.clear();
        DestroyWindow(parent);
    }
    // Hosts a button, as the form does, and connects the sink.
    com::Ptr<IDispatch> Host(std::initializer_list<com::StoredProperty> stored, RECT rect = {10, 10, 42, 42},
                             bool userMode = true, bool emptyBag = false) {
        com::Ptr<IDispatch> button;
        EXPECT_EQ(S_OK, com::CreateFromDll(L"Kavrel.dll", CLSID_Button, __uuidof(IButton), button.OutVoid()));
        if (!button) return button;
        auto bag = com::PropertyBag::Create(std::span<const com::StoredProperty>(stored.begin(), stored.size()));
        com::Ptr<com::ControlSite> site;
        EXPECT_EQ(S_OK,
                  com::ControlSite::Host(button.Get(), parent, rect, emptyBag ? nullptr : bag.Get(), userMode, site));
        auto container = button.As<IConnectionPointContainer>();
        com::Ptr<IConnectionPoint> point;
        container->FindConnectionPoint(DIID_ButtonEvents, point.Out());
        DWORD cookie = 0;
        IDispatch* raw = button.Get();
        sink.onEvent = [this, raw](DISPID event, DISPPARAMS& p) {
            if (event == ev::Click) downAtClick.push_back(GetBool(raw, id::ButtonDown));
            if (event == ev::MouseDown && p.cArgs == 4) {
                // Arguments arrive reversed: y, x, Shift, Button.
                lastButton = *V_I2REF(&p.rgvarg[3]);
                lastX = *V_R4REF(&p.rgvarg[1]);
            }
        };
        point->Advise(&sink, &cookie);
        sites.push_back(site);
        return button;
    }
    static HWND Window(IDispatch* b) { return reinterpret_cast<HWND>(intptr_t(GetLong(b, id::hwnd))); }
    static void Mouse(HWND w, UINT msg, WPARAM keys, int x, int y) { SendMessageW(w, msg, keys, MAKELPARAM(x, y)); }
    static void Press(HWND w, int x, int y) { Mouse(w, WM_LBUTTONDOWN, MK_LBUTTON, x, y); }
    static void Release(HWND w, int x, int y) { Mouse(w, WM_LBUTTONUP, 0, x, y); }

    HWND parent = nullptr;
    com::tests::RecordingSink sink{DIID_ButtonEvents};
    std::vector<bool> downAtClick;  // ButtonDown as each Click sees it
    int16_t lastButton = 0;
    float lastX = -1;
    std::vector<com::Ptr<com::ControlSite>> sites;
};

}  // namespace

TEST_F(ButtonControl, NewButtonTakesTheDefaultsAndStoresOnlyWhatItMust) {
    auto b = Host({}, {10, 10, 42, 42}, true, true);
    ASSERT_TRUE(b);
    EXPECT_EQ(GetLong(b.Get(), id::ButtonType), 1);
    EXPECT_EQ(GetLong(b.Get(), id::ButtonIndex), 1);
    EXPECT_EQ(GetLong(b.Get(), id::ForeColor), 0xFFFFFF);
    EXPECT_EQ(GetLong(b.Get(), id::BackColor), int32_t(GetSysColor(COLOR_BTNFACE)));
    EXPECT_TRUE(GetBool(b.Get(), id::Enabled));
    EXPECT_FALSE(GetBool(b.Get(), id::PressDownType));
    EXPECT_TRUE(GetBool(b.Get(), id::RgnForm));
    HWND w = Window(b.Get());
    EXPECT_TRUE(IsWindowEnabled(w));
    const win::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(w, region.Get()), COMPLEXREGION);
    // Rounded corners: the corner pixel is cut off, the middle stays.
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 16, 16));

    auto init = b.As<IPersistStreamInit>();
    EXPECT_EQ(init->IsDirty(), S_FALSE);  // loading changes nothing stored
    auto saved = com::PropertyBag::Create();
    ASSERT_EQ(S_OK, sites[0]->Save(saved.Get()));
    EXPECT_EQ(saved->Names(), (std::vector<std::wstring>{L"IsRgnForm", L"PressDownType", L"ForeColor"}));

    Put(b.Get(), id::ButtonType, Long(3));
    EXPECT_EQ(init->IsDirty(), S_FALSE);  // at run time the type is only kept
    Put(b.Get(), id::Enabled, Bool(false));
    EXPECT_EQ(init->IsDirty(), S_OK);
    Put(b.Get(), id::BackColor, Long(0x123456));
    Put(b.Get(), id::ButtonIndex, Long(2));
    auto all = com::PropertyBag::Create();
    ASSERT_EQ(S_OK, sites[0]->Save(all.Get()));
    EXPECT_EQ(all->Names(), (std::vector<std::wstring>{L"Enabled", L"ButtonType", L"BackColor", L"ButtonIndex",
                                                       L"IsRgnForm", L"PressDownType", L"ForeColor"}));
}

TEST_F(ButtonControl, StoredPropertiesComeBackDisabledAndUnclipped) {
    auto b = Host({{L"ButtonType", VT_I4, 6},
                   {L"ButtonIndex", VT_I4, 7},
                   {L"Enabled", VT_BOOL, 0},
                   {L"IsRgnForm", VT_BOOL, 0},
                   {L"PressDownType", VT_BOOL, 1},
                   {L"BackColor", VT_I4, 0x00FF00}});
    ASSERT_TRUE(b);
    EXPECT_EQ(GetLong(b.Get(), id::ButtonType), 6);
    EXPECT_EQ(GetLong(b.Get(), id::ButtonIndex), 7);
    EXPECT_EQ(GetLong(b.Get(), id::BackColor), 0x00FF00);
    EXPECT_TRUE(GetBool(b.Get(), id::PressDownType));
    EXPECT_FALSE(GetBool(b.Get(), id::Enabled));
    HWND w = Window(b.Get());
    EXPECT_FALSE(IsWindowEnabled(w));
    const win::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(w, region.Get()), ERROR);  // no region set
    // Disabled: the back colour fill and the grey picture.
    const auto px = Capture(w, 32, 32);
    EXPECT_EQ(px[2 * 32 + 2], 0x00FF00u);
}

TEST_F(ButtonControl, ClickComesOnAReleaseStrictlyInside) {
    auto b = Host({{L"ButtonType", VT_I4, 3}});
    HWND w = Window(b.Get());
    Mouse(w, WM_MOUSEMOVE, 0, 5, 5);
    Press(w, 5, 5);
    EXPECT_EQ(lastButton, 1);
    EXPECT_FLOAT_EQ(lastX, 75);  // twips
    Release(w, 6, 6);
    EXPECT_EQ(sink.ids, (std::vector<DISPID>{ev::MouseEnter, ev::MouseMove, ev::MouseDown, ev::Click, ev::MouseUp}));

    sink.ids.clear();
    Press(w, 5, 5);
    Release(w, 100, 5);  // outside
    Press(w, 5, 5);
    Release(w, 0, 5);  // on the left edge
    Press(w, 5, 5);
    Release(w, 5, 32);  // on the bottom edge: 480 twips, not less than the height
    EXPECT_EQ(sink.ids, (std::vector<DISPID>{ev::MouseDown, ev::MouseUp, ev::MouseDown, ev::MouseUp, ev::MouseDown,
                                             ev::MouseUp}));
    // A right-button press neither presses nor clicks.
    sink.ids.clear();
    Mouse(w, WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);
    Mouse(w, WM_RBUTTONUP, 0, 5, 5);
    EXPECT_EQ(sink.ids, (std::vector<DISPID>{ev::MouseDown, ev::MouseUp}));
}

TEST_F(ButtonControl, LatchingButtonClicksOnThePressAndIgnoresItsRelease) {
    auto b = Host({{L"ButtonType", VT_I4, 8}, {L"PressDownType", VT_BOOL, 1}}, {10, 10, 30, 42});
    HWND w = Window(b.Get());
    Press(w, 5, 5);
    EXPECT_EQ(sink.ids, (std::vector<DISPID>{ev::Click, ev::MouseDown}));
    EXPECT_EQ(downAtClick, std::vector<bool>{true});
    Release(w, 5, 5);
    Mouse(w, WM_MOUSEMOVE, 0, 6, 6);
    EXPECT_EQ(sink.ids.size(), 2u);  // no MouseUp, no MouseMove while latched
    // The press took the capture; the release gave it back.
    EXPECT_NE(GetCapture(), w);
    Press(w, 5, 5);
    Release(w, 5, 5);
    EXPECT_EQ(downAtClick, (std::vector<bool>{true, false}));
    EXPECT_EQ(sink.ids.back(), ev::MouseUp);
    EXPECT_EQ(std::count(sink.ids.begin(), sink.ids.end(), ev::Click), 2);
}

TEST_F(ButtonControl, ButtonDownHoldsThePressedFaceUntilTheHostLetsGo) {
    auto b = Host({{L"ButtonType", VT_I4, 3}, {L"BackColor", VT_I4, 0x0000FF}});
    HWND w = Window(b.Get());
    const auto normal = Capture(w, 32, 32);
    Put(b.Get(), id::ButtonDown, Bool(true));
    const auto pressed = Capture(w, 32, 32);
    EXPECT_NE(normal[2 * 32 + 2], pressed[2 * 32 + 2]);  // the pressed background covers the red
    Press(w, 5, 5);
    Put(b.Get(), id::ButtonDown, Bool(true));  // a plain button: the press did not toggle
    sink.ids.clear();
    Release(w, 5, 5);
    EXPECT_TRUE(sink.ids.empty());
    Put(b.Get(), id::ButtonDown, Bool(false));
    EXPECT_EQ(Capture(w, 32, 32), normal);
}

// The host sets every button after each key: a setting that leaves the face as it is paints
// nothing (ink scribbled over the window stays), one that changes it paints the new face.
TEST_F(ButtonControl, OnlyAChangedStatePaintsTheFace) {
    auto b = Host({{L"ButtonType", VT_I4, 3}, {L"BackColor", VT_I4, 0x0000FF}});
    HWND w = Window(b.Get());
    struct Step {
        DISPID Member;
        bool Value;
        bool Paints;
    };
    const Step steps[] = {{id::ButtonDown, false, false}, {id::Enabled, true, false},    {id::ButtonDown, true, true},
                          {id::ButtonDown, true, false},  {id::ButtonDown, false, true}, {id::Enabled, false, true},
                          {id::Enabled, false, false},    {id::Enabled, true, true}};
    Capture(w, 32, 32);  // the first face, asked for as the button was hosted
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << step.Member << " " << step.Value);
        {
            const win::WindowDc dc(w);
            const RECT all{0, 0, 32, 32};
            FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
        Put(b.Get(), step.Member, Bool(step.Value));
        EXPECT_EQ(Capture(w, 32, 32)[16 * 32 + 16] != 0, step.Paints);
    }
}

// The rounded shape is made for the size the button is shown at, also for the size it waited at.
TEST_F(ButtonControl, AShownButtonHasTheShapeOfItsSize) {
    for (const int side : {32, 96}) {
        auto b = Host({{L"ButtonType", VT_I4, 3}}, {10, 10, 10 + side, 10 + side});
        const win::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(GetWindowRgn(Window(b.Get()), region.Get()), ERROR) << side;
        const win::RegionHandle expected(CreateRoundRectRgn(0, 0, side, side, 10, 10));
        int differing = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                differing += !PtInRegion(region.Get(), x, y) != !PtInRegion(expected.Get(), x, y);
        EXPECT_EQ(differing, 0) << side;
    }
}

// A disabled button without a picture for its index shows its fill, though no face came before.
TEST_F(ButtonControl, AFaceOfAFillAloneShows) {
    auto b = Host({{L"ButtonType", VT_I4, 14}, {L"ButtonIndex", VT_I4, 7}, {L"BackColor", VT_I4, 0x0000FF}});
    Put(b.Get(), id::Enabled, Bool(false));
    EXPECT_EQ(Capture(Window(b.Get()), 32, 32)[16 * 32 + 16], 0xFF0000u);
}

// A form sets its buttons up hidden: shown, a button has the face one set up in view has.
TEST_F(ButtonControl, AButtonSetUpHiddenShowsItsLastFace) {
    std::vector<uint32_t> rows[2];
    for (int k = 0; k < 2; ++k) {
        ShowWindow(parent, k ? SW_HIDE : SW_SHOWNA);
        auto b = Host({{L"ButtonType", VT_I4, 3}, {L"BackColor", VT_I4, 0x0000FF}}, {10, 10 + 50 * k, 42, 42 + 50 * k});
        Put(b.Get(), id::BackColor, Long(0x00FF00));
        ShowWindow(parent, SW_SHOWNA);
        RedrawWindow(parent, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        const auto px = Capture(Window(b.Get()), 32, 32);  // the middle row, off the rounded corners
        rows[k].assign(px.begin() + 16 * 32 + 2, px.begin() + 16 * 32 + 30);
    }
    EXPECT_EQ(rows[0], rows[1]);
}

TEST_F(ButtonControl, LosingTheFocusEndsThePress) {
    auto b = Host({{L"ButtonType", VT_I4, 3}});
    HWND w = Window(b.Get());
    HWND other =
        CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 100, 10, 50, 20, parent, nullptr, nullptr, nullptr);
    Press(w, 5, 5);
    EXPECT_EQ(GetFocus(), w);
    SetFocus(other);
    sink.ids.clear();
    Release(w, 5, 5);
    EXPECT_EQ(sink.ids, std::vector<DISPID>{ev::MouseUp});
}

TEST_F(ButtonControl, HoverLeavesTheCaptureFreeAndEndsWhenThePointerLeaves) {
    auto b = Host({{L"ButtonType", VT_I4, 3}});
    HWND w = Window(b.Get());
    Mouse(w, WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_NE(GetCapture(), w);
    Mouse(w, WM_MOUSEMOVE, 0, 6, 6);
    EXPECT_EQ(std::count(sink.ids.begin(), sink.ids.end(), ev::MouseEnter), 1);
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(std::count(sink.ids.begin(), sink.ids.end(), ev::MouseExit), 1);
    const uint32_t normal = Capture(w, 32, 32)[16 * 32 + 3];
    // A click leaves the hover face; leaving the button afterwards takes it away.
    Press(w, 5, 5);
    Release(w, 5, 5);
    EXPECT_NE(Capture(w, 32, 32)[16 * 32 + 3], normal);
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Capture(w, 32, 32)[16 * 32 + 3], normal);
    // The same when the click's handler gave the focus to another window first.
    HWND other =
        CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 100, 10, 50, 20, parent, nullptr, nullptr, nullptr);
    Press(w, 5, 5);
    Release(w, 5, 5);
    SetFocus(other);
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Capture(w, 32, 32)[16 * 32 + 3], normal);
}

TEST_F(ButtonControl, IndexWithoutAPictureIsRefused) {
    auto b = Host({{L"ButtonType", VT_I4, 3}, {L"ButtonIndex", VT_I4, 2}});
    {
        DialogCloser box(IDOK);
        Put(b.Get(), id::ButtonIndex, Long(7));  // six duration pictures
        EXPECT_EQ(box.Texts(), std::vector<std::wstring>{L"超出范围"});
    }
    EXPECT_EQ(GetLong(b.Get(), id::ButtonIndex), 2);
    Put(b.Get(), id::ButtonIndex, Long(0));  // no lower bound
    EXPECT_EQ(GetLong(b.Get(), id::ButtonIndex), 0);
    Put(b.Get(), id::ButtonType, Long(7));
    Put(b.Get(), id::ButtonIndex, Long(3));
    {
        DialogCloser box(IDOK);
        Put(b.Get(), id::ButtonIndex, Long(4));
        EXPECT_EQ(box.Texts(), std::vector<std::wstring>{L"超出范围"});
    }
    EXPECT_EQ(GetLong(b.Get(), id::ButtonIndex), 3);
    Put(b.Get(), id::ButtonType, Long(14));
    Put(b.Get(), id::ButtonIndex, Long(50));  // the symbol buttons take any index
    EXPECT_EQ(GetLong(b.Get(), id::ButtonIndex), 50);
}

TEST_F(ButtonControl, InADesignerTheTypeSizesTheButtonUnlessTheIndexHasNoPicture) {
    auto b = Host({{L"ButtonType", VT_I4, 14}, {L"ButtonIndex", VT_I4, 7}}, {10, 10, 60, 60}, false);
    HWND w = Window(b.Get());
    {
        DialogCloser box(IDOK);
        Put(b.Get(), id::ButtonType, Long(5));
        EXPECT_EQ(box.Texts(), std::vector<std::wstring>{L"ButtonIndex属性超出范围，此次调整无效"});
    }
    RECT r{};
    GetClientRect(w, &r);
    EXPECT_EQ(r.right, 50);
    EXPECT_EQ(GetLong(b.Get(), id::ButtonType), 5);
    Put(b.Get(), id::ButtonIndex, Long(2));
    Put(b.Get(), id::ButtonType, Long(1));
    GetClientRect(w, &r);
    EXPECT_EQ(r.right, 65);
    EXPECT_EQ(r.bottom, 37);
    // In a designer a press only reports itself.
    sink.ids.clear();
    Press(w, 5, 5);
    Release(w, 5, 5);
    EXPECT_EQ(sink.ids, (std::vector<DISPID>{ev::MouseDown, ev::MouseUp}));
}

TEST_F(ButtonControl, HoverFaceOnScreenIsItsBackgroundAndForeground) {
    const int32_t back = 0x00C8D0D4;
    auto b = Host({{L"ButtonType", VT_I4, 3}, {L"ButtonIndex", VT_I4, 2}, {L"BackColor", VT_I4, back}});
    HWND w = Window(b.Get());
    Mouse(w, WM_MOUSEMOVE, 0, 5, 5);
    const auto shown = Capture(w, 32, 32, L"kavrel-button-hover.png");

    cGDIPlus expected;
    ASSERT_EQ(expected.CreateGraphicsWithImage(32, 32, PixelFormat32bppARGB), Gdiplus::Ok);
    expected.SolidFillRectangle(0, 0, 32, 32, uint32_t(RGBtoARGB(255, back)), Gdiplus::UnitPixel);
    HMODULE lib = GetModuleHandleW(L"Kavrel.dll");
    for (const auto& [type, rid] : {std::pair{L"FORMAT_BK", 102}, std::pair{L"FORMAT_YC", 102}}) {
        const auto bytes = LoadButtonImage(lib, type, rid);
        ASSERT_TRUE(bytes);
        expected.DrawImageFromStream_ToWH(bytes->data(), int32_t(bytes->size()) - 1, 0, 0, 32, 32);
    }
    const win::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    GetWindowRgn(w, region.Get());
    int compared = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (!PtInRegion(region.Get(), x, y)) continue;
            Gdiplus::ARGB argb = 0;
            flat::GdipBitmapGetPixel(static_cast<Gdiplus::GpBitmap*>(expected.CurrentImage()), x, y, &argb);
            ASSERT_TRUE(Near(shown[y * 32 + x], argb & 0xFFFFFF))
                << x << "," << y << std::hex << " " << shown[y * 32 + x] << " " << argb;
            ++compared;
        }
    }
    EXPECT_GT(compared, 900);
}

TEST_F(ButtonControl, ArcFaceSurvivesBeingCovered) {
    auto b = Host({{L"ButtonType", VT_I4, 11}, {L"IsRgnForm", VT_BOOL, 0}}, {10, 10, 170, 60});
    HWND w = Window(b.Get());
    auto inked = [&] {
        int n = 0;
        for (uint32_t p : Capture(w, 160, 40)) n += p < 0x404040;
        return n;
    };
    const int before = inked();
    EXPECT_GT(before, 30);
    // Covered and uncovered: the system asks for a repaint.
    HWND cover = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    UpdateWindow(cover);
    DestroyWindow(cover);
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(inked(), before);
}

TEST_F(ButtonControl, PanelOfButtonsInEveryState) {
    // A picture to look at: one row per kind of button, in its four states.
    const int32_t panel = 0x00C8D0D4;
    struct Kind {
        int type, index, w, h;
    };
    const Kind kinds[] = {{1, 2, 65, 37}, {2, 5, 65, 37},  {3, 1, 32, 32}, {4, 6, 32, 32},
                          {5, 3, 24, 32}, {6, 5, 40, 32},  {7, 2, 24, 24}, {8, 1, 20, 32},
                          {9, 1, 20, 32}, {10, 1, 20, 32}, {14, 7, 24, 32}};
    MoveWindow(parent, 0, 0, 400, 560, TRUE);
    int y = 4;
    std::vector<RECT> cells;
    for (const auto& k : kinds) {
        for (int state = 1; state <= 4; ++state) {
            const int x = 4 + (state - 1) * 80;
            auto b = Host({{L"ButtonType", VT_I4, k.type},
                           {L"ButtonIndex", VT_I4, k.index},
                           {L"BackColor", VT_I4, k.type == 9 ? int32_t(0xFFFFE000) : panel}},
                          {x, y, x + k.w, y + k.h});
            Put(b.Get(), id::TranColor, Long(RGBtoARGB(255, panel)));
            Put(b.Get(), id::ForeColor, Long(0x0000D0));
            HWND w = Window(b.Get());
            if (state == 2) Mouse(w, WM_MOUSEMOVE, 0, 2, 2);
            if (state == 3) Put(b.Get(), id::ButtonDown, Bool(true));
            if (state == 4) Put(b.Get(), id::Enabled, Bool(false));
            cells.push_back({x, y, x + k.w, y + k.h});
        }
        y += 48;
    }
    const auto px = Capture(parent, 400, y, L"kavrel-buttons.png");
    auto cell = [&](const RECT& r) {
        std::vector<uint32_t> c;
        for (LONG py = r.top; py < r.bottom; ++py)
            for (LONG pxl = r.left; pxl < r.right; ++pxl) c.push_back(px[static_cast<size_t>(py * 400 + pxl)]);
        return c;
    };
    // Every button drew a face. Hovered, pressed and disabled each look unlike the normal face,
    // except on the two colour swatches, which show their colour in every state.
    for (size_t i = 0; i < cells.size(); ++i) {
        const auto c = cell(cells[i]);
        EXPECT_NE(std::count(c.begin(), c.end(), c.front()), static_cast<ptrdiff_t>(c.size())) << "cell " << i;
        const int type = kinds[i / 4].type;
        if (i % 4 == 0) continue;
        const bool swatch = type == 9 || type == 10;
        EXPECT_EQ(swatch, cell(cells[i - i % 4]) == c) << "kind " << type << " state " << i % 4 + 1;
    }
}

TEST_F(ButtonControl, ColourHelpersAnswerThroughDispatch) {
    auto b = Host({});
    VARIANT v = Call(b.Get(), id::RGBtoARGB, DISPATCH_METHOD, {Long(128), Long(0x332211)});
    EXPECT_EQ(V_VT(&v), VT_I4);
    EXPECT_EQ(uint32_t(V_I4(&v)), 0x80112233u);
    VARIANT dpi = Call(b.Get(), id::GetDpi, DISPATCH_METHOD);
    EXPECT_EQ(V_I4(&dpi), GetDeviceCaps(win::ScreenDc().Get(), LOGPIXELSX));
    auto unknown = b.As<IcGDIPlusGlobal>();
    EXPECT_TRUE(unknown);
}

TEST(cGDIPlusClass, DrawsThroughDispatchAndSavesOnlyItsOwnBitmap) {
    com::Ptr<IDispatch> gdi;
    ASSERT_EQ(S_OK, com::CreateFromDll(L"Kavrel.dll", CLSID_cGDIPlus, __uuidof(IcGDIPlus), gdi.OutVoid()));
    namespace g = dispid::cGDIPlus;
    EXPECT_EQ(GetLong(gdi.Get(), g::m_uLastStatus), 0);
    VARIANT made =
        Call(gdi.Get(), g::CreateGraphicsWithImage, DISPATCH_METHOD, {Long(8), Long(8), Long(PixelFormat32bppARGB)});
    EXPECT_EQ(V_I4(&made), 0);
    VARIANT filled = Call(gdi.Get(), g::SolidFillRectangle, DISPATCH_METHOD,
                          {Long(0), Long(0), Long(8), Long(8), Long(int32_t(0xFF336699)), Long(2)});
    EXPECT_EQ(V_I4(&filled), 0);
    // An image handle that is not the object's own is refused, not followed.
    const com::Variant name(L"kavrel-foreign.png");
    VARIANT saved = Call(gdi.Get(), g::SaveImageToPNG, DISPATCH_METHOD, {Long(0x1234), name.Raw()});
    EXPECT_EQ(V_I4(&saved), int32_t(Gdiplus::InvalidParameter));

    int32_t r = -1, gr = -1, b = -1;
    VARIANT out[3];
    for (int i = 0; i < 3; ++i) V_VT(&out[i]) = VT_I4 | VT_BYREF;
    V_I4REF(&out[0]) = reinterpret_cast<LONG*>(&r);
    V_I4REF(&out[1]) = reinterpret_cast<LONG*>(&gr);
    V_I4REF(&out[2]) = reinterpret_cast<LONG*>(&b);
    Call(gdi.Get(), g::GetRBGFromOLEColour, DISPATCH_METHOD, {Long(0x00332211), out[0], out[1], out[2]});
    EXPECT_EQ(r, 0x11);
    EXPECT_EQ(gr, 0x22);
    EXPECT_EQ(b, 0x33);

    com::Ptr<IDispatch> global;
    EXPECT_EQ(S_OK,
              com::CreateFromDll(L"Kavrel.dll", CLSID_cGDIPlusGlobal, __uuidof(IcGDIPlusGlobal), global.OutVoid()));
}
