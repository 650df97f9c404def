// The picture box hosted as the main window holds it: pictures shown scaled with their shape
// kept, unreadable or oversized ones leaving it empty.
#include <algorithm>
#include <fstream>
#include <iterator>

#include "OutsideTestSupport_win.h"
#include "TimerWait_win.h"
#include "api/IPavrot.h"
#include "com/Container.h"
#include "com/Create.h"

namespace {

using namespace outside::test;
using com::tests::Str;
namespace flat = Gdiplus::DllExports;

// A dark picture of the given size saved in the given format (3 JPEG, 4 PNG).
void WritePicture(const std::wstring& name, int w, int h, int format) {
    ASSERT_EQ(Gdiplus::Ok, notaline::InitGDIPlus(false, L"", 0, L""));
    Gdiplus::GpBitmap* bmp = nullptr;
    flat::GdipCreateBitmapFromScan0(w, h, 0, PixelFormat24bppRGB, nullptr, &bmp);
    Gdiplus::GpGraphics* g = nullptr;
    flat::GdipGetImageGraphicsContext(bmp, &g);
    flat::GdipGraphicsClear(g, 0xFF203080);
    flat::GdipDeleteGraphics(g);
    CLSID encoder = notaline::GetEncoderClsid(format);
    EXPECT_EQ(Gdiplus::Ok, flat::GdipSaveImageToFile(bmp, name.c_str(), &encoder, nullptr));
    flat::GdipDisposeImage(bmp);
    notaline::TerminateGDIPlus();
}

TEST(Pavrot, ShowsPicturesScaledWithTheirShapeAndLeavesBadOnesEmpty) {
    WritePicture(L"pavrot_in.png", 300, 157, 4);
    WritePicture(L"pavrot_in.jpg", 157, 300, 3);
    WritePicture(L"pavrot_wide.png", 16385, 2, 4);
    {
        std::ifstream in("pavrot_in.jpg", std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), {}};
        std::ofstream("pavrot_cut.jpg", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    }
    struct Case {
        const wchar_t* file;
        SIZE picture;  // zero: the box stays empty
    } const cases[] = {
        {L"pavrot_in.png", {300, 157}}, {L"pavrot_in.jpg", {157, 300}}, {L"pavrot_cut.jpg", {}},
        {L"pavrot_wide.png", {}},       {L"no such file.png", {}},      {L"", {}},
    };
    HostWindow host{420, 260};
    auto box = com::CreateFromDll<IDispatch>(L"Pavrot.dll", CLSID_Pavrot);
    ASSERT_TRUE(box);
    com::Ptr<com::ControlSite> site;
    ASSERT_EQ(S_OK, com::ControlSite::Host(box.Get(), host.Get(), {10, 10, 400, 250}, nullptr, true, site));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file, c.file + wcslen(c.file)));
        CallByName(box.Get(), L"PicturePath", DISPATCH_PROPERTYPUT, {Str(c.file)});
        VARIANT path = CallByName(box.Get(), L"picturepath", DISPATCH_PROPERTYGET, {});
        EXPECT_STREQ(c.file, V_BSTR(&path));
        VariantClear(&path);
        UpdateWindow(site->ControlWindow());
        PumpUntil([] { return false; }, 50);  // lets Wine's X11 side catch up before the capture

        std::wstring shot = std::wstring(L"pavrot_shot_") + (c.picture.cx ? c.file : L"empty");
        std::replace(shot.begin(), shot.end(), L'.', L'_');
        shot += L".png";
        int w = 0, h = 0;
        auto px = Capture(site->ControlWindow(), w, h, shot.c_str());
        RECT ink{w, h, 0, 0};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (px[size_t(y) * w + x] != 0xFFFFFF)
                    ink = {std::min(ink.left, LONG(x)), std::min(ink.top, LONG(y)), std::max(ink.right, LONG(x + 1)),
                           std::max(ink.bottom, LONG(y + 1))};
        if (!c.picture.cx) {
            EXPECT_GE(ink.left, ink.right) << "ink in an empty box";
            continue;
        }
        const double inkW = ink.right - ink.left, inkH = ink.bottom - ink.top;
        EXPECT_TRUE(inkW == w || inkH == h) << "not scaled to fit";
        EXPECT_NEAR(inkH, inkW * c.picture.cy / c.picture.cx, 1.0) << "shape not kept";
        EXPECT_NEAR((w - inkW) / 2, ink.left, 1.0) << "not centred";
        EXPECT_NEAR((h - inkH) / 2, ink.top, 1.0) << "not centred";
    }
    site->Close();
}

}  // namespace
