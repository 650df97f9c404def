// One status update of the main window (the editor's record after every key), timed over 10,000
// records that change position, colours, spacing, marks and style: alone, and with its repaint.
#include <windows.h>
#include <olectl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "ControlFactory_win.h"
#include "MainWindow_win.h"
#include "Modules_win.h"

namespace {

void Flush() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int records = argc > 1 ? _wtoi(argv[1]) : 10000;
    const bool typing = argc > 2;  // only the caret moves, as while typing
    if (FAILED(OleInitialize(nullptr))) return 1;
    int code = 0;
    {
        tavolin::DllControlFactory factory;
        tavolin::MainWindow main(factory);
        tavolin::RegisterModules(main);
        if (!main.Create(GetModuleHandleW(nullptr), SW_SHOWNORMAL, L"")) return 2;
        FONTDESC desc{
            sizeof(FONTDESC), const_cast<LPOLESTR>(L"宋体"), {{120000, 0}}, FW_NORMAL, 134, FALSE, FALSE, FALSE};
        IFont* fonts[2] = {};
        OleCreateFontIndirect(&desc, IID_IFont, reinterpret_cast<void**>(&fonts[0]));
        desc.sWeight = FW_BOLD;
        OleCreateFontIndirect(&desc, IID_IFont, reinterpret_cast<void**>(&fonts[1]));
        // First the records alone, the queue emptied every ten as while typing fast; then each
        // record up to the repaint of every window it spoiled, as a single key shows.
        for (const bool painted : {false, true}) {
            std::vector<double> times;
            for (int i = 0; i < records; ++i) {
                tessaly::aSendMsg s;
                s.SelStart = argc > 3 ? 0 : i;
                s.CurrentLine = i / 40;
                s.PageCount = 3;
                s.Pro = 1;
                const int k = typing ? 0 : i;
                s.SelFontSize = static_cast<int16_t>(10 + k % 3);
                s.ShowWordSpace = static_cast<int16_t>(k % 7);
                s.PartAlignment = static_cast<tessaly::Alignment>(k % 4);
                s.SelIndexType[0] = static_cast<int16_t>(k % 2 ? 72 : 0);
                s.cInputState = tessaly::JpState;
                s.StdFont = fonts[k % 2];
                s.cf = 0;
                s.cb = -1;
                const auto start = std::chrono::steady_clock::now();
                SendMessageW(main.Handle(), tessaly::EM_SendMsg, 0, reinterpret_cast<LPARAM>(&s));
                if (painted) {
                    Flush();
                    RedrawWindow(main.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                    GdiFlush();
                }
                times.push_back(
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
                if (i % 10 == 0) Flush();
            }
            std::sort(times.begin(), times.end());
            double total = 0;
            for (double t : times) total += t;
            std::printf("status update%s over %zu records: median %.4f ms, mean %.4f ms, 99th %.4f ms\n",
                        painted ? " with its repaint" : "", times.size(), times[times.size() / 2], total / times.size(),
                        times[times.size() * 99 / 100]);
        }
        for (IFont* f : fonts)
            if (f) f->Release();
        DestroyWindow(main.Handle());
    }
    OleUninitialize();
    return code;
}
