#pragma once

#include <windows.h>

#include "paint/PrintPages.h"
#include "win/GdiHandles.h"

namespace notaline {

// Draws one page on a device context in device pixels from the paper's corner: the origin moved
// by the device's unprintable margin, GDI and GDI+ alike, the context restored afterwards.
void DrawOnDeviceContext(HDC dc, POINT physicalOffset, const std::function<void(Canvas&)>& draw);

// A printer's device context, as the print dialog returned it; deleted with this.
class PrinterDevice final : public PrintDevice {
public:
    explicit PrinterDevice(win::OwnedDc dc);

    int32_t DotsPerInch() override;
    bool StartJob(const std::u16string& jobName) override;
    bool StartPage() override;
    void DrawPage(const std::function<void(Canvas&)>& draw) override;
    bool EndPage() override;
    bool EndDoc() override;
    void AbortDoc() override;

private:
    win::OwnedDc owned_;
    HDC dc_;
    POINT offset_{};
};

}  // namespace notaline
