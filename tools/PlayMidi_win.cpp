#include "PlayMidi_win.h"

#include <memory>

#include "records/Dialogs.h"
#include "win/Window.h"

namespace tessaly {

int32_t WinMidiOut::Open() {
    if (handle_) return 0;
    const MMRESULT result = midiOutOpen(&handle_, MIDI_MAPPER, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) handle_ = nullptr;
    return static_cast<int32_t>(result);
}

void WinMidiOut::Close() {
    if (!handle_) return;
    midiOutClose(handle_);
    handle_ = nullptr;
}

void WinMidiOut::ShortMsg(uint32_t message) {
    if (handle_) midiOutShortMsg(handle_, message);
}

namespace {

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Left for the message loop that owns it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

void UseWindowsPlayback(PlayMidi& shared, WinMidiOut& out, SystemClock& clock) {
    shared.Out = &out;
    shared.Clock = &clock;
    shared.DoEvents = PumpMessages;
    shared.Notify = [&shared](uint32_t message, int32_t wParam) {
        const HWND target = reinterpret_cast<HWND>(shared.Target);
        // A window that is gone loses the message, as the system would.
        if (target && IsWindow(target))
            SendMessageW(target, message, static_cast<WPARAM>(static_cast<intptr_t>(wParam)), 0);
    };
    shared.WarnNoMidi = [&shared] {
        MessageBoxW(win::MessageOwner(reinterpret_cast<HWND>(shared.Target)), L"无法打开MIDI设备",
                    tessaly::kProgramTitle, MB_OK | MB_ICONWARNING);
    };
}

TickwellTimer::TickwellTimer() {
    tickwell_.Timer = [this] {
        // A copy, as the handler may release this timer.
        auto handler = Timer;
        if (handler) handler();
    };
}

WindowsPlayback::WindowsPlayback() {
    UseWindowsPlayback(Shared, Out, Clock);
    Shared.MakeTimer = [] { return std::make_unique<TickwellTimer>(); };
}

}  // namespace tessaly
