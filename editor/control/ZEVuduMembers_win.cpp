// The control's members as the host calls them by dispatch identifier or by name. Each row is a
// thin call into the editing model and the member rules; what a row decides lives there.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>

#include "FileNames.h"
#include "control/Handlers_win.h"
#include "control/Printing_win.h"
#include "control/SetPlayInfoDialog_win.h"
#include "control/ZEVudu_win.h"
#include "model/document/CharKinds.h"
#include "model/document/MarkCodes.h"
#include "model/document/Tables.h"
#include "model/document/mGeneral.h"
#include "model/edit/HostMembers.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/LoadJpFile.h"
#include "model/layout/PageSetupRules.h"
#include "model/layout/Pagination.h"
#include "music/MidiExport.h"
#include "music/NoteExtraction.h"
#include "records/Dialogs.h"
#include "records/Marks.h"
#include "render/StdFontObject_win.h"
#include "text/Cp936.h"

namespace notaline {
namespace {

using tessaly::RefreshType;

[[noreturn]] void Refuse(const wchar_t* why, HRESULT hr = E_INVALIDARG) {
    throw com::Error{hr, why};
}

// Members that need a document fail without one (in a form designer).
Editor& Doc(ZEVudu& z) {
    if (!z.Running()) Refuse(L"没有打开的文档。", E_UNEXPECTED);
    return *z.Running();
}

int32_t WordArg(const Editor& ed, const com::Arg& a) {
    const int32_t i = a.Long();
    if (!ed.Data.IsWord(i)) Refuse(L"字符位置超出文档范围。", DISP_E_BADINDEX);
    return i;
}

int32_t SlotArg(const com::Arg& a) {
    const int32_t s = a.Short();
    if (s < 0 || s > 7) Refuse(L"附加符号位置必须在 0 到 7 之间。", DISP_E_BADINDEX);
    return s;
}

std::wstring Wide(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}

std::u16string U16(std::wstring_view s) {
    return std::u16string(s.begin(), s.end());
}

// A stored text that ends inside a character (as other programs' files may) reads with U+FFFD for
// the lone byte, as it is drawn, not as an empty text.
std::wstring FromAnsi(std::string_view gbk) {
    return Wide(tessaly::Cp936ToUtf16Replacing(gbk));
}

std::string ToAnsi(const com::Arg& a) {
    auto bytes = tessaly::Utf16ToCp936(U16(a.Str()));
    if (!bytes) Refuse(L"文字含有不能保存的字符。");
    return *bytes;
}

void Message(const Editor& ed, std::wstring_view text, std::wstring_view title) {
    MessageBoxW(ed.Host, std::wstring(text).c_str(), std::wstring(title).c_str(), MB_OK | MB_ICONINFORMATION);
}

void ShowUtf8(Editor& ed, std::string_view text) {
    ed.ShowMessage(text);
}

// After an attribute change of the selection: its lines laid out again, then redrawn.
void LaidOut(Editor& ed, int32_t mode) {
    LayOutEdit(ed.Data, *ed.Renderer);
    ed.Refresh(mode);
}

void DropTouchedSourceLines(Editor& ed) {
    ed.Renderer->CheckCPdqLine();
    ed.Renderer->CheckXjdqLine();
}

// SelStart within the document, SelLength so that the selection ends inside it.
void ClampSelection(EditorData& d) {
    const int32_t count = d.WordCount();
    d.SelStart = std::clamp(d.SelStart, 0, std::max(0, count - 1));
    const int64_t end = std::clamp<int64_t>(static_cast<int64_t>(d.SelStart) + d.SelLength, 0, count);
    d.SelLength = static_cast<int32_t>(end - d.SelStart);
}

constexpr auto kMaxMarkCode = static_cast<int16_t>(tessaly::marks::kMarkLastCode);  // codes 1 to 180
constexpr float kMaxFontPoints = 400;

// A raise of characters stays within the page's height.
void CheckRaise(const EditorData& d, float v) {
    if (!std::isfinite(v) || std::fabs(v) > d.PageHeightPx) Refuse(L"数值无效。");
}

void SetZoom(Editor& ed, float value) {
    if (!std::isfinite(value)) Refuse(L"显示比例无效。");
    const ZoomStep z = ClampZoom(value);
    if (z.Beep) ed.Beep();
    ed.Renderer->ZoomTo(z.Scale);
    ed.Refresh(tessaly::AllRefresh);
}

// A script's line numbers are those of the whole layout, not of a line a key cut short.
void SetSourceLine(Editor& ed, WholeLayout, int32_t& line, int32_t value,
                   bool (*qualifies)(const EditorData&, int32_t)) {
    if (value == -1 || (value >= 0 && qualifies(ed.Data, value))) {
        line = value;
        ed.Refresh(tessaly::MainExtralRefresh);
    }
}

std::optional<ZEVudu::FileStamp> StampOf(const std::wstring& name) {
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (name.empty() || !GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &a)) return std::nullopt;
    return ZEVudu::FileStamp{uint64_t{a.nFileSizeHigh} << 32 | a.nFileSizeLow,
                             uint64_t{a.ftLastWriteTime.dwHighDateTime} << 32 | a.ftLastWriteTime.dwLowDateTime};
}

// The user's save over the document's own file asks first when another program (or another
// window) wrote that file since this control opened or saved it.
bool MayOverwrite(ZEVudu& z, const std::wstring& name, intptr_t host) {
    const ZEVudu::HostState& kept = z.Kept();
    if (!host || !kept.Stamp || _wcsicmp(name.c_str(), kept.FileName.c_str()) != 0) return true;
    const auto now = StampOf(name);
    return !now || *now == *kept.Stamp ||
           MessageBoxW(reinterpret_cast<HWND>(host), L"文件已被其他程序修改，是否覆盖？", tessaly::kProgramTitle,
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// Until the user's save beside the window is written, its outcome told.
void WaitForUserSave(Editor& ed) {
    ed.Background.UserSave.Wait();
    if (auto tell = std::exchange(ed.Background.SaveWritten, {})) tell();
}

// Until no write beside the window is under way.
void WaitForWrites(Editor& ed) {
    WaitForUserSave(ed);
    ed.Background.Backup.Wait();
}

// A document opened by name: the one shown, its name and its history change only once the new
// one has been read; a missing file is told and changes nothing, so a later save cannot write
// over the wrong file. Both failures fail the call too, so the host keeps its caption and list.
constexpr wchar_t kOnlyDocuments[] = L"只能打开 .DaDur 或 .ZoRiv 文件。";

void OpenFile(ZEVudu& z, Editor& ed, std::wstring name) {
    std::erase(name, L'\0');
    if (!name.empty() && !FileExists(U16(name))) {
        Message(ed, L"指定的文件没有找到。", L"打开...");
        Refuse(L"指定的文件没有找到。", E_FAIL);
    }
    if (DocumentKindOf(U16(name)) == DocumentKind::Other) {
        Message(ed, kOnlyDocuments, tessaly::kProgramTitle);  // the host's open command shows nothing else
        Refuse(kOnlyDocuments);
    }
    // A save beside the window tells its outcome against the document it wrote.
    WaitForWrites(ed);
    // A coalesced step still open belongs to the document shown: close it against that one.
    ed.Commands->Undo.EndPendingStep();
    if (!LoadJpFile(ed.Data, ed.Source, *ed.Renderer, ed, reinterpret_cast<intptr_t>(ed.Host), U16(name))) {
        // The reader's progress would stay on the host's status bar: the document's status replaces it.
        ed.Tell(tessaly::EM_SendMsg, 0, reinterpret_cast<LPARAM>(&ed.SendMsg));
        Refuse(L"文件没有打开。", E_FAIL);
    }
    ed.Commands->Undo.ZeroUnDoReDoVal();
    z.Kept().Stamp = StampOf(name);
    z.Kept().FileName = std::move(name);
}

// What a written user's save changes: the status to the host, Modified (unless the document was
// changed after the moment written), the name and its stamp.
void Saved(ZEVudu& z, Editor& ed, const std::wstring& name, intptr_t host, bool beside = false) {
    SendMessageW(reinterpret_cast<HWND>(host), tessaly::EM_SendMsg, 0, reinterpret_cast<LPARAM>(&ed.SendMsg));
    if (beside) {
        ed.Commands->Undo.SaveWritten();
    } else {
        ed.Commands->Undo.Modified(false);
    }
    z.Kept().FileName = name;
    z.Kept().Stamp = StampOf(name);
}

// A SaveFile is written before the call returns, and its outcome is the call's: a write beside the
// window (the host's backup or save) is finished first and keeps its own outcome for the host.
// With a host window it is the user's save: only a written file clears Modified, takes the name
// and is reported. Without one (a script's save) name and state stay either way.
void SaveFile(ZEVudu& z, Editor& ed, const std::wstring& name, intptr_t host) {
    if (!MayOverwrite(z, name, host)) Refuse(L"文件没有保存。", E_FAIL);
    WaitForWrites(ed);
    const HCURSOR old = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const SaveOutcome saved = SaveJpFile(ed.Data, ed.JoinUp(), ed.FileSystem, host, U16(name));
    SetCursor(old);
    if (!saved.Ok) {
        if (host) ShowUtf8(ed, saved.Reason);
        Refuse(L"文件没有保存。", E_FAIL);
    }
    if (host) Saved(z, ed, name, host);
}

// A caller's pictures are drawn off-screen, a control placed in no window included. A failure
// (an unknown extension, a missing folder, a page not written) fails the call with the text a
// box would show; no box stops a script. An overwrite the user refused writes nothing and is no failure.
void WritePicturesOrFail(Editor& ed, const std::wstring& name) {
    PictureName split;
    const PictureExportStatus status = WritePagePictures(ed, name, split);
    const std::string failure = PictureFailure(status, split);
    if (failure.empty()) return;
    const auto text = tessaly::Utf8ToUtf16(failure).value_or(u"");
    throw com::Error{E_FAIL, std::wstring(text.begin(), text.end())};
}

void SaveMidFile(Editor& ed, const std::wstring& name) {
    const tessaly::DaDurStatus status = WriteMidFile(ed.Data, std::filesystem::path(U16(name)), ed.PlaySettings.Texts);
    if (!status.ok) {
        ShowUtf8(ed, status.reason);
        Refuse(L"MIDI 文件没有保存。", E_FAIL);
    }
    // The file holds what the singing order plays: a song partly left out is not reported as whole.
    const std::string left = LeftOutNotice(ed.Data, BuildXjInfo(ed.Data), kLeftOutOfFile);
    ShowUtf8(ed, left.empty() ? std::string(kMidSavedText) : std::string(kMidSavedText) + "\n" + left);
}

// The text or background colour of the selection; gives the colour's table index, which new
// input takes.
int16_t SetSelColour(Editor& ed, const com::Arg& value, bool fore) {
    const auto colour = static_cast<uint32_t>(value.Long());
    EditorData& d = ed.Data;
    if (fore) {
        ed.Commands->Chars.SelForeColor(d.SelStart, d.SelLength, colour);
    } else {
        ed.Commands->Chars.SelWordBkColor(d.SelStart, d.SelLength, colour);
    }
    const int16_t index = GetColorTblIndex(d, colour);
    ed.Refresh(fore ? tessaly::MainExtralRefresh : tessaly::ExtralRefresh);
    return index;
}

void ReturnDispatch(VARIANT* r, IDispatch* object) {
    if (!r) return;
    V_VT(r) = VT_DISPATCH;
    V_DISPATCH(r) = object;
    if (object) object->AddRef();
}

// The paragraph settings travel as their 16 bytes.
void ReturnPartInfo(VARIANT* r, const tessaly::aPartInfo& info) {
    if (!r) return;
    SAFEARRAY* a = SafeArrayCreateVector(VT_UI1, 0, sizeof info);
    if (!a) Refuse(L"内存不足。", E_OUTOFMEMORY);
    std::memcpy(a->pvData, &info, sizeof info);
    V_VT(r) = VT_ARRAY | VT_UI1;
    V_ARRAY(r) = a;
}

tessaly::aPartInfo PartInfoArg(const com::Arg& a) {
    const VARIANT& v = a.Raw();
    const SAFEARRAY* array = (V_VT(&v) == (VT_ARRAY | VT_UI1))                                ? V_ARRAY(&v)
                             : (V_VT(&v) == (VT_ARRAY | VT_UI1 | VT_BYREF) && V_ARRAYREF(&v)) ? *V_ARRAYREF(&v)
                                                                                              : nullptr;
    tessaly::aPartInfo info;
    if (!array || SafeArrayGetDim(const_cast<SAFEARRAY*>(array)) != 1 || array->rgsabound[0].cElements != sizeof info)
        Refuse(L"段落设置必须是 16 个字节。", DISP_E_TYPEMISMATCH);
    std::memcpy(&info, array->pvData, sizeof info);
    return info;
}

void SetWordFont(Editor& ed, const com::Arg& colour, const com::Arg& value) {
    com::Ptr<IFontDisp> font;
    const VARIANT& v = value.Raw();
    IUnknown* unknown = V_VT(&v) == VT_DISPATCH                                     ? V_DISPATCH(&v)
                        : V_VT(&v) == VT_UNKNOWN                                    ? V_UNKNOWN(&v)
                        : V_VT(&v) == (VT_DISPATCH | VT_BYREF) && V_DISPATCHREF(&v) ? *V_DISPATCHREF(&v)
                                                                                    : nullptr;
    if (unknown) unknown->QueryInterface(IID_IFontDisp, font.OutVoid());
    const auto info = StdFontInfoOf(font.Get());
    if (!info) Refuse(L"不是字体对象。", DISP_E_TYPEMISMATCH);
    EditorData& d = ed.Data;
    ed.Commands->Chars.StdFont(d.SelStart, d.SelLength, static_cast<uint32_t>(colour.Long()), *info);
    LaidOut(ed, tessaly::MainExtralRefresh);
}

// A style of the selection; the font of the next typed character follows, also with only a caret.
using StyleSetter = bool (CharAttributes::*)(int32_t, int32_t, bool);
void FontStyle(Editor& ed, bool on, StyleSetter set, void (*input)(Editor&, bool)) {
    EditorData& d = ed.Data;
    (ed.Commands->Chars.*set)(d.SelStart, d.SelLength, on);
    input(ed, on);
    LaidOut(ed, tessaly::MainExtralRefresh);
}

// The members whose work does not fit on the table's line.
void PutWordYg(Editor& ed, EditorData& d, EditCommands& c, com::Args& a) {
    c.Chars.WordYg(d.SelStart, d.SelLength, a.Value().Long());
    ed.Refresh(tessaly::MainExtralRefresh);
}

void PutWordYC(Editor& ed, EditorData& d, EditCommands& c, com::Args& a) {
    c.Chars.WordYC(d.SelStart, d.SelLength, a.Value().Long());
    ed.Refresh(tessaly::MainRefresh);
}

void GetHwnd(ZEVudu& z, com::Args&, VARIANT* r) {
    com::Return(r, static_cast<int64_t>(reinterpret_cast<intptr_t>(z.Window())));
}

void PutHwWordColor(Editor& ed, EditCommands& c, com::Args& a) {
    c.Items.HwWordColor(static_cast<uint32_t>(a.Value().Long()));
    ed.Refresh(tessaly::LpxRefresh);
}

void GetSelWordSpace(EditorData& d, EditCommands& c, VARIANT* r) {
    com::Return(r, RoundToInteger(c.Spacing.SelWordSpace(d.SelStart, d.SelLength)));
}

void PutSelWordSpace(Editor& ed, EditorData& d, EditCommands& c, com::Args& a) {
    c.Spacing.SelWordSpace(d.SelStart, d.SelLength, a.Value().Short());
    LaidOut(ed, tessaly::MainExtralRefresh);
}

void GetSelWordUpSpace(EditorData& d, EditCommands& c, VARIANT* r) {
    com::Return(r, RoundToInteger(c.Spacing.UpSpace(d.SelStart, d.SelLength)));
}

void PutSelWordUpSpace(Editor& ed, EditorData& d, EditCommands& c, com::Args& a) {
    const int16_t v = a.Value().Short();
    CheckRaise(d, v);
    c.Spacing.UpSpace(d.SelStart, d.SelLength, v);
    LaidOut(ed, tessaly::MainExtralRefresh);
}

void PutInputState(Editor& ed, EditorData& d, com::Args& a) {
    const int32_t v = a.Value().Long();
    if (v < tessaly::JpState || v > tessaly::LpxState) Refuse(L"输入状态必须是 1、2 或 3。");
    d.InputState = static_cast<tessaly::InputState>(v);
    // The caller chose the mode: the characters must not decide it again.
    NotifySelChangeByState(ed, d.SelStart, d.SelLength);
}

void PutChangMingScale(ZEVudu& z, com::Args& a, VARIANT*) {
    z.Kept().ChangMingScale = a.Value().Short();
}

void GetExtralWordVal1(Editor& ed, EditCommands& c, com::Args& a, VARIANT* r) {
    com::Return(r, c.Values.ExtralWordVal1(WordArg(ed, a[0]), SlotArg(a[1])));
}

void PutExtralWordVal1(Editor& ed, EditCommands& c, com::Args& a) {
    c.Values.ExtralWordVal1(WordArg(ed, a[0]), SlotArg(a[1]), a.Value().Long());
}

void GetExtralWordVal2(Editor& ed, EditCommands& c, com::Args& a, VARIANT* r) {
    com::Return(r, c.Values.ExtralWordVal2(WordArg(ed, a[0]), SlotArg(a[1])));
}

void PutExtralWordVal2(Editor& ed, EditCommands& c, com::Args& a) {
    c.Values.ExtralWordVal2(WordArg(ed, a[0]), SlotArg(a[1]), a.Value().Long());
}

void GetExtralWordVal3(Editor& ed, EditCommands& c, com::Args& a, VARIANT* r) {
    com::Return(r, FromAnsi(c.Values.ExtralWordVal3(WordArg(ed, a[0]), SlotArg(a[1]))));
}

void PutExtralWordVal3(Editor& ed, EditCommands& c, com::Args& a) {
    const int32_t word = WordArg(ed, a[0]);
    const int32_t slot = SlotArg(a[1]);
    c.Values.ExtralWordVal3(word, slot, ToAnsi(a.Value()));
}

void GetExtralType(Editor& ed, EditorData& d, com::Args& a, VARIANT* r) {
    const int32_t word = WordArg(ed, a[0]);
    const int32_t slot = SlotArg(a[1]);
    com::Return(r, static_cast<int16_t>(d.WordInfo[static_cast<size_t>(word)].ExtralWordInfo[slot].IndexType));
}

void PutExtralType(Editor& ed, EditorData& d, EditCommands& c, com::Args& a) {
    const int32_t word = WordArg(ed, a[0]);
    const int32_t slot = SlotArg(a[1]);
    const int16_t code = a.Value().Short();
    // 0 empties the slot; a code without a mark would be dropped by the next load.
    if (code < 0 || code > kMaxMarkCode) Refuse(L"附加符号代码必须在 1 到 180 之间。");
    if (!SetExtralType(d, c.Undo, word, slot, code)) return;
    LaidOut(ed, tessaly::MainExtralRefresh);
    NotifySelChange(ed, d.SelStart, d.SelLength);  // the host lists the caret character's marks
}

void DoChangExtralType(EditCommands& c, com::Args& a) {
    const int32_t del2 = a.Count() > 2 && !a[2].Missing() ? a[2].Long() : -1;
    const int32_t add2 = a.Count() > 3 && !a[3].Missing() ? a[3].Long() : -1;
    c.Values.ChangExtralType(a[0].Long(), a[1].Long(), del2, add2);
}

void DoConChangInputWord(Editor& ed, EditCommands& c, com::Args& a) {
    int32_t dType = a[0].Long();
    int32_t iType = a[1].Long();
    c.Typed.ConChangInputWord(dType, iType);
    ed.Refresh(tessaly::MainRefresh);
    DropTouchedSourceLines(ed);
}

void PutSelZhuYingPosY(ZEVudu& z, EditCommands& c, com::Args& a) {
    const int16_t v = a.Value().Short();
    z.Kept().ZhuYingPosY = v;
    c.Marks.FormatZhuYingWordPosY(v);
}

void GetWordFont(EditorData& d, EditCommands& c, com::Args& a, VARIANT* r) {
    uint32_t colour = 0;
    const StdFontInfo info = c.Chars.StdFont(d.SelStart, d.SelLength, colour);
    if (a.Count() > 0) a[0].Set(static_cast<int32_t>(colour));
    auto font = MakeStdFont(info);
    ReturnDispatch(r, font.Get());
}

void GetSelFontName(EditorData& d, EditCommands& c, VARIANT* r) {
    com::Return(r, FromAnsi(c.Chars.SelFontName(d.SelStart, d.SelLength)));
}

void PutSelFontName(Editor& ed, EditorData& d, EditCommands& c, com::Args& a) {
    const std::string name = ToAnsi(a.Value());
    if (name.empty()) Refuse(L"字体名称不能为空。");
    c.Chars.SelFontName(d.SelStart, d.SelLength, name);
    SetStdFontName(ed, name);
    LaidOut(ed, tessaly::MainExtralRefresh);
}

void PutSelFontBold(Editor& ed, com::Args& a) {
    FontStyle(ed, a.Value().Bool(), &CharAttributes::Bold, SetStdFontBold);
}

void PutSelFontItalic(Editor& ed, com::Args& a) {
    FontStyle(ed, a.Value().Bool(), &CharAttributes::Italic, SetStdFontItalic);
}

void GetSelFontUnderline(EditorData& d, EditCommands& c, VARIANT* r) {
    com::Return(r, c.Chars.Underline(d.SelStart, d.SelLength));
}

void PutSelFontUnderline(Editor& ed, EditorData& d, EditCommands& c, com::Args& a) {
    const bool v = a.Value().Bool();
    if (d.SelLength != 0) c.Chars.Underline(d.SelStart, d.SelLength, v), LaidOut(ed, tessaly::MainExtralRefresh);
    SetStdFontUnderline(ed, v);
}

void GetSelFontStrikeOut(EditorData& d, EditCommands& c, VARIANT* r) {
    com::Return(r, c.Chars.StrikeOut(d.SelStart, d.SelLength));
}

void PutSelFontStrikeOut(Editor& ed, com::Args& a) {
    FontStyle(ed, a.Value().Bool(), &CharAttributes::StrikeOut, SetStdFontStrikeOut);
}

void GetSelFontSize(EditorData& d, EditCommands& c, VARIANT* r) {
    com::Return(r, RoundToInteger(c.Chars.SelFontSize(d.SelStart, d.SelLength)));
}

void PutSelFontSize(Editor& ed, EditorData& d, EditCommands& c, com::Args& a) {
    const float size = a.Value().Single();
    if (!(size >= 1 && size <= kMaxFontPoints)) Refuse(L"字号必须在 1 到 400 磅之间。");
    const int16_t points = a.Value().Short();
    c.Chars.SelFontSize(d.SelStart, d.SelLength, points);
    SetStdFontSize(ed, points);
    LaidOut(ed, tessaly::MainExtralRefresh);
}

void GetSelForeColor(EditorData& d, EditCommands& c, VARIANT* r) {
    com::Return(r, static_cast<int32_t>(c.Chars.SelForeColor(d.SelStart, d.SelLength)));
}

void PutSelForeColor(ZEVudu& z, Editor& ed, com::Args& a) {
    z.Kept().InputForeColorIndex = SetSelColour(ed, a.Value(), true);
}

void GetSelWordBkColor(EditorData& d, EditCommands& c, VARIANT* r) {
    com::Return(r, static_cast<int32_t>(c.Chars.SelWordBkColor(d.SelStart, d.SelLength)));
}

void PutSelWordBkColor(ZEVudu& z, Editor& ed, com::Args& a) {
    z.Kept().InputBackColorIndex = SetSelColour(ed, a.Value(), false);
}

void DoGetColorLng(EditorData& d, com::Args& a, VARIANT* r) {
    const int32_t i = a[0].Short();
    if (i < 0 || i >= static_cast<int32_t>(d.ColorTbl.size())) Refuse(L"颜色序号超出颜色表。", DISP_E_BADINDEX);
    com::Return(r, static_cast<int32_t>(d.ColorTbl[static_cast<size_t>(i)]));
}

void GetCanDelAreaInfo(EditCommands& c, com::Args& a, VARIANT* r) {
    com::Return(r, static_cast<int16_t>(c.Ranges.CanDelAreaInfo(a[0].Long()) ? -1 : 0));
}

void DoInsterHwWord(Editor& ed, EditCommands& c, com::Args& a) {
    const int32_t kind = a[0].Short();
    if (kind < 0 || kind > 4) Refuse(L"连线种类必须在 0 到 4 之间。");
    c.Items.InsterHwWord(ed.Grid, 0, 0, static_cast<int16_t>(kind + 1), false);
    ed.Refresh(tessaly::LpxRefresh);
}

void DoTurnToYFWord(Editor& ed, EditorData& d, EditCommands& c) {
    if (notaline::TurnToYFWord(d, c.Undo)) LaidOut(ed, tessaly::MainExtralRefresh);
}

void PutAlignment(ZEVudu& z, com::Args& a) {
    const int32_t v = a.Value().Long();
    if (Editor* e = z.Running()) {
        if (v < tessaly::AlignmentNear || v > tessaly::AlignmentxjDq) Refuse(L"对齐方式无效。");
        EditorData& d = e->Data;
        if (v != e->Commands->Paragraphs.Alignment(d.SelStart, d.SelLength)) {
            e->Commands->Paragraphs.Alignment(d.SelStart, d.SelLength, static_cast<tessaly::Alignment>(v));
            LaidOut(*e, tessaly::MainExtralRefresh);
            DropTouchedSourceLines(*e);
        }
    }
}

void DoPrintDoc(ZEVudu& z, Editor& ed) {
    PrintDocument(ed, Wide(tessaly::FileNameNoExt(U16(z.Kept().FileName))));
}

void PutLineSpace(ZEVudu& z, com::Args& a) {
    const int32_t v = a.Value().Long();
    if (Editor* e = z.Running()) {
        EditorData& d = e->Data;
        e->Commands->Paragraphs.SelParLineSpace(d.SelStart, d.SelLength, v);
        LaidOut(*e, tessaly::MainExtralRefresh);
    }
}

void PutPaper(Editor& ed, EditorData& d, EditCommands& c, com::Args& a) {
    const int32_t v = a.Value().Long();
    if (v != 0 && v != 1) Refuse(L"纸张必须是 A4 (0) 或 A3 (1)。");
    if (c.Pages.PaperType(v)) ApplyPaperType(d, *ed.Renderer);
}

void PutBoxBackGroundType(Editor& ed, EditCommands& c, com::Args& a) {
    c.Pages.BackGroundType(a.Value().Short());
    ed.Refresh(tessaly::MainRefresh);
}

void PutPagePosType(Editor& ed, EditCommands& c, com::Args& a) {
    const int16_t v = a.Value().Short();
    if (v < 0 || v > kMaxPagePos) Refuse(L"页码位置必须在 0 到 5 之间。");
    c.Pages.PagePosIndexType(v);
    ed.Refresh(tessaly::MainRefresh);
}

void PutPgNumberSize(Editor& ed, EditCommands& c, com::Args& a) {
    const int16_t v = a.Value().Short();
    if (v < 0 || v > kMaxPageNumberSize) Refuse(L"页码字号必须在 0 到 2 之间。");
    c.Pages.PageNumberSize(v);
    ed.Refresh(tessaly::MainRefresh);
}

void Do关闭音乐(ZEVudu& z, Editor& ed) {
    z.Kept().Pause = false;
    StopPlayMusic(ed);
}

void Put暂停(ZEVudu& z, Editor& ed, com::Args& a) {
    const bool v = a.Value().Bool();
    if (!IsPlayingMusic(ed)) return;
    z.Kept().Pause = v;
    SetPlayPause(ed, v);
}

void Do播放音乐(ZEVudu& z, Editor& ed) {
    z.Kept().Pause = false;
    BeginPlayMusic(ed);
}

void DoSaveFile(ZEVudu& z, Editor& ed, com::Args& a) {
    notaline::SaveFile(z, ed, a[0].Str(), a.Count() > 1 && !a[1].Missing() ? a[1].Handle() : 0);
}

void GetPartAtt(EditorData& d, EditCommands& c, VARIANT* r) {
    ReturnPartInfo(r, c.Paragraphs.PartAtt(d.SelStart, d.SelLength).value_or(tessaly::aPartInfo{}));
}

void PutUpSpace(Editor& ed, EditorData& d, EditCommands& c, com::Args& a) {
    const float v = a.Value().Single();
    CheckRaise(d, v);
    c.Spacing.UpSpace(d.SelStart, d.SelLength, v);
    LayOutEdit(d, *ed.Renderer);
    ed.Renderer->EnsureWordVisible(d.SelStart);
    ed.Refresh(tessaly::MainExtralRefresh);
    NotifySelChange(ed, d.SelStart, d.SelLength);
}

}  // namespace

void ApplyPlayTimeSignature(Editor& ed) {
    if (ApplyPlayTimeSignature(ed.Data, ed.Commands->Undo)) LaidOut(ed, tessaly::MainExtralRefresh);
}

// The host's writes beside the window: each takes a snapshot of the document as stored, so the
// window's thread pays neither for the write nor for placing characters still to be placed.
namespace {

std::wstring Name(BSTR name) {
    std::wstring s = name ? std::wstring(name, SysStringLen(name)) : std::wstring();
    std::erase(s, L'\0');
    return s;
}

template <class F>
HRESULT Guarded(F&& f) noexcept {
    try {
        return f();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace

// A backup's failure found after its call returned is told by the next call, which writes none.
HRESULT ZEVudu::HostFace::WriteBackup(BSTR FileName) {
    return Guarded([&]() -> HRESULT {
        Editor* ed = owner_.Running();
        if (!ed) return E_UNEXPECTED;
        if (ed->Background.Backup.Running()) return S_FALSE;
        if (auto late = ed->Background.Backup.Late(); late && !late->Ok) return E_FAIL;
        // A DaDur file holds no character boxes: a line a key cut short is left for the idle ticks,
        // which join it up a step at a time, not all at once on the tick.
        const std::u16string name = U16(Name(FileName));
        ed->Background.Backup.Write(
            DocumentKindOf(name) == DocumentKind::DaDur ? DaDurSnapshotAsStored(ed->Data)
                                                        : SnapshotAsStored(ed->Data, ed->JoinUp()),
            ed->FileSystem.ZoomFactor(), ed->FileSystem.CurrentDpi(), name, std::chrono::milliseconds(0));
        return S_OK;
    });
}

HRESULT ZEVudu::HostFace::SaveBeside(BSTR FileName, LONG_PTR HostWindow) {
    return Guarded([&]() -> HRESULT {
        Editor* ed = owner_.Running();
        if (!ed || !HostWindow) return E_UNEXPECTED;
        Editor& e = *ed;
        const std::wstring name = Name(FileName);
        WaitForUserSave(e);
        if (!MayOverwrite(owner_, name, HostWindow)) return S_FALSE;
        e.Commands->Undo.SaveBegun();
        const HWND window = e.Window;
        e.Background.UserSave.Write(SnapshotAsStored(e.Data, e.JoinUp()), e.FileSystem.ZoomFactor(),
                                    e.FileSystem.CurrentDpi(), U16(name), std::chrono::milliseconds(0),
                                    [window] { PostMessageW(window, kUserSaveWritten, 0, 0); });
        ZEVudu& z = owner_;
        e.Background.SaveWritten = [&z, &e, name, HostWindow] {
            e.Background.UserSave.Wait();
            const SaveOutcome saved = e.Background.UserSave.Late().value_or(SaveOutcome{false, "文件没有保存。"});
            if (saved.Ok) {
                Saved(z, e, name, HostWindow, true);
            } else {
                e.Commands->Undo.SaveFailed();
                ShowUtf8(e, saved.Reason);
            }
            static const UINT done = RegisterWindowMessageW(kSaveDoneMessage);
            SendMessageW(reinterpret_cast<HWND>(HostWindow), done, saved.Ok ? 1 : 0,
                         reinterpret_cast<LPARAM>(name.c_str()));
        };
        return S_OK;
    });
}

HRESULT ZEVudu::HostFace::WaitForSaves() {
    return Guarded([&]() -> HRESULT {
        if (Editor* ed = owner_.Running()) WaitForUserSave(*ed);
        return S_OK;
    });
}

HRESULT ZEVudu::HostFace::SavePicturesBeside(BSTR FileName) {
    return Guarded([&]() -> HRESULT {
        Editor* ed = owner_.Running();
        if (!ed) return E_UNEXPECTED;
        return StartPagePictures(*ed, Name(FileName)) ? S_OK : S_FALSE;
    });
}

HRESULT ZEVudu::HostFace::PicturesUnderWay() {
    return Guarded([&]() -> HRESULT {
        const Editor* ed = owner_.Running();
        return ed && ed->Background.Pictures.Running() ? S_OK : S_FALSE;
    });
}

HRESULT ZEVudu::HostFace::WaitForPictures() {
    return Guarded([&]() -> HRESULT {
        Editor* ed = owner_.Running();
        if (!ed || !ed->Background.Pictures.Running()) return S_FALSE;
        WaitForPagePictures(*ed);
        return S_OK;
    });
}

std::span<const com::Member<ZEVudu>> ZEVudu::Members() {
    namespace id = dispid::ZEVudu;
    using Z = ZEVudu;
    using A = com::Args;
    using V = VARIANT;
    // Attribute members change nothing and answer 0 in a form designer; `ed` is the running editor.
#define RUN_GET(...)                               \
    [](Z& z, A& a, V* r) {                         \
        (void)a;                                   \
        Editor* e = z.Running();                   \
        if (!e) return com::Return(r, int32_t{0}); \
        Editor& ed = *e;                           \
        EditorData& d = ed.Data;                   \
        EditCommands& c = *ed.Commands;            \
        (void)d, (void)c;                          \
        __VA_ARGS__;                               \
    }
#define RUN_PUT(...)                    \
    [](Z& z, A& a, V*) {                \
        Editor* e = z.Running();        \
        if (!e) return;                 \
        Editor& ed = *e;                \
        EditorData& d = ed.Data;        \
        EditCommands& c = *ed.Commands; \
        (void)d, (void)c, (void)a;      \
        __VA_ARGS__;                    \
    }
#define ANY(...)                            \
    [](Z& z, A& a, V* r) {                  \
        Editor& ed = Doc(z);                \
        EditorData& d = ed.Data;            \
        EditCommands& c = *ed.Commands;     \
        (void)d, (void)c, (void)a, (void)r; \
        __VA_ARGS__;                        \
    }
    static const com::Member<ZEVudu> table[] = {
        {id::Appearance, L"Appearance", com::kGet, [](Z& z, A&, V* r) { com::Return(r, z.Appearance()); }},
        {id::Appearance, L"Appearance", com::kPut, [](Z& z, A& a, V*) { z.Appearance(a.Value().Short()); }},
        {id::BackStyle, L"BackStyle", com::kGet, [](Z& z, A&, V* r) { com::Return(r, z.BackStyle()); }},
        {id::BackStyle, L"BackStyle", com::kPut, [](Z& z, A& a, V*) { z.BackStyle(a.Value().Short()); }},
        {id::BorderStyle, L"BorderStyle", com::kGet, [](Z& z, A&, V* r) { com::Return(r, z.BorderStyle()); }},
        {id::BorderStyle, L"BorderStyle", com::kPut, [](Z& z, A& a, V*) { z.BorderStyle(a.Value().Short()); }},
        {id::Enabled, L"Enabled", com::kGet, [](Z& z, A&, V* r) { com::Return(r, z.Enabled()); }},
        {id::Enabled, L"Enabled", com::kPut, [](Z& z, A& a, V*) { z.Enabled(a.Value().Bool()); }},
        {id::SelLength, L"SelLength", com::kGet, ANY(com::Return(r, d.SelLength))},
        {id::SelLength, L"SelLength", com::kPut, ANY(d.SelLength = a.Value().Long(); ClampSelection(d))},
        {id::SelStart, L"SelStart", com::kGet, ANY(com::Return(r, d.SelStart))},
        {id::SelStart, L"SelStart", com::kPut, ANY(d.SelStart = a.Value().Long(); ClampSelection(d))},
        {id::WordYg, L"WordYg", com::kGet, RUN_GET(com::Return(r, int32_t{c.Chars.WordYg(d.SelStart, d.SelLength)}))},
        {id::WordYg, L"WordYg", com::kPut, RUN_PUT(PutWordYg(ed, d, c, a))},
        {id::CanSetWordYg, L"CanSetWordYg", com::kMethod, ANY(com::Return(r, notaline::CanSetWordYg(d, d.SelStart, d.SelLength)))},
        {id::CanSetWordYc, L"CanSetWordYc", com::kMethod, ANY(com::Return(r, notaline::CanSetWordYc(d, d.SelStart, d.SelLength)))},
        {id::WordYC, L"WordYC", com::kGet, RUN_GET(com::Return(r, int32_t{c.Chars.WordYC(d.SelStart, d.SelLength)}))},
        {id::WordYC, L"WordYC", com::kPut, RUN_PUT(PutWordYC(ed, d, c, a))},
        // A window handle is pointer-sized: 64 bits here.
        {id::hwnd, L"hwnd", com::kGet, GetHwnd},
        {id::HwWordColor, L"HwWordColor", com::kGet, RUN_GET(com::Return(r, static_cast<int32_t>(c.Items.HwWordColor())))},
        {id::HwWordColor, L"HwWordColor", com::kPut, RUN_PUT(PutHwWordColor(ed, c, a))},
        {id::HwWordFocus, L"HwWordFocus", com::kGet, ANY(com::Return(r, c.Undo.CurrentHwFocus()))},
        {id::SetFocus, L"SetFocus", com::kMethod, [](Z& z, A&, V*) { ::SetFocus(z.Window()); }},
        {id::SelWordSpace, L"SelWordSpace", com::kGet, RUN_GET(GetSelWordSpace(d, c, r))},
        {id::SelWordSpace, L"SelWordSpace", com::kPut, RUN_PUT(PutSelWordSpace(ed, d, c, a))},
        {id::SelWordUpSpace, L"SelWordUpSpace", com::kGet, RUN_GET(GetSelWordUpSpace(d, c, r))},
        {id::SelWordUpSpace, L"SelWordUpSpace", com::kPut, RUN_PUT(PutSelWordUpSpace(ed, d, c, a))},
        {id::InputState, L"InputState", com::kGet, ANY(com::Return(r, static_cast<int32_t>(d.InputState)))},
        {id::InputState, L"InputState", com::kPut, ANY(PutInputState(ed, d, a))},
        {id::HuXianYPos, L"HuXianYPos", com::kMethod, ANY(com::Return(r, ArcHeight(d, d.SelStart, d.SelLength)))},
        {id::ScrollBars, L"ScrollBars", com::kGet, [](Z& z, A&, V* r) { com::Return(r, z.ScrollBars()); }},
        {id::ScrollBars, L"ScrollBars", com::kPut, [](Z& z, A& a, V*) { z.ScrollBars(a.Value().Long()); }},
        {id::ChangMingScale, L"ChangMingScale", com::kGet, [](Z& z, A&, V* r) { com::Return(r, z.Kept().ChangMingScale); }},
        {id::ChangMingScale, L"ChangMingScale", com::kPut, PutChangMingScale},
        {id::CanCopy, L"CanCopy", com::kMethod, ANY(com::Return(r, c.Undo.CanCopy()))},
        {id::CanUndo, L"CanUndo", com::kMethod, ANY(com::Return(r, c.Undo.CanUndo()))},
        {id::CanRedo, L"CanRedo", com::kMethod, ANY(com::Return(r, c.Undo.CanRedo()))},
        {id::CanCut, L"CanCut", com::kMethod, ANY(com::Return(r, c.Undo.CanCut()))},
        {id::CanPaste, L"CanPaste", com::kMethod, ANY(com::Return(r, c.Undo.CanPaste()))},
        {id::SelIsCtl, L"SelIsCtl", com::kGet, ANY(com::Return(r, IsParaEnd(d, WordArg(ed, a[0]))))},
        {id::CanDel, L"CanDel", com::kMethod, ANY(com::Return(r, c.Undo.CanDel()))},
        {id::DelYY, L"DelYY", com::kMethod, ANY(c.Graces.DelYY(d.SelStart, d.SelLength))},
        {id::CanFormatYYInfo, L"CanFormatYYInfo", com::kMethod, ANY(com::Return(r, c.Graces.CanFormatYYInfo()))},
        {id::SetQianYY, L"SetQianYY", com::kPut, ANY(c.Graces.SetQianYY(a.Value().Bool()))},
        {id::ExtralWordVal1, L"ExtralWordVal1", com::kGet, ANY(GetExtralWordVal1(ed, c, a, r))},
        {id::ExtralWordVal1, L"ExtralWordVal1", com::kPut, ANY(PutExtralWordVal1(ed, c, a))},
        {id::ExtralWordVal2, L"ExtralWordVal2", com::kGet, ANY(GetExtralWordVal2(ed, c, a, r))},
        {id::ExtralWordVal2, L"ExtralWordVal2", com::kPut, ANY(PutExtralWordVal2(ed, c, a))},
        {id::ExtralWordVal3, L"ExtralWordVal3", com::kGet, ANY(GetExtralWordVal3(ed, c, a, r))},
        {id::ExtralWordVal3, L"ExtralWordVal3", com::kPut, ANY(PutExtralWordVal3(ed, c, a))},
        {id::ExtralType, L"ExtralType", com::kGet, RUN_GET(GetExtralType(ed, d, a, r))},
        {id::ExtralType, L"ExtralType", com::kPut, RUN_PUT(PutExtralType(ed, d, c, a))},
        {id::CurLine, L"CurLine", com::kGet, ANY(com::Return(r, ed.JoinUp().CurLine()))},
        {id::ChangExtralType, L"ChangExtralType", com::kMethod, ANY(DoChangExtralType(c, a))},
        {id::ConChangInputWord, L"ConChangInputWord", com::kMethod, ANY(DoConChangInputWord(ed, c, a))},
        {id::WordShuPaiSpace, L"WordShuPaiSpace", com::kGet, ANY(com::Return(r, WordShuPaiSpace(d, d.SelStart)))},
        {id::DelSelZhuYing, L"DelSelZhuYing", com::kMethod, ANY(c.Marks.DelSelZhuYing())},
        {id::SelZhuYingPosY, L"SelZhuYingPosY", com::kGet, [](Z& z, A&, V* r) { com::Return(r, z.Kept().ZhuYingPosY); }},
        {id::SelZhuYingPosY, L"SelZhuYingPosY", com::kPut, ANY(PutSelZhuYingPosY(z, c, a))},
        {id::hdc, L"hdc", com::kMethod, ANY(com::Return(r, static_cast<int64_t>(reinterpret_cast<intptr_t>(ed.Dc.Get()))))},
        {id::SelAll, L"SelAll", com::kMethod, ANY(SelectAll(d); ed.Refresh(tessaly::SelColorRefresh))},
        {id::WordFont, L"WordFont", com::kGet, RUN_GET(GetWordFont(d, c, a, r))},
        {id::WordFont, L"WordFont", com::kPut, ANY(SetWordFont(ed, a[0], a.Value()))},
        {id::SelFontName, L"SelFontName", com::kGet, RUN_GET(GetSelFontName(d, c, r))},
        {id::SelFontName, L"SelFontName", com::kPut, RUN_PUT(PutSelFontName(ed, d, c, a))},
        {id::SelFontBold, L"SelFontBold", com::kGet, RUN_GET(com::Return(r, c.Chars.Bold(d.SelStart, d.SelLength)))},
        {id::SelFontBold, L"SelFontBold", com::kPut, RUN_PUT(PutSelFontBold(ed, a))},
        {id::SelFontItalic, L"SelFontItalic", com::kGet, RUN_GET(com::Return(r, c.Chars.Italic(d.SelStart, d.SelLength)))},
        {id::SelFontItalic, L"SelFontItalic", com::kPut, RUN_PUT(PutSelFontItalic(ed, a))},
        {id::SelFontUnderline, L"SelFontUnderline", com::kGet, RUN_GET(GetSelFontUnderline(d, c, r))},
        // Without a selection only the font of new input would change: the document stays.
        {id::SelFontUnderline, L"SelFontUnderline", com::kPut, RUN_PUT(PutSelFontUnderline(ed, d, c, a))},
        {id::SelFontStrikeOut, L"SelFontStrikeOut", com::kGet, RUN_GET(GetSelFontStrikeOut(d, c, r))},
        {id::SelFontStrikeOut, L"SelFontStrikeOut", com::kPut, RUN_PUT(PutSelFontStrikeOut(ed, a))},
        {id::SelFontSize, L"SelFontSize", com::kGet, RUN_GET(GetSelFontSize(d, c, r))},
        {id::SelFontSize, L"SelFontSize", com::kPut, RUN_PUT(PutSelFontSize(ed, d, c, a))},
        {id::SelForeColor, L"SelForeColor", com::kGet, RUN_GET(GetSelForeColor(d, c, r))},
        {id::SelForeColor, L"SelForeColor", com::kPut, RUN_PUT(PutSelForeColor(z, ed, a); z.PropertyChanged())},
        {id::SelWordBkColor, L"SelWordBkColor", com::kGet, RUN_GET(GetSelWordBkColor(d, c, r))},
        {id::SelWordBkColor, L"SelWordBkColor", com::kPut, RUN_PUT(PutSelWordBkColor(z, ed, a); z.PropertyChanged())},
        {id::GetColorLng, L"GetColorLng", com::kMethod, ANY(DoGetColorLng(d, a, r))},
        {id::RefreshExtralChang, L"RefreshExtralChang", com::kMethod, ANY(ed.Refresh(tessaly::ExtralRefresh))},
        {id::RefreshAll, L"RefreshAll", com::kMethod, ANY(LaidOut(ed, tessaly::OnePageRefresh))},
        {id::RefreshSel, L"RefreshSel", com::kMethod, ANY(ed.Refresh(tessaly::MainRefresh); z.Repaint())},
        {id::CanDelYY, L"CanDelYY", com::kGet, ANY(com::Return(r, c.Graces.CanDelYY(d.SelStart, d.SelLength)))},
        {id::CanDelAreaInfo, L"CanDelAreaInfo", com::kGet, ANY(GetCanDelAreaInfo(c, a, r))},
        {id::IsKfKhTFZRight, L"IsKfKhTFZRight", com::kGet, ANY(com::Return(r, PairEndRight(d, d.SelStart, PairKind::OpenVolta)))},
        {id::IsKhHuXianRight, L"IsKhHuXianRight", com::kGet, ANY(com::Return(r, PairEndRight(d, d.SelStart, PairKind::Arc)))},
        {id::IsKhLingYingRight, L"IsKhLingYingRight", com::kGet, ANY(com::Return(r, PairEndRight(d, d.SelStart, PairKind::Tuplet)))},
        {id::IsKHTFZRight, L"IsKHTFZRight", com::kGet, ANY(com::Return(r, PairEndRight(d, d.SelStart, PairKind::Volta)))},
        {id::InsterHwWord, L"InsterHwWord", com::kMethod, ANY(DoInsterHwWord(ed, c, a))},
        {id::TurnToYFWord, L"TurnToYFWord", com::kMethod, ANY(DoTurnToYFWord(ed, d, c))},
        {id::CanShuPaiWord, L"CanShuPaiWord", com::kMethod, ANY(com::Return(r, notaline::CanShuPaiWord(d, d.SelStart, d.SelLength)))},
        {id::Alignment, L"Alignment", com::kGet, RUN_GET(com::Return(r, c.Paragraphs.Alignment(d.SelStart, d.SelLength)))},
        {id::Alignment, L"Alignment", com::kPut, [](Z& z, A& a, V*) { PutAlignment(z, a); z.PropertyChanged(); }},
        {id::FristLineStr, L"FristLineStr", com::kGet, ANY(com::Return(r, FromAnsi(DefaultFileName(d))))},
        {id::PrintDoc, L"PrintDoc", com::kMethod, ANY(DoPrintDoc(z, ed))},
        {id::pScale, L"pScale", com::kGet, ANY(com::Return(r, d.AboutPageInfo.nScale))},
        {id::pScale, L"pScale", com::kPut, RUN_PUT(SetZoom(ed, a.Value().Single()))},
        // Name and state are read as the user's save under way leaves them.
        {id::Modified, L"Modified", com::kGet, RUN_GET(WaitForUserSave(ed); com::Return(r, c.Undo.Modified()))},
        {id::Modified, L"Modified", com::kPut, RUN_PUT(c.Undo.Modified(a.Value().Bool()))},
        {id::LineSpace, L"LineSpace", com::kGet, RUN_GET(com::Return(r, c.Paragraphs.SelSpacingBefore(d.SelStart, d.SelLength)))},
        {id::LineSpace, L"LineSpace", com::kPut, [](Z& z, A& a, V*) { PutLineSpace(z, a); z.PropertyChanged(); }},
        {id::CPdqLine, L"CPdqLine", com::kGet, ANY(ed.JoinUp(); com::Return(r, d.CPdqLine))},
        {id::CPdqLine, L"CPdqLine", com::kPut, ANY(SetSourceLine(ed, ed.JoinUp(), d.CPdqLine, a.Value().Long(), &IsLyricSourceLine))},
        {id::XjdqLine, L"XjdqLine", com::kGet, ANY(ed.JoinUp(); com::Return(r, d.XjdqLine))},
        {id::XjdqLine, L"XjdqLine", com::kPut, ANY(SetSourceLine(ed, ed.JoinUp(), d.XjdqLine, a.Value().Long(), &IsBarSourceLine))},
        {id::JiePaiHaoWidth, L"JiePaiHaoWidth", com::kMethod, ANY(LayOutEdit(d, *ed.Renderer))},
        {id::Paper, L"Paper", com::kGet, RUN_GET(com::Return(r, c.Pages.PaperType()))},
        {id::Paper, L"Paper", com::kPut, RUN_PUT(PutPaper(ed, d, c, a))},
        {id::BoxBackGroundType, L"BoxBackGroundType", com::kGet, RUN_GET(com::Return(r, c.Pages.BackGroundType()))},
        {id::BoxBackGroundType, L"BoxBackGroundType", com::kPut, RUN_PUT(PutBoxBackGroundType(ed, c, a))},
        {id::PagePosType, L"PagePosType", com::kGet, RUN_GET(com::Return(r, c.Pages.PagePosIndexType()))},
        {id::PagePosType, L"PagePosType", com::kPut, ANY(PutPagePosType(ed, c, a))},
        {id::PgNumberSize, L"PgNumberSize", com::kGet, RUN_GET(com::Return(r, c.Pages.PageNumberSize()))},
        {id::PgNumberSize, L"PgNumberSize", com::kPut, ANY(PutPgNumberSize(ed, c, a))},
        {id::SavePic, L"SavePic", com::kMethod, ANY(WritePicturesOrFail(ed, a[0].Str()))},
        // Music stopped or started anew is not paused; a kept flag would caption the host's menu wrongly.
        {id::关闭音乐, L"关闭音乐", com::kMethod, ANY(Do关闭音乐(z, ed))},
        {id::暂停, L"暂停", com::kGet, [](Z& z, A&, V* r) { com::Return(r, z.Kept().Pause); }},
        // With nothing playing there is nothing to pause.
        {id::暂停, L"暂停", com::kPut, ANY(Put暂停(z, ed, a))},
        {id::正在播放, L"正在播放", com::kGet, ANY(com::Return(r, IsPlayingMusic(ed)))},
        {id::EditDrum, L"EditDrum", com::kMethod, ANY(notaline::EditDrum(ed))},
        {id::播放音乐, L"播放音乐", com::kMethod, ANY(Do播放音乐(z, ed))},
        {id::设置演唱参数, L"设置演唱参数", com::kMethod, ANY(ShowSetPlayInfo(ed))},
        {id::FileName, L"FileName", com::kGet,
         [](Z& z, A&, V* r) {
             if (Editor* e = z.Running()) WaitForUserSave(*e);
             com::Return(r, z.Kept().FileName);
         }},
        {id::FileName, L"FileName", com::kPut, RUN_PUT(OpenFile(z, ed, a.Value().Str()))},
        {id::SaveFile, L"SaveFile", com::kMethod, ANY(DoSaveFile(z, ed, a))},
        {id::SaveMidFile, L"SaveMidFile", com::kMethod, ANY(notaline::SaveMidFile(ed, a[0].Str()))},
        {id::PartAtt, L"PartAtt", com::kGet, ANY(GetPartAtt(d, c, r))},
        {id::PartAtt, L"PartAtt", com::kPut, ANY(c.Paragraphs.PartAtt(d.SelStart, d.SelLength, PartInfoArg(a.Value())))},
        {id::UpSpace, L"UpSpace", com::kGet, ANY(com::Return(r, c.Spacing.UpSpace(d.SelStart, d.SelLength)))},
        {id::UpSpace, L"UpSpace", com::kPut, ANY(PutUpSpace(ed, d, c, a))},
        {id::Refresh, L"Refresh", com::kMethod, [](Z& z, A&, V*) { z.Repaint(); }},
    };
#undef RUN_GET
#undef RUN_PUT
#undef ANY
    return table;
}

}  // namespace notaline
