#pragma once
// The form's controls made from the classes linked into the program at hand (tests, benches),
// through the same factory seam as the program; the hosted editor can be looked into.
#include "Button_win.h"
#include "ControlFactory_win.h"
#include "control/ZEVudu_win.h"

namespace tavolin::test {

class InProcessFactory final : public ControlFactory {
public:
    com::Ptr<IUnknown> CreateEditor() override {
        com::Ptr<IZEVudu> z;
        notaline::ZEVudu::Create(__uuidof(IZEVudu), z.OutVoid());
        return z.As<IUnknown>();
    }
    com::Ptr<IUnknown> CreateButton() override {
        com::Ptr<IButton> b;
        kavrel::Button::Create(__uuidof(IButton), b.OutVoid());
        return b.As<IUnknown>();
    }
    void EditorHosted(IUnknown* editor) override {
        com::Ptr<IZEVudu> z;
        editor->QueryInterface(__uuidof(IZEVudu), z.OutVoid());
        hosted = static_cast<notaline::ZEVudu*>(z.Get());
    }
    notaline::ZEVudu* hosted = nullptr;
};

}  // namespace tavolin::test
