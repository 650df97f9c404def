// The bar list as the play settings dialog uses it: one call with the caller's records, then
// the focus.
#include <cstring>

#include "OutsideTestSupport_win.h"
#include "TimerWait_win.h"
#include "api/ISelmoda.h"
#include "com/Container.h"
#include "com/Create.h"
#include "records/Playback.h"

namespace {

using namespace outside::test;
using tessaly::aXjInfo;

std::vector<std::wstring> Lines(HWND list) {
    std::vector<std::wstring> lines(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < lines.size(); ++i) {
        lines[i].resize(SendMessageW(list, LB_GETTEXTLEN, i, 0));
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(lines[i].data()));
    }
    return lines;
}

aXjInfo Bar(char kind, int16_t block, const char* volta) {
    aXjInfo b;
    b.OrderType = kind;
    b.PlayBlock = block;
    std::memcpy(b.ExtralWord, volta, std::min<size_t>(strlen(volta), 16));
    return b;
}

struct SelmodaTest : ::testing::Test {
    void SetUp() override {
        ASSERT_EQ(S_OK, com::ControlSite::Host(list.Get(), host.get(), {10, 10, 290, 190}, nullptr, true, site));
        box = FindWindowExW(site->ControlWindow(), nullptr, L"LISTBOX", nullptr);
    }
    void TearDown() override { site->Close(); }
    Window host = HostWindow(300, 200);
    com::Ptr<ISelmoda> list = com::CreateFromDll<ISelmoda>(L"Selmoda.dll", CLSID_Selmoda);
    com::Ptr<com::ControlSite> site;
    HWND box = nullptr;
};

TEST_F(SelmodaTest, ListsThreeBarsWithRedBlockNumbersAndKeepsThemWhenTheRecordsChange) {
    aXjInfo bars[] = {Bar('A', 1, ""), Bar('D', 2, "1.\xCB\xCE"), Bar('R', 3, "0123456789abcdefXYZ")};
    ASSERT_EQ(S_OK, list->ShowBars(reinterpret_cast<LONG_PTR>(bars), 2));
    bars[1] = Bar('B', 9, "x");
    const std::vector<std::wstring> expected = {L"1\tA\t\t1", L"2\tD\t1.宋\t2", L"3\tR\t0123456789abcdef\t3"};
    EXPECT_EQ(expected, Lines(box));
    UpdateWindow(box);
    PumpUntil([] { return false; }, 50);
    int w = 0, h = 0;
    const auto px = Capture(box, w, h, L"selmoda_three_bars.png");
    const int rowHeight = int(SendMessageW(box, LB_GETITEMHEIGHT, 0, 0));
    for (int row = 0; row < 4; ++row) {
        int red = 0;  // text edges are smoothed: reddish enough
        for (int i = row * rowHeight * w; i < std::min(h, (row + 1) * rowHeight) * w; ++i)
            red += (px[i] >> 16) > 200 && (px[i] >> 16) - std::max((px[i] >> 8) & 0xFF, px[i] & 0xFF) > 80;
        EXPECT_EQ(row<3, red> 0) << "row " << row;
    }
    SetFocus(site->ControlWindow());
    EXPECT_EQ(box, GetFocus());
}

TEST_F(SelmodaTest, RefusesBadBoundsAndNullAddressesWithoutReadingAndEmptiesOnMinusOne) {
    aXjInfo bar = Bar('A', 1, "");
    ASSERT_EQ(S_OK, list->ShowBars(reinterpret_cast<LONG_PTR>(&bar), 0));
    const struct {
        LONG_PTR address;
        LONG upper;
        HRESULT hr;
        size_t lines;
    } cases[] = {{0x10, -2, E_INVALIDARG, 1},
                 {0x10, 100001, E_INVALIDARG, 1},
                 {0, 0, E_INVALIDARG, 1},
                 {0, LONG_MIN, E_INVALIDARG, 1},
                 {0, -1, S_OK, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.hr, list->ShowBars(c.address, c.upper)) << c.upper;
        EXPECT_EQ(c.lines, Lines(box).size());
    }
    VARIANT address;
    V_VT(&address) = VT_I8;
    V_I8(&address) = reinterpret_cast<LONG_PTR>(&bar);
    EXPECT_EQ(S_OK, CallByName(list.Get(), L"showbars", DISPATCH_METHOD, {address, com::tests::Long(0)}));
    EXPECT_EQ(1u, Lines(box).size());
    EXPECT_TRUE(
        FAILED(CallByName(list.Get(), L"ShowBars", DISPATCH_METHOD, {com::tests::Long(0), com::tests::Long(5)})));
}

}  // namespace
