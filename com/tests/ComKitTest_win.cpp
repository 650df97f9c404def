#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "com/Events.h"
#include "com/Object.h"
#include "com/Server.h"
#include "com/Variant.h"
#include "com/tests/RecordingSink.h"

// Turns the text cache off, so that a freed text goes back to the task allocator (not in the headers).
extern "C" void WINAPI SetOaNoCache();

namespace {

struct ISample : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Add(LONG a, LONG b, LONG* sum) = 0;
};
}  // namespace
__CRT_UUID_DECL(ISample, 0x2b8e2f0a, 0x4c1d, 0x4e55, 0x9a, 0x61, 0x0c, 0x3e, 0x51, 0x7d, 0x22, 0x90)

namespace {

const IID kSampleEvents = {0x2b8e2f0b, 0x4c1d, 0x4e55, {0x9a, 0x61, 0x0c, 0x3e, 0x51, 0x7d, 0x22, 0x90}};
const CLSID kSampleClsid = {0x2b8e2f0c, 0x4c1d, 0x4e55, {0x9a, 0x61, 0x0c, 0x3e, 0x51, 0x7d, 0x22, 0x90}};

class Sample final : public com::DispatchObject<Sample, ISample> {
public:
    static std::span<const com::Member<Sample>> Members();

    HRESULT STDMETHODCALLTYPE Add(LONG a, LONG b, LONG* sum) override {
        if (!sum) return E_POINTER;
        *sum = a + b;
        return S_OK;
    }
    void* QueryOther(REFIID iid) { return iid == IID_IConnectionPointContainer ? events.Container() : nullptr; }

    int32_t volume = 7;
    std::wstring title;
    com::Events events{static_cast<ISample*>(this), kSampleEvents};
};

std::span<const com::Member<Sample>> Sample::Members() {
    static const com::Member<Sample> table[] = {
        {1, L"Add", com::kMethod,
         [](Sample& s, com::Args& a, VARIANT* r) {
             LONG sum = 0;
             s.Add(a[0].Long(), a[1].Long(), &sum);
             com::Return(r, static_cast<int32_t>(sum));
         }},
        {2, L"Volume", com::kGet, [](Sample& s, com::Args&, VARIANT* r) { com::Return(r, s.volume); }},
        {2, L"Volume", com::kPut, [](Sample& s, com::Args& a, VARIANT*) { s.volume = a.Value().Long(); }},
        {3, L"播放音乐", com::kMethod,
         [](Sample& s, com::Args& a, VARIANT* r) {
             s.title = a[0].Str();
             com::Return(r, true);
         }},
        {4, L"Swap", com::kMethod,
         [](Sample&, com::Args& a, VARIANT*) {
             int32_t x = a[0].Long(), y = a[1].Long();
             a[0].Set(y);
             a[1].Set(x);
         }},
        {5, L"Fail", com::kMethod,
         [](Sample&, com::Args&, VARIANT*) {
             throw com::Error{E_FAIL, L"无法打开MIDI设备"};
         }},
        {6, L"Raise", com::kMethod,
         [](Sample& s, com::Args& a, VARIANT*) {
             VARIANT v[1];
             V_VT(&v[0]) = VT_I4;
             V_I4(&v[0]) = a[0].Long();
             s.events.Fire(1, v);
         }},
    };
    return table;
}

struct ComTest : ::testing::Test {
    void SetUp() override { ASSERT_EQ(S_OK, Sample::Create(__uuidof(IDispatch), obj.OutVoid())); }
    DISPID Id(const wchar_t* name) {
        DISPID id = 0;
        LPOLESTR n = const_cast<LPOLESTR>(name);
        EXPECT_EQ(S_OK, obj->GetIDsOfNames(IID_NULL, &n, 1, 0, &id)) << "name lookup failed";
        return id;
    }
    HRESULT Call(DISPID id, WORD flags, std::vector<VARIANT> args, VARIANT* result, EXCEPINFO* e = nullptr,
                 UINT* argErr = nullptr) {
        std::vector<VARIANT> rev(args.rbegin(), args.rend());
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS p{rev.data(), flags == DISPATCH_PROPERTYPUT ? &put : nullptr, static_cast<UINT>(rev.size()),
                     flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
        return obj->Invoke(id, IID_NULL, 0, flags, &p, result, e, argErr);
    }
    static VARIANT Long(LONG v) {
        VARIANT x;
        V_VT(&x) = VT_I4;
        V_I4(&x) = v;
        return x;
    }
    static VARIANT Text(const wchar_t* s) {
        VARIANT x;
        V_VT(&x) = VT_BSTR;
        V_BSTR(&x) = SysAllocString(s);
        return x;
    }
    com::Ptr<IDispatch> obj;
};

TEST_F(ComTest, NamesAreFoundCaseInsensitivelyIncludingChinese) {
    EXPECT_EQ(1, Id(L"add"));
    EXPECT_EQ(2, Id(L"VOLUME"));
    EXPECT_EQ(3, Id(L"播放音乐"));
    DISPID id = 0;
    LPOLESTR n = const_cast<LPOLESTR>(L"NoSuchMember");
    EXPECT_EQ(DISP_E_UNKNOWNNAME, obj->GetIDsOfNames(IID_NULL, &n, 1, 0, &id));
    EXPECT_EQ(DISPID_UNKNOWN, id);
}

TEST_F(ComTest, ArgumentsAreCoercedAndResultsReturned) {
    VARIANT r;
    ASSERT_EQ(S_OK, Call(1, DISPATCH_METHOD, {Text(L"40"), Long(2)}, &r));
    EXPECT_EQ(VT_I4, V_VT(&r));
    EXPECT_EQ(42, V_I4(&r));

    UINT bad = 99;
    VARIANT t = Text(L"not a number");
    EXPECT_EQ(DISP_E_TYPEMISMATCH, Call(1, DISPATCH_METHOD, {t, Long(2)}, &r, nullptr, &bad));
    EXPECT_EQ(1u, bad);  // the first declared argument is last in rgvarg
    VariantClear(&t);
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, Call(1, DISPATCH_METHOD, {Long(1)}, &r));
}

TEST_F(ComTest, PropertyGetAndPutShareOneId) {
    VARIANT r;
    ASSERT_EQ(S_OK, Call(2, DISPATCH_PROPERTYPUT, {Long(99)}, nullptr));
    ASSERT_EQ(S_OK, Call(2, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {}, &r));
    EXPECT_EQ(99, V_I4(&r));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, Call(77, DISPATCH_METHOD, {}, &r));
}

TEST_F(ComTest, ChineseMethodTakesChineseText) {
    VARIANT r, arg = Text(L"写简谱");
    ASSERT_EQ(S_OK, Call(Id(L"播放音乐"), DISPATCH_METHOD, {arg}, &r));
    VariantClear(&arg);
    EXPECT_EQ(VARIANT_TRUE, V_BOOL(&r));
}

TEST_F(ComTest, ByReferenceArgumentsAreWrittenBack) {
    LONG a = 1;
    short b = 2;  // a by-reference short receives a long: coerced on the way back
    VARIANT va, vb;
    V_VT(&va) = VT_I4 | VT_BYREF;
    V_I4REF(&va) = &a;
    V_VT(&vb) = VT_I2 | VT_BYREF;
    V_I2REF(&vb) = &b;
    VARIANT r;
    ASSERT_EQ(S_OK, Call(4, DISPATCH_METHOD, {va, vb}, &r));
    EXPECT_EQ(2, a);
    EXPECT_EQ(1, b);
}

TEST_F(ComTest, FailuresBecomeDispatchExceptions) {
    VARIANT r;
    EXCEPINFO e{};
    ASSERT_EQ(DISP_E_EXCEPTION, Call(5, DISPATCH_METHOD, {}, &r, &e));
    EXPECT_EQ(E_FAIL, e.scode);
    EXPECT_STREQ(L"无法打开MIDI设备", e.bstrDescription);
    com::FreeTexts(e);
}

TEST_F(ComTest, EventsReachAdvisedSinksOnly) {
    auto container = obj.As<IConnectionPointContainer>();
    ASSERT_TRUE(container);
    com::Ptr<IConnectionPoint> point;
    ASSERT_EQ(S_OK, container->FindConnectionPoint(kSampleEvents, point.Out()));
    com::Ptr<IConnectionPoint> none;
    EXPECT_EQ(CONNECT_E_NOCONNECTION, container->FindConnectionPoint(IID_IDispatch, none.Out()));

    com::tests::RecordingSink sink(kSampleEvents);
    LONG lastArg = -1;
    sink.onEvent = [&](DISPID, DISPPARAMS& p) { lastArg = p.cArgs == 1 ? V_I4(&p.rgvarg[0]) : -1; };
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, point->Advise(&sink, &cookie));
    VARIANT r;
    ASSERT_EQ(S_OK, Call(6, DISPATCH_METHOD, {Long(5)}, &r));
    EXPECT_EQ((std::vector<DISPID>{1}), sink.ids);
    EXPECT_EQ(5, lastArg);

    ASSERT_EQ(S_OK, point->Unadvise(cookie));
    EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(cookie));
    Call(6, DISPATCH_METHOD, {Long(6)}, &r);
    EXPECT_EQ(1u, sink.ids.size());
    EXPECT_EQ(1u, sink.refs);
}

// Sees the blocks the task allocator frees: with the text cache off, a freed BSTR goes back there.
class FreeSpy final : public IMallocSpy {
public:
    // Whether the block that held the text was freed (its length prefix stands just before it).
    bool Freed(BSTR text) const {
        auto* at = reinterpret_cast<const char*>(text);
        return std::any_of(freed.begin(), freed.end(),
                           [&](const void* block) { return block < at && at - static_cast<const char*>(block) <= 16; });
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IUnknown || iid == IID_IMallocSpy ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // static: the allocator may keep it past revoking
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
    void* STDMETHODCALLTYPE PostAlloc(void* actual) override { return actual; }
    void* STDMETHODCALLTYPE PreFree(void* request, BOOL) override {
        freed.push_back(request);
        return request;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* request, SIZE_T size, void** newRequest, BOOL) override {
        *newRequest = request;
        return size;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* actual, BOOL) override { return actual; }
    void* STDMETHODCALLTYPE PreGetSize(void* request, BOOL) override { return request; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T actual, BOOL) override { return actual; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* request, BOOL) override { return request; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}

    std::vector<const void*> freed;
};
FreeSpy spy;  // outlives its registration, which a leaked block may keep

// A text keeps its whole length; a callee's replacement of a by-reference text is what the owner
// then holds, and an out-parameter starts empty. Every text given up is freed: the one a callee
// replaced, the one an out-parameter drops, and the one the owner holds when it goes.
TEST(ComBstr, OwnsWhatACallLeavesInIt) {
    SetOaNoCache();
    spy.freed.clear();
    ASSERT_EQ(S_OK, CoRegisterMallocSpy(&spy));
    BSTR first = nullptr, second = nullptr, last = nullptr;
    {
        com::Bstr arg(std::wstring_view(L"a\0b", 3));
        EXPECT_EQ(3u, arg.Str().size());
        first = arg.Get();
        auto callee = [](BSTR* slot) { com::Replace(slot, com::Bstr(L"新的")); };
        callee(arg.Ref());
        EXPECT_EQ(L"新的", arg.Str());
        EXPECT_TRUE(spy.Freed(first));
        com::Bstr moved(std::move(arg));
        EXPECT_FALSE(arg);
        EXPECT_EQ(L"新的", moved.Str());
        second = moved.Get();
        EXPECT_EQ(nullptr, *moved.Out());
        EXPECT_EQ(L"", moved.Str());
        EXPECT_TRUE(spy.Freed(second));
        spy.freed.clear();  // the next text may take a freed block's place
        *moved.Out() = SysAllocString(L"留下的");
        last = moved.Get();
        EXPECT_FALSE(spy.Freed(last));
    }
    EXPECT_TRUE(spy.Freed(last));
    EXPECT_EQ(S_OK, CoRevokeMallocSpy());
}

// A VARIANT's text is freed once: when its slot is handed out again or its last owner goes, not
// when it moves or is given away.
TEST(ComVariant, FreesWhatItHoldsOnce) {
    SetOaNoCache();
    spy.freed.clear();
    ASSERT_EQ(S_OK, CoRegisterMallocSpy(&spy));
    BSTR second = nullptr;
    VARIANT kept;
    {
        com::Variant text(L"一二");
        const BSTR first = V_BSTR(&text.Raw());
        com::Variant moved(std::move(text));
        EXPECT_EQ(VT_EMPTY, V_VT(&text.Raw()));
        VARIANT* slot = moved.Out();
        EXPECT_EQ(VT_EMPTY, V_VT(slot));
        EXPECT_TRUE(spy.Freed(first));
        spy.freed.clear();
        *slot = com::Variant(L"三").Detach();
        second = V_BSTR(slot);
        com::Variant keeper(L"四");
        kept = keeper.Detach();
        EXPECT_EQ(VT_EMPTY, V_VT(&keeper.Raw()));
    }
    EXPECT_EQ(1u, spy.freed.size());
    EXPECT_TRUE(spy.Freed(second));
    EXPECT_EQ(L"四", std::wstring(V_BSTR(&kept)));
    com::Variant::Attach(kept);
    EXPECT_TRUE(spy.Freed(V_BSTR(&kept)));
    EXPECT_EQ(S_OK, CoRevokeMallocSpy());
}

// A safe array's data stays locked while its owner lives, and no longer.
TEST(ComSafeArrayData, UnlocksWhenItGoes) {
    SAFEARRAY* bytes = SafeArrayCreateVector(VT_UI1, 0, 4);
    ASSERT_TRUE(bytes);
    {
        const com::SafeArrayData data(bytes);
        ASSERT_TRUE(data);
        static_cast<BYTE*>(data.Get())[3] = 7;
        EXPECT_EQ(DISP_E_ARRAYISLOCKED, SafeArrayDestroy(bytes));
    }
    EXPECT_EQ(S_OK, SafeArrayDestroy(bytes));
}

TEST(ComServer, FactoryCreatesListedClassesOnly) {
    static const com::ClassEntry classes[] = {{&kSampleClsid, L"Test.Sample", L"Sample", &Sample::Create}};
    com::Ptr<IClassFactory> factory;
    ASSERT_EQ(S_OK, com::ServerGetClassObject(classes, kSampleClsid, IID_IClassFactory, factory.OutVoid()));
    com::Ptr<ISample> sample;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, __uuidof(ISample), sample.OutVoid()));
    LONG sum = 0;
    sample->Add(2, 3, &sum);
    EXPECT_EQ(5, sum);
    EXPECT_EQ(S_FALSE, com::ServerCanUnloadNow());
    sample.Reset();
    factory.Reset();
    EXPECT_EQ(S_OK, com::ServerCanUnloadNow());
    com::Ptr<IClassFactory> other;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE,
              com::ServerGetClassObject(classes, kSampleEvents, IID_IClassFactory, other.OutVoid()));
}

}  // namespace
