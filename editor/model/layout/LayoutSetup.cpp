#include "model/layout/LayoutSetup.h"

#include <exception>
#include <optional>
#include <string>

#include "FileErrors.h"
#include "model/document/CharKinds.h"
#include "model/document/DocumentFiles.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/Measure.h"
#include "model/document/PlayMarks.h"
#include "model/document/StoredMarks.h"
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

DocumentRead Guarded(DocumentSource& source, bool zoriv, intptr_t host, std::u16string_view name) {
    try {
        return zoriv ? source.ReadDocFile(host, name) : source.ReadRtfFile(host, name);
    } catch (const std::bad_alloc&) {
        DocumentRead failed;
        failed.Reason = tessaly::FileErrorText(tessaly::kErrTooLarge);
        return failed;
    } catch (const std::exception& e) {
        DocumentRead failed;
        failed.Reason = e.what();
        return failed;
    }
}

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

bool LoadJpFile(EditorData& data, DocumentSource& source, PageView& page, ControlSite& control, intptr_t HostWindow,
                std::u16string_view FileName) {
    const bool wasLoaded = data.DocLoaded;
    data.DocLoaded = false;
    std::optional<DocumentRead> read;
    const DocumentKind kind = DocumentKindOf(FileName);
    if (kind == DocumentKind::DaDur) {
        read = Guarded(source, false, HostWindow, FileName);
    } else if (kind == DocumentKind::ZoRiv) {
        read = Guarded(source, true, HostWindow, FileName);
    }
    if (read && !read->Ok) {
        // The document shown stays, laid out as it was; without one, an empty one is shown.
        control.LoadFailed(FileName, read->Reason);
        if (wasLoaded) {
            data.DocLoaded = true;
            return false;
        }
    } else if (read) {
        LoadDocument(data, std::move(read->Doc), std::move(read->Words));
        // Values the page commands would refuse would make every later page change beep.
        RepairPageSetup(data.AboutPageInfo);
    }
    EnsureFinalParagraphEnd(data);
    InitFormat(data, page);
    FitAllMarkValues(data);
    ScanPlayMarks(data);
    page.ResetView();
    control.ClearModified();
    // A file read as far as it goes is shown, and the user told that it ends early.
    if (read && read->Ok && !read->Reason.empty()) control.ShowMessage(read->Reason);
    data.DocLoaded = true;
    return read && read->Ok;
}

}  // namespace notaline
