// Times one typed character from the control's window message to the status record at the host
// and the redraw done, at the start and at the end of a 200-page document against a one-page one,
// in a running control in a container window. Not a test: it prints its figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "BenchDocument.h"
#include "FakeLayout.h"
#include "com/Container.h"
#include "control/Editor_win.h"
#include "control/ZEVudu_win.h"
#include "model/LayoutSetup.h"

namespace {

using namespace notaline;
using Clock = std::chrono::steady_clock;

constexpr int kKeys = 200;

int g_records = 0;
WNDPROC g_hostProc = nullptr;

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == tessaly::EM_SendMsg) ++g_records;
    return CallWindowProcW(g_hostProc, hwnd, msg, wParam, lParam);
}

double Median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

enum Place { kStart, kEnd, kPlaces };
const char* const kPlaceNames[kPlaces] = {"start", "end"};

struct Timing {
    int32_t Pages = 0;
    double KeyUs[kPlaces] = {};
    int Records = 0;
};

Timing Run(HWND parent, int paragraphs) {
    com::Ptr<IZEVudu> z;
    ZEVudu::Create(__uuidof(IZEVudu), z.OutVoid());
    auto bag = com::PropertyBag::Create({});
    com::Ptr<com::ControlSite> site;
    com::ControlSite::Host(z.Get(), parent, RECT{0, 0, 1000, 800}, bag.Get(), true, site);
    auto* control = static_cast<ZEVudu*>(z.Get());
    Editor& ed = *control->Running();
    test::FakeDocumentSource source;
    source.Files[u"bench.dadur"] = bench::Document(paragraphs);
    LoadJpFile(ed.Data, source, *ed.Renderer, ed, reinterpret_cast<intptr_t>(parent), u"bench.dadur");

    Timing t;
    g_records = 0;
    for (int place = 0; place < kPlaces; ++place) {
        std::vector<double> keys;
        for (int k = 0; k < kKeys; ++k) {
            // At the first character, or before the last paragraph end.
            ed.Data.SelStart = place == kStart ? 0 : ed.Data.WordCount() - 1;
            ed.Data.SelLength = 0;
            ed.Data.CurLine = place == kStart ? 0 : ed.Data.LineCount() - 1;
            ed.Data.InputState = tessaly::JpState;
            const auto t0 = Clock::now();
            SendMessageW(control->Window(), WM_CHAR, '1' + k % 7, 0);
            keys.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
        }
        t.KeyUs[place] = Median(keys);
    }
    t.Pages = ed.Data.PageCount();
    t.Records = g_records;
    site->Close();
    return t;
}

}  // namespace

int main() {
    OleInitialize(nullptr);
    HWND parent = CreateWindowExW(0, L"STATIC", L"Tavolin--bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1040, 860,
                                  nullptr, nullptr, nullptr, nullptr);
    g_hostProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostProc)));
    const Timing big = Run(parent, 200 * bench::kParagraphsPerPage);
    const Timing small = Run(parent, bench::kParagraphsPerPage - 1);
    std::printf("typed character, message in to status record out and redraw done, median of %d keys:\n", kKeys);
    for (int place = 0; place < kPlaces; ++place) {
        std::printf("  at the %-5s: %d pages %.0f us, %d page %.0f us, ratio %.2f (at most 1.5 wanted)\n",
                    kPlaceNames[place], big.Pages, big.KeyUs[place], small.Pages, small.KeyUs[place],
                    big.KeyUs[place] / small.KeyUs[place]);
    }
    std::printf("status records: %d and %d for %d keys each\n", big.Records, small.Records, kKeys * kPlaces);
    DestroyWindow(parent);
    OleUninitialize();
    return 0;
}
