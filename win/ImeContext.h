#pragma once
#include <windows.h>
#include <imm.h>

namespace win {

// A window's input context, released when the scope ends.
class ImeContext {
public:
    explicit ImeContext(HWND window) : window_(window), imc_(ImmGetContext(window)) {}
    ImeContext(const ImeContext&) = delete;
    ImeContext& operator=(const ImeContext&) = delete;
    ~ImeContext() {
        if (imc_) ImmReleaseContext(window_, imc_);
    }
    HIMC Get() const { return imc_; }

private:
    HWND window_;
    HIMC imc_;
};

}  // namespace win
