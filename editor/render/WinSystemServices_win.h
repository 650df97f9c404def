#pragma once

#include "model/document/TextMeasurer.h"

namespace notaline {

// The window system's beep, asynchronous key state and OLE colour translation.
class WinSystemServices : public SystemServices {
public:
    void Beep() override;
    bool IsKeyDown(int32_t virtualKey) override;
    uint32_t TranslateColor(uint32_t oleColour) override;
};

}  // namespace notaline
