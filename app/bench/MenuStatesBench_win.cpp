// Times the states of 通用 as it opens, on a 200-page document with 100 characters selected, in the
// running main window. Not a test: it prints its figures.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "BenchDocument.h"
#include "FakeLayout.h"
#include "InProcessFactory_win.h"
#include "MainWindow_win.h"
#include "Modules_win.h"
#include "control/Editor_win.h"
#include "model/layout/LoadJpFile.h"

namespace {

using Clock = std::chrono::steady_clock;

HMENU TopMenu(HWND window, const wchar_t* caption) {
    HMENU bar = GetMenu(window);
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(bar, i, text, 64, MF_BYPOSITION);
        if (std::wstring(text) == caption) return GetSubMenu(bar, i);
    }
    return nullptr;
}

// Milliseconds of each opening; every other one in connecting-line mode when flipping, so that
// every item changes.
std::vector<double> Openings(tavolin::MainWindow& form, HMENU menu, bool flip) {
    std::vector<double> ms;
    for (int i = 0; i < 40; ++i) {
        if (flip) form.Editor()->put_InputState(i % 2 ? tessaly::LpxState : tessaly::JpState);
        const auto start = Clock::now();
        SendMessageW(form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 2);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}

}  // namespace

int main() {
    OleInitialize(nullptr);
    tavolin::test::InProcessFactory factory;
    tavolin::MainWindow form(factory);
    tavolin::RegisterModules(form);
    if (!form.Create(GetModuleHandleW(nullptr), SW_SHOWNORMAL, L"") || !factory.hosted) return 1;
    notaline::Editor& ed = *factory.hosted->Running();
    // The bench paragraphs lay out to another count of pages in the window: scaled once to 200.
    for (int paragraphs = 200 * notaline::bench::kParagraphsPerPage, round = 0; round < 2; ++round) {
        if (round) paragraphs = paragraphs * 200 / std::max(1, ed.Data.PageCount());
        notaline::test::FakeDocumentSource source;
        source.Files[u"bench.dadur"] = notaline::bench::Document(paragraphs);
        notaline::LoadJpFile(ed.Data, source, *ed.Renderer, ed, reinterpret_cast<intptr_t>(form.Handle()),
                             u"bench.dadur");
    }
    form.Editor()->put_SelStart(5000);
    form.Editor()->put_SelLength(100);
    HMENU common = TopMenu(form.Handle(), L"通用(&C)");

    const auto steady = Openings(form, common, false);
    const auto flipping = Openings(form, common, true);
    std::printf(
        "通用 opening, %d pages, 100 selected: same states median %.3f ms, worst %.3f ms; every item "
        "changing median %.3f ms, worst %.3f ms (at most 5 ms wanted)\n",
        ed.Data.PageCount(), steady[steady.size() / 2], steady.back(), flipping[flipping.size() / 2], flipping.back());
    DestroyWindow(form.Handle());
    OleUninitialize();
    return 0;
}
