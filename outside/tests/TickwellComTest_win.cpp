#include <windows.h>
#include <gtest/gtest.h>
#include <objbase.h>
#include <ocidl.h>

#include <string>
#include <tuple>
#include <vector>

#include "TimerWait_win.h"
#include "api/ITickwell.h"
#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "com/Create.h"
#include "com/tests/RecordingSink.h"
#include "com/tests/Variants.h"

namespace {

using com::tests::Bool;
using com::tests::Long;
using outside::test::PumpUntil;

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
// interface, and the event's dispatch identifier found by name (in any case).
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
    std::vector<std::tuple<GUID, std::wstring, DISPID>> found;  // each default interface: by name
    for (UINT i = 0; i < 2; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        com::Ptr<ITypeInfo> face;
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(S_OK, coclass->GetImplTypeFlags(i, &flags));
        ASSERT_EQ(S_OK, coclass->GetRefTypeOfImplType(i, &ref));
        ASSERT_EQ(S_OK, coclass->GetRefTypeInfo(ref, face.Out()));
        ASSERT_EQ(S_OK, face->GetTypeAttr(&attr));
        LPOLESTR name = const_cast<LPOLESTR>(flags & IMPLTYPEFLAG_FSOURCE ? L"timer" : L"ENABLED");
        MEMBERID id = DISPID_UNKNOWN;
        com::Bstr shown;
        UINT count = 0;
        EXPECT_EQ(S_OK, face->GetIDsOfNames(&name, 1, &id));
        EXPECT_EQ(S_OK, face->GetNames(id, shown.Out(), 1, &count));
        EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
        found.emplace_back(attr->guid, shown ? shown.Get() : L"", id);
        face->ReleaseTypeAttr(attr);
    }
    EXPECT_EQ(found, (std::vector<std::tuple<GUID, std::wstring, DISPID>>{
                         {__uuidof(ITickwell), L"Enabled", dispid::Tickwell::Enabled},
                         {DIID_TickwellEvents, L"Timer", dispid::Tickwell::Timer}}));
}

}  // namespace
