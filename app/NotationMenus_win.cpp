// The notation commands of the mark menus and the top panel: each row of the notation table
// becomes its one request to the editor.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <memory>
#include <set>
#include <string>

#include "EditorText_win.h"
#include "InputBox_win.h"
#include "MainWindow_win.h"
#include "Modules_win.h"
#include "NotationTable.h"
#include "SpeedDialog_win.h"
#include "button/api/IButton.h"
#include "records/Marks.h"
#include "records/Messages.h"
#include "records/Numbers.h"

namespace tavolin {
namespace {

std::wstring Wide(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}

bool Yes(IZEVudu* z, HRESULT (STDMETHODCALLTYPE IZEVudu::*ask)(VARIANT_BOOL*)) {
    VARIANT_BOOL v = VARIANT_FALSE;
    return SUCCEEDED((z->*ask)(&v)) && v != VARIANT_FALSE;
}

class NotationCommands {
public:
    explicit NotationCommands(MainWindow& form) : form_(form) {}

    void Click(const NotationRow& row) {
        IZEVudu* z = form_.Editor();
        if (!z || !form_.EditorWindow()) return;
        IDispatch* button = form_.Button(row.Menu, row.Index);
        const NotationRow* done = row.Kind == NotationKind::Menu ? FindNotationRow(row.Target, row.Code) : &row;
        if (done) Perform(*done, button != nullptr);
        if (!button) return;
        // A button click ends with the button drawn released and the editor focused again.
        if (std::string_view(row.Menu) == "MunButton") {
            DISPPARAMS none{};
            button->Invoke(dispid::Button::UserControlMouseUp, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                           nullptr, nullptr, nullptr);
        }
        z->SetFocus();
    }

    // TopFaceFrame_MouseMove: the panel's tip names the group under the mouse.
    void MouseMove(int xTwips) {
        const HWND frame = form_.ControlWindow("TopFaceFrame");
        if (!frame) return;
        const std::wstring tip = Wide(TopPanelTip(xTwips));
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = form_.Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(frame);
        tool.lpszText = const_cast<wchar_t*>(tip.c_str());
        if (!tips_) {
            tips_ =
                CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form_.Handle(), nullptr, nullptr, nullptr);
            if (!tips_) return;
            SetPropW(frame, kTipProperty, tips_);
            SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        } else if (tip != shownTip_) {
            SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        shownTip_ = tip;
    }

private:
    static constexpr wchar_t kTipProperty[] = L"Tavolin.ToolTip";

    void Perform(const NotationRow& row, bool button) {
        IZEVudu* z = form_.Editor();
        if (row.Span && !SpanHasNoEnds()) return;
        const bool later = row.Kind == NotationKind::TempoChange || row.Kind == NotationKind::Volta;
        if (row.CaretOnly && !later) CollapseToFirst();
        if (!Request(row, button)) return;
        if (row.Refresh && form_.Hooks().refreshMarks) form_.Hooks().refreshMarks();
        if (row.Redraw == Repaint::Sel) z->RefreshSel();
        if (row.Redraw == Repaint::All) z->RefreshAll();
    }

    // Sends the row's request; false when nothing was asked of the editor.
    bool Request(const NotationRow& row, bool button) {
        IZEVudu* z = form_.Editor();
        using K = NotationKind;
        switch (row.Kind) {
            case K::Insert: return Send(tessaly::EM_InstrMainAndExtralStr, row.WParam, row.Code);
            case K::Attach: return Send(tessaly::EM_FormatSortInfo, row.WParam, row.Code);
            case K::Arc: return Send(tessaly::EM_FormatHuXian, row.WParam, row.Code);
            case K::ArcAtHeight: {
                float height = 0;
                z->HuXianYPos(&height);
                return Send(tessaly::EM_FormatHuXian, tessaly::CLng(height), row.Code);
            }
            case K::Send: return Send(row.Message, row.WParam, row.Code);
            case K::Tuplet: return SendText(row.Message, row.WParam, Wide(row.Text));
            case K::Volta: return Volta(row);
            case K::BarNumber: {
                const auto text = InputBox(form_.Handle(), Wide(row.Text), Wide(BarNumberPrompt()));
                return text && SendText(row.Message, row.WParam, *text);
            }
            case K::CustomText: {
                const auto text = InputBox(form_.Handle(), Wide(row.Text), Wide(CustomTextPrompt()));
                return text && !text->empty() && SendText(row.Message, row.WParam, *text);
            }
            case K::TempoChange: {
                if (!ShowPlaySpeed(form_.Handle(), playSpeed_)) return false;
                CollapseToFirst();
                const TempoRequest r = TempoRequestOf(playSpeed_);
                return Send(static_cast<UINT>(r.Message), r.WParam, r.LParam);
            }
            case K::Grace: {
                if (!Yes(z, &IZEVudu::CanFormatYYInfo)) return false;
                LONG length = 0;
                z->get_SelLength(&length);
                return Send(tessaly::EM_FormatYYInfo, GraceValue(length), row.Code);
            }
            case K::Annotate: {
                short offset = 0;
                z->get_SelZhuYingPosY(&offset);
                return Send(row.Message, offset + row.WParam, 0);
            }
            case K::DeleteAnnotations: return SUCCEEDED(z->DelSelZhuYing());
            case K::AnnotationOffset:
            case K::AnnotationScale: return NumberBox(row.Kind);
            case K::Hint:
                MessageBoxW(form_.Handle(), Wide(row.Text).c_str(), L"提示", MB_ICONINFORMATION);
                return false;
            case K::Duration:
                if (!Yes(z, &IZEVudu::CanSetWordYc)) {
                    if (button) MessageBeep(MB_OK);
                    return false;
                }
                return SUCCEEDED(z->put_WordYC(row.Code));
            case K::Octave:
                if (!Yes(z, &IZEVudu::CanSetWordYg)) {
                    MessageBeep(MB_OK);
                    return false;
                }
                return SUCCEEDED(z->put_WordYg(row.Code));
            case K::Alignment:
                z->put_Alignment(row.Code);
                form_.ShowAlignment(row.Code);
                return true;
            case K::TargetLine: {
                LONG line = -1;
                if (row.WParam == 0) z->get_CurLine(&line);
                return SUCCEEDED(row.Code == 0 ? z->put_CPdqLine(line) : z->put_XjdqLine(line));
            }
            case K::TurnToNotes: return SUCCEEDED(z->TurnToYFWord());
            case K::Menu: return false;
        }
        return false;
    }

    bool Send(UINT message, int32_t wParam, int32_t lParam) {
        SendMessageW(form_.EditorWindow(), message, static_cast<WPARAM>(static_cast<uint32_t>(wParam)), lParam);
        return true;
    }
    bool SendText(UINT message, int32_t wParam, const std::wstring& text) {
        SendEditorText(form_.EditorWindow(), message, static_cast<WPARAM>(static_cast<uint32_t>(wParam)), text);
        return true;
    }

    // The selection's first and last characters, forward or backward; false for none.
    bool Ends(LONG& first, LONG& last) const {
        IZEVudu* z = form_.Editor();
        LONG start = 0, length = 0;
        z->get_SelStart(&start);
        z->get_SelLength(&length);
        if (length == 0) return false;
        first = length > 0 ? start : start + length;
        last = first + (length > 0 ? length : -length) - 1;
        return true;
    }
    // The caret at the selection's first character, whichever way the selection was made.
    void CollapseToFirst() {
        IZEVudu* z = form_.Editor();
        LONG first = 0, last = 0;
        const bool range = Ends(first, last);
        z->put_SelLength(0);
        if (range) z->put_SelStart(first);
    }
    bool SpanHasNoEnds() const {
        LONG first = 0, last = 0;
        if (!Ends(first, last)) return false;
        IZEVudu* z = form_.Editor();
        VARIANT_BOOL a = VARIANT_FALSE, b = VARIANT_FALSE;
        z->get_SelIsCtl(first, &a);
        z->get_SelIsCtl(last, &b);
        return a == VARIANT_FALSE && b == VARIANT_FALSE;
    }

    // 跳房子: asked for its text; a second one over the same notes deletes the first instead.
    bool Volta(const NotationRow& row) {
        LONG first = 0, last = 0;
        if (!Ends(first, last)) {
            MessageBeep(MB_OK);
            return false;
        }
        if (!SpanHasNoEnds()) return false;
        auto text = InputBox(form_.Handle(), Wide(row.Text), Wide(VoltaPrompt()));
        if (!text || text->empty()) return false;
        int32_t zero = 0;
        const LPARAM none = reinterpret_cast<LPARAM>(&zero);
        const HWND editor = form_.EditorWindow();
        const bool closed =
            SendMessageW(editor, tessaly::EM_DelAreaExtralStr, tessaly::marks::kMarkVoltaStart, none) == 1;
        const bool openClosed =
            SendMessageW(editor, tessaly::EM_DelAreaExtralStr, tessaly::marks::kMarkOpenVoltaStart, none) == 1;
        if ((closed || openClosed) && form_.Hooks().dropSelectedMark && form_.Hooks().dropSelectedMark()) return false;
        if (text->size() > kVoltaChars) {
            MessageBeep(MB_OK);
            text->resize(kVoltaChars);
        }
        return SendText(row.Message, row.WParam, *text);
    }

    // The solfège number boxes; an answer that is no 16-bit value leaves the value as it was.
    bool NumberBox(NotationKind kind) {
        IZEVudu* z = form_.Editor();
        const bool offset = kind == NotationKind::AnnotationOffset;
        short current = 0;
        offset ? z->get_SelZhuYingPosY(&current) : z->get_ChangMingScale(&current);
        const auto answer =
            InputBox(form_.Handle(), Wide(NumberBoxTitle(kind)), Wide(NumberBoxPrompt(kind)), std::to_wstring(current));
        if (!answer || answer->empty()) return false;
        const auto value = BoxValue(std::u16string(answer->begin(), answer->end()));
        if (!value) {
            MessageBeep(MB_OK);
            return false;
        }
        return SUCCEEDED(offset ? z->put_SelZhuYingPosY(*value) : z->put_ChangMingScale(*value));
    }

    MainWindow& form_;
    SpeedForm playSpeed_;  // the tempo dialog keeps its choice from one opening to the next
    HWND tips_ = nullptr;
    std::wstring shownTip_;
};

}  // namespace

void RegisterNotationMenus(MainWindow& form) {
    auto commands = std::make_shared<NotationCommands>(form);
    CommandRouter& router = form.Router();
    std::set<std::string_view> arrays;
    for (const NotationRow& row : NotationRows()) {
        if (row.Index < 0) {
            router.Add(row.Menu, [commands, &row](int) { commands->Click(row); });
        } else if (arrays.insert(row.Menu).second) {
            const std::string_view menu = row.Menu;
            router.AddArray(menu, [commands, menu](int index) {
                if (const NotationRow* r = FindNotationRow(menu, index)) commands->Click(*r);
            });
        }
    }
    form.Hooks().topPanelMouseMove = [commands](int x) { commands->MouseMove(x); };
}

}  // namespace tavolin
