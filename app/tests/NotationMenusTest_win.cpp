// The mark menus and the top panel's buttons over a hosted editor: each command is given as a
// user gives it, and what reached the editor's window is compared with the notation table.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "DialogAnswerer_win.h"
#include "InputBox_win.h"
#include "MainWindowFixture_win.h"
#include "Modules_win.h"
#include "NotationTable.h"
#include "button/api/IButton.h"
#include "control/Editor_win.h"
#include "records/Messages.h"

namespace tavolin::test {
namespace {

struct Sent {
    UINT msg;
    int32_t w;
    LPARAM l;  // 0 where it is an address
    std::wstring text;
    int32_t selLength;
    bool operator==(const Sent&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Sent& s) {
    return os << s.msg << " w=" << s.w << " l=" << s.l << " text=" << std::string(s.text.begin(), s.text.end())
              << " sel=" << s.selLength;
}

bool CarriesText(UINT msg) {
    using namespace tessaly;
    return msg == EM_FormatTFZ || msg == EM_FormatKFTFZ || msg == EM_FormatLinYing || msg == EM_CustomWord ||
           msg == EM_XiaoJieXuHao;
}

struct NotationMenusTest : MainWindowTest {
    NotationMenusTest() {
        beforeCreate = [](MainWindow& w) { RegisterModules(w); };
    }
    void SetUp() override {
        MainWindowTest::SetUp();
        ed = factory.hosted->Running();
        editor = window->EditorWindow();
        // Seven notes, a rest and a bar line, typed in notation mode where the caret starts.
        window->Editor()->put_InputState(tessaly::JpState);
        first = ed->Data.SelStart;
        for (char c : std::string("12345670|")) PostMessageW(editor, WM_CHAR, static_cast<WPARAM>(c), 0);
        Pump();
        ASSERT_EQ(first + 9, ed->Data.SelStart);
        ASSERT_EQ(1, ed->Data.WordInfo[static_cast<size_t>(first)].IsJpGcCtl);
        ed->Commands->Undo.ZeroUnDoReDoVal();
        SetWindowSubclass(editor, Record, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    void TearDown() override {
        RemoveWindowSubclass(editor, Record, 1);
        MainWindowTest::TearDown();
    }
    static LRESULT CALLBACK Record(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
        auto* self = reinterpret_cast<NotationMenusTest*>(data);
        if (msg >= tessaly::EM_FormatSortInfo && msg <= tessaly::EM_SetPartInfo) {
            Sent s{msg, static_cast<int32_t>(w), l, {}, self->ed->Data.SelLength};
            if (CarriesText(msg)) s.text = *reinterpret_cast<const BSTR*>(l);
            if (CarriesText(msg) || msg == tessaly::EM_DelAreaExtralStr) s.l = 0;
            self->log.push_back(s);
        }
        return DefSubclassProc(h, msg, w, l);
    }
    // Chooses the item, or clicks the button, as a user would.
    void Give(std::string_view name, int index) {
        if (const UINT command = window->MenuCommand(name, index)) {
            PostMessageW(window->Handle(), WM_COMMAND, command, 0);
        } else {
            HWND button = window->ControlWindow(name, index);
            PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
            PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        }
        Pump();
    }
    void Select(int32_t from, int32_t length) {
        window->Editor()->put_SelStart(first + from);
        window->Editor()->put_SelLength(length);
    }
    void UndoAll() {
        while (ed->Commands->Undo.CanUndo()) SendMessageW(editor, EM_UNDO, 0, 0);
    }
    template <class T>
    T Get(HRESULT (STDMETHODCALLTYPE IZEVudu::*get)(T*)) {
        T v{};
        (window->Editor()->*get)(&v);
        return v;
    }
    // Input boxes answered by their titles; the tempo dialog with 中板; anything else cancelled.
    Answerer Answers() {
        return Answerer(Answerer::Every{}, [this](HWND d) {
            const std::wstring caption = TextOf(d);
            auto press = [d](int id) { PostMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
            if (caption == L"音速" && tempo) {
                SendDlgItemMessageW(d, 101, LB_SETCURSEL, 7, 0);
                SendMessageW(d, WM_COMMAND, MAKEWPARAM(101, LBN_SELCHANGE), 0);
                press(IDOK);
            } else if (auto a = typed.find(caption); a != typed.end()) {
                SetDlgItemTextW(d, kInputBoxText, a->second.c_str());
                press(IDOK);
            } else {
                press(caption == L"提示" ? IDOK : IDCANCEL);
            }
        });
    }

    notaline::Editor* ed = nullptr;
    HWND editor = nullptr;
    int32_t first = 0;
    std::vector<Sent> log;
    bool tempo = true;
    std::map<std::wstring, std::wstring> typed{{L"跳房子/重复绘制将删除", L"1."},
                                               {L"小节编号", L"12"},
                                               {L"自定义附加字符...", L"p"},
                                               {L"唱名注音字符位置设置", L"20"},
                                               {L"唱名注音字符大小设置", L"60"}};
};

// What a row must send, the selection length the editor sees being the row's.
std::vector<Sent> Expected(const NotationRow& row, int32_t arcHeight, int32_t annotationY) {
    using K = NotationKind;
    using namespace tessaly;
    const int32_t sel = row.CaretOnly ? 0 : 3;
    switch (row.Kind) {
        case K::Menu: return Expected(*FindNotationRow(row.Target, row.Code), arcHeight, annotationY);
        case K::Insert: return {{EM_InstrMainAndExtralStr, row.WParam, row.Code, L"", sel}};
        case K::Attach: return {{EM_FormatSortInfo, row.WParam, row.Code, L"", sel}};
        case K::Arc: return {{EM_FormatHuXian, row.WParam, row.Code, L"", sel}};
        case K::ArcAtHeight: return {{EM_FormatHuXian, arcHeight, row.Code, L"", sel}};
        case K::Send: return {{static_cast<UINT>(row.Message), row.WParam, row.Code, L"", sel}};
        case K::Tuplet: return {{EM_FormatLinYing, 0, 0, L"3", sel}};
        case K::Volta:
            return {{EM_DelAreaExtralStr, 89, 0, L"", 3},
                    {EM_DelAreaExtralStr, 91, 0, L"", 3},
                    {static_cast<UINT>(row.Message), 18, 0, L"1.", 3}};
        case K::BarNumber: return {{EM_XiaoJieXuHao, 0x10018, 0, L"12", sel}};
        case K::CustomText: return {{EM_CustomWord, 0x1000E, 0, L"p", sel}};
        case K::TempoChange: return {{EM_ChangSpeed, 0x10012, 170, L"", 0}};
        case K::Grace: return {{EM_FormatYYInfo, 31, 38, L"", 3}};
        case K::Annotate: return {{EM_FormatZhuYing, annotationY + 26, 0, L"", sel}};
        default: return {};
    }
}

TEST_F(NotationMenusTest, EveryRowSendsItsRequest) {
    Answerer answers = Answers();
    std::map<std::pair<std::string, int>, std::vector<Sent>> sent;
    for (const NotationRow& row : NotationRows()) {
        SCOPED_TRACE(std::string(row.Menu) + " " + std::to_string(row.Index));
        if (row.Kind == NotationKind::TargetLine) {
            Select(1, 0);
            PostMessageW(editor, WM_KEYDOWN, VK_RIGHT, 0);  // the current line follows the caret
            Pump();
        }
        Select(1, 3);
        float height = 0;
        window->Editor()->HuXianYPos(&height);
        const int32_t annotationY = Get(&IZEVudu::get_SelZhuYingPosY);
        const LONG line = Get(&IZEVudu::get_CurLine);
        const size_t boxes = answers.Captions.size();
        log.clear();
        Give(row.Menu, row.Index);
        EXPECT_EQ(Expected(row, static_cast<int32_t>(std::nearbyint(height)), annotationY), log);
        sent[{row.Menu, row.Index}] = log;
        switch (row.Kind) {
            case NotationKind::Duration: EXPECT_EQ(row.Code, Get(&IZEVudu::get_WordYC)); break;
            case NotationKind::Octave: EXPECT_EQ(row.Code, Get(&IZEVudu::get_WordYg)); break;
            case NotationKind::Alignment:
                EXPECT_EQ(row.Code, Get(&IZEVudu::get_Alignment));
                for (int i = 0; i < 6; ++i)
                    EXPECT_EQ(i == row.Code, GetButtonLong(window->Button("CmdFoamatDq", i), dispid::Button::ButtonDown) != 0);
                break;
            case NotationKind::TargetLine:
                EXPECT_EQ(row.WParam == 0 ? line : -1,
                          Get(row.Code == 0 ? &IZEVudu::get_CPdqLine : &IZEVudu::get_XjdqLine));
                break;
            case NotationKind::AnnotationOffset: EXPECT_EQ(20, Get(&IZEVudu::get_SelZhuYingPosY)); break;
            case NotationKind::AnnotationScale: EXPECT_EQ(60, Get(&IZEVudu::get_ChangMingScale)); break;
            case NotationKind::Hint: EXPECT_EQ(L"提示", answers.Captions.at(boxes)); break;
            default: break;
        }
        UndoAll();
    }
    // Spot checks of values the table must hold.
    auto at = [&](const char* menu, int index) {
        const auto& s = sent[std::pair<std::string, int>(menu, index)];
        return s.empty() ? Sent{} : s[0];
    };
    EXPECT_EQ(0xF0002, at("MunButton", 36).w);
    EXPECT_EQ(0xF0000, at("XiuZiHu", 0).w);
    EXPECT_EQ(16, at("XiuZiHu", 0).l);
    EXPECT_EQ((Sent{tessaly::EM_FormatSortInfo, -19, 9, L"", 0}), at("MunButton", 2));
    for (int i = 0; i < 7; ++i) EXPECT_EQ(133 + i, at("ZhuYing", i).l);
    EXPECT_EQ((Sent{tessaly::EM_FormatYYInfo, 31, 38, L"", 3}), at("ZhuagSeYing", 10));
    EXPECT_EQ(150, at("GFHuHao", 3).l);
    EXPECT_EQ(93, at("SpeedWord", 6).l);
    EXPECT_EQ((Sent{tessaly::EM_ChangSpeed, 0x10012, 170, L"", 0}), at("MunButton", 5));
    EXPECT_EQ(6, FindNotationRow("CmdFormatYg", 0)->Code);
    EXPECT_EQ(0, FindNotationRow("CmdFormatYg", 3)->Code);
}

TEST_F(NotationMenusTest, VoltasBarNumbersTemposAndNumberBoxes) {
    Answerer answers = Answers();
    // A volta text of 12 characters is stored with its first 10.
    typed[L"跳房子/重复绘制将删除"] = L"1.2.3.4.5.6.";
    Select(1, 3);
    Give("TFZ", 0);
    ASSERT_EQ(3u, log.size());
    EXPECT_EQ(L"1.2.3.4.5.", log[2].text);
    // The second volta over the same notes deletes the first and its list entry.
    HWND combo = window->ControlWindow("ExtralValCombo");
    const LRESULT entries = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    ASSERT_GT(entries, 0);
    log.clear();
    Select(1, 3);
    Give("TFZ", 0);
    EXPECT_EQ(2u, log.size());
    EXPECT_EQ(entries - 1, SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (const auto& slot : ed->Data.WordInfo[static_cast<size_t>(first + 1)].ExtralWordInfo)
        EXPECT_NE(89, slot.IndexType);
    // Nothing selected: no box, nothing sent.
    const size_t boxes = answers.Captions.size();
    log.clear();
    Select(1, 0);
    Give("TFZ", 0);
    EXPECT_EQ(boxes, answers.Captions.size());
    EXPECT_TRUE(log.empty());
    // Cancel in the bar-number box sends nothing; OK with nothing typed sends the empty text.
    typed.erase(L"小节编号");
    Give("XJX", 28);
    EXPECT_TRUE(log.empty());
    typed[L"小节编号"] = L"";
    Give("XJX", 28);
    EXPECT_EQ((std::vector<Sent>{{tessaly::EM_XiaoJieXuHao, 0x10018, 0, L"", 0}}), log);
    // A cancelled tempo dialog sends nothing.
    log.clear();
    tempo = false;
    Give("SpeedWord", 4);
    EXPECT_TRUE(log.empty());
    // A number-box answer outside 16 bits keeps the value.
    typed[L"唱名注音字符大小设置"] = L"40000";
    const short scale = Get(&IZEVudu::get_ChangMingScale);
    Give("ZhuYing", 12);
    EXPECT_EQ(scale, Get(&IZEVudu::get_ChangMingScale));
}

TEST_F(NotationMenusTest, DurationsOfRestsGraceNotesBackwardAndPanelTips) {
    // A rest takes a duration from the menu, as from the buttons.
    Select(7, 1);
    Give("FYC", 2);
    Select(7, 1);
    EXPECT_EQ(2, Get(&IZEVudu::get_WordYC));
    UndoAll();
    // Three notes selected backward make one grace group; four make none.
    Select(4, -3);
    log.clear();
    Give("ZhuagSeYing", 10);
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ(31, log[0].w);
    UndoAll();
    Select(0, 4);
    log.clear();
    Give("MunButton", 22);
    EXPECT_TRUE(log.empty());
    // The panel's tip by the mouse's X in twips (pixels at the form's DPI).
    HWND frame = window->ControlWindow("TopFaceFrame");
    auto tipAt = [&](int twips) {
        PostMessageW(frame, WM_MOUSEMOVE, 0, MAKELPARAM(twips * window->FormDpi() / 1440, 3));
        Pump();
        wchar_t text[64] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window->Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(frame);
        tool.lpszText = text;
        SendMessageW(static_cast<HWND>(GetPropW(frame, L"Tavolin.ToolTip")), TTM_GETTEXTW, 64,
                     reinterpret_cast<LPARAM>(&tool));
        return std::wstring(text);
    };
    EXPECT_EQ(L"音长减时线", tipAt(1200));
    EXPECT_EQ(L"", tipAt(9410));
}

}  // namespace
}  // namespace tavolin::test
