#include <windows.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "DaDurSystem_win.h"
#include "api/IReadWriteRtf.h"
#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "com/Create.h"
#include "records/Messages.h"
#include "text/Cp936.h"

namespace {

using tessaly::JpData;

// A window that records the progress it is sent.
struct ProgressWindow {
    static inline std::vector<int32_t> received;
    HWND hwnd = nullptr;
    ProgressWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == tessaly::EM_RunPre) {
                received.push_back(*reinterpret_cast<const int32_t*>(l));
                return 0;
            }
            return DefWindowProcW(h, m, w, l);
        };
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"DaDurProgressTest";
        RegisterClassW(&wc);
        hwnd = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        received.clear();
    }
    ~ProgressWindow() { DestroyWindow(hwnd); }
};

// A document without a font table, so that reading it asks about no installed font.
JpData SmallDocument() {
    JpData d;
    d.ColorTbl = {0xFFFFFFFFu, 0xFF000000u};
    const std::string text = tessaly::Utf16ToCp936(u"歌词ab").value();
    for (auto ch : tessaly::SplitGbkChars(text)) {
        tessaly::aWordInfo w;
        w.WdAsc = *tessaly::WdAscFromGbk(ch);
        w.cf = 1;
        w.SelSize = 10.5f;
        d.WordInfo.push_back(w);
    }
    d.WordInfo[0].ExtralWordInfo[0] = {37, 0, 0, {'x', ',', 'y'}};
    d.FileInfo.WordCount = static_cast<int32_t>(d.WordInfo.size());
    d.PlayInfo.TotalTrack = 1;
    d.PlayInfo.MainTrack = 1;
    d.PlayInfo.Track.resize(1);
    return d;
}

TEST(ReadWriteRtf, WritesAndReadsAFileWithAChineseName) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        const std::filesystem::path dir = std::filesystem::temp_directory_path() / L"读写测试";
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        const std::wstring name = (dir / L"歌曲.DaDur").wstring();

        auto writer = com::CreateFromDll<IReadWriteRtf>(L"Tessaly.dll", CLSID_ReadWriteRtf);
        ASSERT_TRUE(writer);
        const JpData doc = SmallDocument();
        ASSERT_EQ(S_OK, writer->LetJpData(&doc));
        ProgressWindow window;
        VARIANT_BOOL ok = VARIANT_FALSE;
        com::Bstr file(name);
        ASSERT_EQ(S_OK, writer->WriteRtfFile(file.Get(), reinterpret_cast<LONG_PTR>(window.hwnd), &ok));
        EXPECT_EQ(VARIANT_TRUE, ok);
        EXPECT_EQ((std::vector<int32_t>{0, 25, 50, 75}), ProgressWindow::received);
        // Saving again replaces the file, and leaves nothing else in the folder.
        ASSERT_EQ(S_OK, writer->WriteRtfFile(file.Get(), 0, &ok));
        EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir), {}));

        auto reader = com::CreateFromDll<IReadWriteRtf>(L"Tessaly.dll", CLSID_ReadWriteRtf);
        ASSERT_TRUE(reader);
        ProgressWindow::received.clear();
        ASSERT_EQ(S_OK, reader->ReadRtfFile(reinterpret_cast<LONG_PTR>(window.hwnd), file.Get(), &ok));
        EXPECT_EQ(VARIANT_TRUE, ok);
        EXPECT_FALSE(ProgressWindow::received.empty());
        EXPECT_EQ(0, ProgressWindow::received.front());
        JpData back;
        ASSERT_EQ(S_OK, reader->GetJpData(&back));
        ASSERT_EQ(4, back.FileInfo.WordCount);
        EXPECT_EQ(doc.WordInfo[1].WdAsc, back.WordInfo[1].WdAsc);
        EXPECT_EQ(10.5f, back.WordInfo[3].SelSize);
        EXPECT_EQ(1, back.WordInfo[3].cf);
        com::Bstr text;
        ASSERT_EQ(S_OK, reader->SetV3ArrToStr(0, 0, text.Out()));
        EXPECT_STREQ(L"x,y", text.Get());

        // A failed read answers failure and keeps the document.
        com::Bstr missing((dir / L"无.DaDur").wstring());
        EXPECT_EQ(E_FAIL, reader->ReadRtfFile(0, missing.Get(), &ok));
        EXPECT_EQ(VARIANT_FALSE, ok);
        ASSERT_EQ(S_OK, reader->GetJpData(&back));
        EXPECT_EQ(4, back.FileInfo.WordCount);

        // A failed write answers failure, says why and keeps the file.
        ASSERT_TRUE(SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_READONLY));
        const auto before = std::filesystem::file_size(name);
        JpData bigger = doc;
        bigger.WordInfo.resize(40, doc.WordInfo[2]);
        bigger.FileInfo.WordCount = 40;
        writer->LetJpData(&bigger);
        EXPECT_EQ(E_FAIL, writer->WriteRtfFile(file.Get(), 0, &ok));
        EXPECT_EQ(VARIANT_FALSE, ok);
        EXPECT_EQ(before, std::filesystem::file_size(name));
        {
            DISPID write = 0;
            LPOLESTR member = const_cast<LPOLESTR>(L"WriteRtfFile");
            ASSERT_EQ(S_OK, writer->GetIDsOfNames(IID_NULL, &member, 1, 0, &write));
            VARIANT args[2];
            V_VT(&args[0]) = VT_I4;  // reversed: the window, then the file name
            V_I4(&args[0]) = 0;
            V_VT(&args[1]) = VT_BSTR;
            V_BSTR(&args[1]) = file.Get();
            DISPPARAMS p{args, nullptr, 2, 0};
            EXCEPINFO e{};
            EXPECT_EQ(DISP_E_EXCEPTION, writer->Invoke(write, IID_NULL, 0, DISPATCH_METHOD, &p, nullptr, &e, nullptr));
            EXPECT_EQ(L"文件只读，不能覆盖: " + name, std::wstring(e.bstrDescription ? e.bstrDescription : L""));
            com::FreeTexts(e);
        }
        SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);

        // By name through IDispatch.
        DISPID id = 0;
        LPOLESTR member = const_cast<LPOLESTR>(L"readrtffile");
        ASSERT_EQ(S_OK, reader->GetIDsOfNames(IID_NULL, &member, 1, 0, &id));
        EXPECT_EQ(dispid::ReadWriteRtf::ReadRtfFile, id);
        VARIANT args[2];
        V_VT(&args[0]) = VT_BSTR;  // reversed: the file name is the second argument
        V_BSTR(&args[0]) = file.Get();
        V_VT(&args[1]) = VT_I4;
        V_I4(&args[1]) = 0;
        DISPPARAMS p{args, nullptr, 2, 0};
        VARIANT r;
        VariantInit(&r);
        ASSERT_EQ(S_OK, reader->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &p, &r, nullptr, nullptr));
        EXPECT_EQ(VARIANT_TRUE, V_BOOL(&r));
        V_BSTR(&args[0]) = missing.Get();
        EXCEPINFO e{};
        EXPECT_EQ(DISP_E_EXCEPTION, reader->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &p, &r, &e, nullptr));
        com::FreeTexts(e);
        std::filesystem::remove_all(dir);
    }
    CoUninitialize();
}

}  // namespace

namespace {

TEST(WindowsDaDurSystem, AnswersFromTheRunningSystem) {
    tessaly::WindowsDaDurSystem system;
    const auto fonts = system.InstalledFonts();
    ASSERT_FALSE(fonts.empty());
    bool tahoma = false;
    bool song = false;  // 宋体, drawn in the test prefix by the face it is substituted with
    for (const auto& f : fonts) {
        tahoma = tahoma || f == "Tahoma";
        song = song || f == "\xCB\xCE\xCC\xE5";
    }
    EXPECT_TRUE(tahoma);
    EXPECT_TRUE(song);
    EXPECT_GT(system.ZoomFactor(), 0.0);
    EXPECT_GT(system.CurrentDpi(), 0);
    system.Progress(0, 50);  // no window: nothing is sent
}

}  // namespace
