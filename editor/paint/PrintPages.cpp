#include "paint/PrintPages.h"

#include <algorithm>

#include "paint/BigGlissando.h"
#include "paint/CellPainter.h"
#include "paint/MarkDispatch.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

constexpr uint8_t kParagraphEnd = 3;
constexpr int16_t kSpace = 32;

}  // namespace

double PrintScale(int32_t printerDpi, int32_t screenDpi) {
    if (printerDpi <= 0 || screenDpi <= 0) return 1;
    return tessaly::RoundHalfEven(static_cast<double>(printerDpi) / screenDpi * 100) / 100;
}

int32_t PrintProgress(int32_t page, int32_t pageCount) {
    if (pageCount <= 0) return 0;
    return static_cast<int32_t>(int64_t{page} * 100 / pageCount);
}

EditorData PrintCopy(const EditorData& data, WholeLayout) {
    EditorData copy = data;
    for (int32_t i = 0; i < copy.WordCount(); ++i) {
        auto& w = copy.WordInfo[static_cast<size_t>(i)];
        if (w.IsJpGcCtl == kParagraphEnd) w.WdAsc = kSpace;
    }
    copy.CPdqLine = -1;
    copy.XjdqLine = -1;
    copy.IsPrinting = true;
    return copy;
}

void DrawPrintPage(PaintContext& ctx, std::u16string_view textureFile, int32_t page) {
    if (page < 0 || page >= ctx.Data.PageCount()) return;
    DrawPageBackground(ctx, textureFile);
    DrawPageWordBkColor(ctx, page);
    CellCache cache;
    DrawPageTextLayer(ctx, cache, page);
    const auto& p = ctx.Data.PageInfo[static_cast<size_t>(page)];
    const int32_t end = std::min(p.StartWord + p.LengthWord, ctx.Data.WordCount());
    for (int32_t i = std::max(p.StartWord, 0); i < end; ++i) DrawExtralWord(ctx, i);
    DrawBigHuaYingsFromEarlierPages(ctx, page);
    for (size_t k = 0; k < ctx.Data.HwWordInfo.size(); ++k)
        if (ctx.Data.HwWordInfo[k].iPage == page) DrawHwWord(ctx, static_cast<int32_t>(k));
}

PrintStatus PrintPages(const EditorData& copy, PrintDevice& device, double scale, std::u16string jobName,
                       std::u16string_view textureFile, const std::function<void(int32_t)>& progress) {
    if (jobName.empty()) jobName = kDefaultJobName;
    if (!device.StartJob(jobName)) return {PrintResult::StartDocFailed, 0};
    const int32_t pages = copy.PageCount();
    for (int32_t j = 0; j < pages; ++j) {
        if (progress) progress(PrintProgress(j, pages));
        if (!device.StartPage()) {
            device.AbortDoc();
            return {PrintResult::PageFailed, j};
        }
        device.DrawPage([&](Canvas& canvas) {
            PaintContext ctx(copy, canvas);
            ctx.Scale = scale;
            DrawPrintPage(ctx, textureFile, j);
        });
        if (!device.EndPage()) {
            device.AbortDoc();
            return {PrintResult::PageFailed, j};
        }
    }
    if (!device.EndDoc()) return {PrintResult::EndDocFailed, pages};
    return {};
}

}  // namespace notaline
