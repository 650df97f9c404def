#pragma once
#include <windows.h>
#include <olectl.h>

#include <optional>

#include "com/ComPtr.h"
#include "model/edit/CharAttributes.h"

namespace notaline {

// The character attributes' font as the OLE font object the host's font dialog and members
// exchange; the model keeps only the plain description.
com::Ptr<IFontDisp> MakeStdFont(const StdFontInfo& font);
// Nothing when the object is missing or its face name is not code page 936 text.
std::optional<StdFontInfo> StdFontInfoOf(IFontDisp* font);

}  // namespace notaline
