#pragma once

#include <cstdint>
#include <string_view>

#include "model/document/ControlSite.h"
#include "model/document/DocumentSource.h"
#include "model/document/EditorData.h"
#include "model/document/PageView.h"

namespace notaline {

// Reads a document by the file's ending (".zoriv", ".dadur", any case; the empty name gives the
// built-in default document), lays it out and shows it from its first page, not modified. Any
// other ending reads nothing but lays the current document out again. A document that cannot be
// read is reported to the control and the one shown stays as it was. True when a document was
// read and is shown.
bool LoadJpFile(EditorData& data, DocumentSource& source, PageView& page, ControlSite& control, intptr_t HostWindow,
                std::u16string_view FileName);

}  // namespace notaline
