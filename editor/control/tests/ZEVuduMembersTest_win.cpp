#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FakeLayout.h"
#include "HostedControlTest_win.h"
#include "MusicFixture.h"
#include "com/Bstr.h"
#include "com/Container.h"
#include "com/Variant.h"
#include "control/Handlers_win.h"
#include "control/PageRenderer_win.h"
#include "control/ZEVudu_win.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/LoadJpFile.h"
#include "render/ScreenRenderer_win.h"
#include "tools/tests/DialogCloser_win.h"
#include "win/KernelHandles.h"

namespace notaline {
namespace {

// The host window: counts the status records the control sends it.
int g_statusRecords = 0;
int g_progressReports = 0;
UINT g_lastReport = 0;  // the last of EM_SendMsg and EM_RunPre
LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (msg == tessaly::EM_SendMsg) ++g_statusRecords;
    if (msg == tessaly::EM_RunPre) ++g_progressReports;
    if (msg == tessaly::EM_SendMsg || msg == tessaly::EM_RunPre) g_lastReport = msg;
    return DefWindowProcW(hwnd, msg, w, l);
}

// A variant that clears itself.
struct Var {
    VARIANT v;
    Var() { VariantInit(&v); }
    Var(int32_t x) : Var() { V_VT(&v) = VT_I4, V_I4(&v) = x; }
    Var(double x) : Var() { V_VT(&v) = VT_R8, V_R8(&v) = x; }
    Var(bool x) : Var() { V_VT(&v) = VT_BOOL, V_BOOL(&v) = x ? VARIANT_TRUE : VARIANT_FALSE; }
    Var(const wchar_t* s) : Var() { V_VT(&v) = VT_BSTR, V_BSTR(&v) = SysAllocString(s); }
    Var(const Var& o) : Var() { VariantCopy(&v, const_cast<VARIANT*>(&o.v)); }
    Var& operator=(const Var& o) {
        if (this != &o) VariantCopy(&v, const_cast<VARIANT*>(&o.v));
        return *this;
    }
    ~Var() { com::Variant::Attach(v); }
    int32_t Long() const {
        VARIANT x;
        VariantInit(&x);
        VariantChangeType(&x, const_cast<VARIANT*>(&v), 0, VT_I4);
        return V_I4(&x);
    }
    double Double() const {
        VARIANT x;
        VariantInit(&x);
        VariantChangeType(&x, const_cast<VARIANT*>(&v), 0, VT_R8);
        return V_R8(&x);
    }
    std::wstring Str() const { return V_VT(&v) == VT_BSTR && V_BSTR(&v) ? V_BSTR(&v) : L""; }
};

// Calls members by name only, as a script does.
class Script {
public:
    explicit Script(IDispatch* d) : d_(d) {}
    HRESULT Call(const wchar_t* name, WORD kind, std::vector<Var> args, Var* result = nullptr) {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR n = const_cast<LPOLESTR>(name);
        if (HRESULT hr = d_->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id); FAILED(hr)) return hr;
        std::vector<VARIANT> reversed;
        for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(it->v);
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS p{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        if (kind & DISPATCH_PROPERTYPUT) p.rgdispidNamedArgs = &put, p.cNamedArgs = 1;
        Var out;
        EXCEPINFO e{};
        UINT argErr = 0;
        const HRESULT hr = d_->Invoke(id, IID_NULL, 0, kind, &p, &out.v, &e, &argErr);
        error = e.bstrDescription ? e.bstrDescription : L"";
        com::FreeTexts(e);
        if (result) VariantCopy(&result->v, &out.v);
        return hr;
    }
    Var Get(const wchar_t* name, std::vector<Var> args = {}) {
        Var r;
        EXPECT_EQ(S_OK, Call(name, DISPATCH_PROPERTYGET, std::move(args), &r)) << name;
        return r;
    }
    // The new value goes last, after the index arguments.
    HRESULT Put(const wchar_t* name, Var value, std::vector<Var> args = {}) {
        args.push_back(std::move(value));
        return Call(name, DISPATCH_PROPERTYPUT, std::move(args));
    }
    HRESULT Method(const wchar_t* name, std::vector<Var> args = {}, Var* result = nullptr) {
        return Call(name, DISPATCH_METHOD, std::move(args), result);
    }

    std::wstring error;  // the last failed call's description

private:
    IDispatch* d_;
};

struct ZEVuduMembersTest : test::HostedControlTest {
    ZEVuduMembersTest() { hostProc = HostProc; }
    void SetUp() override {
        HostedControlTest::SetUp();
        g_statusRecords = 0;
        folder = std::filesystem::temp_directory_path() /
                 ("zevudu_members_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        HostedControlTest::TearDown();
        std::error_code ec;
        for (auto& f : std::filesystem::directory_iterator(folder, ec))
            SetFileAttributesW(f.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(folder, ec);
    }
    Script Host(bool userMode = true) {
        control = &HostedControlTest::Host({}, userMode);
        if (control->Running()) control->Running()->Data.System = beeps;
        return Script(static_cast<IZEVudu*>(control));
    }
    Editor& Ed() { return *control->Running(); }
    std::wstring File(const wchar_t* name) const { return (folder / name).wstring(); }
    Var HostHandle() const { return Var(static_cast<int32_t>(reinterpret_cast<intptr_t>(parent))); }
    static std::string Bytes(const std::wstring& file) {
        std::ifstream in(std::filesystem::path(file), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<tessaly::aWordInfo> Words() {
        std::vector<tessaly::aWordInfo> w;
        for (int32_t i = 0; i < Ed().Data.WordCount(); ++i)
            w.push_back(Ed().Data.WordInfo[static_cast<size_t>(i)].Expand());
        return w;
    }
    static bool SameWords(const std::vector<tessaly::aWordInfo>& a, const std::vector<tessaly::aWordInfo>& b) {
        return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0;
    }
    // An undoable change of the document through the members.
    void Change(Script& s) {
        ASSERT_EQ(S_OK, s.Put(L"ExtralType", Var(int32_t{5}), {Var(int32_t{0}), Var(int32_t{7})}));
    }

    std::filesystem::path folder;
    test::CountedBeeps beeps;  // outlives the controls
    ZEVudu* control = nullptr;
};

TEST_F(ZEVuduMembersTest, ZoomIsCutToTwoDecimalsAndClampedWithOneBeep) {
    Script s = Host();
    ASSERT_EQ(S_OK, s.Put(L"pScale", Var(3.0)));
    EXPECT_FLOAT_EQ(2.4f, static_cast<float>(s.Get(L"pscale").Double()));
    EXPECT_EQ(1, beeps.beeps);
    ASSERT_EQ(S_OK, s.Put(L"PSCALE", Var(1.005)));
    EXPECT_FLOAT_EQ(1.0f, static_cast<float>(s.Get(L"pScale").Double()));
    EXPECT_EQ(1, beeps.beeps);
    ASSERT_EQ(S_OK, s.Put(L"pScale", Var(0.3)));
    EXPECT_FLOAT_EQ(0.55f, static_cast<float>(s.Get(L"pScale").Double()));
    EXPECT_EQ(2, beeps.beeps);
    EXPECT_EQ(DISP_E_EXCEPTION, s.Put(L"pScale", Var(std::nan(""))));
    EXPECT_FLOAT_EQ(0.55f, static_cast<float>(s.Get(L"pScale").Double()));
}

// A large custom paper: zoom 1 fits the buffers, 2.4 does not and keeps everything at 1.
TEST_F(ZEVuduMembersTest, AZoomWhoseBuffersAreRefusedKeepsTheOldZoomEverywhere) {
    Script s = Host();
    tessaly::AboutPageInfo page = Ed().Data.AboutPageInfo;
    page.PaperType = 9;
    page.PageSize = {500, 700};
    SendMessageW(control->Window(), tessaly::EM_SetPageSeting, 0, reinterpret_cast<LPARAM>(&page));
    ASSERT_EQ(9, Ed().Data.AboutPageInfo.PaperType);
    ASSERT_EQ(S_OK, s.Put(L"pScale", Var(1.0)));
    const int before = beeps.beeps;
    ASSERT_EQ(S_OK, s.Put(L"pScale", Var(2.4)));
    EXPECT_EQ(before + 1, beeps.beeps);
    EXPECT_FLOAT_EQ(1.0f, static_cast<float>(s.Get(L"pScale").Double()));
    EXPECT_DOUBLE_EQ(1.0, Ed().Renderer->Screen()->Screen().Scale());
}

TEST_F(ZEVuduMembersTest, SavingWritesByExtensionAndOnlySuccessClearsModified) {
    Script s = Host();
    Change(s);
    EXPECT_TRUE(s.Get(L"Modified").Long());
    const std::wstring saved = File(L"x.DADUR");
    g_statusRecords = 0;  // the change itself reported the caret
    ASSERT_EQ(S_OK, s.Method(L"SaveFile", {Var(saved.c_str()), HostHandle()}));
    EXPECT_FALSE(s.Get(L"Modified").Long());
    EXPECT_EQ(saved, s.Get(L"FileName").Str());
    EXPECT_EQ(1, g_statusRecords);
    // It reads back equal: loaded and saved again, the same bytes.
    ASSERT_EQ(S_OK, s.Put(L"FileName", Var(saved.c_str())));
    EXPECT_EQ(saved, s.Get(L"FileName").Str());
    ASSERT_EQ(S_OK, s.Method(L"SaveFile", {Var(File(L"again.dadur").c_str()), HostHandle()}));
    EXPECT_FALSE(Bytes(saved).empty());
    EXPECT_EQ(Bytes(saved), Bytes(File(L"again.dadur")));

    // The backup copy: no host window, so the name and the state stay.
    Change(s);
    ASSERT_EQ(S_OK, s.Method(L"SaveFile", {Var(File(L"backup.zoriv").c_str()), Var(int32_t{0})}));
    EXPECT_TRUE(std::filesystem::exists(folder / L"backup.zoriv"));
    EXPECT_TRUE(s.Get(L"Modified").Long());
    EXPECT_EQ(File(L"again.dadur"), s.Get(L"FileName").Str());
}

TEST_F(ZEVuduMembersTest, AFailedSaveKeepsModifiedTheNameAndTheFile) {
    Script s = Host();
    const std::wstring locked = File(L"locked.dadur");
    ASSERT_EQ(S_OK, s.Method(L"SaveFile", {Var(locked.c_str()), HostHandle()}));
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string before = Bytes(locked);
    Change(s);
    g_statusRecords = 0;
    for (const std::wstring& name : {locked, File(L"none\\x.dadur"), File(L"x.txt")}) {
        DialogCloser box(IDOK);
        EXPECT_EQ(DISP_E_EXCEPTION, s.Method(L"SaveFile", {Var(name.c_str()), HostHandle()})) << name;
        EXPECT_EQ(1u, box.Texts().size()) << name;
    }
    EXPECT_TRUE(s.Get(L"Modified").Long());
    EXPECT_EQ(locked, s.Get(L"FileName").Str());
    EXPECT_EQ(before, Bytes(locked));
    EXPECT_FALSE(std::filesystem::exists(folder / L"x.txt"));
    EXPECT_EQ(0, g_statusRecords);
}

// A script's save of a large document is written when the call returns, and its failure is its
// own: a new file, over an existing one, over one held open by another program, then a good path.
TEST_F(ZEVuduMembersTest, AScriptsSaveIsWrittenWhenTheCallReturns) {
    Script s = Host();
    test::FakeDocumentSource source;
    source.Files[u"big.dadur"] = test::SongDocument(std::string(60000, '1'));
    ASSERT_TRUE(LoadJpFile(Ed().Data, source, *Ed().Renderer, Ed(), reinterpret_cast<intptr_t>(parent), u"big.dadur"));
    ASSERT_GE(Ed().Data.WordCount(), 60000);
    const std::wstring whole = File(L"whole.dadur"), existing = File(L"existing.dadur"), held = File(L"held.dadur");
    ASSERT_EQ(S_OK, s.Method(L"SaveFile", {Var(whole.c_str()), HostHandle()}));
    const std::string expected = Bytes(whole);
    std::ofstream(std::filesystem::path(existing)) << "old";
    std::ofstream(std::filesystem::path(held)) << "old";
    for (int round = 0; round < 2; ++round) {
        const std::wstring fresh = File(round ? L"fresh2.dadur" : L"fresh.dadur");
        ASSERT_EQ(S_OK, s.Method(L"SaveFile", {Var(fresh.c_str()), Var(int32_t{0})}));
        EXPECT_EQ(expected, Bytes(fresh));
        ASSERT_EQ(S_OK, s.Method(L"SaveFile", {Var(existing.c_str()), Var(int32_t{0})}));
        EXPECT_EQ(expected, Bytes(existing));
        // Held open without sharing: this call fails, and the file is left as it was.
        {
            win::KernelHandle open(CreateFileW(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_NE(INVALID_HANDLE_VALUE, open.Get());
            EXPECT_EQ(DISP_E_EXCEPTION, s.Method(L"SaveFile", {Var(held.c_str()), Var(int32_t{0})}));
        }
        EXPECT_EQ("old", Bytes(held));
        // The next save to a good path is not handed that failure.
        const std::wstring after = File(round ? L"after2.dadur" : L"after.dadur");
        ASSERT_EQ(S_OK, s.Method(L"SaveFile", {Var(after.c_str()), Var(int32_t{0})}));
        EXPECT_EQ(expected, Bytes(after));
    }
    // The host's backup that fails beside the window: a script's save goes on to its own file,
    // and the failure is told to the host's next backup, once.
    com::Ptr<IZEVuduHost> host;
    control->QueryInterface(__uuidof(IZEVuduHost), host.OutVoid());
    ASSERT_TRUE(host);
    const com::Bstr nowhere(File(L"none\\b.Bak.DaDur"));
    ASSERT_EQ(S_OK, host->WriteBackup(nowhere.Get()));
    const std::wstring later = File(L"later.dadur");
    ASSERT_EQ(S_OK, s.Method(L"SaveFile", {Var(later.c_str()), Var(int32_t{0})}));
    EXPECT_EQ(expected, Bytes(later));
    EXPECT_EQ(E_FAIL, host->WriteBackup(nowhere.Get()));
}

TEST_F(ZEVuduMembersTest, OpeningKeepsTheShownDocumentUnlessANewOneIsRead) {
    Script s = Host();
    const std::wstring name = File(L"song.dadur");
    ASSERT_EQ(S_OK, s.Method(L"SaveFile", {Var(name.c_str()), HostHandle()}));
    Change(s);
    const auto words = Words();
    {
        DialogCloser box(IDOK);
        EXPECT_EQ(DISP_E_EXCEPTION, s.Put(L"FileName", Var(File(L"missing.dadur").c_str())));
        EXPECT_EQ(std::vector<std::wstring>{L"指定的文件没有找到。"}, box.Texts());
        EXPECT_EQ(std::vector<std::wstring>{L"打开..."}, box.Titles());
    }
    EXPECT_EQ(name, s.Get(L"FileName").Str());
    EXPECT_TRUE(SameWords(words, Words()));
    EXPECT_TRUE(s.Method(L"CanUndo") == S_OK && Ed().Commands->Undo.CanUndo());

    // A file that cannot be read: the reader's message; the rest as it was.
    const std::wstring broken = File(L"broken.zoriv");
    std::ofstream(std::filesystem::path(broken)) << "not a document";
    {
        DialogCloser box(IDOK);
        EXPECT_EQ(DISP_E_EXCEPTION, s.Put(L"FileName", Var(broken.c_str())));
        EXPECT_EQ(1u, box.Texts().size());
    }
    EXPECT_EQ(name, s.Get(L"FileName").Str());
    EXPECT_TRUE(SameWords(words, Words()));
    EXPECT_TRUE(Ed().Commands->Undo.CanUndo());
    EXPECT_TRUE(s.Get(L"Modified").Long());
    // A DaDur file refused after its reader told progress: the status comes last, so the host's
    // status bar shows the document again rather than the progress.
    const std::wstring refused = File(L"refused.dadur");
    std::ofstream(std::filesystem::path(refused), std::ios::binary) << Bytes(name) << "\\hwdata 1,2\n";
    g_progressReports = 0;
    {
        DialogCloser box(IDOK);
        EXPECT_EQ(DISP_E_EXCEPTION, s.Put(L"FileName", Var(refused.c_str())));
        EXPECT_EQ(1u, box.Texts().size());
    }
    EXPECT_GT(g_progressReports, 0);
    EXPECT_EQ(tessaly::EM_SendMsg, g_lastReport);
    EXPECT_TRUE(SameWords(words, Words()));
    // A file of another kind is refused, and the user told why.
    std::filesystem::copy_file(std::filesystem::path(name), folder / L"song.dadur.bak");
    {
        DialogCloser box(IDOK);
        EXPECT_EQ(DISP_E_EXCEPTION, s.Put(L"FileName", Var(File(L"song.dadur.bak").c_str())));
        EXPECT_EQ(std::vector<std::wstring>{L"只能打开 .DaDur 或 .ZoRiv 文件。"}, box.Texts());
        EXPECT_EQ(std::vector<std::wstring>{L"Tavolin"}, box.Titles());
    }
    EXPECT_EQ(name, s.Get(L"FileName").Str());

    // The built-in document, with its history emptied; the name given, NULs and all, goes.
    ASSERT_EQ(S_OK, s.Put(L"FileName", Var(L"")));
    EXPECT_EQ(L"", s.Get(L"FileName").Str());
    EXPECT_FALSE(Ed().Commands->Undo.CanUndo());
    EXPECT_FALSE(s.Get(L"Modified").Long());
    ASSERT_EQ(S_OK, s.Put(L"FileName", Var(name.c_str())));
    EXPECT_EQ(name, s.Get(L"FileName").Str());
}

TEST_F(ZEVuduMembersTest, AMarkTextEndingInsideACharacterReadsWithAReplacementCharacter) {
    Script s = Host();
    SetExtralWordVal3(Ed().Data, 0, 0, "ab\xD2");
    ASSERT_EQ(GetExtralWordVal3(Ed().Data, 0, 0), "ab\xD2");
    EXPECT_EQ(L"ab\uFFFD", s.Get(L"ExtralWordVal3", {Var(int32_t{0}), Var(int32_t{0})}).Str());
}

TEST_F(ZEVuduMembersTest, BadIndexesAreRefusedAndChangeNothing) {
    Script s = Host();
    const auto words = Words();
    const int32_t count = Ed().Data.WordCount();
    EXPECT_EQ(DISP_E_EXCEPTION, s.Put(L"ExtralWordVal1", Var(int32_t{8}), {Var(int32_t{0}), Var(int32_t{8})}));
    EXPECT_EQ(DISP_E_EXCEPTION, s.Put(L"ExtralWordVal2", Var(int32_t{8}), {Var(int32_t{0}), Var(int32_t{-1})}));
    EXPECT_EQ(DISP_E_EXCEPTION, s.Put(L"ExtralWordVal3", Var(L"x"), {Var(count), Var(int32_t{0})}));
    EXPECT_EQ(DISP_E_EXCEPTION, s.Put(L"ExtralType", Var(int32_t{3}), {Var(int32_t{-1}), Var(int32_t{0})}));
    EXPECT_EQ(DISP_E_EXCEPTION, s.Call(L"ExtralWordVal1", DISPATCH_PROPERTYGET, {Var(int32_t{0}), Var(int32_t{8})}));
    EXPECT_EQ(DISP_E_EXCEPTION, s.Call(L"SelIsCtl", DISPATCH_PROPERTYGET, {Var(count)}));
    EXPECT_EQ(DISP_E_EXCEPTION, s.Method(L"GetColorLng", {Var(int32_t{10000})}));
    EXPECT_EQ(DISP_E_EXCEPTION, s.Put(L"InputState", Var(int32_t{7})));
    EXPECT_EQ(DISP_E_EXCEPTION, s.Put(L"Paper", Var(int32_t{9})));
    EXPECT_TRUE(SameWords(words, Words()));
    EXPECT_FALSE(Ed().Commands->Undo.CanUndo());

    // A selection past the end is kept inside the document.
    ASSERT_EQ(S_OK, s.Put(L"SelStart", Var(count + 50)));
    EXPECT_EQ(count - 1, s.Get(L"SelStart").Long());
    ASSERT_EQ(S_OK, s.Put(L"SelLength", Var(int32_t{100})));
    EXPECT_EQ(1, s.Get(L"SelLength").Long());
    ASSERT_EQ(S_OK, s.Put(L"SelLength", Var(-count - 5)));
    EXPECT_EQ(-(count - 1), s.Get(L"SelLength").Long());
    // A source line that is no line is not taken.
    ASSERT_EQ(S_OK, s.Put(L"CPdqLine", Var(int32_t{100000})));
    EXPECT_EQ(-1, s.Get(L"CPdqLine").Long());
    ASSERT_EQ(S_OK, s.Put(L"XjdqLine", Var(int32_t{-2})));
    EXPECT_EQ(-1, s.Get(L"XjdqLine").Long());
}

// Values without a glyph, a mark, a page number or a page are refused, and change nothing.
TEST_F(ZEVuduMembersTest, ValuesOutOfRangeAreRefusedAndChangeNothing) {
    Script s = Host();
    ASSERT_EQ(S_OK, s.Put(L"SelStart", Var(int32_t{0})));
    ASSERT_EQ(S_OK, s.Put(L"SelLength", Var(int32_t{3})));
    const auto words = Words();
    const tessaly::AboutPageInfo page = Ed().Data.AboutPageInfo;
    const struct {
        const wchar_t* Name;
        Var Value;
        std::vector<Var> Args;
        HRESULT Hr;
    } rows[] = {
        {L"WordYC", Var(int32_t{4}), {}, S_OK},  // a beep
        {L"WordYg", Var(int32_t{7}), {}, S_OK},
        {L"WordYg", Var(int32_t{255}), {}, S_OK},
        {L"ExtralType", Var(int32_t{181}), {Var(int32_t{0}), Var(int32_t{0})}, DISP_E_EXCEPTION},
        {L"ExtralType", Var(int32_t{-3}), {Var(int32_t{0}), Var(int32_t{0})}, DISP_E_EXCEPTION},
        {L"SelFontSize", Var(int32_t{32767}), {}, DISP_E_EXCEPTION},
        {L"SelFontSize", Var(int32_t{0}), {}, DISP_E_EXCEPTION},
        {L"SelFontSize", Var(int32_t{-10}), {}, DISP_E_EXCEPTION},
        {L"SelFontSize", Var(std::nan("")), {}, DISP_E_EXCEPTION},
        {L"SelFontName", Var(L""), {}, DISP_E_EXCEPTION},
        {L"PgNumberSize", Var(int32_t{3}), {}, DISP_E_EXCEPTION},
        {L"PagePosType", Var(int32_t{6}), {}, DISP_E_EXCEPTION},
        {L"UpSpace", Var(1e6), {}, DISP_E_EXCEPTION},
        {L"SelWordUpSpace", Var(int32_t{-30000}), {}, DISP_E_EXCEPTION},
    };
    for (const auto& r : rows) EXPECT_EQ(r.Hr, s.Put(r.Name, r.Value, r.Args)) << r.Name;
    EXPECT_EQ(3, beeps.beeps);
    // Through the page-setup message: a zoom out of range, a custom paper of two metres.
    tessaly::AboutPageInfo bad = page;
    bad.nScale = 3;
    SendMessageW(control->Window(), tessaly::EM_SetPageSeting, 0, reinterpret_cast<LPARAM>(&bad));
    bad = page;
    bad.PaperType = 9;
    bad.PageSize = {2000, 297};
    SendMessageW(control->Window(), tessaly::EM_SetPageSeting, 0, reinterpret_cast<LPARAM>(&bad));
    EXPECT_EQ(0, std::memcmp(&page, &Ed().Data.AboutPageInfo, sizeof page));
    EXPECT_TRUE(SameWords(words, Words()));
    EXPECT_FALSE(Ed().Commands->Undo.CanUndo());
}

// Each attribute command given the value the selection has records no step, after another value
// recorded one. An empty other value: the note takes none (an underline).
TEST_F(ZEVuduMembersTest, ACommandThatChangesNothingRecordsNoStep) {
    Script s = Host();
    const int32_t note = 0;
    ASSERT_EQ(S_OK, s.Put(L"InputState", Var(int32_t{tessaly::JpState})));
    SendMessageW(control->Window(), WM_CHAR, '5', 0);
    ASSERT_EQ(1, Ed().Data.WordInfo[0].IsJpGcCtl);
    Ed().Commands->Undo.ZeroUnDoReDoVal();
    const std::vector<Var> slot{Var(note), Var(int32_t{7})};
    const struct {
        const wchar_t* Name;
        std::vector<Var> Args;
        Var Other;
    } rows[] = {
        {L"SelFontName", {}, Var(L"黑体")},
        {L"SelFontSize", {}, Var(int32_t{30})},
        {L"SelFontBold", {}, Var(true)},
        {L"SelFontItalic", {}, Var(true)},
        {L"SelFontUnderline", {}, Var()},
        {L"SelFontStrikeOut", {}, Var()},
        {L"SelForeColor", {}, Var(int32_t{0xFF})},
        {L"SelWordBkColor", {}, Var(int32_t{0xFF00})},
        {L"SelWordSpace", {}, Var(int32_t{7})},
        {L"SelWordUpSpace", {}, Var(int32_t{5})},
        {L"UpSpace", {}, Var(6.5)},
        {L"WordYC", {}, Var(int32_t{2})},
        {L"WordYg", {}, Var(int32_t{5})},
        {L"Alignment", {}, Var(int32_t{2})},
        {L"LineSpace", {}, Var(int32_t{12})},
        {L"PartAtt", {}, Var()},
        {L"ExtralType", slot, Var(int32_t{5})},
        {L"ExtralWordVal1", slot, Var(int32_t{3})},
        {L"ExtralWordVal2", slot, Var(int32_t{4})},
        {L"ExtralWordVal3", slot, Var(L"x")},
        {L"SelZhuYingPosY", {}, Var()},
        {L"Paper", {}, Var(int32_t{1})},
        {L"BoxBackGroundType", {}, Var(int32_t{1})},
        {L"PagePosType", {}, Var(int32_t{3})},
        {L"PgNumberSize", {}, Var(int32_t{1})},
    };
    UndoRedo& undo = Ed().Commands->Undo;
    for (const auto& r : rows) {
        ASSERT_EQ(S_OK, s.Put(L"SelStart", Var(note)));
        ASSERT_EQ(S_OK, s.Put(L"SelLength", Var(int32_t{1})));
        if (V_VT(&r.Other.v) != VT_EMPTY) {
            EXPECT_EQ(S_OK, s.Put(r.Name, r.Other, r.Args)) << r.Name;
            EXPECT_TRUE(undo.CanUndo()) << r.Name;
            undo.ZeroUnDoReDoVal();
        }
        const auto words = Words();
        EXPECT_EQ(S_OK, s.Put(r.Name, s.Get(r.Name, r.Args), r.Args)) << r.Name;
        EXPECT_FALSE(undo.CanUndo()) << r.Name;
        EXPECT_TRUE(SameWords(words, Words())) << r.Name;
    }
}

TEST_F(ZEVuduMembersTest, DirectChangesAreUndoableAndPauseNeedsPlayback) {
    Script s = Host();
    const auto words = Words();
    Change(s);
    EXPECT_EQ(5, s.Get(L"ExtralType", {Var(int32_t{0}), Var(int32_t{7})}).Long());
    EXPECT_TRUE(s.Get(L"Modified").Long());
    Ed().Commands->Undo.UserUndo();
    EXPECT_TRUE(SameWords(words, Words()));

    // The metre from the play settings, into the first time signature (one is planted when the
    // document has none).
    EditorData& d = Ed().Data;
    int32_t word = 0, at = 7;
    for (int32_t i = d.WordCount() - 1; i >= 0; --i)
        for (int32_t k = 7; k >= 0; --k)
            if (d.WordInfo[static_cast<size_t>(i)].ExtralWordInfo[k].IndexType == kMarkTimeSignature) word = i, at = k;
    const tessaly::aExtralWordInfo original = d.WordInfo[static_cast<size_t>(word)].ExtralWordInfo[at];
    d.WordInfo[static_cast<size_t>(word)].EditMark(
        static_cast<size_t>(at), [](tessaly::aExtralWordInfo& m) { m.IndexType = kMarkTimeSignature; });
    d.PlayInfo.JiePai = 9;
    const auto marked = Words();
    ApplyPlayTimeSignature(Ed());
    EXPECT_EQ(12, s.Get(L"ExtralWordVal1", {Var(word), Var(at)}).Long());
    EXPECT_EQ(8, s.Get(L"ExtralWordVal2", {Var(word), Var(at)}).Long());
    EXPECT_TRUE(s.Get(L"Modified").Long());
    Ed().Commands->Undo.UserUndo();
    EXPECT_TRUE(SameWords(marked, Words()));
    d.WordInfo[static_cast<size_t>(word)].SetMark(static_cast<size_t>(at), original);

    ASSERT_EQ(S_OK, s.Put(L"暂停", Var(true)));
    EXPECT_FALSE(s.Get(L"暂停").Long());
    EXPECT_FALSE(s.Get(L"正在播放").Long());
    // The drum editor hands back to the play settings when it closes.
    for (auto [form, dialogs] : {std::pair{L"EditDrum", 2u}, {L"设置演唱参数", 1u}}) {
        DialogCloser box(IDOK);
        EXPECT_EQ(S_OK, s.Method(form));
        EXPECT_EQ(dialogs, box.Texts().size()) << form;
    }
    EXPECT_TRUE(SameWords(words, Words()));
}

// Every member by name: a call as the host makes it, and one it should not make. Nothing
// crashes, and each answers S_OK or refuses with an error.
TEST_F(ZEVuduMembersTest, EveryMemberAnswersAValidAndAnInvalidCall) {
    Script s = Host();
    // A note, so that the export has something to sound.
    EXPECT_EQ(S_OK, s.Put(L"InputState", Var(int32_t{tessaly::JpState})));
    SendMessageW(Ed().Window, WM_CHAR, '1', 0);
    const std::wstring mid = File(L"song.mid");
    const std::wstring pic = File(L"page.png");
    struct Row {
        const wchar_t* name;
        WORD kind;
        std::vector<Var> good;
        std::vector<Var> bad;  // empty: the call of the wrong kind is the bad one
    };
    constexpr WORD G = DISPATCH_PROPERTYGET, P = DISPATCH_PROPERTYPUT, M = DISPATCH_METHOD;
    const Var text(L"abc"), zero(int32_t{0}), one(int32_t{1}), yes(true), big(int32_t{100000});
    const std::vector<Row> rows = {
        {L"Appearance", G, {}, {}},
        {L"Appearance", P, {one}, {text}},
        {L"BackStyle", P, {one}, {text}},
        {L"BorderStyle", P, {one}, {text}},
        {L"Enabled", P, {yes}, {text}},
        {L"SelLength", P, {zero}, {text}},
        {L"SelStart", P, {zero}, {text}},
        {L"WordYg", G, {}, {}},
        {L"WordYg", P, {one}, {text}},
        {L"CanSetWordYg", M, {}, {}},
        {L"CanSetWordYc", M, {}, {}},
        {L"WordYC", P, {one}, {text}},
        {L"hwnd", G, {}, {}},
        {L"HwWordColor", P, {zero}, {text}},
        {L"HwWordFocus", G, {}, {}},
        {L"SetFocus", M, {}, {}},
        {L"SelWordSpace", P, {one}, {text}},
        {L"SelWordUpSpace", P, {one}, {big}},
        {L"InputState", P, {one}, {zero}},
        {L"HuXianYPos", M, {}, {}},
        {L"ScrollBars", P, {Var(int32_t{4})}, {text}},
        {L"ChangMingScale", P, {Var(int32_t{80})}, {big}},
        {L"CanCopy", M, {}, {}},
        {L"CanUndo", M, {}, {}},
        {L"CanRedo", M, {}, {}},
        {L"CanCut", M, {}, {}},
        {L"CanPaste", M, {}, {}},
        {L"SelIsCtl", G, {zero}, {big}},
        {L"CanDel", M, {}, {}},
        {L"DelYY", M, {}, {}},
        {L"CanFormatYYInfo", M, {}, {}},
        {L"SetQianYY", P, {yes}, {text}},
        {L"ExtralWordVal1", P, {zero, zero, one}, {zero, Var(int32_t{8}), one}},
        {L"ExtralWordVal2", G, {zero, zero}, {big, zero}},
        {L"ExtralWordVal3", P, {zero, zero, text}, {zero, big, text}},
        {L"ExtralType", G, {zero, zero}, {zero, Var(int32_t{9})}},
        {L"CurLine", G, {}, {}},
        {L"ChangExtralType", M, {Var(int32_t{1}), Var(int32_t{2})}, {text, text}},
        {L"ConChangInputWord", M, {Var(int32_t{1}), Var(int32_t{2})}, {text, text}},
        {L"WordShuPaiSpace", G, {}, {}},
        {L"DelSelZhuYing", M, {}, {}},
        {L"SelZhuYingPosY", P, {one}, {big}},
        {L"hdc", M, {}, {}},
        {L"SelAll", M, {}, {}},
        {L"WordFont", G, {zero}, {}},
        {L"WordFont", P, {zero, Var()}, {zero, one}},
        {L"SelFontName", P, {Var(L"宋体")}, {}},
        {L"SelFontBold", P, {yes}, {text}},
        {L"SelFontItalic", P, {yes}, {text}},
        {L"SelFontUnderline", P, {yes}, {text}},
        {L"SelFontStrikeOut", P, {yes}, {text}},
        {L"SelFontSize", P, {Var(int32_t{12})}, {big}},
        {L"SelForeColor", P, {Var(int32_t{255})}, {text}},
        {L"SelWordBkColor", P, {zero}, {text}},
        {L"GetColorLng", M, {zero}, {big}},
        {L"RefreshExtralChang", M, {}, {}},
        {L"RefreshAll", M, {}, {}},
        {L"RefreshSel", M, {}, {}},
        {L"CanDelYY", G, {}, {}},
        {L"CanDelAreaInfo", G, {Var(int32_t{72})}, {text}},
        {L"IsKfKhTFZRight", G, {}, {}},
        {L"IsKhHuXianRight", G, {}, {}},
        {L"IsKhLingYingRight", G, {}, {}},
        {L"IsKHTFZRight", G, {}, {}},
        {L"InsterHwWord", M, {zero}, {Var(int32_t{5})}},
        {L"TurnToYFWord", M, {}, {}},
        {L"CanShuPaiWord", M, {}, {}},
        {L"Alignment", P, {one}, {Var(int32_t{6})}},
        {L"FristLineStr", G, {}, {}},
        {L"PrintDoc", M, {}, {}},
        {L"pScale", P, {one}, {text}},
        {L"Modified", P, {Var(false)}, {text}},
        {L"LineSpace", P, {Var(int32_t{10})}, {text}},
        {L"CPdqLine", P, {Var(int32_t{-1})}, {text}},
        {L"XjdqLine", P, {Var(int32_t{-1})}, {text}},
        {L"JiePaiHaoWidth", M, {zero, zero}, {}},
        {L"Paper", P, {one}, {Var(int32_t{2})}},
        {L"BoxBackGroundType", P, {one}, {text}},
        {L"PagePosType", P, {one}, {text}},
        {L"PgNumberSize", P, {one}, {text}},
        {L"SavePic", M, {Var(pic.c_str())}, {}},
        {L"关闭音乐", M, {}, {}},
        {L"暂停", P, {yes}, {text}},
        {L"正在播放", G, {}, {}},
        {L"播放音乐", M, {}, {}},
        {L"FileName", G, {}, {}},
        {L"SaveMidFile", M, {Var(mid.c_str())}, {Var(File(L"none\\a.mid").c_str())}},
        {L"PartAtt", G, {}, {}},
        {L"PartAtt", P, {Var()}, {text}},
        {L"UpSpace", P, {Var(2.0)}, {text}},
    };
    // The paragraph settings and the font put back as they were read.
    Var part = s.Get(L"PartAtt");
    Var font = s.Get(L"WordFont", {zero});
    for (const Row& row : rows) {
        std::vector<Var> good = row.good;
        if (std::wstring(row.name) == L"PartAtt" && row.kind == P) good = {part};
        if (std::wstring(row.name) == L"WordFont" && row.kind == P) good = {zero, font};
        {
            DialogCloser box(IDOK);  // the MIDI file's report
            EXPECT_EQ(S_OK, s.Call(row.name, row.kind, good)) << row.name;
        }
        DialogCloser box(IDOK);
        const HRESULT bad =
            row.bad.empty() ? s.Call(row.name, row.kind == M ? G | P : M, {}) : s.Call(row.name, row.kind, row.bad);
        EXPECT_TRUE(FAILED(bad) || (row.bad.empty() && bad == S_OK)) << row.name;
    }
    EXPECT_TRUE(std::filesystem::exists(mid));
    EXPECT_EQ(DISP_E_UNKNOWNNAME, s.Method(L"NoSuchMember"));
}

// In a form designer the attribute members answer 0 and change nothing; the others fail.
TEST_F(ZEVuduMembersTest, InAFormDesignerMembersFailWithoutHarm) {
    Script s = Host(false);
    EXPECT_EQ(0, s.Get(L"WordYg").Long());
    EXPECT_EQ(S_OK, s.Put(L"pScale", Var(3.0)));
    EXPECT_EQ(S_OK, s.Put(L"FileName", Var(L"")));
    EXPECT_EQ(L"", s.Get(L"FileName").Str());
    EXPECT_EQ(DISP_E_EXCEPTION, s.Method(L"SelAll"));
    EXPECT_EQ(DISP_E_EXCEPTION, s.Method(L"SaveFile", {Var(File(L"x.dadur").c_str()), HostHandle()}));
    EXPECT_FALSE(std::filesystem::exists(folder / L"x.dadur"));
}

// A control a script makes is placed in no window: its pictures are drawn all the same, and a
// name it cannot write fails the call with the reason.
TEST_F(ZEVuduMembersTest, AScriptsControlInNoWindowWritesPicturesOrFailsTheCall) {
    com::Ptr<IZEVudu> z;
    ASSERT_EQ(S_OK, ZEVudu::Create(__uuidof(IZEVudu), z.OutVoid()));
    ASSERT_EQ(S_OK, z.As<IPersistStreamInit>()->InitNew());
    ASSERT_TRUE(static_cast<ZEVudu*>(z.Get())->Running());
    Script s(z.Get());
    EXPECT_EQ(S_OK, s.Method(L"SavePic", {Var(File(L"a.png").c_str())}));
    EXPECT_EQ(0u, Bytes(File(L"a.PNG")).rfind("\x89PNG", 0));
    // Without the scroll service its renderer keeps no screen: the pictures need none.
    Editor& ed = *static_cast<ZEVudu*>(z.Get())->Running();
    std::unique_ptr<PageRenderer> kept = std::exchange(
        ed.Renderer, MakePageRenderer(RenderTarget{ed.Data, ed.Window, nullptr, nullptr}));  // others still hold it
    ASSERT_EQ(nullptr, ed.Renderer->Screen());
    EXPECT_EQ(S_OK, s.Method(L"SavePic", {Var(File(L"d.png").c_str())}));
    ed.Renderer = std::move(kept);
    EXPECT_EQ(0u, Bytes(File(L"d.PNG")).rfind("\x89PNG", 0));
    const struct {
        const wchar_t* name;
        const wchar_t* told;
    } refused[] = {{L"b.xyz", L"“.xyz”"}, {L"none\\c.png", L"路径未找到"}};  // the ending as typed
    for (const auto& r : refused) {
        EXPECT_EQ(DISP_E_EXCEPTION, s.Method(L"SavePic", {Var(File(r.name).c_str())})) << r.name;
        EXPECT_NE(std::wstring::npos, s.error.find(r.told)) << s.error;
    }
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(folder), {}));
}

}  // namespace
}  // namespace notaline
