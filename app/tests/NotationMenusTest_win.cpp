// The mark menus and the top panel's buttons over a hosted editor: each command is given as a
// user gives it, and what reached the editor's window is compared with the notation table.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "DocumentBuilder.h"
#include "InputBox_win.h"
#include "MainWindowFixture_win.h"
#include "Modules_win.h"
#include "NotationTable.h"
#include "WindowTesting_win.h"
#include "button/api/IButton.h"
#include "com/Bstr.h"
#include "control/Editor_win.h"
#include "music/NoteExtraction.h"
#include "records/Messages.h"

namespace tavolin::test {
namespace {

// A request as it reached the editor: lParam 0 where it is an address; the selection's length then.
struct Sent {
    UINT msg;
    int32_t w;
    LPARAM l;
    std::wstring text;
    int32_t selLength;
    bool operator==(const Sent&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Sent& s) {
    return os << s.msg << " " << s.w << " " << s.l << " " << s.text.size() << " " << s.selLength;
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
    static LRESULT CALLBACK Record(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
        auto* self = reinterpret_cast<NotationMenusTest*>(data);
        const bool text = msg == 1037 || msg == 1038 || msg == 1042 || msg == 1044 || msg == 1048;
        if (msg >= tessaly::EM_FormatSortInfo && msg <= tessaly::EM_SetPartInfo)
            self->log.push_back({msg, static_cast<int32_t>(w), text || msg == 1040 ? 0 : l,
                                 text ? *reinterpret_cast<const BSTR*>(l) : L"", self->ed->Data.SelLength});
        return DefSubclassProc(h, msg, w, l);
    }
    // Chooses the item, or clicks the button, as a user would.
    void Give(std::string_view name, int index) {
        log.clear();
        HWND button = window->ControlWindow(name, index);
        if (const UINT command = window->MenuCommand(name, index))
            PostMessageW(window->Handle(), WM_COMMAND, command, 0);
        if (button)
            PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, 0x30003), PostMessageW(button, WM_LBUTTONUP, 0, 0x30003);
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
            shown.push_back(TextOf(GetDlgItem(d, 0xFFFF)));  // a message box's text
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
    std::vector<std::wstring> shown;
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
        Give(row.Menu, row.Index);
        EXPECT_EQ(Expected(row, static_cast<int32_t>(std::nearbyint(height)), annotationY), log);
        sent[{row.Menu, row.Index}] = log;
        switch (row.Kind) {
            case NotationKind::Duration: EXPECT_EQ(row.Code, Get(&IZEVudu::get_WordYC)); break;
            case NotationKind::Octave: EXPECT_EQ(row.Code, Get(&IZEVudu::get_WordYg)); break;
            case NotationKind::Alignment:
                EXPECT_EQ(row.Code, Get(&IZEVudu::get_Alignment));
                for (int i = 0; i < 6; ++i)
                    EXPECT_EQ(i == row.Code,
                              GetButtonLong(window->Button("CmdFoamatDq", i), dispid::Button::ButtonDown) != 0);
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
    // Values the table must hold: message, wParam, lParam of the first request.
    const struct {
        const char* menu;
        int index;
        Sent first;
    } spots[] = {{"MunButton", 36, {1039, 0xF0002, 16, L"", 3}}, {"XiuZiHu", 0, {1039, 0xF0000, 16, L"", 3}},
                 {"MunButton", 2, {1036, -19, 9, L"", 0}},       {"ZhuYing", 6, {1036, 13, 139, L"", 0}},
                 {"ZhuagSeYing", 10, {1051, 31, 38, L"", 3}},    {"SpeedWord", 6, {1039, 0, 93, L"", 3}},
                 {"MunButton", 5, {1062, 0x10012, 170, L"", 0}}};
    for (const auto& s : spots) EXPECT_EQ(s.first, (sent[{s.menu, s.index}].at(0))) << s.menu << s.index;
    EXPECT_EQ(150, (sent[{"GFHuHao", 3}].at(0).l));
}

// Every command over the same three notes selected forward and backward (as Shift+Left after
// typing leaves them) makes the same document; a backward selection the command keeps stays
// backward.
TEST_F(NotationMenusTest, BackwardSelectionsActAsForwardOnes) {
    Answerer answers = Answers();
    for (const NotationRow& row : NotationRows()) {
        SCOPED_TRACE(std::string(row.Menu) + " " + std::to_string(row.Index));
        std::vector<uint8_t> made[2];
        std::pair<int32_t, int32_t> sel[2];
        const int32_t pairs = ed->Data.AreaPairNumber;  // pair numbers are never given twice
        for (int backward = 0; backward < 2; ++backward) {
            ed->Data.AreaPairNumber = pairs;
            window->ShowAlignment(Get(&IZEVudu::get_Alignment));  // a pressed radio button takes no click
            backward ? Select(4, -3) : Select(1, 3);
            Give(row.Menu, row.Index);
            made[backward] = notaline::test::DocumentBytes(ed->Data);
            sel[backward] = {ed->Data.SelStart - first, ed->Data.SelLength};
            UndoAll();
        }
        EXPECT_TRUE(made[0] == made[1]);
        EXPECT_EQ(sel[0] == std::pair(1, 3) ? std::pair(4, -3) : sel[0], sel[1]);
    }
}

TEST_F(NotationMenusTest, VoltasBarNumbersTemposBoxesRestsGraceNotesAndTips) {
    Answerer answers = Answers();
    // A volta of 12 characters keeps 10; a second one over the same notes deletes it and its entry.
    typed[L"跳房子/重复绘制将删除"] = L"1.2.3.4.5.6.";
    Select(1, 3);
    Give("TFZ", 0);
    EXPECT_EQ(L"1.2.3.4.5.", log.at(2).text);
    HWND combo = window->ControlWindow("ExtralValCombo");
    const LRESULT entries = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    Select(1, 3);
    Give("TFZ", 0);
    EXPECT_EQ(2u, log.size());
    EXPECT_EQ(entries - 1, SendMessageW(combo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, ed->Data.WordInfo[static_cast<size_t>(first + 1)].ExtralWordInfo[0].IndexType);
    // Nothing selected: no box.
    const size_t boxes = answers.Captions.size();
    Select(1, 0);
    Give("TFZ", 0);
    EXPECT_EQ(boxes, answers.Captions.size());
    Select(1, 3);
    Give("HuXian", 0);
    Give("LIDUJIHAO", 5);
    Picture(window->Handle(), L"notation_marks.png");
    // Cancelled bar number and tempo send nothing; an empty bar number is sent.
    typed.erase(L"小节编号");
    tempo = false;
    for (auto [menu, index] : {std::pair{"XJX", 28}, std::pair{"SpeedWord", 4}}) {
        Give(menu, index);
        EXPECT_TRUE(log.empty()) << menu;
    }
    typed[L"小节编号"] = L"";
    Give("XJX", 28);
    EXPECT_EQ((std::vector<Sent>{{tessaly::EM_XiaoJieXuHao, 0x10018, 0, L"", 0}}), log);
    // A number-box answer outside 16 bits keeps the value.
    typed[L"唱名注音字符大小设置"] = L"40000";
    const short scale = Get(&IZEVudu::get_ChangMingScale);
    Give("ZhuYing", 12);
    EXPECT_EQ(scale, Get(&IZEVudu::get_ChangMingScale));
    UndoAll();
    // A rest takes a duration from the menu; three notes selected backward make one grace group,
    // four none.
    Select(7, 1);
    Give("FYC", 2);
    EXPECT_EQ(2, Get(&IZEVudu::get_WordYC));
    Select(4, -3);
    Give("ZhuagSeYing", 10);
    EXPECT_EQ(31, log.at(0).w);
    UndoAll();
    Select(0, 4);
    Give("MunButton", 22);
    EXPECT_TRUE(log.empty());
    // The panel's tip by the mouse's X in twips.
    HWND frame = window->ControlWindow("TopFaceFrame");
    for (auto [twips, tip] : {std::pair{1200, L"音长减时线"}, std::pair{9410, L""}}) {
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
        EXPECT_EQ(std::wstring(tip), text);
    }
}

// A song typed as a user types it, saved, and exported for an independent MIDI reader.
TEST_F(NotationMenusTest, TypedSongIsSavedAndExported) {
    Answerer answers = Answers();  // the export's message
    Select(0, 9);
    SendMessageW(editor, WM_CLEAR, 0, 0);
    Give("XJX", 6);  // the song's block opens with a repeat sign
    for (wchar_t c : std::wstring(L"1234|5-65|\r你好")) PostMessageW(editor, WM_CHAR, c, 0);
    Pump();
    Select(1, 1);
    Give("CmdFormatYg", 4);  // 高音
    Select(8, 2);
    Give("CmdFormatYc", 1);  // 八分音符
    Select(8, 2);
    Give("HuXian", 0);
    EXPECT_EQ(0, ed->Data.WordInfo[static_cast<size_t>(first + 12)].IsJpGcCtl);  // a lyric
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const std::wstring folder = std::wstring(exe).substr(0, std::wstring(exe).rfind(L'\\')) + L"\\app_song";
    CreateDirectoryW(folder.c_str(), nullptr);
    com::Bstr saved(folder + L"\\typed_song.dadur");
    com::Bstr midi(folder + L"\\typed_song.Mid");
    window->Editor()->SaveFile(saved.Ref(), reinterpret_cast<LONG_PTR>(window->Handle()));
    window->Editor()->SaveMidFile(midi.Ref());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(saved.Get()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(midi.Get()));
    Picture(window->Handle(), L"typed_song.png");
    EXPECT_EQ(L"Tavolin", answers.Captions.at(0));  // the export says it saved
}

// Notes between plain bar lines belong to no playing block: export and playback say what makes
// them sound instead of writing silence; a repeat sign before them makes every note sound.
TEST_F(NotationMenusTest, PlainBarLinesSayWhyNothingSoundsUntilARepeatSignOpensTheSong) {
    Answerer answers = Answers();
    Select(0, 9);
    SendMessageW(editor, WM_CLEAR, 0, 0);
    for (wchar_t c : std::wstring(L"1234|5-65|")) PostMessageW(editor, WM_CHAR, c, 0);
    Pump();
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    const std::wstring folder = std::wstring(exe).substr(0, std::wstring(exe).rfind(L'\\')) + L"\\app_song";
    CreateDirectoryW(folder.c_str(), nullptr);
    com::Bstr midi(folder + L"\\repeat_song.Mid");
    DeleteFileW(midi.Get());
    const std::string text = notaline::kNothingToSoundText;
    wchar_t expected[512] = {};
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, expected, 512);
    window->Editor()->SaveMidFile(midi.Ref());
    window->Router().Run("PlayMusic", -1);
    Pump();
    EXPECT_EQ((std::vector<std::wstring>{expected, expected}), shown);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(midi.Get()));
    Select(0, 0);
    Give("XJX", 6);
    window->Editor()->SaveMidFile(midi.Ref());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(midi.Get()));
}

}  // namespace
}  // namespace tavolin::test
