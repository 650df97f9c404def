#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tessaly {

// What reading and writing DaDur files needs of the window system. The DLL
// answers with Win32; tests and the fuzzer answer with fakes.
class DaDurSystem {
public:
    virtual ~DaDurSystem() = default;
    // EM_RunPre to the caller's window, lParam pointing at the percentage.
    // Sent, never posted, and nothing else is pumped meanwhile.
    virtual void Progress(intptr_t hwnd, int32_t percent) = 0;
    virtual void Beep() = 0;
    // An information box with an OK button.
    virtual void Message(intptr_t hwnd, const std::u16string& text) = 0;
    // Face names of the installed screen fonts, code page 936 bytes.
    virtual std::vector<std::string> InstalledFonts() = 0;
    // The display zoom factor (1.0 at 96 DPI) and the DPI used for font heights.
    virtual double ZoomFactor() = 0;
    virtual int32_t CurrentDpi() = 0;
};

// Answers without a window system: no progress, beep or message; the given fonts, zoom and DPI.
class NoDaDurSystem : public DaDurSystem {
public:
    explicit NoDaDurSystem(std::vector<std::string> fonts = {"tolvane"}, double zoom = 1.0, int32_t dpi = 96)
        : fonts_(std::move(fonts)), zoom_(zoom), dpi_(dpi) {}
    void Progress(intptr_t, int32_t) override {}
    void Beep() override {}
    void Message(intptr_t, const std::u16string&) override {}
    std::vector<std::string> InstalledFonts() override { return fonts_; }
    double ZoomFactor() override { return zoom_; }
    int32_t CurrentDpi() override { return dpi_; }

private:
    std::vector<std::string> fonts_;
    double zoom_;
    int32_t dpi_;
};

}  // namespace tessaly
