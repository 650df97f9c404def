#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "model/document/EditorData.h"
#include "model/document/WholeLayout.h"
#include "paint/PictureNames.h"

namespace notaline {

enum class PictureExportResult { Saved, Cancelled, BadName, UnsupportedExtension, WriteFailed, Stopped };

struct PictureExportStatus {
    PictureExportResult Result = PictureExportResult::Saved;
    int32_t Written = 0;
    std::wstring FailedFile;  // the page that could not be written
    int32_t Error = 0;        // why, as FileErrors.h numbers it; 0 when the encoder gave no reason
    int32_t Pages = 0;        // of the document
};

// Asked for each existing page file: true overwrites it. The pictures are drawn and encoded here;
// the control asks the user, tests answer.
using ConfirmOverwrite = std::function<bool(const std::wstring& file)>;

// What the pictures are drawn from: the document as it was when the export started, so that
// the pages can be drawn on another thread while the editor goes on.
class PictureJob {
public:
    // Copies the layout and pins the characters, on the editor's thread: no character is copied
    // here. The characters are brought up to date first.
    PictureJob(EditorData& data, WholeLayout, std::u16string textureFile, PictureName name);
    PictureJob(const PictureJob&) = delete;
    PictureJob& operator=(const PictureJob&) = delete;
    ~PictureJob();

    int32_t PageCount() const;
    // Every page as one picture at zoom 1, encoded from memory, on the calling thread; `next` is
    // asked before each page and a false answer stops there, the pages written kept. Without a
    // measurer of the calling thread, one is made for the job.
    PictureExportStatus Write(const std::function<bool(int32_t page, int32_t pageCount)>& next,
                              TextMeasurer* measurer = nullptr);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// Checks the name and its folder and asks about existing pages: Saved when the pages may be written.
PictureExportStatus CheckPictureExport(const std::wstring& fileName, WholeLayout whole, const ConfirmOverwrite& confirm,
                                       PictureName& name);

// The checks, then every page written on the calling thread. The editor's view is not touched.
PictureExportStatus SavePagePictures(EditorData& data, WholeLayout whole, std::u16string textureFile,
                                     const std::wstring& fileName, const ConfirmOverwrite& confirm);

}  // namespace notaline
