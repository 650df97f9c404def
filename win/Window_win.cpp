#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "win/Window.h"

namespace win {
namespace {

thread_local std::vector<ChainLink> gChained;

}  // namespace

WNDPROC ChainProcedure(HWND w, WNDPROC procedure, void* data) {
    if (!w || ChainedTo(w, procedure).Window) return nullptr;
    // Listed first: a message sent as the procedure changes finds its link.
    gChained.push_back({w, procedure, nullptr, data});
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC));
    gChained.back().Previous = previous;
    if (!previous || !SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure))) {
        gChained.pop_back();
        return nullptr;
    }
    return previous;
}

ChainLink ChainedTo(HWND w, WNDPROC procedure) {
    for (const ChainLink& link : gChained)
        if (link.Window == w && link.Procedure == procedure) return link;
    return {};
}

void UnchainProcedure(HWND w, WNDPROC procedure) {
    const ChainLink link = ChainedTo(w, procedure);
    if (!link.Window) return;
    SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(link.Previous));
    std::erase_if(gChained, [&](const ChainLink& l) { return l.Window == w && l.Procedure == procedure; });
}

bool RegisterWindowClass(WNDCLASSEXW wc) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Window::Procedure;
    if (RegisterClassExW(&wc)) return true;
    if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    // Only a class of ours counts: another procedure would never attach the object.
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    return GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing) && existing.lpfnWndProc == &Window::Procedure;
}

Window::~Window() {
    if (!hwnd_) return;
    const HWND hwnd = hwnd_;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
}

bool Window::CreateAttached(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance) {
    if (hwnd_) return false;
    CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu, instance, this);
    return hwnd_ != nullptr;
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE && !self) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) {
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->OnMessage(msg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's code; the message counts as handled.
        result = 0;
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

bool MoveChild(HWND child, const RECT& to) {
    RECT now{};
    GetWindowRect(child, &now);
    MapWindowPoints(nullptr, GetAncestor(child, GA_PARENT), reinterpret_cast<POINT*>(&now), 2);
    if (EqualRect(&now, &to)) return false;
    MoveWindow(child, to.left, to.top, to.right - to.left, to.bottom - to.top, TRUE);
    return true;
}

bool SetTextIfChanged(HWND w, const wchar_t* text) {
    const size_t length = std::wcslen(text);
    if (static_cast<size_t>(GetWindowTextLengthW(w)) == length) {
        std::wstring now(length + 1, L'\0');
        if (static_cast<size_t>(GetWindowTextW(w, now.data(), static_cast<int>(length + 1))) == length &&
            std::wcscmp(now.c_str(), text) == 0)
            return false;
    }
    SetWindowTextW(w, text);
    return true;
}

namespace {

bool OwnedBy(HWND popup, HWND root) {
    for (HWND w = GetWindow(popup, GW_OWNER); w; w = GetWindow(w, GW_OWNER))
        if (w == root) return true;
    return false;
}

// A dialog that the user can reach; tips and drop-down lists have no caption.
bool TakesInput(HWND w) {
    return IsWindowVisible(w) && IsWindowEnabled(w) && (GetWindowLongW(w, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
}

}  // namespace

HWND MessageOwner(HWND window) {
    const HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    // A modal dialog disables its owner: an enabled top-level window has none over it.
    if (!root || IsWindowEnabled(root)) return window;
    if (const HWND last = GetLastActivePopup(root); last && last != root && TakesInput(last) && OwnedBy(last, root))
        return last;
    struct Search {
        HWND root, found;
    } search{root, nullptr};
    EnumThreadWindows(
        GetWindowThreadProcessId(root, nullptr),
        [](HWND w, LPARAM p) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(p);
            if (!TakesInput(w) || !OwnedBy(w, s.root)) return TRUE;
            s.found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found ? search.found : window;
}

void SizeClient(HWND dialog, SIZE client) {
    RECT r{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    const int w = r.right - r.left, h = r.bottom - r.top;
    RECT owner{};
    GetWindowRect(GetParent(dialog) ? GetParent(dialog) : GetDesktopWindow(), &owner);
    SetWindowPos(dialog, nullptr, std::max(0L, owner.left + (owner.right - owner.left - w) / 2),
                 std::max(0L, owner.top + (owner.bottom - owner.top - h) / 2), w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace win
