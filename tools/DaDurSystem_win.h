#pragma once
#include "DaDurSystem.h"

namespace tessaly {

// The window system as the DaDur reader and writer meet it in Tessaly.dll.
class WindowsDaDurSystem final : public DaDurSystem {
public:
    void Progress(intptr_t hwnd, int32_t percent) override;
    void Beep() override;
    void Message(intptr_t hwnd, const std::u16string& text) override;
    std::vector<std::string> InstalledFonts() override;
    double ZoomFactor() override;
    int32_t CurrentDpi() override;
};

}  // namespace tessaly
