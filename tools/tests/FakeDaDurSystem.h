#pragma once
#include <functional>
#include <string>
#include <vector>

#include "DaDurSystem.h"

namespace tessaly {

// Records what the reader and writer ask of the window system.
class FakeDaDurSystem : public DaDurSystem {
public:
    std::vector<std::pair<intptr_t, int32_t>> progress;
    int beeps = 0;
    std::vector<std::u16string> messages;
    std::vector<std::string> fonts;  // installed, code page 936
    double zoom = 1.0;
    int32_t dpi = 96;
    std::function<void()> onProgress;

    void Progress(intptr_t hwnd, int32_t percent) override {
        progress.emplace_back(hwnd, percent);
        if (onProgress) onProgress();
    }
    void Beep() override { ++beeps; }
    void Message(intptr_t, const std::u16string& text) override { messages.push_back(text); }
    std::vector<std::string> InstalledFonts() override { return fonts; }
    double ZoomFactor() override { return zoom; }
    int32_t CurrentDpi() override { return dpi; }
};

}  // namespace tessaly
