#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "DaDurSystem.h"
#include "model/document/DocumentSource.h"
#include "model/document/EditorData.h"
#include "model/document/WholeLayout.h"

namespace notaline {

// The document files through the tools library's portable readers: DaDur (and the built-in
// default document) and ZoRiv, with progress to the host window.
class FileDocumentSource final : public DocumentSource {
public:
    explicit FileDocumentSource(tessaly::DaDurSystem& system) : system_(system) {}

    DocumentRead ReadRtfFile(intptr_t HostWindow, std::u16string_view FileName) override;
    DocumentRead ReadDocFile(intptr_t HostWindow, std::u16string_view FileName) override;

private:
    tessaly::DaDurSystem& system_;
};

// The DaDur reader leaves one empty free item where the file has none; the editor keeps no spare
// item, and counting it would add an item to every file opened and saved.
void DropSpareItem(tessaly::JpData& doc);

// The document file kinds, by the name's last six characters in any case; "" is the built-in
// default document, read as DaDur.
enum class DocumentKind { Other, DaDur, ZoRiv };
DocumentKind DocumentKindOf(std::u16string_view name);

// Writes the document by the name's kind, progress to the host window (0: none). The file is
// replaced only when written whole; another kind writes nothing and fails. Reason is UTF-8.
struct SaveOutcome {
    bool Ok = false;
    std::string Reason;
};
SaveOutcome SaveJpFile(const EditorData& data, WholeLayout, tessaly::DaDurSystem& system, intptr_t HostWindow,
                       std::u16string_view FileName);
// The same for a document already taken from the editor.
SaveOutcome SaveJpFile(tessaly::JpData doc, tessaly::DaDurSystem& system, intptr_t HostWindow,
                       std::u16string_view FileName);
// The same for a snapshot (on any thread): its characters are made whole a run at a time.
SaveOutcome SaveJpFile(DocumentSnapshot snapshot, tessaly::DaDurSystem& system, intptr_t HostWindow,
                       std::u16string_view FileName);

}  // namespace notaline
