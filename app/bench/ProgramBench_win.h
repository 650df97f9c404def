#pragma once
// What the benchmarks of the running main window share: its queue run as the program's own loop
// would run it, a generated document of a given page count loaded into its editor, and the
// window itself made with its modules.
#include <windows.h>

#include <algorithm>

#include "BenchDocument.h"
#include "FakeLayout.h"
#include "InProcessFactory_win.h"
#include "MainWindow_win.h"
#include "Modules_win.h"
#include "control/Editor_win.h"
#include "model/layout/LoadJpFile.h"

namespace tavolin::bench {

// Everything the program has queued, paints last.
inline void RunQueue(MainWindow& main) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (main.PreTranslate(m)) continue;
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    GdiFlush();
}

// The page count is aimed at by scaling the paragraphs; a few rounds settle it.
inline void LoadPages(MainWindow& main, notaline::Editor& ed, int pages) {
    int paragraphs = pages * notaline::bench::kParagraphsPerPage;
    for (int round = 0; round < 4 && ed.Data.PageCount() != pages; ++round) {
        if (round > 0) paragraphs = paragraphs * pages / std::max(ed.Data.PageCount(), 1);
        notaline::test::FakeDocumentSource source;
        source.Files[u"bench.dadur"] = notaline::bench::Document(paragraphs);
        notaline::LoadJpFile(ed.Data, source, *ed.Renderer, ed, reinterpret_cast<intptr_t>(main.Handle()),
                             u"bench.dadur");
    }
    RunQueue(main);
}

// Runs body(main, editor) on the shown main window with its modules and a document of `pages`
// pages, OLE started around it; the exit code, 1 when the window cannot be made.
template <class Body>
int WithProgram(int pages, Body&& body) {
    OleInitialize(nullptr);
    int code = 1;
    {
        test::InProcessFactory factory;
        MainWindow main(factory);
        RegisterModules(main);
        if (main.Create(GetModuleHandleW(nullptr), SW_SHOWNORMAL, L"")) {
            notaline::Editor& ed = *factory.hosted->Running();
            LoadPages(main, ed, pages);
            body(main, ed);
            DestroyWindow(main.Handle());
            code = 0;
        }
    }
    OleUninitialize();
    return code;
}

}  // namespace tavolin::bench
