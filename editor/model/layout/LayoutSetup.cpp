#include "model/layout/LayoutSetup.h"

#include <string>

#include "model/document/CharKinds.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/Measure.h"
#include "model/document/PlayMarks.h"
#include "model/document/Tables.h"
#include "model/document/mGeneral.h"
#include "model/layout/LineBreaker.h"
#include "model/layout/Pagination.h"
#include "model/layout/SourceLines.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

constexpr int16_t kParaEndCode = 45;
constexpr float kDefaultPoints = 12;  // size of a paragraph end given to an empty document

}  // namespace

void CalcPageSize(EditorData& data, int32_t PaperType) {
    const auto& page = data.AboutPageInfo;
    double w = 0;
    double h = 0;
    switch (PaperType) {
        case pA4: w = 210, h = 297; break;
        case pA3: w = 297, h = 420; break;
        case pCustom: w = page.PageSize.cx, h = page.PageSize.cy; break;
        default: return;
    }
    if (page.PageFX == 1) {
        std::swap(w, h);
    } else if (page.PageFX != 0) {
        return;
    }
    data.PageWidthPx = tessaly::CLng(data.WindowsZoom * (96 / 25.4 * w));
    data.PageHeightPx = tessaly::CLng(96 / 25.4 * h * data.WindowsZoom);
}

void CalcWriteRect(EditorData& data) {
    const auto& margins = data.AboutPageInfo.PageMarginRect;
    data.WriteLeft = tessaly::CLng(double{data.PxPerTenthMm} * margins.Left);
    data.WriteRight = data.PageWidthPx - data.WriteLeft;
    data.WriteTop = tessaly::CLng(double{data.PxPerTenthMm} * margins.Top);
    data.WriteBottom = data.PageHeightPx - data.WriteTop;
    data.WriteWidth = static_cast<float>(data.WriteRight - data.WriteLeft);
    data.WriteHeight = static_cast<float>(data.WriteBottom - data.WriteTop);
}

void MeasureAllWords(EditorData& data) {
    for (int32_t i = 0; i < data.WordCount(); ++i) {
        auto& w = data.WordInfo[static_cast<size_t>(i)];
        const std::string text = CodeText(w.WdAsc);
        if (HasExtralType(data, i, kMarkGraceNote)) {
            w.WdSize = MeasureWordGdi(data, w.nLogFont(), text);
        } else {
            const int32_t height = PointToLogHeight(data, w.SelSize);
            if (w.nLogFont().lfHeight != height) w.EditFont([&](tessaly::mLogFont& f) { f.lfHeight = height; });
            w.WdSize = MeasureWordGdip(data, w.nLogFont(), text);
        }
    }
}

namespace {
void InitPageGrid(EditorData& data, PageView& page) {
    const double scale = data.AboutPageInfo.nScale;
    page.InitPageScrollInfo(tessaly::CLng(data.PageWidthPx * scale), tessaly::CLng(data.PageHeightPx * scale), 1,
                            data.PageCount());
}
}  // namespace

void InitFormat(EditorData& data, PageView& page) {
    const int16_t base = data.AboutFileInfo.BaseFontTblIndex;
    data.NotationFontName = base >= 0 && static_cast<size_t>(base) < data.FontTbl.size()
                                ? data.FontTbl[static_cast<size_t>(base)].FontName
                                : std::string();
    AddPaintFaces(data);
    page.NewMeasureDC();
    SetPairNumberAboveStored(data);
    const int32_t percent = page.WindowsZoomPercentage();
    const int32_t dpi = page.CurrentDpi();
    data.WindowsZoom = percent / 100.0;
    data.ScreenDpi = dpi;
    data.PxPerTenthMm = static_cast<float>(dpi / 254.0);
    CalcPageSize(data, data.AboutPageInfo.PaperType);
    CalcWriteRect(data);
    page.ResetPageBuffers();
    page.InitPageBuffers();
    GetAllPartInfo(data);
    MeasureAllWords(data);
    FormatAllLines(data);
    FormatPages(data);
    // The lines now hold the whole document: the first edit reads its paragraph off them rather
    // than searching the characters, which in a long paragraph costs the paragraph.
    data.InputDatLaidOut = true;
    InitPageGrid(data, page);
}

void ApplyPaperType(EditorData& data, PageView& page) {
    CalcPageSize(data, data.AboutPageInfo.PaperType);
    CalcWriteRect(data);
    InitPageGrid(data, page);
    page.ResetPageBuffers();
    page.InitPageBuffers();
    ReFormatAll(data, page);
}

bool LayOutEdit(EditorData& data, PageView& page) {
    if (data.InputDatLaidOut) return true;
    const int32_t start = data.InputStart;  // the layout takes it
    const bool incremental = FormatInputLines(data, data.InputDat);
    // The key, tempo and metre are read again only when the edit may have typed or removed one.
    const auto& d = data.InputDat;
    const bool confined = start >= 0;
    if (!incremental || data.InputDatPlayMarks ||
        PlayMarksNear(data, confined ? start : d.iWord1,
                      confined ? start + d.iAddLength : d.iWord2 + d.iAddLength - d.iDelLength))
        ScanPlayMarks(data);
    data.InputDatPlayMarks = false;
    KeepSourceLines(data);
    page.InitPageScrollInfo(-1, -1, 1, data.PageCount());
    return incremental;
}

bool JoinUpStep(EditorData& data, PageView& page, int32_t lines) {
    const auto cut = static_cast<int32_t>(data.LineInfo.CutLine());
    if (!RebreakFromCutLine(data, lines)) return false;
    // The caret's line, from the cut on, was read off the lines cut short: it is read again.
    if (data.CurLine >= cut) {
        const int32_t end = data.SelStart + data.SelLength;
        const int32_t before = data.CaretAtLineEnd && data.SelLength == 0 ? GetLineOfWord(data, end - 1) : -1;
        const auto& l = data.LineInfo;
        data.CaretAtLineEnd =
            before >= 0 &&
            l.StartOf(static_cast<size_t>(before)) + l.Unmoved(static_cast<size_t>(before)).Length == end;
        data.CurLine = data.CaretAtLineEnd ? before : GetLineOfWord(data, end);
    }
    KeepSourceLines(data);
    page.InitPageScrollInfo(-1, -1, 1, data.PageCount());
    return true;
}

WholeLayout JoinUp(EditorData& data, PageView& page) {
    JoinUpStep(data, page, INT32_MAX);
    return WholeLayout(data);
}

void ReFormatAll(EditorData& data, PageView& page) {
    if (data.WordCount() < 1) return;
    SetInputDat(data, 0, data.WordCount() - 1, data.WordCount() - 1);
    LayOutEdit(data, page);
    page.EnsureWordVisible(data.SelStart);
    page.RefreshView(data.SelStart, data.SelLength, tessaly::AllRefresh);
}

void ReInitFormat(EditorData& data, PageView& page) {
    InitFormat(data, page);
    page.ResetView();
}

void EnsureFinalParagraphEnd(EditorData& data) {
    const int32_t count = data.WordCount();
    if (count > 0 && IsParaEnd(data, count - 1)) return;
    tessaly::aWordInfo end;
    if (count > 0) {
        const auto& last = data.WordInfo[static_cast<size_t>(count - 1)];
        end.nLogFont = last.nLogFont();
        end.SelSize = last.SelSize;
        end.cf = last.cf;
        end.cb = last.cb;
    } else {
        end.SelSize = kDefaultPoints;
        end.nLogFont.lfHeight = PointToLogHeight(data, kDefaultPoints);
        end.cb = -1;
    }
    end.nLogFont.FontTblIndex = data.AboutFileInfo.BaseFontTblIndex;
    end.nLogFont.lfWeight = 400;
    end.WdAsc = kParaEndCode;
    end.IsJpGcCtl = kCharParaEnd;
    constexpr int32_t kDefaults[kSlotCount] = {0, 0, 0, 20, 20, 0, 0, 0};
    for (int32_t s = 0; s < kSlotCount; ++s) {
        end.ExtralWordInfo[s].IndexType = kMarkLeftIndent + s;
        end.ExtralWordInfo[s].ExtralWordVal1 = kDefaults[s];
    }
    data.WordInfo.resize(static_cast<size_t>(count) + 1);
    data.WordInfo[static_cast<size_t>(count)] = end;
    data.WordInfo.emplace_back();
    data.AboutFileInfo.WordCount = count + 1;
}

}  // namespace notaline
