// The control's members called through its vtable agree with the same members through IDispatch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/Bstr.h"
#include "com/Variant.h"
#include "control/tests/HostedControlTest_win.h"

namespace notaline {
namespace {

struct Outcome {
    HRESULT hr = S_OK;
    VARIANT value;
    EXCEPINFO excep{};
    Outcome() { VariantInit(&value); }
    ~Outcome() {
        com::Variant::Attach(value);
        com::FreeTexts(excep);
    }
    int32_t Long() {
        VARIANT x;
        VariantInit(&x);
        VariantChangeType(&x, &value, 0, VT_I4);
        return V_I4(&x);
    }
};

struct ZEVuduVtableTest : test::HostedControlTest {
    // The site keeps the control alive for the test.
    static IZEVudu* Vtable(ZEVudu& z) {
        IZEVudu* itf = nullptr;
        EXPECT_EQ(S_OK, static_cast<IZEVudu&>(z).QueryInterface(__uuidof(IZEVudu), reinterpret_cast<void**>(&itf)));
        if (itf) itf->Release();
        return itf;
    }
    // args in declared order; a put's value last.
    static void Invoke(IDispatch* d, DISPID id, WORD kind, std::vector<VARIANT> args, Outcome& out) {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPID put = DISPID_PROPERTYPUT;
        const bool isPut = kind == DISPATCH_PROPERTYPUT;
        DISPPARAMS p{reversed.data(), isPut ? &put : nullptr, static_cast<UINT>(reversed.size()), isPut ? 1u : 0u};
        UINT argErr = 0;
        out.hr = d->Invoke(id, IID_NULL, 0, kind, &p, &out.value, &out.excep, &argErr);
    }
    static VARIANT Long(int32_t v) {
        VARIANT x;
        VariantInit(&x);
        V_VT(&x) = VT_I4, V_I4(&x) = v;
        return x;
    }
    static std::wstring ErrorText() {
        IErrorInfo* info = nullptr;
        if (GetErrorInfo(0, &info) != S_OK || !info) return L"";
        com::Bstr text;
        info->GetDescription(text.Out());
        info->Release();
        std::wstring s = text ? text.Get() : L"";
        return s;
    }
};

namespace id = dispid::ZEVudu;

TEST_F(ZEVuduVtableTest, PropertiesAndMethodsAgreeWithDispatch) {
    ZEVudu& z = Host();
    IZEVudu* v = Vtable(z);
    // One object, one interface: IDispatch is the dual interface itself.
    IDispatch* d = nullptr;
    ASSERT_EQ(S_OK, v->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d)));
    EXPECT_EQ(static_cast<void*>(v), static_cast<void*>(d));
    d->Release();

    const LONG last = z.Running()->Data.WordCount() - 1;
    ASSERT_EQ(S_OK, v->put_SelStart(last));
    Outcome start;
    Invoke(v, id::SelStart, DISPATCH_PROPERTYGET, {}, start);
    EXPECT_EQ(last, start.Long());
    Outcome putLength;
    Invoke(v, id::SelLength, DISPATCH_PROPERTYPUT, {Long(1)}, putLength);
    LONG length = -1;
    EXPECT_EQ(S_OK, v->get_SelLength(&length));
    EXPECT_EQ(1, length);

    ASSERT_EQ(S_OK, v->put_pScale(1.5f));
    float scale = 0;
    EXPECT_EQ(S_OK, v->get_pScale(&scale));
    EXPECT_FLOAT_EQ(1.5f, scale);

    com::Bstr name;
    ASSERT_EQ(S_OK, v->get_FristLineStr(name.Out()));
    Outcome byDispatch;
    Invoke(v, id::FristLineStr, DISPATCH_PROPERTYGET, {}, byDispatch);
    ASSERT_EQ(VT_BSTR, V_VT(&byDispatch.value));
    EXPECT_EQ(std::wstring(V_BSTR(&byDispatch.value)), std::wstring(name ? name.Get() : L""));

    zevudu::BorderStyle border = zevudu::简单边框;
    ASSERT_EQ(S_OK, v->put_BorderStyle(zevudu::无边框));
    EXPECT_EQ(S_OK, v->get_BorderStyle(&border));
    EXPECT_EQ(zevudu::无边框, border);

    VARIANT_BOOL canUndo = VARIANT_TRUE;
    EXPECT_EQ(S_OK, v->CanUndo(&canUndo));
    Outcome undo;
    Invoke(v, id::CanUndo, DISPATCH_METHOD, {}, undo);
    EXPECT_EQ(V_BOOL(&undo.value), canUndo);

    // Nothing plays: pausing changes nothing.
    VARIANT_BOOL pause = VARIANT_TRUE;
    EXPECT_EQ(S_OK, v->put_暂停(&pause));
    EXPECT_EQ(S_OK, v->get_暂停(&pause));
    EXPECT_EQ(VARIANT_FALSE, pause);
}

TEST_F(ZEVuduVtableTest, ByReferenceArgumentsComeBackFilled) {
    ZEVudu& z = Host();
    IZEVudu* v = Vtable(z);
    Outcome fore;
    Invoke(v, id::SelForeColor, DISPATCH_PROPERTYGET, {}, fore);
    OLE_COLOR colour = 0x01020304;
    IFontDisp* font = nullptr;
    ASSERT_EQ(S_OK, v->get_WordFont(&colour, &font));
    EXPECT_EQ(static_cast<OLE_COLOR>(fore.Long()), colour);
    ASSERT_TRUE(font);
    IFont* asFont = nullptr;
    EXPECT_EQ(S_OK, font->QueryInterface(IID_IFont, reinterpret_cast<void**>(&asFont)));
    if (asFont) asFont->Release();
    font->Release();

    short index = 0;
    LONG entry = 0;
    ASSERT_EQ(S_OK, v->GetColorLng(&index, &entry));
    Outcome byDispatch;
    Invoke(v, id::GetColorLng, DISPATCH_METHOD, {Long(0)}, byDispatch);
    EXPECT_EQ(byDispatch.Long(), entry);
}

TEST_F(ZEVuduVtableTest, FailuresGiveTheMembersCodeAndText) {
    ZEVudu& z = Host();
    IZEVudu* v = Vtable(z);
    Outcome byDispatch;
    Invoke(v, id::InputState, DISPATCH_PROPERTYPUT, {Long(9)}, byDispatch);
    ASSERT_EQ(DISP_E_EXCEPTION, byDispatch.hr);
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(byDispatch.excep.scode, v->put_InputState(9));
    EXPECT_EQ(std::wstring(byDispatch.excep.bstrDescription), ErrorText());

    LONG value = 7;
    EXPECT_EQ(DISP_E_BADINDEX, v->get_ExtralWordVal1(1 << 20, 0, &value));
    EXPECT_EQ(0, value);  // an out value is cleared when the call fails
    EXPECT_EQ(DISP_E_BADINDEX, v->get_ExtralWordVal1(0, 8, &value));
    EXPECT_EQ(E_POINTER, v->get_SelStart(nullptr));
    EXPECT_EQ(E_POINTER, v->GetColorLng(nullptr, &value));

    // A form designer has no document to answer from.
    IZEVudu* designer = Vtable(Host({}, false));
    EXPECT_EQ(E_UNEXPECTED, designer->get_SelStart(&value));
    LONG yg = 5;
    EXPECT_EQ(S_OK, designer->get_WordYg(&yg));
    EXPECT_EQ(0, yg);
}

}  // namespace
}  // namespace notaline
