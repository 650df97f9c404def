#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "HelpArea.h"
#include "MainWindow_win.h"
#include "MarkHelp.h"
#include "MarkList.h"
#include "MarkSteps.h"
#include "Modules_win.h"
#include "button/api/IButton.h"
#include "com/Bstr.h"
#include "com/Create.h"
#include "com/Variant.h"
#include "outside/api/IQuibbet.h"
#include "records/Marks.h"
#include "win/Window.h"

namespace tavolin {

namespace {

std::wstring Wide(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}

// The character the panel reads and writes: the first of the selection, whichever way it was made
// (a backward selection's SelStart is the caret after its last character).
LONG MarkCharacter(IZEVudu* z) {
    LONG start = 0, length = 0;
    z->get_SelStart(&start);
    z->get_SelLength(&length);
    return length < 0 ? start + length : start;
}

// The editor's answers for the caret character; a failed call answers no.
class EditorFacts final : public MarkFacts {
public:
    explicit EditorFacts(IZEVudu* z) : z_(z) {}
    int32_t CanDelYY() const override {
        short v = -1;
        return SUCCEEDED(z_->get_CanDelYY(&v)) ? v : -1;
    }
    bool CanDelAreaInfo(int32_t code) const override {
        LONG c = code;
        short v = 0;
        return SUCCEEDED(z_->get_CanDelAreaInfo(&c, &v)) && v != 0;
    }
    bool IsKhHuXianRight() const override { return Flag(&IZEVudu::get_IsKhHuXianRight); }
    bool IsKhLingYingRight() const override { return Flag(&IZEVudu::get_IsKhLingYingRight); }
    bool IsKHTFZRight() const override { return Flag(&IZEVudu::get_IsKHTFZRight); }
    bool IsKfKhTFZRight() const override { return Flag(&IZEVudu::get_IsKfKhTFZRight); }
    int32_t SelLength() const override {
        LONG v = 0;
        return SUCCEEDED(z_->get_SelLength(&v)) ? std::abs(v) : 0;
    }

private:
    bool Flag(HRESULT (STDMETHODCALLTYPE IZEVudu::*get)(VARIANT_BOOL*)) const {
        VARIANT_BOOL v = VARIANT_FALSE;
        return SUCCEEDED((z_->*get)(&v)) && v != VARIANT_FALSE;
    }
    IZEVudu* z_;
};

class MarkPanel {
public:
    explicit MarkPanel(MainWindow& form) : form_(form) {}

    // The status update's rebuild from the record's eight codes.
    void ShowMarks(const std::array<int16_t, 8>& codes, bool openFromCommand) {
        std::array<int32_t, 8> slots{};
        bool any = false;
        for (size_t i = 0; i < codes.size(); ++i) {
            slots[i] = codes[i];
            any = any || codes[i] != 0;
        }
        Fill(BuildMarkList(slots, true));
        if (!openFromCommand && !list_.entries.empty()) Select(static_cast<int>(list_.entries.size()) - 1);
        if (Selected() < 0) {
            ShowInfo(u"");
            SetHelpText(L"");
        }
        if (!any)
            for (int i = 0; i <= 6; ++i) Enable(i, false);
    }

    void GetCurrIndexType() {
        if (Reload()) Select(static_cast<int>(list_.entries.size()) - 1);
    }

    // A second volta over the same notes deleted the first: the list is read again, so the removed
    // mark's name does not stay in the box.
    bool DropSelected() {
        if (Selected() < 0) return false;
        GetCurrIndexType();
        return true;
    }

    void Select(int entry) {
        SendMessageW(Combo(), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        Click();
    }

    // ExtralValCombo_Click
    void Click() {
        const int entry = Selected();
        ButtonMask mask = 0;
        if (entry >= 0) {
            curType_ = list_.codes[static_cast<size_t>(entry)];
            curIndex_ = list_.slots[static_cast<size_t>(entry)];
            EditorFacts facts(form_.Editor());
            mask = SetExtralButtons(curType_, facts);
        }
        SetHelpText(entry >= 0 ? ReadHlpInfo(EntryText()).c_str() : L"");
        for (int i = 0; i < 8; ++i) Enable(i, (mask >> i) & 1);
        Focus();
    }

    void ValueButton(int button) {
        IZEVudu* z = form_.Editor();
        if (Selected() < 0 || !z) return;
        const LONG at = MarkCharacter(z);
        const short slot = curIndex_;
        const int32_t code = curType_;
        MarkValues in;
        LONG v = 0;
        if (SUCCEEDED(z->get_ExtralWordVal1(at, slot, &v))) in.v1 = v;
        if (SUCCEEDED(z->get_ExtralWordVal2(at, slot, &v))) in.v2 = v;
        com::Bstr text;
        if (SUCCEEDED(z->get_ExtralWordVal3(at, slot, text.Out())) && text)
            for (const wchar_t* p = text.Get(); *p; ++p) in.text += static_cast<char>(*p < 128 ? *p : '?');
        const StepResult r = StepMark(code, button, in);
        if (r.beep) MessageBeep(MB_OK);
        switch (r.what) {
            case StepOutcome::NoRedraw: return;
            case StepOutcome::Nothing: break;
            case StepOutcome::WriteV1: z->put_ExtralWordVal1(at, slot, r.values.v1); break;
            case StepOutcome::WriteV2: z->put_ExtralWordVal2(at, slot, r.values.v2); break;
            case StepOutcome::WriteText: {
                const std::wstring wide(r.values.text.begin(), r.values.text.end());
                z->put_ExtralWordVal3(at, slot, com::Bstr(wide.c_str()).Get());
                break;
            }
            case StepOutcome::GraceForm:
                z->put_SetQianYY(r.graceBefore ? VARIANT_TRUE : VARIANT_FALSE);
                z->RefreshAll();
                break;
            case StepOutcome::ChangeKind:
            case StepOutcome::ChangeInputWord:
            case StepOutcome::ChangeVolta:
                SendMessageW(Combo(), CB_DELETESTRING, static_cast<WPARAM>(Selected()), 0);
                curType_ = r.newCode;
                if (r.what == StepOutcome::ChangeInputWord)
                    z->ConChangInputWord(code, r.newCode);
                else if (r.what == StepOutcome::ChangeVolta)
                    z->ChangExtralType(code, r.newCode, r.pairOld, r.pairNew);
                else
                    z->ChangExtralType(code, r.newCode, -1, -1);  // no second pair
                GetCurrIndexType();
                break;
        }
        if (code == tessaly::marks::kMarkLineSpace) {
            form_.SetStatusText(3, L"  行距：" + std::to_wstring(r.values.v1));
            z->RefreshAll();
        } else if (code == tessaly::marks::kMarkAlignment) {
            for (int i = 0; i <= 5; ++i) {
                VARIANT down;
                down.vt = VT_BOOL;
                down.boolVal = i == r.values.v1 ? VARIANT_TRUE : VARIANT_FALSE;
                form_.PutButton("CmdFoamatDq", i, dispid::Button::ButtonDown, down);
            }
            z->RefreshAll();
        } else {
            z->RefreshExtralChang();
        }
        Focus();
    }

    // CmdDelExtralWd
    void Delete() {
        IZEVudu* z = form_.Editor();
        const int entry = Selected();
        if (entry < 0 || !z) return;
        if (curType_ == tessaly::marks::kMarkGraceNote) {
            z->DelYY();
            z->RefreshAll();
        } else {
            const UINT msg = IsRangeDeleteCode(curType_) ? tessaly::EM_DelAreaExtralStr : tessaly::EM_DelExtralStr;
            int32_t zero = 0;
            SendMessageW(form_.EditorWindow(), msg, static_cast<WPARAM>(curType_), reinterpret_cast<LPARAM>(&zero));
        }
        // Read back what the editor kept; removing the entry by hand left its text in the box.
        Reload();
        Select(list_.entries.empty() ? -1 : 0);
    }

    // CmdInfo(0): keeps the help box's text for the shown entry; a failed write keeps it in the box.
    void SaveHelp() {
        const std::u16string entry = EntryText();
        if (HelpKey(entry).empty()) return;
        const int n = GetWindowTextLengthW(HelpBox());
        std::wstring text(static_cast<size_t>(n) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(HelpBox(), text.data(), n + 1)));
        if (!SaveHlpInfo(entry, std::u16string(text.begin(), text.end())))
            MessageBoxW(form_.Handle(), L"说明信息没有保存。", L"", MB_ICONEXCLAMATION);
    }

    // CmdInfo(1) and EM_OnWord: the help of the shown entry in the box and, with help on, as a
    // balloon at the editor; an empty entry only takes the balloon down.
    void ShowInfo(const std::u16string& entry) {
        const std::u16string key = HelpKey(entry);
        if (key.empty()) {
            if (tipShown_) RemoveBalloon();
            return;
        }
        const std::wstring text = ReadHlpInfo(entry);
        SetHelpText(text.c_str());
        if (form_.Panels().MarkInfoOn) {
            const VARIANT m = Missing();
            tipShown_ =
                Balloon({Str(text), m, m, Bool(true), Str(Wide(key)), Long(1), m, Long(5), m, Long(0), Long(200)});
        } else if (tipShown_) {
            RemoveBalloon();
        }
    }
    void ToggleInfo() {
        bool& on = form_.Panels().MarkInfoOn;
        on = !on;
        VARIANT image;
        image.vt = VT_I4;
        image.lVal = on ? 2 : 3;
        form_.PutButton("CmdInfo", 1, dispid::Button::ButtonIndex, image);
        ShowInfo(EntryText());
    }
    void RemoveBalloon() {
        const VARIANT m = Missing();
        Balloon({Str(L""), m, m, m, Str(L""), m, m, m, m, m, m});
        tipShown_ = false;
    }
    // CmdAboutModifie: opens or closes the help editing area of this panel.
    void ToggleHelpArea() {
        if (tavolin::ToggleHelpArea(form_.Panels(), form_.Geometry(), 1)) form_.ReShowForm();
    }
    std::u16string EntryText() const {
        const int entry = Selected();
        return entry >= 0 ? list_.entries[static_cast<size_t>(entry)] : std::u16string();
    }

    std::wstring ReadHlpInfo(const std::u16string& entry) const {
        IReadWriteIni* ini = form_.Ini();
        if (!ini) return {};
        const std::wstring key = Wide(HelpKey(entry));
        com::Variant value;
        std::wstring text;
        if (SUCCEEDED(ini->ReadINIFile(kHelpSection, key.c_str(), HelpPath().c_str(), 1, value.Out())) &&
            value.Raw().vt == VT_BSTR && value.Raw().bstrVal) {
            const BSTR held = value.Raw().bstrVal;
            text = Wide(HelpText(std::u16string_view(reinterpret_cast<const char16_t*>(held), SysStringLen(held))));
        }
        return text;
    }
    bool SaveHlpInfo(const std::u16string& entry, const std::u16string& text) const {
        IReadWriteIni* ini = form_.Ini();
        return ini && SUCCEEDED(ini->WriteINIFile(kHelpSection, Wide(HelpKey(entry)).c_str(),
                                                  Wide(HelpText(text)).c_str(), HelpPath().c_str()));
    }
    static std::wstring HelpPath() { return com::ProgramFolder() + kHelpFile; }

private:
    // The tool-tip object's balloon call at the editor; args after the control in written order.
    bool Balloon(std::vector<VARIANT> given) {
        com::Variants args(std::move(given));
        IDispatch* tips = form_.Hooks().toolTips ? form_.Hooks().toolTips() : nullptr;
        HWND editor = form_.EditorWindow();
        if (!tips || !editor) return false;
        args.Items().insert(args.Items().begin(), Long(static_cast<int32_t>(reinterpret_cast<intptr_t>(editor))));
        std::reverse(args.Items().begin(), args.Items().end());
        DISPPARAMS params{args.data(), nullptr, args.size(), 0};
        return SUCCEEDED(tips->Invoke(dispid::Quibbet::ShowBalloon, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                      &params, nullptr, nullptr, nullptr));
    }
    static VARIANT Long(int32_t value) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = value;
        return v;
    }
    static VARIANT Bool(bool value) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_BOOL;
        v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return v;
    }
    static VARIANT Str(const std::wstring& text) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return v;
    }
    static VARIANT Missing() {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_ERROR;
        v.scode = DISP_E_PARAMNOTFOUND;
        return v;
    }
    HWND HelpBox() const { return form_.ControlWindow("RichTextBox1"); }
    // The rich box lays out and paints a new text at once, which cost more than the rest of a
    // status update: it takes the text with drawing off and shows it at the next paint.
    void SetHelpText(const wchar_t* text) {
        const HWND box = HelpBox();
        SendMessageW(box, WM_SETREDRAW, FALSE, 0);
        const bool set = win::SetTextIfChanged(box, text);
        SendMessageW(box, WM_SETREDRAW, TRUE, 0);
        if (set) RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    HWND Combo() const { return form_.ControlWindow("ExtralValCombo"); }
    int Selected() const {
        const LRESULT i = SendMessageW(Combo(), CB_GETCURSEL, 0, 0);
        return i >= 0 && static_cast<size_t>(i) < list_.entries.size() ? static_cast<int>(i) : -1;
    }
    void Fill(MarkList list) {
        list_ = std::move(list);
        const HWND combo = Combo();
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const std::u16string& e : list_.entries)
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(e).c_str()));
    }
    // The caret character's marks from the editor; false without an editor.
    bool Reload() {
        IZEVudu* z = form_.Editor();
        if (!z) return false;
        const LONG at = MarkCharacter(z);
        std::array<int32_t, 8> slots{};
        for (short slot = 0; slot < 8; ++slot) {
            short code = 0;
            if (SUCCEEDED(z->get_ExtralType(at, slot, &code))) slots[static_cast<size_t>(slot)] = code;
        }
        Fill(BuildMarkList(slots, false));
        return true;
    }
    // Buttons 0-5 the value buttons, 6 delete, 7 help editing.
    void Enable(int button, bool on) {
        VARIANT v;
        v.vt = VT_BOOL;
        v.boolVal = on ? VARIANT_TRUE : VARIANT_FALSE;
        if (button < 6)
            form_.PutButton("CmdChangExtralValue", button, dispid::Button::Enabled, v);
        else
            form_.PutButton(button == 6 ? "CmdDelExtralWd" : "CmdAboutModifie", -1, dispid::Button::Enabled, v);
    }
    void Focus() {
        if (IZEVudu* z = form_.Editor()) z->SetFocus();
    }

    MainWindow& form_;
    MarkList list_;
    int32_t curType_ = 0;
    short curIndex_ = 0;
    bool tipShown_ = false;
};

}  // namespace

void RegisterMarkPanel(MainWindow& form) {
    auto panel = std::make_shared<MarkPanel>(form);
    form.Hooks().showMarks = [panel](const std::array<int16_t, 8>& codes, bool openFromCommand) {
        panel->ShowMarks(codes, openFromCommand);
    };
    form.Hooks().refreshMarks = [panel] { panel->GetCurrIndexType(); };
    form.Hooks().dropSelectedMark = [panel] { return panel->DropSelected(); };
    CommandRouter& router = form.Router();
    router.Add("ExtralValCombo", [panel](int) { panel->Click(); });
    router.AddArray("CmdChangExtralValue", [panel](int index) { panel->ValueButton(index); });
    router.Add("CmdDelExtralWd", [panel](int) { panel->Delete(); });
    router.Add("CmdAboutModifie", [panel](int) { panel->ToggleHelpArea(); });
    router.Add(
        "CmdInfo", [panel](int) { panel->SaveHelp(); }, 0);
    router.Add(
        "CmdInfo", [panel](int) { panel->ToggleInfo(); }, 1);
    form.Hooks().onWord = [panel](bool onWord) { panel->ShowInfo(onWord ? panel->EntryText() : u""); };
}

}  // namespace tavolin
