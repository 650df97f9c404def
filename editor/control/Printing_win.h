#pragma once

#include <string>

#include "paint/PrintPages.h"

namespace notaline {

class Editor;

// What printing does once it has a device: every page from a copy of the document at the
// device's zoom, progress to the host, the view redrawn; a refused step is told the user.
bool PrintOn(Editor& ed, PrintDevice& device, const std::wstring& jobName);

}  // namespace notaline
