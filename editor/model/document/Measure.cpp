#include "model/document/Measure.h"

#include "DaDurFormat.h"
#include "model/document/Tables.h"
#include "model/document/mGeneral.h"
#include "records/Numbers.h"
#include "text/Cp936.h"

namespace notaline {

std::u16string TextForCharset(std::string_view gbk, uint8_t charset) {
    // A stored text cut inside a character (an older file's mark text) still shows what it holds.
    if (charset != kSymbolCharset) return tessaly::Cp936ToUtf16Replacing(gbk);
    std::u16string text;
    for (size_t i = 0; i < gbk.size(); ++i) {
        const auto b = static_cast<uint8_t>(gbk[i]);
        if (b == 0xF0 && i + 1 < gbk.size()) {
            text += static_cast<char16_t>(0xF000 + static_cast<uint8_t>(gbk[++i]));
        } else {
            text += static_cast<char16_t>(0xF000 + b);
        }
    }
    return text;
}

tessaly::SIZEF MeasureWordGdip(const EditorData& data, const tessaly::mLogFont& Font, std::string_view Text, int32_t) {
    tessaly::LogFont face;
    uint8_t charset = 0;
    if (Font.FontTblIndex >= 0 && static_cast<size_t>(Font.FontTblIndex) < data.FontTbl.size()) {
        const auto& entry = data.FontTbl[static_cast<size_t>(Font.FontTblIndex)];
        SetLogFontFaceName(face, entry.FontName);
        charset = entry.fcharset;
    }
    face.lfCharSet = charset;
    face.lfWeight = Font.lfWeight >= 700 ? 700 : 400;
    const int32_t points = -MulDiv(Font.lfHeight, 72, data.PropertiesDpi);

    const std::u16string text = TextForCharset(Text == " " ? std::string_view("2") : Text, charset);
    const tessaly::SIZEF box =
        data.Measurer.get().MeasureGdip(face, static_cast<float>(points), std::u16string_view(text).substr(0, 1));
    return {static_cast<float>(tessaly::Round(box.cx * data.WindowsZoom, 2)),
            static_cast<float>(tessaly::Round(box.cy * data.WindowsZoom, 2))};
}

std::string CodeText(int16_t code) {
    const auto u = static_cast<uint16_t>(code);
    // Older files hold the closing bracket symbol as E009, which no font has.
    if (u == 0xE009) return ")";
    if (u > 255) return {static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)};
    return std::string(1, static_cast<char>(u));
}

tessaly::SIZEF MeasureWordGdi(const EditorData& data, const tessaly::mLogFont& Font, std::string_view Text) {
    const tessaly::LogFont lf = MakeWordLogFont(data, Font);
    return data.Measurer.get().MeasureGdi(lf, TextForCharset(Text, lf.lfCharSet));
}

// The same conversion as the document reader's, so that sizes such as 10.5 pt
// keep their height through a load, an edit and a save.
int32_t PointToLogHeight(const EditorData& data, float Points) {
    return tessaly::dadur::LogHeightForMilliPoints(static_cast<double>(Points) * 1000, data.PropertiesDpi);
}

}  // namespace notaline
