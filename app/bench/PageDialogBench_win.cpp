// Times OK in the page dialog, from A4 to A3, on a 200-page document: from the button to the
// repainted page, in a running control in a container window. Not a test: it prints its figures.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <optional>

#include "BenchDocument.h"
#include "DialogAnswers_win.h"
#include "FakeLayout.h"
#include "PageDialog_win.h"
#include "com/Container.h"
#include "control/Editor_win.h"
#include "control/ZEVudu_win.h"
#include "model/layout/LoadJpFile.h"

namespace {

using namespace notaline;
using Clock = std::chrono::steady_clock;

Clock::time_point g_pressed;

// Once the dialog is up and painted: A3, then OK.
void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = GetActiveWindow();
    HWND paper = GetDlgItem(dialog, 102);
    SendMessageW(paper, CB_SETCURSEL, 1, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(102, CBN_SELCHANGE), reinterpret_cast<LPARAM>(paper));
    g_pressed = Clock::now();
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

}  // namespace

int main() {
    OleInitialize(nullptr);
    HWND parent = CreateWindowExW(0, L"STATIC", L"Tavolin--bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1040, 860,
                                  nullptr, nullptr, nullptr, nullptr);
    com::Ptr<IZEVudu> z;
    ZEVudu::Create(__uuidof(IZEVudu), z.OutVoid());
    auto bag = com::PropertyBag::Create({});
    com::Ptr<com::ControlSite> site;
    com::ControlSite::Host(z.Get(), parent, RECT{0, 0, 1000, 800}, bag.Get(), true, site);
    auto* control = static_cast<ZEVudu*>(z.Get());
    Editor& ed = *control->Running();
    test::FakeDocumentSource source;
    source.Files[u"bench.dadur"] = bench::Document(200 * bench::kParagraphsPerPage);
    const auto loadStart = Clock::now();
    LoadJpFile(ed.Data, source, *ed.Renderer, ed, reinterpret_cast<intptr_t>(parent), u"bench.dadur");
    std::printf("load and lay out: %.0f ms\n",
                std::chrono::duration<double, std::milli>(Clock::now() - loadStart).count());
    const int32_t before = ed.Data.PageCount();

    std::optional<tavolin::bench::DialogAnswers> answers(Answer);
    const bool sent = tavolin::ShowPageSeting(parent, control->Window());
    RedrawWindow(control->Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - g_pressed).count();
    answers.reset();

    std::printf(
        "page dialog OK, A4 to A3 (paper type %d, sent %d): %d pages -> %d pages, %.0f ms to the "
        "repainted page (at most 1000 ms wanted)\n",
        ed.Data.AboutPageInfo.PaperType, sent, before, ed.Data.PageCount(), ms);
    site->Close();
    DestroyWindow(parent);
    OleUninitialize();
    return 0;
}
