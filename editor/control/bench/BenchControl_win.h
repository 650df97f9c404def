#pragma once
// What the control's benches share: a running control hosted in a container on a parent window.
#include "com/Container.h"
#include "control/Editor_win.h"
#include "control/ZEVudu_win.h"

namespace notaline::bench {

// A control 1000 x 800 in user mode, its measurer keeping sizes or not; closed when it goes.
class BenchControl {
public:
    BenchControl(HWND parent, bool cache) {
        ZEVudu::Create(__uuidof(IZEVudu), z_.OutVoid());
        auto bag = com::PropertyBag::Create({});
        com::ControlSite::Host(z_.Get(), parent, RECT{0, 0, 1000, 800}, bag.Get(), true, site_);
        control_ = static_cast<ZEVudu*>(z_.Get());
        Editor().Measurer->SetCaching(cache);
    }
    ~BenchControl() { site_->Close(); }
    BenchControl(const BenchControl&) = delete;
    BenchControl& operator=(const BenchControl&) = delete;

    notaline::Editor& Editor() { return *control_->Running(); }
    HWND Window() { return control_->Window(); }

private:
    com::Ptr<IZEVudu> z_;
    com::Ptr<com::ControlSite> site_;
    ZEVudu* control_ = nullptr;
};

}  // namespace notaline::bench
