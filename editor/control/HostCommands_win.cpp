// The commands the host sends to the editor's window; their contracts stand in records/Messages.h.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "control/EditWindow_win.h"
#include "control/Handlers_win.h"
#include "model/document/MarkCodes.h"
#include "model/document/mGeneral.h"
#include "model/edit/RangeMarks.h"
#include "model/edit/TypedText.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/Pagination.h"
#include "records/Messages.h"

namespace notaline {
namespace {

int32_t Low32(uintptr_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(v));
}

template <class Record>
bool HostRecord(UINT msg, LPARAM lParam, Record& out) {
    if (!AddressFromOwnThread(msg, lParam)) return false;
    std::memcpy(&out, reinterpret_cast<const void*>(lParam), sizeof out);
    return true;
}

template <class Record>
LRESULT AddressOf(Record& record) {
    return reinterpret_cast<LRESULT>(&record);
}

// Mark commands do not attach to a paragraph end: they beep instead.
bool RefusedOnParagraphEnd(Editor& ed) {
    if (!ed.CaretOnParagraphEnd()) return false;
    ed.Beep();
    return true;
}

bool SelectionEndsOnParagraphEnd(const Editor& ed) {
    const EditorData& d = ed.Data;
    const int32_t a = d.SelStart;
    const int32_t b = d.SelStart + d.SelLength;
    const int32_t first = std::min(a, b);
    const int32_t last = d.SelLength == 0 ? first : std::max(a, b) - 1;
    auto isEnd = [&](int32_t i) { return d.IsWord(i) && d.WordInfo[static_cast<size_t>(i)].IsJpGcCtl == 3; };
    return isEnd(first) || isEnd(last);
}

void InsertSymbol(Editor& ed, int32_t code, int32_t value) {
    EditorData& d = ed.Data;
    d.InputWords.clear();
    MakeSymbolWord(ed, code, value);
    if (code == -1 || d.InputWords.empty()) return;
    Typing& typed = ed.Commands->Typed;
    // The "1" typed before a key's equals sign becomes the key's "1", as its symbol command writes it.
    tessaly::aWordInfo keyOne;
    const bool inserted = code == kMarkEquals && BuildSymbolWord(d, InputAttributesOf(ed), kMarkKeySetting, 0, keyOne)
                              ? typed.InputKeyEquals(d.SelStart, d.SelLength, keyOne)
                              : typed.InputWord(d.SelStart, d.SelLength);
    if (inserted) LayOutEdit(d, *ed.Renderer);
    ed.UpdateCaretLine();
    ed.Renderer->EnsureWordVisible(d.SelStart);
    ed.Refresh(tessaly::MainExtralRefresh);
    ed.Renderer->CheckCPdqLine();
    ed.Renderer->CheckXjdqLine();
    NotifySelChange(ed, d.SelStart, d.SelLength);
}

void SetWriteRect(Editor& ed, LPARAM lParam) {
    tessaly::RECT rect;
    if (!HostRecord(tessaly::EM_SetWriteRect, lParam, rect)) return;
    EditorData& d = ed.Data;
    ed.Commands->Pages.SetPageWordRect(rect);
    SetInputDat(d, 0, d.WordCount() - 1, d.WordCount() - 1);
    CalcWriteRect(d);
    ed.LayOutAndShow(tessaly::AllRefresh);
}

void ShowPlayPos(Editor& ed, WPARAM wParam) {
    const int32_t word = Low32(wParam);
    if (word == -1) {
        ed.Refresh(tessaly::SelColorRefresh);
        StopPlayMusic(ed);
    } else if (ed.Data.IsWord(word)) {
        ed.Renderer->EnsureWordVisible(word);
        ed.Renderer->RefreshView(word, 1, tessaly::SelColorRefresh);
    }
}

void SetPartInfo(Editor& ed, LPARAM lParam) {
    tessaly::aPartInfo info;
    if (!HostRecord(tessaly::EM_SetPartInfo, lParam, info)) return;
    EditorData& d = ed.Data;
    ed.Commands->Paragraphs.PartAtt(d.SelStart, d.SelLength, info);
    FormatFromLine(d, d.InputDat);
    ed.Renderer->InitPageScrollInfo(-1, -1, 1, d.PageCount());
    ed.Refresh(tessaly::AllRefresh);
    ed.Renderer->CheckCPdqLine();
    ed.Renderer->CheckXjdqLine();
}

// Whether HostCommand answers a message with a result of its own rather than leaving it to the
// previous procedure: the message table says, so the table and the code cannot disagree.
constexpr bool Answered(int32_t number) {
    using R = tessaly::MessageResult;
    const R r = tessaly::ResultOf(number);
    return r == R::Zero || r == R::Flag || r == R::Address;
}

}  // namespace

bool HostCommand(Editor& ed, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    EditorData& d = ed.Data;
    EditCommands& c = *ed.Commands;
    const int32_t ss = d.SelStart;
    const int32_t sl = d.SelLength;
    const int32_t values = Low32(wParam);
    const int32_t byValue = Low32(static_cast<uintptr_t>(lParam));
    auto text = [&] { return HostText(msg, lParam); };
    // The host's commands change the document or open dialogs: they are taken only as calls of
    // the host on this thread, never posted or from another thread or process. Playback's own
    // reports only move the play position.
    const bool playback = msg == tessaly::WM_ShowPlayPos || msg == tessaly::EM_PlayDrumFrmInfo;
    if (msg >= WM_USER && msg <= 1200 && !playback && !win::SentOnOwnThread(msg, lParam)) {
        result = 0;
        return true;
    }
    switch (static_cast<int32_t>(msg)) {
        case tessaly::EM_SendMsg: break;  // the status record is the editor's to send, not to take
        case tessaly::EM_FormatFontName:
            if (auto t = text()) c.Chars.SelFontName(ss, sl, *t);
            break;
        case tessaly::EM_SetWriteRect: SetWriteRect(ed, lParam); break;
        case tessaly::EM_GetWriteRect: result = AddressOf(d.AboutPageInfo.PageMarginRect); break;
        case tessaly::EM_FormatSortInfo:
            if (!RefusedOnParagraphEnd(ed)) c.Marks.FormatWord(byValue, values), ed.Refresh(tessaly::ExtralRefresh);
            break;
        case tessaly::EM_FormatTFZ:
            if (auto t = text()) c.Ranges.FormatTFZ(*t, values, kMarkVoltaStart), ed.Refresh(tessaly::ExtralRefresh);
            break;
        case tessaly::EM_FormatKFTFZ:
            if (auto t = text())
                c.Ranges.FormatKFTFZ(*t, values, kMarkOpenVoltaStart), ed.Refresh(tessaly::ExtralRefresh);
            break;
        case tessaly::EM_InstrMainAndExtralStr: InsertSymbol(ed, byValue, values); break;
        case tessaly::EM_DelAreaExtralStr:  // the host asks whether a range mark went
            result = c.Ranges.DelAreaInfo(ss, sl, values) ? 1 : 0;
            ed.Refresh(tessaly::ExtralRefresh);
            break;
        case tessaly::EM_FormatHuXian:
            if (SelectionEndsOnParagraphEnd(ed)) {
                ed.Beep();
            } else {
                c.Ranges.FormatHuXian(ss, sl, byValue, values);
                LayOutEdit(d, *ed.Renderer);
                ed.Refresh(tessaly::AllRefresh);
            }
            break;
        case tessaly::EM_FormatLinYing:
            if (auto t = text()) c.Ranges.FormatLinYing(*t, values), ed.Refresh(tessaly::ExtralRefresh);
            break;
        case tessaly::EM_SetHwColor: {
            int32_t colour = 0;
            if (HostRecord(msg, lParam, colour))
                c.Items.HwWordColor(static_cast<uint32_t>(colour)), ed.Refresh(tessaly::LpxRefresh);
            break;
        }
        case tessaly::EM_CustomWord:
            if (auto t = text(); t && !RefusedOnParagraphEnd(ed))
                c.Marks.FormatCustomWord(ss, sl, *t, values), ed.Refresh(tessaly::ExtralRefresh);
            break;
        case tessaly::EM_Test:
            if (auto t = text()) c.Marks.FormatTestWord(ss, sl, *t, values);
            break;
        case tessaly::EM_InstrHwStr:
            // Kinds of connecting line are 0 to 4; the items take 1 to 5.
            if (byValue >= 0 && byValue <= 4) {
                c.Items.InsterHwWord(ed.Grid, 120, 120, static_cast<int16_t>(byValue + 1), true);
                ed.Refresh(tessaly::LpxRefresh);
            }
            break;
        case tessaly::EM_XiaoJieXuHao:
            if (auto t = text()) c.Marks.FormatXiaoJieXuHao(ss, sl, *t, values), ed.Refresh(tessaly::ExtralRefresh);
            break;
        case tessaly::EM_Custom_ChangSpeed:
            if (!RefusedOnParagraphEnd(ed)) {
                c.Marks.Format_Custom_ChangSpeed(ss, sl, std::to_string(byValue), values);
                ed.Refresh(tessaly::ExtralRefresh);
            }
            break;
        case tessaly::EM_FormatYYInfo:
            c.Graces.FormatYYInfo(byValue, values);
            ed.LayOutAndShow(tessaly::MainExtralRefresh);
            break;
        case tessaly::EM_FormatZhuYing:
            if (!RefusedOnParagraphEnd(ed)) c.Marks.FormatZhuYingWord(values), ed.Refresh(tessaly::ExtralRefresh);
            break;
        case tessaly::EM_GetFontExInfo:
            ed.FontExRecord = c.Spacing.FontExInfo();
            result = AddressOf(ed.FontExRecord);
            break;
        case tessaly::EM_SetFontExInfo: {
            tessaly::FontExInfo info;
            if (HostRecord(msg, lParam, info)) c.Spacing.FontExInfo(info), ed.LayOutAndShow(tessaly::AllRefresh);
            break;
        }
        case tessaly::EM_FormatBigHuaYing:
            // The menu offers it on any longer selection: one it cannot join is told, not ignored.
            if (sl == 2 || sl == -2)
                c.Ranges.FormatBigHuaYing(), ed.Refresh(tessaly::ExtralRefresh);
            else
                ed.ShowMessage(kBigGlissandoJoinsTwoNotes);
            break;
        case tessaly::EM_FormatCombiningChar:
            if (!RefusedOnParagraphEnd(ed))
                c.Marks.FormatCombiningChar(byValue, values), ed.Refresh(tessaly::ExtralRefresh);
            break;
        case tessaly::EM_ShowFormSetYcYgPos:
            ShowFormSetYcYgPos(ed);
            result = 0;
            break;
        case tessaly::WM_ShowPlayPos: ShowPlayPos(ed, wParam); break;
        case tessaly::EM_ChangSpeed:
            if (!RefusedOnParagraphEnd(ed))
                c.Marks.Format_ChangSpeed(ss, sl, byValue, values), ed.Refresh(tessaly::ExtralRefresh);
            break;
        case tessaly::EM_DelExtralStr:
            c.Values.DelExtralType(ss, sl, values), ed.Refresh(tessaly::ExtralRefresh);
            break;
        case tessaly::EM_PlayDrumFrmInfo: PlayDrumFrmInfo(ed, values); break;
        case tessaly::EM_GetPageSeting: result = AddressOf(d.AboutPageInfo); break;
        case tessaly::EM_SetPageSeting: {
            tessaly::AboutPageInfo page;
            if (HostRecord(msg, lParam, page)) c.Pages.SetPageSeting(page), ReInitFormat(d, *ed.Renderer);
            break;
        }
        case tessaly::EM_GetPartInfo:
            if (values <= 0) {
                ed.PartRecord = c.Paragraphs.PartAtt(ss, sl).value_or(tessaly::aPartInfo{});
                result = AddressOf(ed.PartRecord);
                break;
            }
            // The n-th paragraph's own record, 0 past the last; the first one reads them anew.
            if (values == 1) ed.OwnPartRecords = c.Paragraphs.OwnPartAtts(ss, sl);
            result = static_cast<size_t>(values) <= ed.OwnPartRecords.size()
                         ? AddressOf(ed.OwnPartRecords[static_cast<size_t>(values) - 1])
                         : 0;
            break;
        case tessaly::EM_SetPartInfo: SetPartInfo(ed, lParam); break;
        case tessaly::EM_REDO: c.Undo.UserRedo(), NotifySelChange(ed, d.SelStart, d.SelLength); break;
        default: break;
    }
    return Answered(static_cast<int32_t>(msg));
}

}  // namespace notaline
