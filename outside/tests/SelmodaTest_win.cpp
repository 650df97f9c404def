// The bar list as the play settings dialog uses it: one call with the caller's records, then
// the focus.
#include <cstring>

#include "OutsideTestSupport_win.h"
#include "TimerWait_win.h"
#include "api/ISelmoda.h"
#include "com/Container.h"
#include "com/Create.h"
#include "com/tests/Variants.h"
#include "records/Playback.h"

namespace {

using tessaly::aXjInfo;

using namespace outside::test;

std::vector<std::wstring> Lines(HWND list) {
    std::vector<std::wstring> lines;
    const auto n = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        wchar_t text[128] = {};
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        lines.push_back(text);
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

class SelmodaTest : public ::testing::Test {
protected:
    void SetUp() override {
        list = com::CreateFromDll<ISelmoda>(L"Selmoda.dll", CLSID_Selmoda);
        ASSERT_TRUE(list);
        ASSERT_EQ(S_OK, com::ControlSite::Host(list.Get(), host.Get(), {10, 10, 290, 190}, nullptr, true, site));
        box = FindWindowExW(site->ControlWindow(), nullptr, L"LISTBOX", nullptr);
        ASSERT_TRUE(box);
    }
    void TearDown() override {
        if (site) site->Close();
    }
    HostWindow host{300, 200};
    com::Ptr<ISelmoda> list;
    com::Ptr<com::ControlSite> site;
    HWND box = nullptr;
};

TEST_F(SelmodaTest, ListsThreeBarsWithRedBlockNumbersAndKeepsThemWhenTheRecordsChange) {
    aXjInfo bars[] = {Bar('A', 1, ""), Bar('D', 2, "1.\xCB\xCE"), Bar('R', 3, "0123456789abcdefXYZ")};
    ASSERT_EQ(S_OK, list->ShowBars(reinterpret_cast<LONG_PTR>(bars), 2));
    const std::vector<std::wstring> expected = {L"1\tA\t\t1", L"2\tD\t1.宋\t2", L"3\tR\t0123456789abcdef\t3"};
    EXPECT_EQ(expected, Lines(box));
    bars[1] = Bar('B', 9, "x");
    UpdateWindow(box);
    PumpUntil([] { return false; }, 50);
    EXPECT_EQ(expected, Lines(box));

    int w = 0, h = 0;
    auto px = Capture(box, w, h, L"selmoda_three_bars.png");
    const int rowHeight = int(SendMessageW(box, LB_GETITEMHEIGHT, 0, 0));
    for (int row = 0; row < 4; ++row) {
        int red = 0;
        for (int y = row * rowHeight; y < (row + 1) * rowHeight && y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint32_t p = px[size_t(y) * w + x];
                const int r = p >> 16, g = (p >> 8) & 0xFF, b = p & 0xFF;
                red += r > 200 && r - std::max(g, b) > 80;  // text edges are smoothed
            }
        EXPECT_EQ(row<3, red> 0) << "row " << row;
    }

    SetFocus(site->ControlWindow());
    EXPECT_EQ(box, GetFocus());
}

TEST_F(SelmodaTest, RefusesBadBoundsAndNullAddressesWithoutReadingAndEmptiesOnMinusOne) {
    aXjInfo bars[] = {Bar('A', 1, "")};
    ASSERT_EQ(S_OK, list->ShowBars(reinterpret_cast<LONG_PTR>(bars), 0));
    struct Case {
        LONG_PTR address;
        LONG upper;
        HRESULT hr;
        size_t lines;
    } const cases[] = {
        {0x10, -2, E_INVALIDARG, 1},
        {0x10, 100001, E_INVALIDARG, 1},
        {0, 0, E_INVALIDARG, 1},
        {0, LONG_MIN, E_INVALIDARG, 1},
        {0, -1, S_OK, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.hr, list->ShowBars(c.address, c.upper)) << c.upper;
        EXPECT_EQ(c.lines, Lines(box).size());
    }
    // By name, the address as a 64-bit integer.
    VARIANT address;
    V_VT(&address) = VT_I8;
    V_I8(&address) = reinterpret_cast<LONG_PTR>(bars);
    CallByName(list.Get(), L"showbars", DISPATCH_METHOD, {address, com::tests::Long(0)});
    EXPECT_EQ(1u, Lines(box).size());
    HRESULT hr = S_OK;
    CallByName(list.Get(), L"ShowBars", DISPATCH_METHOD, {com::tests::Long(0), com::tests::Long(5)}, &hr);
    EXPECT_TRUE(FAILED(hr));
}

}  // namespace
