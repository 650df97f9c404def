#include <windows.h>
#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>

#include "DialogCloser_win.h"
#include "api/ImCommonDialog.h"
#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "com/Create.h"
#include "records/Dialogs.h"
#include "win/KernelHandles.h"

namespace {

std::wstring ProgramFolderNoSlash() {
    std::wstring f = com::ProgramFolder();
    return f.substr(0, f.size() - 1);
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

void Touch(const std::wstring& path) {
    const win::KernelHandle h(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_NE(INVALID_HANDLE_VALUE, h.Get());
}

struct CommonDialogTest : ::testing::Test {
    com::Ptr<ImCommonDialog> dlg = com::CreateFromDll<ImCommonDialog>(L"Tessaly.dll", CLSID_mCommonDialog);
    void SetUp() override { ASSERT_TRUE(dlg); }
    LONG ApiReturn() {
        LONG v = -7;
        dlg->get_APIReturn(&v);
        return v;
    }
    LONG ExtendedError() {
        LONG v = -7;
        dlg->get_ExtendedError(&v);
        return v;
    }
};

const std::wstring kDocFilter = L"简谱文档(*.DaDur)|*.DaDur|旧格式文档(*.ZoRiv)|*.ZoRiv";

TEST_F(CommonDialogTest, OpenCancelledEmptiesTheOutputs) {
    com::Bstr name(L"春天.DaDur"), title, filter(kDocFilter), caption(L"选择打开文件");
    LONG index = 2, flags = 0;
    VARIANT_BOOL ok = VARIANT_TRUE;
    DialogCloser closer(IDCANCEL);
    ASSERT_EQ(S_OK, dlg->VBGetOpenFileName(name.Ref(), title.Ref(), nullptr, nullptr, nullptr, nullptr, filter.Ref(),
                                           &index, nullptr, caption.Ref(), nullptr, nullptr, &flags, &ok));
    const auto titles = closer.Titles();
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(L"选择打开文件", titles[0]);
    EXPECT_EQ(VARIANT_FALSE, ok);
    EXPECT_EQ(L"", name.Str());
    EXPECT_EQ(L"", title.Str());
    EXPECT_EQ(L"", filter.Str());
    EXPECT_EQ(-1, index);
    EXPECT_EQ(0, flags);
    EXPECT_EQ(0, ApiReturn());
    EXPECT_EQ(0, ExtendedError());  // a cancel is no failure
}

TEST_F(CommonDialogTest, OpenStartsInTheSongFolderAndReturnsTheChosenFile) {
    const std::wstring songs = ProgramFolderNoSlash() + L"\\歌曲";
    CreateDirectoryW(songs.c_str(), nullptr);
    const std::wstring file = songs + L"\\对话测试春天.DaDur";
    Touch(file);
    com::Bstr name(L"对话测试春天.DaDur"), title, filter(kDocFilter), initDir(L"C:\\");
    LONG index = 1, flags = 0;
    VARIANT_BOOL readOnly = VARIANT_TRUE, ok = VARIANT_FALSE;
    DialogCloser closer(IDOK);
    ASSERT_EQ(S_OK, dlg->VBGetOpenFileName(name.Ref(), title.Ref(), nullptr, nullptr, &readOnly, nullptr, filter.Ref(),
                                           &index, initDir.Ref(), nullptr, nullptr, nullptr, &flags, &ok));
    EXPECT_EQ(1, closer.Presses());
    DeleteFileW(file.c_str());
    EXPECT_EQ(VARIANT_TRUE, ok);
    EXPECT_EQ(1, ApiReturn());
    EXPECT_EQ(file, name.Str());  // whatever InitDir said, and no trailing NULs
    EXPECT_EQ(L"对话测试春天.DaDur", title.Str());
    EXPECT_EQ(1, index);
    EXPECT_EQ(std::wstring(L"简谱文档(*.DaDur)\0*.DaDur", 21), filter.Str());
    EXPECT_TRUE(flags & tessaly::OFN_FILEMUSTEXIST);
    EXPECT_EQ(readOnly == VARIANT_TRUE, (flags & tessaly::OFN_READONLY) != 0);
}

TEST_F(CommonDialogTest, OpenByDispatchWritesBackByReference) {
    DISPID id = 0;
    LPOLESTR n = const_cast<LPOLESTR>(L"vbgetopenfilename");
    ASSERT_EQ(S_OK, dlg->GetIDsOfNames(IID_NULL, &n, 1, 0, &id));
    EXPECT_EQ(dispid::mCommonDialog::VBGetOpenFileName, id);
    com::Bstr name(L"x.DaDur"), filter(L"All (*.*)| *.*");
    LONG index = 1;
    VARIANT args[8];  // Filename ... FilterIndex, reversed; the middle ones left out
    for (auto& a : args) {
        V_VT(&a) = VT_ERROR;
        V_ERROR(&a) = DISP_E_PARAMNOTFOUND;
    }
    V_VT(&args[7]) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&args[7]) = name.Ref();
    V_VT(&args[1]) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&args[1]) = filter.Ref();
    V_VT(&args[0]) = VT_I4 | VT_BYREF;
    V_I4REF(&args[0]) = &index;
    DISPPARAMS p{args, nullptr, 8, 0};
    VARIANT r;
    VariantInit(&r);
    DialogCloser closer(IDCANCEL);
    ASSERT_EQ(S_OK, dlg->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &p, &r, nullptr, nullptr));
    closer.Titles();
    EXPECT_EQ(VT_BOOL, V_VT(&r));
    EXPECT_EQ(VARIANT_FALSE, V_BOOL(&r));
    EXPECT_EQ(L"", name.Str());
    EXPECT_EQ(L"", filter.Str());
    EXPECT_EQ(-1, index);
}

TEST_F(CommonDialogTest, SaveInAChineseFolderAddsTheDefaultExtension) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"保存对话测试";
    CreateDirectoryW(dir.c_str(), nullptr);
    DeleteFileW((dir + L"\\新曲.DaDur").c_str());
    com::Bstr name(L"新曲"), title, filter(L"简谱文档(*.DaDur)|*.DaDur|所有文件 (*.*)|*.*"), initDir(dir),
        ext(L"DaDur"), caption(L"选择保存文件");
    LONG index = 1, flags = 0;
    VARIANT_BOOL ok = VARIANT_FALSE;
    DialogCloser closer(IDOK);
    ASSERT_EQ(S_OK, dlg->VBGetSaveFileName(name.Ref(), title.Ref(), nullptr, filter.Ref(), &index, initDir.Ref(),
                                           caption.Ref(), ext.Ref(), nullptr, &flags, &ok));
    const auto titles = closer.Titles();
    ASSERT_EQ(VARIANT_TRUE, ok);
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(L"选择保存文件", titles[0]);
    // The system adds the extension in its own letter case.
    EXPECT_TRUE(SameName(dir + L"\\新曲.DaDur", name.Str())) << name.Str();
    EXPECT_TRUE(SameName(L"新曲.DaDur", title.Str())) << title.Str();
    EXPECT_EQ(1, index);
    EXPECT_EQ(std::wstring(L"简谱文档(*.DaDur)\0*.DaDur", 21), filter.Str());
    EXPECT_TRUE(flags & tessaly::OFN_HIDEREADONLY);
    EXPECT_TRUE(flags & tessaly::OFN_OVERWRITEPROMPT);
}

TEST_F(CommonDialogTest, SaveCancelledGivesFilterIndexZero) {
    com::Bstr name(L"新曲.DaDur"), title;
    LONG index = 1, flags = 5;
    VARIANT_BOOL ok = VARIANT_TRUE;
    DialogCloser closer(IDCANCEL);
    ASSERT_EQ(S_OK, dlg->VBGetSaveFileName(name.Ref(), title.Ref(), nullptr, nullptr, &index, nullptr, nullptr, nullptr,
                                           nullptr, &flags, &ok));
    EXPECT_EQ(1, closer.Presses());
    EXPECT_EQ(VARIANT_FALSE, ok);
    EXPECT_EQ(L"", name.Str());
    EXPECT_EQ(0, index);
    EXPECT_EQ(0, flags);
    EXPECT_EQ(0, ExtendedError());
}

TEST_F(CommonDialogTest, ColourConfirmedAndCancelled) {
    LONG color = RGB(255, 0, 0);
    VARIANT_BOOL ok = VARIANT_FALSE, disableFull = VARIANT_TRUE;
    {
        DialogCloser closer(IDOK);
        ASSERT_EQ(S_OK, dlg->VBChooseColor(&color, nullptr, nullptr, &disableFull, nullptr, nullptr, &ok));
        EXPECT_EQ(1, closer.Presses());
    }
    EXPECT_EQ(VARIANT_TRUE, ok);
    EXPECT_EQ(RGB(255, 0, 0), color);
    EXPECT_EQ(1, ApiReturn());
    {
        DialogCloser closer(IDCANCEL);
        ASSERT_EQ(S_OK, dlg->VBChooseColor(&color, nullptr, nullptr, nullptr, nullptr, nullptr, &ok));
    }
    EXPECT_EQ(VARIANT_FALSE, ok);
    EXPECT_EQ(-1, color);
    EXPECT_EQ(0, ExtendedError());
}

TEST_F(CommonDialogTest, CustomColoursStartAsSystemColours) {
    LONG c = 0;
    dlg->get_CustomColor(0, &c);
    EXPECT_EQ(LONG(GetSysColor(0)), c);
    dlg->get_CustomColor(15, &c);
    EXPECT_EQ(LONG(GetSysColor(15)), c);
    dlg->get_CustomColor(16, &c);
    EXPECT_EQ(-1, c);
    dlg->get_CustomColor(-1, &c);
    EXPECT_EQ(-1, c);
    dlg->put_CustomColor(3, RGB(1, 2, 3));
    dlg->put_CustomColor(16, RGB(9, 9, 9));
    dlg->get_CustomColor(3, &c);
    EXPECT_EQ(RGB(1, 2, 3), c);
}

TEST_F(CommonDialogTest, FileTitleOfAChinesePath) {
    com::Bstr file(L"C:\\歌曲\\春天.DaDur");
    com::Bstr title;
    ASSERT_EQ(S_OK, dlg->VBGetFileTitle(file.Ref(), title.Out()));
    const std::wstring t = title.Str();
    EXPECT_TRUE(t == L"春天.DaDur" || t == L"春天") << t;  // the system may hide known extensions
}

TEST_F(CommonDialogTest, FontDialogChangesTheFontInPlace) {
    FONTDESC desc{sizeof desc, const_cast<LPOLESTR>(L"Tahoma"), {120000, 0}, FW_BOLD, DEFAULT_CHARSET, FALSE, FALSE,
                  FALSE};
    com::Ptr<IDispatch> font;
    ASSERT_EQ(S_OK, OleCreateFontIndirect(&desc, IID_IDispatch, font.OutVoid()));
    VARIANT_BOOL ok = VARIANT_TRUE;
    {
        DialogCloser closer(IDCANCEL);
        ASSERT_EQ(S_OK, dlg->VBChooseFont(font.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &ok));
        EXPECT_EQ(1, closer.Presses());
    }
    EXPECT_EQ(VARIANT_FALSE, ok);
    EXPECT_EQ(0, ExtendedError());
    LONG flags = 0;
    {
        DialogCloser closer(IDOK);
        ASSERT_EQ(S_OK, dlg->VBChooseFont(font.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, &flags, &ok));
    }
    ASSERT_EQ(VARIANT_TRUE, ok);
    EXPECT_TRUE(flags & tessaly::CF_ScreenFonts);
    EXPECT_TRUE(flags & tessaly::CF_InitToLogFontStruct);
    auto fontDisp = font.As<IFont>();
    ASSERT_TRUE(fontDisp);
    com::Bstr name;
    fontDisp->get_Name(name.Out());
    EXPECT_STREQ(L"Tahoma", name.Get());
    CY size{};
    fontDisp->get_Size(&size);
    EXPECT_EQ(120000, size.int64);
    BOOL bold = FALSE;
    fontDisp->get_Bold(&bold);
    EXPECT_TRUE(bold);
}

// A dialog that could not even be shown answers neither success nor a cancel's empty result silently:
// the raw result stays readable, and the outputs are those of a failure.
TEST_F(CommonDialogTest, ADialogThatFailsIsNoSuccess) {
    LONG_PTR notAWindow = 0x7777;
    LONG color = RGB(1, 2, 3);
    VARIANT_BOOL ok = VARIANT_TRUE;
    {
        DialogCloser closer(IDOK);
        ASSERT_EQ(S_OK, dlg->VBChooseColor(&color, nullptr, nullptr, nullptr, &notAWindow, nullptr, &ok));
        EXPECT_EQ(0, closer.Presses());
    }
    EXPECT_EQ(VARIANT_FALSE, ok);
    EXPECT_EQ(-1, color);
    EXPECT_NE(1, ApiReturn());

    com::Bstr name(L"春天.DaDur");
    LONG index = 1;
    ok = VARIANT_TRUE;
    {
        DialogCloser closer(IDOK);
        ASSERT_EQ(S_OK, dlg->VBGetOpenFileName(name.Ref(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &index,
                                               nullptr, nullptr, nullptr, &notAWindow, nullptr, &ok));
        EXPECT_EQ(0, closer.Presses());
    }
    EXPECT_EQ(VARIANT_FALSE, ok);
    EXPECT_EQ(L"", name.Str());
    EXPECT_EQ(-1, index);
}

// Without a printer the print and page-setup dialogs cannot work; they must say so.
TEST_F(CommonDialogTest, PrintAndPageSetupReportFailureOrCancel) {
    LONG_PTR hdc = 12345;
    VARIANT_BOOL ok = VARIANT_TRUE;
    std::vector<std::wstring> seen;
    {
        DialogCloser closer(IDCANCEL);
        ASSERT_EQ(S_OK, dlg->VBPrintDlg(&hdc, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &ok));
        seen = closer.Titles();
    }
    EXPECT_EQ(VARIANT_FALSE, ok);
    EXPECT_EQ(12345, hdc);  // left as it was
    EXPECT_EQ(0, ApiReturn());
    if (seen.empty()) {
        EXPECT_NE(0, ExtendedError());
    }

    LONG left = 1;
    ok = VARIANT_TRUE;
    {
        DialogCloser closer(IDCANCEL);
        ASSERT_EQ(S_OK, dlg->VBPageSetupDlg(nullptr, nullptr, nullptr, nullptr, nullptr, &left, nullptr, nullptr,
                                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                            nullptr, nullptr, nullptr, &ok));
        closer.Titles();
    }
    EXPECT_EQ(VARIANT_FALSE, ok);
    EXPECT_EQ(1, left);
}

// Last in the file: from here on the dialogs start where this test chose its files.
TEST_F(CommonDialogTest, DialogsThenStartInTheFolderLastUsed) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"上次的文件夹";
    CreateDirectoryW(dir.c_str(), nullptr);
    Touch(dir + L"\\旧曲.DaDur");
    DeleteFileW((dir + L"\\新曲.DaDur").c_str());
    const struct {
        bool save;
        const wchar_t* initDir;
        const wchar_t* name;
    } rows[] = {{true, dir.c_str(), L"新曲.DaDur"}, {false, L"", L"旧曲.DaDur"}, {true, L"", L"新曲.DaDur"}};
    for (const auto& r : rows) {
        com::Bstr name(r.name), title, filter(kDocFilter), initDir(r.initDir);
        LONG index = 1, flags = 0;
        VARIANT_BOOL ok = VARIANT_FALSE;
        DialogCloser closer(IDOK);
        if (r.save)
            ASSERT_EQ(S_OK, dlg->VBGetSaveFileName(name.Ref(), title.Ref(), nullptr, filter.Ref(), &index,
                                                   initDir.Ref(), nullptr, nullptr, nullptr, &flags, &ok));
        else
            ASSERT_EQ(S_OK,
                      dlg->VBGetOpenFileName(name.Ref(), title.Ref(), nullptr, nullptr, nullptr, nullptr, filter.Ref(),
                                             &index, initDir.Ref(), nullptr, nullptr, nullptr, &flags, &ok));
        EXPECT_EQ(VARIANT_TRUE, ok) << r.name;
        EXPECT_TRUE(SameName(dir + L"\\" + r.name, name.Str())) << name.Str();
    }
    DeleteFileW((dir + L"\\旧曲.DaDur").c_str());
    RemoveDirectoryW(dir.c_str());
}

}  // namespace
