#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "win/Gdip_win.h"

namespace win {
namespace {
namespace flat = Gdiplus::DllExports;

// A 64×48 ARGB bitmap with its graphics, on white.
struct Surface {
    Gdiplus::GpBitmap* bitmap = nullptr;
    GpGraphics* g = nullptr;
    gdip::Image ownedBitmap;
    gdip::Graphics ownedGraphics;  // goes first
    Surface() {
        flat::GdipCreateBitmapFromScan0(64, 48, 0, PixelFormat32bppARGB, nullptr, &bitmap);
        ownedBitmap.reset(bitmap);
        flat::GdipGetImageGraphicsContext(bitmap, &g);
        ownedGraphics.reset(g);
        flat::GdipGraphicsClear(g, 0xFFFFFFFF);
    }
    ARGB At(int x, int y) {
        flat::GdipFlush(g, Gdiplus::FlushIntentionSync);
        ARGB c = 0;
        flat::GdipBitmapGetPixel(bitmap, x, y, &c);
        return c;
    }
};

struct GdipTest : ::testing::Test {
    static void SetUpTestSuite() { ASSERT_EQ(Gdiplus::Ok, InitGDIPlus(false, L"", 0, L"")); }
    static void TearDownTestSuite() { TerminateGDIPlus(); }
};

std::string Head(const std::wstring& path, size_t n) {
    std::ifstream f(std::filesystem::path(path), std::ios::binary);
    std::string s(n, '\0');
    f.read(s.data(), static_cast<std::streamsize>(n));
    s.resize(static_cast<size_t>(f.gcount()));
    return s;
}

TEST(GdipStartUp, EachStopEndsOnlyItsOwnStart) {
    TerminateGDIPlus();  // never started: nothing happens
    EXPECT_FALSE(GdiPlusStarted());
    EXPECT_EQ(Gdiplus::Ok, InitGDIPlus(true, L"GDI+ 初始化错误。程序即将关闭。", 16, L"初始化错误"));
    EXPECT_TRUE(GdiPlusStarted());
    EXPECT_EQ(Gdiplus::Ok, InitGDIPlus(true, L"x", 16, L"x"));  // a second control
    DisposeGdipCache();
    TerminateGDIPlus();  // the second control goes: the first still draws
    EXPECT_TRUE(GdiPlusStarted());
    {
        Surface s;
        EXPECT_EQ(Gdiplus::Ok, FillRectSolid(s.g, 0, 0, 8, 8, 0xFF102030, 2));
        EXPECT_EQ(0xFF102030u, s.At(4, 4));
    }
    TerminateGDIPlus();
    EXPECT_FALSE(GdiPlusStarted());
    TerminateGDIPlus();  // one stop too many changes nothing
    EXPECT_FALSE(GdiPlusStarted());
    EXPECT_EQ(Gdiplus::Ok, InitGDIPlus(false, L"", 0, L""));  // and it starts again
    EXPECT_TRUE(GdiPlusStarted());
    TerminateGDIPlus();
}

// Controls on their own threads start and stop GDI+ in any order; it runs while any is open.
TEST(GdipStartUp, StartsAndStopsFromManyThreadsBalance) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([] {
            for (int i = 0; i < 50; ++i) {
                InitGDIPlus(false, L"", 0, L"");
                TerminateGDIPlus();
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_FALSE(GdiPlusStarted());
}

TEST(GdipEncoders, IdentifiersByIndex) {
    const CLSID png = GetEncoderClsid(4);
    EXPECT_EQ(0x557CF406u, png.Data1);
    EXPECT_EQ(0x1A04, png.Data2);
    EXPECT_EQ(0x2E, png.Data4[7]);
    EXPECT_EQ(0x557CF401u, GetEncoderClsid(3).Data1);
    EXPECT_EQ(0x557CF407u, GetEncoderClsid(7).Data1);
    EXPECT_TRUE(IsEqualCLSID(CLSID{}, GetEncoderClsid(8)));
    EXPECT_TRUE(IsEqualCLSID(CLSID{}, GetEncoderClsid(-1)));
}

TEST_F(GdipTest, SavesEachPictureFormat) {
    Surface s;
    FillRectSolid(s.g, 8, 8, 20, 20, 0xFF3050A0, 2);
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring base = std::wstring(dir) + L"页面";
    struct Case {
        const wchar_t* ext;
        GpStatus (*save)(GpImage*, const std::wstring&);
        std::string magic;
    } cases[] = {
        {L".png", &SaveImageToPNG, "\x89PNG"}, {L".bmp", &SaveImageToBMP, "BM"}, {L".gif", &SaveImageToGIF, "GIF8"}};
    for (const auto& c : cases) {
        const std::wstring path = base + c.ext;
        ASSERT_EQ(Gdiplus::Ok, c.save(s.bitmap, path));
        EXPECT_EQ(c.magic, Head(path, c.magic.size()));
        DeleteFileW(path.c_str());
    }
    const std::wstring jpg = base + L".jpg";
    ASSERT_EQ(Gdiplus::Ok, SaveImageToJPG(s.bitmap, jpg, 100));
    EXPECT_EQ(std::string("\xFF\xD8"), Head(jpg, 2));
    DeleteFileW(jpg.c_str());
}

TEST_F(GdipTest, PrimitivesDrawWhereAskedAndLeavePixelUnits) {
    Surface s;
    flat::GdipSetPageUnit(s.g, Gdiplus::UnitPoint);
    FillRectSolid(s.g, 2, 2, 10, 10, 0xFFFF0000, 2);
    Gdiplus::GpUnit unit{};
    flat::GdipGetPageUnit(s.g, &unit);
    EXPECT_EQ(Gdiplus::UnitPixel, unit);
    EXPECT_EQ(0xFFFF0000u, s.At(6, 6));
    EXPECT_EQ(0xFFFFFFFFu, s.At(20, 6));

    DrawPenLine(s.g, 0, 30, 63, 30, 0xFF0000FF, 2, 2);
    EXPECT_NE(0xFFFFFFFFu, s.At(32, 30));
    DrawDashedRect(s.g, 40, 2, 20, 20, 0xFF000000, 5, 1, 2);
    EXPECT_NE(0xFFFFFFFFu, s.At(40, 12));
    EXPECT_EQ(0xFFFFFFFFu, s.At(50, 12));  // an outline, not a fill
}

TEST_F(GdipTest, EmptyArcAndMissingTextureDrawNothing) {
    Surface s;
    EXPECT_EQ(Gdiplus::Ok, DrawPenArc(s.g, 4, 4, 40, 30, 0, 0, 0xFF000000, 1, 2));
    EXPECT_NE(Gdiplus::Ok, FillRectTexture(s.g, L"C:\\no such folder\\纹理.jpg", 0, 0, 0, 64, 48));
    for (int y = 0; y < 48; y += 4)
        for (int x = 0; x < 64; x += 4) ASSERT_EQ(0xFFFFFFFFu, s.At(x, y)) << x << "," << y;
    DrawPenArc(s.g, 4, 4, 40, 30, 180, 180, 0xFF000000, 1, 2);
    EXPECT_NE(0xFFFFFFFFu, s.At(24, 4));  // the top of the ellipse
}

TEST_F(GdipTest, TextureTilesFromAPictureFile) {
    Surface tile;
    FillRectSolid(tile.g, 0, 0, 64, 48, 0xFF20A040, 2);
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"纹理.png";
    ASSERT_EQ(Gdiplus::Ok, SaveImageToPNG(tile.bitmap, path));
    Surface s;
    EXPECT_EQ(Gdiplus::Ok, FillRectTexture(s.g, path, 0, 0, 0, 64, 48));
    EXPECT_EQ(0xFF20A040u, s.At(60, 40));
    EXPECT_TRUE(DeleteFileW(path.c_str()));  // the image was released
}

}  // namespace
}  // namespace win
