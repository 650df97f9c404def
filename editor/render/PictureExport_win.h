#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "paint/PageScreen.h"
#include "paint/PictureNames.h"
#include "render/PageBuffers_win.h"

namespace notaline {

enum class PictureExportResult { Saved, Cancelled, BadName, UnsupportedExtension, WriteFailed };

struct PictureExportStatus {
    PictureExportResult Result = PictureExportResult::Saved;
    int32_t Written = 0;
    std::wstring FailedFile;  // the page that could not be written
};

// Asked for each existing page file: true overwrites it. The control shows the question box;
// tests answer it.
using ConfirmOverwrite = std::function<bool(const std::wstring& file)>;

// The question box: OK and Cancel with the information icon.
bool AskOverwrite(HWND owner, const std::wstring& file);

// Every page as one picture at zoom 1, encoded from memory; the zoom, the page buffers and the
// view are restored afterwards. A short name or an unknown extension writes nothing.
PictureExportStatus SavePagePictures(EditorData& data, PageScreen& screen, PageBuffers& buffers,
                                     const std::wstring& fileName, const ConfirmOverwrite& confirm);

}  // namespace notaline
