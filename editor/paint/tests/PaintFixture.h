#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "DocumentBuilder.h"
#include "FakeServices.h"
#include "model/document/MarkSlots.h"
#include "model/document/PlayMarks.h"
#include "model/document/StoredMarks.h"
#include "paint/MarkDispatch.h"
#include "paint/PaintContext.h"
#include "paint/RecordingCanvas.h"

namespace notaline::test {

// Characters 40 pixels apart from x = 100, each box 100 to 151 high with a 30-pixel glyph, in
// a font of height -51: one offset unit is -2.5 pixels. Font 0 is the notation font and the base.
struct PaintTest : ::testing::Test {
    EditorData data;
    FakeTextMeasurer measurer;
    FakeSystem system;
    RecordingCanvas canvas;

    static constexpr float kPitch = 40;
    static constexpr int32_t kHeight = -51;

    void Build(std::string_view pattern, std::initializer_list<int32_t> lines = {}) {
        SetWords(data, pattern);
        data.Measurer = measurer;
        data.System = system;
        data.NotationFontName = "Tolvane";
        data.FontTbl = {{"Tolvane", 2, 15, 3}};
        data.AboutFileInfo.FontTblCount = 1;
        data.ColorTbl = {0x000000u, 0x0000FFu};
        data.AboutFileInfo.ColorTblCount = 2;
        AddPaintFaces(data);  // as loading does
        for (int32_t i = 0; i < data.WordCount(); ++i) {
            auto& w = data.WordInfo[static_cast<size_t>(i)];
            w.Left = 100 + kPitch * static_cast<float>(i);
            w.Right = w.Left + kPitch;
            w.Top = 100;
            w.Bottom = 151;
            w.WdSize = {30, 51};
            w.EditFont([](tessaly::mLogFont& f) {
                f.lfHeight = kHeight;
                f.lfWeight = 400;
            });
        }
        if (lines.size() == 0) {
            SetLines(data, {data.WordCount()});
        } else {
            SetLines(data, lines);
        }
    }

    void Draw(int32_t word) {
        PaintContext ctx(data, canvas);
        DrawExtralWord(ctx, word);
    }

    const tessaly::aExtralWordInfo& Slot(int32_t word, int32_t slot) {
        return data.WordInfo[static_cast<size_t>(word)].ExtralWordInfo[slot];
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& op : canvas.Ops)
            if (op.What == RecordingCanvas::Kind::Text || op.What == RecordingCanvas::Kind::TextAt)
                out.push_back(op.Text);
        return out;
    }

    static std::string FaceOf(const tessaly::LogFont& f) { return reinterpret_cast<const char*>(f.lfFaceName); }
};

// A run of glyph codes as text.
inline std::string Glyphs(std::initializer_list<std::pair<uint16_t, int>> parts) {
    std::string s;
    for (auto [code, n] : parts) s += GlyphRun(code, n);
    return s;
}

}  // namespace notaline::test
