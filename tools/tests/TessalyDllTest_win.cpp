#include <windows.h>
#include <gtest/gtest.h>
#include <objbase.h>

#include "api/IDataTypes.h"
#include "api/IDrumPatterns.h"
#include "api/IMakeMid.h"
#include "api/IPlayNote.h"
#include "api/IVbGetWindowsZoom.h"
#include "com/ComPtr.h"
#include "com/Create.h"

namespace {

struct ComApartment : ::testing::Environment {
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};
const auto* const kApartment = ::testing::AddGlobalTestEnvironment(new ComApartment);

VARIANT CallByName(IDispatch* d, const wchar_t* name, std::vector<VARIANT> args = {}) {
    DISPID id = 0;
    LPOLESTR n = const_cast<LPOLESTR>(name);
    EXPECT_EQ(S_OK, d->GetIDsOfNames(IID_NULL, &n, 1, 0, &id)) << "no member " << name;
    std::vector<VARIANT> rev(args.rbegin(), args.rend());
    DISPPARAMS p{rev.data(), nullptr, static_cast<UINT>(rev.size()), 0};
    VARIANT r;
    VariantInit(&r);
    EXPECT_EQ(S_OK, d->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &p, &r, nullptr, nullptr));
    return r;
}

TEST(Tessaly, AnsiCodePageIsChinese) {
    EXPECT_EQ(936u, GetACP());
}

TEST(Tessaly, ZoomIsCreatedFromTheProgramFolderWithoutRegistration) {
    auto zoom = com::CreateFromDll<IVbGetWindowsZoom>(L"Tessaly.dll", CLSID_VbGetWindowsZoom);
    ASSERT_TRUE(zoom);
    LONG dpi = 0, percent = 0;
    ASSERT_EQ(S_OK, zoom->GetCurrentDpi(0, &dpi));
    ASSERT_EQ(S_OK, zoom->GetWindowsZoomPercentage(0, &percent));
    EXPECT_GT(dpi, 0);
    EXPECT_EQ(0, percent % 25);
    double factor = 0;
    zoom->GetWindowsZoomFactor(&factor);
    EXPECT_DOUBLE_EQ(percent / 100.0, factor);

    // The same answers by name and by dispatch identifier.
    VARIANT r = CallByName(zoom.Get(), L"getcurrentdpi");
    EXPECT_EQ(dpi, V_I4(&r));
    VARIANT hwnd;
    V_VT(&hwnd) = VT_I4;
    V_I4(&hwnd) = 0;
    DISPPARAMS p{&hwnd, nullptr, 1, 0};
    VariantInit(&r);
    ASSERT_EQ(S_OK, zoom->Invoke(dispid::VbGetWindowsZoom::GetWindowsZoomPercentage, IID_NULL, 0, DISPATCH_METHOD, &p,
                                 &r, nullptr, nullptr));
    EXPECT_EQ(percent, V_I4(&r));
    r = CallByName(zoom.Get(), L"GetWindowsZoomFactor");
    EXPECT_DOUBLE_EQ(factor, V_R8(&r));
}

TEST(Tessaly, DataTypesHasNoMembers) {
    auto types = com::CreateFromDll<IDataTypes>(L"Tessaly.dll", CLSID_DataTypes);
    ASSERT_TRUE(types);
    DISPID id = 0;
    LPOLESTR n = const_cast<LPOLESTR>(L"Anything");
    EXPECT_EQ(DISP_E_UNKNOWNNAME, types->GetIDsOfNames(IID_NULL, &n, 1, 0, &id));
}

TEST(Tessaly, RegistersAndUnregistersItself) {
    HMODULE dll = LoadLibraryW((com::ProgramFolder() + L"Tessaly.dll").c_str());
    ASSERT_NE(nullptr, dll);
    auto reg =
        reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(GetProcAddress(dll, "DllRegisterServer")));
    auto unreg = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(dll, "DllUnregisterServer")));
    ASSERT_TRUE(reg && unreg);
    ASSERT_EQ(S_OK, reg());

    CLSID fromProgId{};
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"Tessaly.VbGetWindowsZoom", &fromProgId));
    EXPECT_TRUE(IsEqualCLSID(CLSID_VbGetWindowsZoom, fromProgId));
    // The drum-pattern class 分析鼓点 goes by an ASCII ProgID.
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"Tessaly.FenXiGuDian", &fromProgId));
    EXPECT_TRUE(IsEqualCLSID(CLSID_DrumPatterns, fromProgId));
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"Tessaly.MakeMid", &fromProgId));
    EXPECT_TRUE(IsEqualCLSID(CLSID_MakeMid, fromProgId));
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"Tessaly.PlayNote", &fromProgId));
    EXPECT_TRUE(IsEqualCLSID(CLSID_PlayNote, fromProgId));
    com::Ptr<IDispatch> zoom;
    ASSERT_EQ(S_OK,
              CoCreateInstance(CLSID_VbGetWindowsZoom, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, zoom.OutVoid()));
    VARIANT r = CallByName(zoom.Get(), L"GetCurrentDpi");
    EXPECT_GT(V_I4(&r), 0);
    zoom.Reset();

    ASSERT_EQ(S_OK, unreg());
    EXPECT_NE(S_OK, CLSIDFromProgID(L"Tessaly.VbGetWindowsZoom", &fromProgId));
    EXPECT_EQ(REGDB_E_CLASSNOTREG,
              CoCreateInstance(CLSID_VbGetWindowsZoom, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, zoom.OutVoid()));
}

}  // namespace
