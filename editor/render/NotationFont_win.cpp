#include "render/NotationFont_win.h"

#include <windows.h>

#include <string>

#include "com/Create.h"

namespace notaline {

bool LoadNotationFont() {
    static const bool loaded = [] {
        const std::wstring file = com::ProgramFolder() + kNotationFontFile;
        return AddFontResourceExW(file.c_str(), FR_PRIVATE, nullptr) > 0;
    }();
    return loaded;
}

}  // namespace notaline
