#include "StatusText.h"

#include <cstdio>

#include "WinProc.h"

namespace tavolin {

std::wstring ShortDecimal(float value) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%.7g", static_cast<double>(value));
    return text;
}

std::wstring ProgressText(int32_t percent) {
    return L"进度 " + std::to_wstring(percent) + L"%";
}

std::wstring SizeBoxText(float size) {
    std::wstring name = FontSizeName(size);
    return name.empty() ? ShortDecimal(size) : name;
}

StatusTexts FormatStatus(const tessaly::aSendMsg& s, int32_t formDpi) {
    StatusTexts t;
    t.position = L"  位置：" + std::to_wstring(s.SelStart) + L"  当前行：" + std::to_wstring(s.CurrentLine) +
                 L"  选中：" + std::to_wstring(s.SelLength) + L"  ";
    wchar_t space[32];
    std::swprintf(space, 32, L"%.1f", formDpi / 254.0 * s.ShowWordSpace);
    t.font = L"  字号：" + std::to_wstring(s.SelFontSize) + L"  字距：" + space + L" 毫米";
    t.lineSpace = L"  行距：" + std::to_wstring(s.PartLineSpace) + L"  ";
    t.pages = L"  总页：" + std::to_wstring(s.PageCount) + L"  ";
    switch (s.cInputState) {
        case tessaly::GcState: t.mode = L"   歌词输入模式   "; break;
        case tessaly::JpState: t.mode = L"   简谱输入模式   "; break;
        case tessaly::LpxState: t.mode = L"   连谱线输入模式   "; break;
        default: break;
    }
    t.scale = L" 缩放：" + ShortDecimal(s.Pro);
    return t;
}

}  // namespace tavolin
