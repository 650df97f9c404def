#include "model/document/BackgroundSave.h"

#include <utility>
#include <vector>

#include "FileErrors.h"

namespace notaline {

namespace {

// The writer's view of the system on another thread: the values read where the save began,
// no progress, no boxes, no sound.
class FixedSystem final : public tessaly::DaDurSystem {
public:
    FixedSystem(double zoom, int32_t dpi) : zoom_(zoom), dpi_(dpi) {}
    void Progress(intptr_t, int32_t) override {}
    void Beep() override {}
    void Message(intptr_t, const std::u16string&) override {}
    std::vector<std::string> InstalledFonts() override { return {}; }
    double ZoomFactor() override { return zoom_; }
    int32_t CurrentDpi() override { return dpi_; }

private:
    double zoom_;
    int32_t dpi_;
};

}  // namespace

SaveOutcome BackgroundSave::Write(DocumentSnapshot snapshot, double zoom, int32_t dpi, std::u16string name,
                                  std::chrono::milliseconds wait, std::function<void()> whenDone) {
    late_ = false;
    job_.Start(
        [snapshot = std::move(snapshot), zoom, dpi, name = std::move(name)]() mutable {
            try {
                FixedSystem system(zoom, dpi);
                return SaveJpFile(std::move(snapshot), system, 0, name);
            } catch (const std::bad_alloc&) {
                return SaveOutcome{false, std::string(tessaly::FileErrorText(tessaly::kErrTooLarge))};
            }
        },
        [whenDone = std::move(whenDone)] {
            if (whenDone) whenDone();
        });
    if (wait.count() <= 0 || !job_.WaitFor(wait)) {
        late_ = true;
        return SaveOutcome{true, {}};
    }
    return job_.Take().value_or(SaveOutcome{false, {}});
}

std::optional<SaveOutcome> BackgroundSave::Late() {
    if (!late_) return std::nullopt;
    auto outcome = job_.TakeIfEnded();
    if (outcome) late_ = false;
    return outcome;
}

}  // namespace notaline
