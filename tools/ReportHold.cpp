#include "ReportHold.h"

namespace tessaly {

ReportHold::ReportHold(PlayMidi& shared, const PlayNote& player, std::function<void()> hold,
                       std::function<void()> letGo)
    : shared_(shared), player_(player), hold_(std::move(hold)), letGo_(std::move(letGo)), send_(shared.Notify) {
    shared_.Notify = [this, send = send_](uint32_t message, int32_t wParam) {
        // Outside a tick the caller is a method of the owner, which holds it itself.
        if (player_.InHandler() && !held_) {
            held_ = true;
            hold_();
        }
        if (send) send(message, wParam);
    };
    shared_.TickEnded = [this] {
        if (!held_) return;
        if (!timer_ && shared_.MakeTimer) {
            timer_ = shared_.MakeTimer();
            if (timer_) timer_->Timer = [this] { LetGoWhenOut(); };
        }
        if (!timer_) return;  // no timer to be had: held for the owner's life
        timer_->Interval(0);
        timer_->Enabled(true);
    };
}

ReportHold::~ReportHold() {
    shared_.TickEnded = nullptr;
    shared_.Notify = send_;
    if (timer_) {
        timer_->Enabled(false);
        timer_->Timer = nullptr;
    }
}

void ReportHold::LetGoWhenOut() {
    timer_->Enabled(false);
    // Run by messages pumped inside the tick: its end asks again.
    if (!held_ || player_.InHandler()) return;
    held_ = false;
    // The last statement: letting go may end the owner and this object with it.
    const auto letGo = letGo_;
    letGo();
}

}  // namespace tessaly
