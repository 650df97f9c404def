#pragma once
#include <windows.h>

#include <string>

namespace outside {

// One common-controls tip window for the tips of many controls, and one tracked tip window for
// the balloon shown at a control on request. Both live on the thread that made the object.
class Quibbet {
public:
    // What the numbers of the calls mean.
    enum : int {
        kShowOnHover = 1,  // tool flag: the tip follows the mouse resting on the control
        kCentred = 4,      // tool and balloon flag: centred on (below) the control
    };
    struct Balloon {
        std::wstring text;  // empty: removes the balloon
        std::wstring title;
        bool balloonShape = true;
        int icon = 0;  // 0 none, 1 information, 2 warning, 3 error
        int flags = 0;
        int width = 0;  // widest line in pixels; 0 no limit
    };

    Quibbet() = default;
    Quibbet(const Quibbet&) = delete;
    Quibbet& operator=(const Quibbet&) = delete;
    ~Quibbet();

    // Attaches (or replaces) the tip of a control.
    void AddTool(HWND control, const std::wstring& text, int flags);
    // Milliseconds a tip stays up.
    void SetDelayTime(int popDelay);
    void ShowBalloon(HWND control, const Balloon& b);

private:
    HWND Tips();
    void RemoveBalloon();

    HWND tips_ = nullptr;
    HWND balloon_ = nullptr;
    HWND balloonTool_ = nullptr;
    bool balloonShape_ = false;
};

}  // namespace outside
