#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

namespace win {

// A timer whose events come through a hidden window on the thread that made it. A one-shot
// multimedia timer (1 ms resolution) posts to the window; each wait is counted from when the
// previous event was due, not from when it ran, so lateness does not add up over many events.
// An interval put inside the handler counts from the handler's start.
class Tickwell final {
public:
    Tickwell();
    ~Tickwell();
    Tickwell(const Tickwell&) = delete;
    Tickwell& operator=(const Tickwell&) = delete;

    void Interval(int32_t ms);
    int32_t Interval() const { return interval_; }
    void Enabled(bool on);
    bool Enabled() const { return on_; }

    // Runs on each event; it may release the timer.
    std::function<void()> Timer;

private:
    static LRESULT CALLBACK WindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp);
    static void CALLBACK Due(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR);
    void Arm(DWORD due);
    void Disarm();
    void Fire(WPARAM token);

    HWND window_ = nullptr;
    int32_t interval_ = 0;
    bool on_ = false;
    UINT mmTimer_ = 0;
    WPARAM token_ = 0;      // the only posted event that still counts
    WPARAM nextToken_ = 0;  // for events posted at once
    DWORD due_ = 0;         // when the armed (or running) event was due
    bool inHandler_ = false;
    bool armedInHandler_ = false;
    DWORD handlerStart_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace win
