#pragma once
// File names the file commands choose: the extension a dialog's filter adds, the picture
// dialog's suggestion and the backup copy's free name.
#include <functional>
#include <string>
#include <string_view>

namespace tavolin {

// name without its NULs, ending in ext (compared without case); an empty ext leaves it as typed.
std::wstring nFileName(std::wstring_view name, std::wstring_view ext);

// The name a document is saved under after the save-as dialog (filter 1 ZoRiv, 2 DaDur). A name
// that ends in neither document extension gets ".DaDur": the editor writes nothing else.
std::wstring DocumentSaveName(std::wstring_view typed, long filterIndex);
// The picture and MIDI dialogs' names by their filter; a typed ".jpeg" is a picture ending too.
std::wstring PictureSaveName(std::wstring_view typed, long filterIndex);
std::wstring MidiSaveName(std::wstring_view typed, long filterIndex);

// The picture dialog's suggestion: the document's name without folder and extension, or the
// first line for a document without a name.
std::wstring PictureSuggestion(std::wstring_view fileName, std::wstring_view firstLine);

// The first name, beside the document, of the form <name>.Bak[.Bak...].DaDur that exists() denies.
std::wstring BackupName(std::wstring_view fileName, const std::function<bool(const std::wstring&)>& exists);

}  // namespace tavolin
