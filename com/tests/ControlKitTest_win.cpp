#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/Container.h"
#include "com/Control.h"
#include "com/tests/RecordingSink.h"
#include "win/GdiHandles.h"

namespace {

struct ITiny : IDispatch {};
}  // namespace
__CRT_UUID_DECL(ITiny, 0x5d0c77a1, 0x1f0e, 0x4d6b, 0x8e, 0x21, 0x6a, 0x44, 0x0b, 0x93, 0x7c, 0x10)

namespace {

const IID kTinyEvents = {0x5d0c77a2, 0x1f0e, 0x4d6b, {0x8e, 0x21, 0x6a, 0x44, 0x0b, 0x93, 0x7c, 0x10}};
const CLSID kTinyClsid = {0x5d0c77a3, 0x1f0e, 0x4d6b, {0x8e, 0x21, 0x6a, 0x44, 0x0b, 0x93, 0x7c, 0x10}};

// The smallest control: three stored properties, Click and KeyPress events.
class Tiny final : public com::ControlObject<Tiny, ITiny> {
public:
    Tiny() : ControlObject(kTinyClsid, kTinyEvents, L"ComKitTiny") {}
    static std::span<const com::Member<Tiny>> Members() {
        static const com::Member<Tiny> table[] = {
            {1, L"Level", com::kGet, [](Tiny& t, com::Args&, VARIANT* r) { com::Return(r, t.level); }},
        };
        return table;
    }

    void ReadProperties(com::PropertyReader& bag) override {
        level = bag.Long(L"Level", 4);
        shade = bag.Integer(L"Shade", 1);
        on = bag.Boolean(L"On", true);
        userMode = UserMode();
        container = ContainerWindow();
    }
    void WriteProperties(com::PropertyWriter& bag) override {
        bag.Long(L"Level", level, 0);
        bag.Integer(L"Shade", shade, 1);
        bag.Boolean(L"On", on, true);
    }
    void AmbientChanged(DISPID) override { userMode = UserMode(); }
    void OnResize() override { ++resizes; }
    void OnClick() override { Fire(1); }
    void OnKeyPress(int16_t& key) override {
        VARIANT v;
        V_VT(&v) = VT_I2 | VT_BYREF;
        V_I2REF(&v) = &key;
        Fire(2, {&v, 1});
        lastKey = key;
    }
    void OnMouseDown(com::MouseEvent& e) override { lastDown = e; }

    int32_t level = 0;
    int16_t shade = 0;
    bool on = false;
    bool userMode = false;
    HWND container = nullptr;
    int resizes = 0;
    int16_t lastKey = -1;
    com::MouseEvent lastDown;
};

struct ControlKit : ::testing::Test {
    void SetUp() override {
        parent = CreateWindowExW(0, L"STATIC", L"container", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
        ASSERT_TRUE(parent);
        ASSERT_EQ(S_OK, Tiny::Create(__uuidof(ITiny), tiny.OutVoid()));
    }
    void TearDown() override {
        if (site) site->Close();
        site.Reset();
        tiny.Reset();
        DestroyWindow(parent);
    }
    Tiny& Obj() { return *static_cast<Tiny*>(tiny.Get()); }
    HRESULT Host(IPropertyBag* bag, bool userMode = true) {
        return com::ControlSite::Host(tiny.Get(), parent, RECT{10, 20, 210, 120}, bag, userMode, site);
    }

    HWND parent = nullptr;
    com::Ptr<ITiny> tiny;
    com::Ptr<com::ControlSite> site;
};

TEST_F(ControlKit, HostedControlStandsInItsContainerAndReadsTheBag) {
    static const com::StoredProperty stored[] = {{L"Level", VT_I4, 7}, {L"On", VT_BOOL, 0}};
    auto bag = com::PropertyBag::Create(stored);
    ASSERT_EQ(S_OK, Host(bag.Get()));

    EXPECT_EQ(7, Obj().level);
    EXPECT_EQ(1, Obj().shade);  // missing: the read default
    EXPECT_FALSE(Obj().on);
    EXPECT_TRUE(Obj().userMode);
    // The container's window is known while the properties are read, before activation.
    EXPECT_EQ(parent, Obj().container);

    HWND w = site->ControlWindow();
    ASSERT_TRUE(IsWindow(w));
    EXPECT_EQ(parent, GetParent(w));
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_TRUE(site->InPlaceActive());
    RECT r{};
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(10, r.left);
    EXPECT_EQ(20, r.top);
    EXPECT_EQ(200, r.right - r.left);
    EXPECT_EQ(100, r.bottom - r.top);

    const int before = Obj().resizes;
    ASSERT_EQ(S_OK, site->Move(RECT{0, 0, 300, 250}));
    GetClientRect(w, &r);
    EXPECT_EQ(300, r.right);
    EXPECT_GT(Obj().resizes, before);

    // Closing parks the window; the last release destroys it.
    site->Close();
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_NE(parent, GetParent(w));
    EXPECT_FALSE(site->InPlaceActive());
    site.Reset();
    tiny.Reset();
    EXPECT_FALSE(IsWindow(w));
}

// A window lost before placing (or never made) is made when the control is placed.
TEST_F(ControlKit, AControlWithoutItsWindowMakesOneWhenPlaced) {
    DestroyWindow(Obj().Window());
    ASSERT_EQ(nullptr, Obj().Window());
    ASSERT_EQ(S_OK, Host(nullptr));
    EXPECT_EQ(parent, GetParent(site->ControlWindow()));
    EXPECT_TRUE(IsWindowVisible(site->ControlWindow()));
}

TEST_F(ControlKit, InitNewReadsDefaultsAndLoadsOnlyOnce) {
    ASSERT_EQ(S_OK, Host(nullptr));
    EXPECT_EQ(4, Obj().level);
    EXPECT_EQ(1, Obj().shade);
    EXPECT_TRUE(Obj().on);
    auto persist = tiny.As<IPersistPropertyBag>();
    auto bag = com::PropertyBag::Create();
    EXPECT_EQ(E_UNEXPECTED, persist->Load(bag.Get(), nullptr));
    CLSID clsid{};
    EXPECT_EQ(S_OK, persist->GetClassID(&clsid));
    EXPECT_EQ(kTinyClsid, clsid);
}

TEST_F(ControlKit, SavingLeavesOutWriteDefaultsAndKeepsTheOrder) {
    ASSERT_EQ(S_OK, Host(nullptr));
    Obj().level = 9;
    Obj().shade = 1;  // its write default: left out
    Obj().on = false;
    auto bag = com::PropertyBag::Create();
    ASSERT_EQ(S_OK, site->Save(bag.Get()));
    EXPECT_EQ((std::vector<std::wstring>{L"Level", L"On"}), bag->Names());
    const VARIANT* level = bag->Find(L"level");  // names are case-insensitive
    ASSERT_TRUE(level);
    EXPECT_EQ(VT_I4, V_VT(level));
    EXPECT_EQ(9, V_I4(level));

    // What was saved loads into a new control as it was.
    site->Close();
    site.Reset();
    ASSERT_EQ(S_OK, Tiny::Create(__uuidof(ITiny), tiny.OutVoid()));
    ASSERT_EQ(S_OK, Host(bag.Get()));
    EXPECT_EQ(9, Obj().level);
    EXPECT_FALSE(Obj().on);
}

TEST_F(ControlKit, DesignModeIsTheAmbientUserModeOff) {
    ASSERT_EQ(S_OK, Host(nullptr, false));
    EXPECT_FALSE(Obj().userMode);
    EXPECT_FALSE(Obj().UserMode());
    // A container without ambient properties counts as a running program.
    auto object = tiny.As<IOleObject>();
    object->SetClientSite(nullptr);
    EXPECT_TRUE(Obj().UserMode());
}

TEST_F(ControlKit, WindowMessagesBecomeEventsUnlessFrozen) {
    ASSERT_EQ(S_OK, Host(nullptr));
    auto box = tiny.As<IConnectionPointContainer>();
    ASSERT_TRUE(box);
    com::Ptr<IConnectionPoint> point;
    ASSERT_EQ(S_OK, box->FindConnectionPoint(kTinyEvents, point.Out()));
    // A KeyPress of 'x' is swallowed by writing 0 back.
    com::tests::RecordingSink sink(kTinyEvents);
    sink.onEvent = [](DISPID id, DISPPARAMS& p) {
        VARIANT& key = p.rgvarg[0];
        if (id == 2 && p.cArgs == 1 && V_VT(&key) == (VT_I2 | VT_BYREF) && *V_I2REF(&key) == 'x') *V_I2REF(&key) = 0;
    };
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, point->Advise(&sink, &cookie));

    HWND w = site->ControlWindow();
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(10, 20));
    EXPECT_EQ((std::vector<DISPID>{1}), sink.ids);
    const float twipsX = 1440.0f / static_cast<float>(GetDeviceCaps(win::WindowDc(w).Get(), LOGPIXELSX));
    EXPECT_EQ(1, Obj().lastDown.Button);
    EXPECT_EQ(0, Obj().lastDown.Shift);
    EXPECT_FLOAT_EQ(10 * twipsX, Obj().lastDown.X);

    SendMessageW(w, WM_CHAR, 'x', 0);
    EXPECT_EQ(0, Obj().lastKey);  // the sink wrote back through the reference
    SendMessageW(w, WM_CHAR, 'y', 0);
    EXPECT_EQ('y', Obj().lastKey);

    auto control = tiny.As<IOleControl>();
    control->FreezeEvents(TRUE);
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(w, WM_LBUTTONUP, 0, 0);
    control->FreezeEvents(FALSE);
    EXPECT_EQ((std::vector<DISPID>{1, 2, 2}), sink.ids);
    ASSERT_EQ(S_OK, point->Unadvise(cookie));
    EXPECT_EQ(1u, sink.refs);
}

}  // namespace
