#pragma once
// The texts of the status bar's panels from the editor's status record.
#include <cstdint>
#include <optional>
#include <string>

#include "records/Messages.h"

namespace tavolin {

struct StatusTexts {
    std::wstring position;             // panel 1
    std::wstring font;                 // panel 2
    std::wstring lineSpace;            // panel 3
    std::wstring pages;                // panel 4
    std::optional<std::wstring> mode;  // panel 5; none leaves the panel as it is
    std::wstring scale;                // panel 6
};

StatusTexts FormatStatus(const tessaly::aSendMsg& status, int32_t formDpi);

// A single in its shortest decimal form, as 1, 1.25 or 10.25.
std::wstring ShortDecimal(float value);
// "进度 37%" for a progress report.
std::wstring ProgressText(int32_t percent);
// The size box's text for a point size: its Chinese name, else the number.
std::wstring SizeBoxText(float size);

}  // namespace tavolin
