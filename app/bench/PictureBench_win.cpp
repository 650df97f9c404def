// Save as pictures of a 306-page document inside the running main window: the user's command,
// written beside the window, against a caller's SavePic, which holds the window until its pages
// are written. A thread of the bench asks the editor's window for an answer every 10 ms
// throughout, and the longest wait for one is what a user would feel as a stall.
// Not a test: it prints its figures.  picture_bench [pages, default 306] [extension, default png]
// [a DaDur file the document is written to first, to try the export in the program by hand]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "ProgramBench_win.h"
#include "com/Bstr.h"
#include "com/Variant.h"
#include "win/KernelHandles.h"

namespace {

using tavolin::bench::RunQueue;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Asks the window for an answer every 10 ms until stopped; the longest wait and the count.
class AnswerProbe {
public:
    explicit AnswerProbe(HWND window)
        : thread_([this, window] {
              while (!stop_) {
                  const auto t0 = Clock::now();
                  DWORD_PTR result = 0;
                  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
                  longest_ = std::max(longest_.load(), Ms(Clock::now() - t0));
                  ++answers_;
                  Sleep(10);
              }
          }) {}
    ~AnswerProbe() { Stop(); }
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    double Longest() const { return longest_; }
    int Answers() const { return answers_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<double> longest_{0};
    std::atomic<int> answers_{0};
    std::thread thread_;
};

void Clear(const std::wstring& folder) {
    WIN32_FIND_DATAW f;
    const win::FindHandle h(FindFirstFileW((folder + L"*").c_str(), &f));
    if (h) {
        do
            if (!(f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + f.cFileName).c_str());
        while (FindNextFileW(h.Get(), &f));
    }
    CreateDirectoryW(folder.c_str(), nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    const int pages = argc > 1 ? std::max(1, std::atoi(argv[1])) : 306;
    const std::string ext = argc > 2 ? argv[2] : "png";
    return tavolin::bench::WithProgram(pages, [&](tavolin::MainWindow& main, notaline::Editor& ed) {
        if (argc > 3) {
            const std::string path = argv[3];
            com::Bstr file(std::wstring(path.begin(), path.end()));
            main.Editor()->SaveFile(file.Ref(), 0);
            ed.Background.Backup.Wait();
        }
        const HWND editor = main.EditorWindow();
        const std::wstring folder = L"picture_bench\\";
        const std::wstring name = folder + L"page." + std::wstring(ext.begin(), ext.end());

        Clear(folder);
        double besideMs = 0, besideLongest = 0;
        int besideAnswers = 0;
        {
            AnswerProbe probe(editor);
            com::Bstr file(name);
            com::Ptr<IZEVuduHost> host;
            main.Editor()->QueryInterface(__uuidof(IZEVuduHost), host.OutVoid());
            const auto t0 = Clock::now();
            if (host) host->SavePicturesBeside(file.Get());
            while (ed.Background.Pictures.Running()) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
                RunQueue(main);
            }
            besideMs = Ms(Clock::now() - t0);
            probe.Stop();
            besideLongest = probe.Longest();
            besideAnswers = probe.Answers();
        }
        Clear(folder);
        double callerMs = 0, callerLongest = 0;
        {
            AnswerProbe probe(editor);
            com::Bstr file(name);
            com::Variant result;
            const auto t0 = Clock::now();
            main.Editor()->SavePic(file.Ref(), result.Out());
            result.Reset();
            callerMs = Ms(Clock::now() - t0);
            RunQueue(main);
            probe.Stop();
            callerLongest = probe.Longest();
        }
        Clear(folder);
        RemoveDirectoryW(folder.c_str());
        std::printf(
            "%d pages as %s, the user's command beside the window: %.1f s, the window's longest wait for an "
            "answer %.0f ms over %d answers (at most 100 wanted)\n",
            ed.Data.PageCount(), ext.c_str(), besideMs / 1000, besideLongest, besideAnswers);
        std::printf(
            "the same pages by a caller's SavePic, the window held until written: %.1f s, longest wait %.0f ms\n",
            callerMs / 1000, callerLongest);
        std::printf("total time beside the window against the caller's: %.2f (at most 1 wanted)\n",
                    callerMs > 0 ? besideMs / callerMs : 0);
    });
}
