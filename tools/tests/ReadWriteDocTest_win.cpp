#include <windows.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <filesystem>
#include <fstream>

#include "api/IReadWriteDoc.h"
#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "com/Create.h"
#include "com/Variant.h"
#include "records/Messages.h"

namespace {

using tessaly::JpData;

struct ComApartment : ::testing::Environment {
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};
const auto* const kApartment = ::testing::AddGlobalTestEnvironment(new ComApartment);

// A window that notes the percentages of the progress messages it receives.
std::vector<int32_t> gProgress;
LRESULT CALLBACK ProgressProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == tessaly::EM_RunPre) {
        gProgress.push_back(*reinterpret_cast<const int32_t*>(lp));
        return 0;
    }
    return DefWindowProcW(w, m, wp, lp);
}
HWND ProgressWindow() {
    static HWND window = [] {
        WNDCLASSW c{};
        c.lpfnWndProc = ProgressProc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"ZoRivProgressTest";
        RegisterClassW(&c);
        return CreateWindowW(L"ZoRivProgressTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, c.hInstance, nullptr);
    }();
    return window;
}

JpData Document() {
    JpData d;
    d.FileInfo.DaDurVer = 1;
    d.FontTbl = {{"Tolvane", 2, 14, 4}, {"\xCB\xCE\xCC\xE5", 134, 15, 2}};
    d.FileInfo.FontTblCount = 2;
    d.ColorTbl = {0, 0xFFFFFF};
    d.FileInfo.ColorTblCount = 2;
    d.FileInfo.m_cb = 1;
    d.WordInfo.resize(3);
    d.WordInfo[0].WdAsc = '1';
    d.WordInfo[0].WdSpace = 6;
    d.WordInfo[1].WdAsc = static_cast<int16_t>(0xCBCE);
    d.WordInfo[1].nLogFont.FontTblIndex = 1;
    d.WordInfo[2].WdAsc = '-';
    d.WordInfo[2].IsJpGcCtl = 3;
    d.WordInfo[2].ExtralWordInfo[0] = {159, 25, 0, {}};
    d.FileInfo.WordCount = 3;
    d.PlayInfo.Track.resize(1);
    d.PlayInfo.Track[0].Volume = 100;
    d.PlayInfo.TotalTrack = 1;
    d.PlayInfo.Bpm = 90;
    return d;
}

class ReadWriteDocTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / L"读写测试";
        std::filesystem::create_directories(folder_);
        gProgress.clear();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    com::Ptr<IReadWriteDoc> Create() {
        auto doc = com::CreateFromDll<IReadWriteDoc>(L"Tessaly.dll", CLSID_ReadWriteDoc);
        EXPECT_TRUE(doc);
        return doc;
    }
    std::filesystem::path folder_;
};

TEST_F(ReadWriteDocTest, SavesAndLoadsADocumentWithProgress) {
    const std::wstring name = (folder_ / L"歌曲.ZoRiv").wstring();
    { std::ofstream(std::filesystem::path(name), std::ios::binary) << std::string(9000, 'x'); }
    auto writer = Create();
    const JpData d = Document();
    ASSERT_EQ(S_OK, writer->LetJpData(&d));
    ASSERT_EQ(S_OK, writer->WriteDocFile(com::Bstr(name).Get(), reinterpret_cast<LONG_PTR>(ProgressWindow())));
    EXPECT_EQ((std::vector<int32_t>{5, 10, 12, 15, 20, 25, 60, 65, 85, 99}), gProgress);
    writer.Reset();
    // The longer file it replaced is gone whole, and no temporary is left.
    EXPECT_EQ(27u + 34 + 10 + 154 + 10 + 18 + 15 + 8 + 3 * 304 + 154, std::filesystem::file_size(name));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(folder_), {}));

    gProgress.clear();
    auto reader = Create();
    LONG_PTR window = reinterpret_cast<LONG_PTR>(ProgressWindow());
    VARIANT_BOOL ok = VARIANT_FALSE;
    ASSERT_EQ(S_OK, reader->ReadDocFile(&window, com::Bstr(name).Get(), &ok));
    EXPECT_EQ(VARIANT_TRUE, ok);
    EXPECT_EQ((std::vector<int32_t>{5, 8, 10, 20, 30, 60, 70, 80, 99}), gProgress);
    JpData r;
    ASSERT_EQ(S_OK, reader->GetJpData(&r));
    ASSERT_EQ(3u, r.WordInfo.size());
    EXPECT_EQ(static_cast<int16_t>(0xCBCE), r.WordInfo[1].WdAsc);
    EXPECT_EQ(1, r.WordInfo[1].nLogFont.FontTblIndex);
    EXPECT_EQ(25, r.WordInfo[2].ExtralWordInfo[0].ExtralWordVal1);
    EXPECT_EQ("\xCB\xCE\xCC\xE5", r.FontTbl[1].FontName);
    EXPECT_EQ(90, r.PlayInfo.Bpm);

    // Without a window a save sends nothing.
    gProgress.clear();
    ASSERT_EQ(S_OK, reader->WriteDocFile(com::Bstr(name).Get(), 0));
    EXPECT_TRUE(gProgress.empty());
}

TEST_F(ReadWriteDocTest, AMissingFileRaisesError53WithItsName) {
    const std::wstring name = (folder_ / L"没有.ZoRiv").wstring();
    auto doc = Create();
    LONG_PTR window = 0;
    VARIANT_BOOL ok = VARIANT_TRUE;
    EXPECT_EQ(static_cast<HRESULT>(0x800A0035), doc->ReadDocFile(&window, com::Bstr(name).Get(), &ok));
    EXPECT_EQ(VARIANT_FALSE, ok);
    IErrorInfo* info = nullptr;
    ASSERT_EQ(S_OK, GetErrorInfo(0, &info));
    com::Bstr description;
    info->GetDescription(description.Out());
    EXPECT_EQ(L"文件未找到: " + name, description.Str());
    info->Release();

    // The same through dispatch, by name.
    DISPID id = 0;
    LPOLESTR member = const_cast<LPOLESTR>(L"readdocfile");
    ASSERT_EQ(S_OK, doc->GetIDsOfNames(IID_NULL, &member, 1, 0, &id));
    EXPECT_EQ(dispid::ReadWriteDoc::ReadDocFile, id);
    const com::Variant file(name);
    VARIANT args[2];
    args[0] = file.Raw();
    V_VT(&args[1]) = VT_I4 | VT_BYREF;
    LONG hwnd = 0;
    V_I4REF(&args[1]) = &hwnd;
    DISPPARAMS params{args, nullptr, 2, 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO excep{};
    EXPECT_EQ(DISP_E_EXCEPTION, doc->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, &excep, nullptr));
    EXPECT_EQ(static_cast<HRESULT>(0x800A0035), excep.scode);
    EXPECT_EQ(L"文件未找到: " + name, std::wstring(excep.bstrDescription));
    com::FreeTexts(excep);
}

TEST_F(ReadWriteDocTest, ACorruptFileLeavesTheObjectsDocument) {
    const std::wstring name = (folder_ / L"short.ZoRiv").wstring();
    { std::ofstream(std::filesystem::path(name), std::ios::binary) << std::string(100, '\x01'); }
    auto doc = Create();
    const JpData d = Document();
    ASSERT_EQ(S_OK, doc->LetJpData(&d));
    LONG_PTR window = 0;
    VARIANT_BOOL ok = VARIANT_TRUE;
    const HRESULT hr = doc->ReadDocFile(&window, com::Bstr(name).Get(), &ok);
    EXPECT_TRUE(FAILED(hr));
    EXPECT_EQ(static_cast<HRESULT>(0x800A0000), hr & 0xFFFF0000);
    EXPECT_EQ(VARIANT_FALSE, ok);
    JpData r;
    ASSERT_EQ(S_OK, doc->GetJpData(&r));
    EXPECT_EQ(3u, r.WordInfo.size());
    EXPECT_EQ(90, r.PlayInfo.Bpm);

    // A save that cannot be made is reported, and the file stays.
    JpData bad = Document();
    bad.FileInfo.WordCount = 4;
    ASSERT_EQ(S_OK, doc->LetJpData(&bad));
    EXPECT_TRUE(FAILED(doc->WriteDocFile(com::Bstr(name).Get(), 0)));
    EXPECT_EQ(100u, std::filesystem::file_size(name));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(folder_), {}));
}

TEST_F(ReadWriteDocTest, TheDocumentPassesByAddressThroughDispatch) {
    auto doc = Create();
    JpData d = Document();
    DISPID id = 0;
    LPOLESTR member = const_cast<LPOLESTR>(L"LetJpData");
    ASSERT_EQ(S_OK, doc->GetIDsOfNames(IID_NULL, &member, 1, 0, &id));
    VARIANT address;
    V_VT(&address) = VT_I8;
    V_I8(&address) = reinterpret_cast<LONGLONG>(&d);
    DISPPARAMS params{&address, nullptr, 1, 0};
    ASSERT_EQ(S_OK, doc->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr));
    JpData r;
    V_I8(&address) = reinterpret_cast<LONGLONG>(&r);
    ASSERT_EQ(S_OK, doc->Invoke(dispid::ReadWriteDoc::GetJpData, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                                nullptr, nullptr));
    EXPECT_EQ(3u, r.WordInfo.size());
    EXPECT_EQ(d.FontTbl[1].FontName, r.FontTbl[1].FontName);
}

}  // namespace
