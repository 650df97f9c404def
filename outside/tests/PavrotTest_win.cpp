// The picture box as the main window holds it: pictures shown scaled with their shape kept,
// unreadable or oversized ones leaving it empty.
#include <algorithm>
#include <fstream>
#include <iterator>

#include "OutsideTestSupport_win.h"
#include "TimerWait_win.h"
#include "api/IPavrot.h"
#include "com/Container.h"
#include "com/Create.h"
#include "com/Variant.h"

namespace {

using namespace outside::test;

void WritePicture(const wchar_t* name, int w, int h, int format) {
    EXPECT_TRUE(win::test::WritePicture(name, w, h, format)) << name;
}

TEST(Pavrot, ShowsPicturesScaledWithTheirShapeAndLeavesBadOnesEmpty) {
    WritePicture(L"pavrot_in.png", 300, 157, 4);
    WritePicture(L"pavrot_in.jpg", 157, 300, 3);
    WritePicture(L"pavrot_wide.png", 16385, 2, 4);  // wider than a page buffer may be
    std::ifstream in("pavrot_in.jpg", std::ios::binary);
    const std::string jpeg{std::istreambuf_iterator<char>(in), {}};
    std::ofstream("pavrot_cut.jpg", std::ios::binary) << jpeg.substr(0, jpeg.size() / 2);
    const struct {
        const wchar_t* file;
        double aspect;  // height by width; 0: the box stays empty
    } cases[] = {{L"pavrot_in.png", 157 / 300.0}, {L"pavrot_in.jpg", 300 / 157.0}, {L"pavrot_cut.jpg", 0},
                 {L"pavrot_wide.png", 0},         {L"no such file.png", 0},        {L"", 0}};
    Window host = HostWindow(420, 260);
    auto box = com::CreateFromDll<IDispatch>(L"Pavrot.dll", CLSID_Pavrot);
    com::Ptr<com::ControlSite> site;
    ASSERT_EQ(S_OK, com::ControlSite::Host(box.Get(), host.get(), {10, 10, 400, 250}, nullptr, true, site));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.file)));
        ASSERT_EQ(S_OK, CallByName(box.Get(), L"PicturePath", DISPATCH_PROPERTYPUT, {com::tests::Str(c.file)}));
        com::Variant path;
        CallByName(box.Get(), L"picturepath", DISPATCH_PROPERTYGET, {}, path.Out());
        EXPECT_STREQ(c.file, V_BSTR(&path.Raw()));
        VARIANT loaded{};
        CallByName(box.Get(), L"Loaded", DISPATCH_PROPERTYGET, {}, &loaded);
        EXPECT_EQ(c.aspect != 0, V_VT(&loaded) == VT_BOOL && V_BOOL(&loaded) == VARIANT_TRUE);
        UpdateWindow(site->ControlWindow());
        PumpUntil([] { return false; }, 50);  // lets the X server catch up before the capture

        std::wstring shot = std::wstring(L"pavrot_shot_") + (c.aspect ? c.file : L"empty");
        std::replace(shot.begin(), shot.end(), L'.', L'_');
        int w = 0, h = 0;
        const auto px = Capture(site->ControlWindow(), w, h, (shot + L".png").c_str());
        RECT ink{w, h, 0, 0};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (px[size_t(y) * w + x] != 0xFFFFFF)
                    ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                           std::max<LONG>(ink.bottom, y + 1)};
        if (!c.aspect) {
            EXPECT_GE(ink.left, ink.right) << "ink in an empty box";
            continue;
        }
        const double inkW = ink.right - ink.left, inkH = ink.bottom - ink.top;
        EXPECT_TRUE(inkW == w || inkH == h) << "not scaled to fit";
        EXPECT_NEAR(inkH, inkW * c.aspect, 1.0) << "shape not kept";
        EXPECT_NEAR((w - inkW) / 2, ink.left, 1.0);
        EXPECT_NEAR((h - inkH) / 2, ink.top, 1.0);
    }
    site->Close();
}

}  // namespace
