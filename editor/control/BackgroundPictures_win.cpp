// The user's pictures on a thread of their own: the window hears of each page and of the end.
#include "control/BackgroundPictures_win.h"

#include <utility>

#include "paint/PrintPages.h"

namespace notaline {

BackgroundPictures::~BackgroundPictures() {
    Finish();
}

void BackgroundPictures::Start(std::unique_ptr<PictureJob> job) {
    Finish();
    stop_ = false;
    ended_ = false;
    worker_ = std::thread([this, job = std::move(job)]() mutable {
        try {
            status_ = job->Write([this](int32_t page, int32_t pages) {
                if (stop_) return false;
                PostMessageW(window_, kPictureProgress, static_cast<WPARAM>(PrintProgress(page, pages)), 0);
                return true;
            });
        } catch (...) {
            status_ = {PictureExportResult::WriteFailed, 0, {}};
        }
        job.reset();
        ended_ = true;
        PostMessageW(window_, kPicturesWritten, 0, 0);
    });
}

std::optional<PictureExportStatus> BackgroundPictures::Finish() {
    if (!worker_.joinable()) return std::nullopt;
    worker_.join();
    return status_;
}

}  // namespace notaline
