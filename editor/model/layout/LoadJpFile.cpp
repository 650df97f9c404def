#include "model/layout/LoadJpFile.h"

#include <exception>
#include <optional>
#include <utility>

#include "FileErrors.h"
#include "model/document/DocumentFiles.h"
#include "model/document/PlayMarks.h"
#include "model/document/StoredMarks.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/PageSetupRules.h"

namespace notaline {

namespace {

DocumentRead Guarded(DocumentSource& source, bool zoriv, intptr_t host, std::u16string_view name) {
    try {
        return zoriv ? source.ReadDocFile(host, name) : source.ReadRtfFile(host, name);
    } catch (const std::bad_alloc&) {
        DocumentRead failed;
        failed.Reason = tessaly::FileErrorText(tessaly::kErrTooLarge);
        return failed;
    } catch (const std::exception& e) {
        DocumentRead failed;
        failed.Reason = e.what();
        return failed;
    }
}

}  // namespace

bool LoadJpFile(EditorData& data, DocumentSource& source, PageView& page, ControlSite& control, intptr_t HostWindow,
                std::u16string_view FileName) {
    const bool wasLoaded = data.DocLoaded;
    data.DocLoaded = false;
    std::optional<DocumentRead> read;
    const DocumentKind kind = DocumentKindOf(FileName);
    if (kind == DocumentKind::DaDur) {
        read = Guarded(source, false, HostWindow, FileName);
    } else if (kind == DocumentKind::ZoRiv) {
        read = Guarded(source, true, HostWindow, FileName);
    }
    if (read && !read->Ok) {
        // The document shown stays, laid out as it was; without one, an empty one is shown.
        control.LoadFailed(FileName, read->Reason);
        if (wasLoaded) {
            data.DocLoaded = true;
            return false;
        }
    } else if (read) {
        LoadDocument(data, std::move(read->Doc), std::move(read->Words));
        // Values the page commands would refuse would make every later page change beep.
        RepairPageSetup(data.AboutPageInfo);
    }
    EnsureFinalParagraphEnd(data);
    InitFormat(data, page);
    FitAllMarkValues(data);
    ScanPlayMarks(data);
    page.ResetView();
    control.ClearModified();
    // A file read as far as it goes is shown, and the user told that it ends early.
    if (read && read->Ok && !read->Reason.empty()) control.ShowMessage(read->Reason);
    data.DocLoaded = true;
    return read && read->Ok;
}

}  // namespace notaline
