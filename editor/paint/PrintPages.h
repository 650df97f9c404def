#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/document/WholeLayout.h"
#include "paint/PageLayers.h"

namespace notaline {

// A printer as the page loop drives it. Each step answers false when the device refused it.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    virtual int32_t DotsPerInch() = 0;
    virtual bool StartJob(const std::u16string& jobName) = 0;
    virtual bool StartPage() = 0;
    // Draws on the started page in device pixels from the paper's corner.
    virtual void DrawPage(const std::function<void(Canvas&)>& draw) = 0;
    virtual bool EndPage() = 0;
    virtual bool EndDoc() = 0;
    // Drops a job that failed half way, so the spooler keeps no half document.
    virtual void AbortDoc() = 0;
};

// The printer's zoom against the screen, to two decimals with halves to even: 600 dpi over
// 96 dpi is 6.25.
double PrintScale(int32_t printerDpi, int32_t screenDpi);
// The percentage told before page `page` of `pageCount` prints: 0, 25, 50, 75 for four.
int32_t PrintProgress(int32_t page, int32_t pageCount);

// The document as paper shows it, a copy the printing draws from while the editor's own stays
// live: paragraph ends blank, no source-line marker, print pens.
EditorData PrintCopy(const EditorData& data, WholeLayout);
// One page of the copy on paper: background, character colours, characters and page number,
// attached marks, free-placed items; no corner marks.
void DrawPrintPage(PaintContext& ctx, std::u16string_view textureFile, int32_t page);

enum class PrintResult { Printed, StartDocFailed, PageFailed, EndDocFailed };

struct PrintStatus {
    PrintResult Result = PrintResult::Printed;
    int32_t Page = 0;  // the page that failed
};

// The job title of a document without a name.
inline constexpr std::u16string_view kDefaultJobName = u"简谱文档";

// Every page of `copy` at `scale` on the device, `progress` told each page's percentage first.
// The first refusal ends the job, aborted.
PrintStatus PrintPages(const EditorData& copy, PrintDevice& device, double scale, std::u16string jobName,
                       std::u16string_view textureFile, const std::function<void(int32_t)>& progress);

}  // namespace notaline
