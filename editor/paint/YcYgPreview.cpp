#include "paint/YcYgPreview.h"

#include <string>

#include "model/document/Measure.h"
#include "paint/CellPainter.h"

namespace notaline {

namespace {

constexpr int32_t kDigits = 8;
constexpr int32_t kPoints = 16;
constexpr float kFirstX = 30;
constexpr float kTop = 40;

// (octave code, duration code) of the marked samples.
constexpr uint8_t kSamples[][2] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 0}, {4, 1}, {4, 2},
                                   {4, 3}, {0, 1}, {5, 2}, {5, 3}, {4, 1}, {4, 2}, {6, 2}};

}  // namespace

EditorData MakeYcYgSamples(const EditorData& data, const tessaly::mLogFont& font, const tessaly::aFontTbl& entry,
                           int32_t row) {
    EditorData samples;
    samples.Measurer = data.Measurer;
    samples.ScreenDpi = data.ScreenDpi;
    samples.WindowsZoom = data.WindowsZoom;
    tessaly::JpData doc;
    doc.FileInfo.BaseFontTblIndex = data.AboutFileInfo.BaseFontTblIndex;
    doc.PageInfo.nScale = 1;
    doc.FontTbl = data.FontTbl;
    if (row >= 0 && static_cast<size_t>(row) < doc.FontTbl.size()) doc.FontTbl[static_cast<size_t>(row)] = entry;
    doc.ColorTbl = {0x000000u};
    LoadDocument(samples, doc);  // the tables first: the digits measure in them

    tessaly::SIZEF sizes[kDigits];
    for (int32_t d = 0; d < kDigits; ++d)
        sizes[d] = MeasureWordGdip(samples, font, std::string(1, static_cast<char>('0' + d)));
    float x = kFirstX;
    for (int32_t c = 0; c < kPoints; ++c) {
        const auto& size = sizes[c % kDigits];
        tessaly::aWordInfo w;
        w.WdAsc = static_cast<int16_t>('0' + c % kDigits);
        w.IsJpGcCtl = 1;
        w.nLogFont = font;
        w.nLogFont.FontTblIndex = static_cast<int16_t>(row);
        w.WdSize = size;
        w.Left = x;
        w.Right = x + size.cx;
        w.Top = kTop;
        w.Bottom = kTop + size.cy;
        if (c < static_cast<int32_t>(std::size(kSamples))) {
            w.YG = kSamples[c][0];
            w.Yc = kSamples[c][1];
        }
        doc.WordInfo.push_back(w);
        x += size.cx;
    }
    LoadDocument(samples, std::move(doc));
    return samples;
}

void DrawYcYgPreview(Canvas& canvas, const EditorData& samples) {
    PaintContext ctx(samples, canvas);
    CellCache cache;
    for (int32_t i = 0; i < samples.WordCount(); ++i) DrawWordCell(ctx, cache, i, -1);
}

}  // namespace notaline
