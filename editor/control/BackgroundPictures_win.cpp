// The user's pictures on a thread of their own: the window hears of each page and of the end.
#include "control/BackgroundPictures_win.h"

#include <utility>

#include "paint/PrintPages.h"

namespace notaline {

void BackgroundPictures::Start(std::unique_ptr<PictureJob> job) {
    // The export before reads the stop too.
    job_.Wait();
    stop_ = false;
    job_.Start(
        [this, job = std::move(job)]() mutable {
            PictureExportStatus status;
            try {
                status = job->Write([this](int32_t page, int32_t pages) {
                    if (stop_) return false;
                    PostMessageW(window_, kPictureProgress, static_cast<WPARAM>(PrintProgress(page, pages)), 0);
                    return true;
                });
            } catch (...) {
                status = {PictureExportResult::WriteFailed, 0, {}};
            }
            job.reset();  // the copy goes before the end is told
            return status;
        },
        [window = window_] { PostMessageW(window, kPicturesWritten, 0, 0); });
}

}  // namespace notaline
