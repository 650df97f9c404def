#pragma once

namespace notaline {

inline constexpr wchar_t kNotationFontFamily[] = L"Tolvane";
inline constexpr wchar_t kNotationFontFile[] = L"Tolvane.ttf";

// Adds the notation font from the program's own folder as a private font, once per process;
// later calls answer what the first one found. Call it before any font is requested: a request
// made earlier keeps getting the face found then.
bool LoadNotationFont();

}  // namespace notaline
