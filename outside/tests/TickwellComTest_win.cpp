#include <gtest/gtest.h>
#include <objbase.h>
#include <ocidl.h>

#include <string>


#include "api/ITickwell.h"
#include "com/ComPtr.h"
#include "com/Create.h"
#include "com/tests/RecordingSink.h"
#include "com/tests/Variants.h"
#include "TimerWait_win.h"

namespace {

using outside::test::PumpUntil;
using com::tests::Bool;
using com::tests::Long;

struct ComApartment : ::testing::Environment {
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};
const auto* const kApartment = ::testing::AddGlobalTestEnvironment(new ComApartment);

HRESULT Put(IDispatch* d, DISPID id, VARIANT value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS p{&value, &named, 1, 1};
    return d->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &p, nullptr, nullptr, nullptr);
}

VARIANT Get(IDispatch* d, DISPID id) {
    DISPPARAMS p{nullptr, nullptr, 0, 0};
    VARIANT r;
    VariantInit(&r);
    d->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &p, &r, nullptr, nullptr);
    return r;
}

TEST(TickwellCom, EventsReachTheSinkWhichMayReleaseTheTimerInsideOne) {
    auto timer = com::CreateFromDll<ITickwell>(L"Tickwell.dll", CLSID_Tickwell);
    ASSERT_TRUE(timer);
    auto container = timer.As<IConnectionPointContainer>();
    ASSERT_TRUE(container);
    com::Ptr<IConnectionPoint> point;
    ASSERT_EQ(S_OK, container->FindConnectionPoint(DIID_TickwellEvents, point.Out()));
    com::tests::RecordingSink sink(DIID_TickwellEvents);
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, point->Advise(&sink, &cookie));
    point.Reset();
    container.Reset();

    ASSERT_EQ(S_OK, Put(timer.Get(), dispid::Tickwell::Interval, Long(15)));
    VARIANT interval = Get(timer.Get(), dispid::Tickwell::Interval);
    EXPECT_EQ(15, V_I4(&interval));
    int events = 0;
    sink.onEvent = [&](DISPID id, DISPPARAMS&) {
        if (id == dispid::Tickwell::Timer && ++events == 3) timer.Reset();
    };
    ASSERT_EQ(S_OK, Put(timer.Get(), dispid::Tickwell::Enabled, Bool(true)));
    VARIANT on = Get(timer.Get(), dispid::Tickwell::Enabled);
    EXPECT_EQ(VARIANT_TRUE, V_BOOL(&on));
    ASSERT_TRUE(PumpUntil([&] { return !timer; }));
    EXPECT_EQ(events, 3);
    // Released with the object.
    EXPECT_EQ(1u, sink.refs);
}

// What a script host does to bind "prefix_Timer": the class information, its default source
// interface, and the event's dispatch identifier found by name.
TEST(TickwellCom, ClassInformationNamesTheTimerEventOfTheDefaultSource) {
    auto timer = com::CreateFromDll<ITickwell>(L"Tickwell.dll", CLSID_Tickwell);
    ASSERT_TRUE(timer);
    auto provider = timer.As<IProvideClassInfo2>();
    ASSERT_TRUE(provider);
    GUID sourceIid{};
    EXPECT_EQ(S_OK, provider->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &sourceIid));
    EXPECT_EQ(sourceIid, DIID_TickwellEvents);
    com::Ptr<ITypeInfo> coclass;
    ASSERT_EQ(S_OK, provider->GetClassInfo(coclass.Out()));
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(S_OK, coclass->GetTypeAttr(&attr));
    EXPECT_EQ(attr->typekind, TKIND_COCLASS);
    EXPECT_EQ(attr->guid, CLSID_Tickwell);
    const UINT implemented = attr->cImplTypes;
    coclass->ReleaseTypeAttr(attr);

    struct Found {
        GUID guid;
        std::wstring name;
        DISPID id;
    };
    Found source{}, called{};  // the default interfaces; the event found by name as a host asks
    for (UINT i = 0; i < implemented; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        com::Ptr<ITypeInfo> face;
        ASSERT_EQ(S_OK, coclass->GetImplTypeFlags(i, &flags));
        if (!(flags & IMPLTYPEFLAG_FDEFAULT)) continue;
        ASSERT_EQ(S_OK, coclass->GetRefTypeOfImplType(i, &ref));
        ASSERT_EQ(S_OK, coclass->GetRefTypeInfo(ref, face.Out()));
        const bool events = flags & IMPLTYPEFLAG_FSOURCE;
        Found& f = events ? source : called;
        ASSERT_EQ(S_OK, face->GetTypeAttr(&attr));
        f.guid = attr->guid;
        face->ReleaseTypeAttr(attr);
        LPOLESTR name = const_cast<LPOLESTR>(events ? L"timer" : L"ENABLED");
        EXPECT_EQ(S_OK, face->GetIDsOfNames(&name, 1, &f.id));
        BSTR shown = nullptr;
        UINT count = 0;
        EXPECT_EQ(S_OK, face->GetNames(f.id, &shown, 1, &count));
        f.name = shown ? shown : L"";
        SysFreeString(shown);
    }
    EXPECT_EQ(source.guid, DIID_TickwellEvents);
    EXPECT_EQ(source.id, dispid::Tickwell::Timer);
    EXPECT_EQ(source.name, L"Timer");
    EXPECT_EQ(called.guid, __uuidof(ITickwell));
    EXPECT_EQ(called.id, dispid::Tickwell::Enabled);
    EXPECT_EQ(called.name, L"Enabled");
}

}  // namespace
