#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "api/IReadWriteIni.h"
#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "com/Create.h"
#include "com/Variant.h"
#include "win/KernelHandles.h"

namespace {

// A fresh folder with a Chinese name under the temporary folder.
std::wstring ChineseTempFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + name;
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

std::string FileBytes(const std::wstring& path) {
    const win::KernelHandle h(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!h) return {};
    std::string bytes(GetFileSize(h.Get(), nullptr), '\0');
    DWORD read = 0;
    ReadFile(h.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

VARIANT Call(IDispatch* d, const wchar_t* name, std::vector<std::wstring> args, WORD kind = DISPATCH_METHOD) {
    DISPID id = 0;
    LPOLESTR n = const_cast<LPOLESTR>(name);
    EXPECT_EQ(S_OK, d->GetIDsOfNames(IID_NULL, &n, 1, 0, &id)) << "no member";
    com::Variants rev;
    for (auto it = args.rbegin(); it != args.rend(); ++it) rev.Items().push_back(com::Variant(*it).Detach());
    DISPPARAMS p{rev.data(), nullptr, rev.size(), 0};
    VARIANT r;
    VariantInit(&r);
    EXPECT_EQ(S_OK, d->Invoke(id, IID_NULL, 0, kind, &p, &r, nullptr, nullptr));
    return r;
}

// The text a call left in v, which it takes over.
std::wstring Text(VARIANT& v) {
    const auto owned = com::Variant::Attach(std::exchange(v, VARIANT{}));
    const VARIANT& x = owned.Raw();
    return V_VT(&x) == VT_BSTR && V_BSTR(&x) ? std::wstring(V_BSTR(&x), SysStringLen(V_BSTR(&x))) : L"?";
}

struct ReadWriteIniTest : ::testing::Test {
    com::Ptr<IReadWriteIni> ini = com::CreateFromDll<IReadWriteIni>(L"Tessaly.dll", CLSID_ReadWriteIni);
    std::wstring dir = ChineseTempFolder(L"曲谱服务测试");
    std::wstring file = dir + L"\\用户设置.ini";
    void SetUp() override {
        ASSERT_TRUE(ini);
        DeleteFileW(file.c_str());
    }
    std::wstring Read(const wchar_t* section, const wchar_t* key) {
        VARIANT v;
        VariantInit(&v);
        EXPECT_EQ(S_OK, ini->ReadINIFile(section, key, file.c_str(), 1, &v));
        EXPECT_EQ(VT_BSTR, V_VT(&v));
        return Text(v);
    }
};

TEST_F(ReadWriteIniTest, ChineseSectionsKeysAndValuesRoundTrip) {
    EXPECT_EQ(L"", Read(L"面板", L"位置"));  // no file yet
    ASSERT_EQ(S_OK, ini->WriteINIFile(L"面板", L"位置", L"左侧·停靠 2", file.c_str()));
    ASSERT_EQ(S_OK, ini->WriteINIFile(L"最近文件", L"文件1", L"C:\\歌曲\\春天.DaDur", file.c_str()));
    EXPECT_EQ(L"左侧·停靠 2", Read(L"面板", L"位置"));
    EXPECT_EQ(L"C:\\歌曲\\春天.DaDur", Read(L"最近文件", L"文件1"));
    EXPECT_EQ(L"", Read(L"面板", L"没有的键"));
    EXPECT_EQ(L"", Read(L"没有的节", L"位置"));

    // The file is text in the Chinese ANSI code page, as other tools of the system read it.
    const std::string bytes = FileBytes(file);
    EXPECT_NE(std::string::npos, bytes.find("[\xC3\xE6\xB0\xE5]")) << bytes;  // [面板]
    EXPECT_EQ(std::string::npos, bytes.find('\0'));

    // The same through dispatch, by name.
    const auto written =
        com::Variant::Attach(Call(ini.Get(), L"WriteINIFile", {L"说明", L"弧线起点", L"连音线的起点", file}));
    VARIANT r = Call(ini.Get(), L"readinifile", {L"说明", L"弧线起点", file, L"1"});
    EXPECT_EQ(L"连音线的起点", Text(r));
}

TEST_F(ReadWriteIniTest, LongValuesReadBackAs254Bytes) {
    const std::wstring ascii(300, L'x');
    ini->WriteINIFile(L"节", L"长", ascii.c_str(), file.c_str());
    EXPECT_EQ(std::wstring(254, L'x'), Read(L"节", L"长"));
    const std::wstring chinese(150, L'谱');
    ini->WriteINIFile(L"节", L"中文", chinese.c_str(), file.c_str());
    EXPECT_EQ(std::wstring(127, L'谱'), Read(L"节", L"中文"));
}

TEST_F(ReadWriteIniTest, FileExistsFindsNormalFilesOnly) {
    ini->WriteINIFile(L"a", L"b", L"c", file.c_str());
    VARIANT_BOOL yes = VARIANT_FALSE;
    ASSERT_EQ(S_OK, ini->FileExists(file.c_str(), &yes));
    EXPECT_EQ(VARIANT_TRUE, yes);
    auto exists = [&](const std::wstring& name) {
        VARIANT_BOOL b = VARIANT_TRUE;
        EXPECT_EQ(S_OK, ini->FileExists(name.c_str(), &b));
        return b == VARIANT_TRUE;
    };
    EXPECT_TRUE(exists(dir + L"\\*.ini"));
    EXPECT_FALSE(exists(dir));  // a folder
    EXPECT_FALSE(exists(dir + L"\\没有.DaDur"));
    EXPECT_FALSE(exists(L"Q:\\no<such>|name"));
    EXPECT_FALSE(exists(L""));
    const std::wstring hidden = dir + L"\\隐藏.txt";
    win::KernelHandle h(
        CreateFileW(hidden.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
    ASSERT_NE(INVALID_HANDLE_VALUE, h.Get());
    h.Close();
    EXPECT_FALSE(exists(hidden));
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(hidden.c_str());

    VARIANT r = Call(ini.Get(), L"FileExists", {file});
    EXPECT_EQ(VT_BOOL, V_VT(&r));
    EXPECT_EQ(VARIANT_TRUE, V_BOOL(&r));
}

TEST_F(ReadWriteIniTest, DesktopIsAFolder) {
    com::Bstr path;
    ASSERT_EQ(S_OK, ini->DeskTopPath(path.Ref()));
    ASSERT_FALSE(path.Str().empty());
    EXPECT_EQ(std::wstring::npos, path.Str().find(L'\0'));
    const DWORD attributes = GetFileAttributesW(path.Get());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    VARIANT r = Call(ini.Get(), L"DeskTopPath", {});
    EXPECT_EQ(path.Str(), Text(r));
}

TEST_F(ReadWriteIniTest, FileNameParts) {
    auto noExt = [&](const wchar_t* p) {
        com::Bstr b;
        EXPECT_EQ(S_OK, ini->GetFileNameNoExt(p, b.Ref()));
        return b.Str();
    };
    auto ext = [&](const wchar_t* p) {
        com::Bstr b;
        EXPECT_EQ(S_OK, ini->GetFileExtName(p, b.Ref()));
        return b.Str();
    };
    EXPECT_EQ(L"a.b", noExt(L"a.b.c"));
    EXPECT_EQ(L"春天", noExt(L"C:\\歌曲\\春天.DaDur"));
    EXPECT_EQ(L"readme", noExt(L"readme"));
    EXPECT_EQ(L"", noExt(nullptr));
    EXPECT_EQ(L".DaDur", ext(L"C:\\歌曲\\春天.DaDur"));
    EXPECT_EQ(L".txt", ext(L"C:\\歌曲\\春天"));
    EXPECT_EQ(L".c", ext(L"a.b.c"));
    VARIANT r = Call(ini.Get(), L"GetFileNameNoExt", {L"D:\\曲库\\小河.淌水.ZoRiv"});
    EXPECT_EQ(L"小河.淌水", Text(r));
    r = Call(ini.Get(), L"GetFileExtName", {L"D:\\曲库\\小河.淌水.ZoRiv"});
    EXPECT_EQ(L".ZoRiv", Text(r));
}

}  // namespace
