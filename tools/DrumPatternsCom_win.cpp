#include "DrumPatternsCom_win.h"

#include <cstring>
#include <filesystem>

#include "MakeMidCom_win.h"
#include "com/Variant.h"
#include "text/Cp936.h"
#include "text/WideText_win.h"

namespace tessaly {
namespace {

using S = DrumPatternsCom;
using A = com::Args;
using M = com::Member<S>;

const XjDrumData& RecordAt(const com::Arg& address) {
    const auto* r = reinterpret_cast<const XjDrumData*>(address.Handle());
    if (!r) throw com::Error{E_POINTER, L"no record"};
    return *r;
}

void Refuse(bool done) {
    if (!done) throw com::Error{DISP_E_BADINDEX, L"下标越界"};
}

std::vector<XjDrumData> RecordsOf(const VARIANT& v) {
    const VARIANT* value = V_VT(&v) == (VT_VARIANT | VT_BYREF) ? V_VARIANTREF(&v) : &v;
    SAFEARRAY* array = nullptr;
    if (V_VT(value) == (VT_ARRAY | VT_UI1)) array = V_ARRAY(value);
    if (V_VT(value) == (VT_ARRAY | VT_UI1 | VT_BYREF)) array = *V_ARRAYREF(value);
    if (!array || SafeArrayGetDim(array) != 1) throw com::Error{DISP_E_TYPEMISMATCH, L"not a byte array"};
    LONG lo = 0, hi = -1;
    SafeArrayGetLBound(array, 1, &lo);
    SafeArrayGetUBound(array, 1, &hi);
    const com::SafeArrayData data(array);
    if (!data) throw com::Error{E_FAIL, L"array locked"};
    return ParseDrumRecords(std::string_view(static_cast<const char*>(data.Get()), static_cast<size_t>(hi - lo + 1)));
}

void ReturnRecords(VARIANT* r, const std::vector<XjDrumData>& records) {
    if (!r) return;
    const std::string bytes = DrumRecordBytes(records);
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!array) throw com::Error{E_OUTOFMEMORY, L"out of memory"};
    if (const com::SafeArrayData data(array); data && !bytes.empty())
        std::memcpy(data.Get(), bytes.data(), bytes.size());
    V_VT(r) = VT_ARRAY | VT_UI1;
    V_ARRAY(r) = array;
}

// A byte field of a pattern, and a byte field of one channel of a pattern.
#define JP_BYTE_MEMBER(Name)                                                           \
    M{dispid::DrumPatterns::Name, L## #Name, com::kGet,                                \
      [](S& s, A& a, VARIANT* r) { com::Return(r, s.drums_.Name(a[0].Long())); }},     \
        M {                                                                            \
        dispid::DrumPatterns::Name, L## #Name, com::kPut,                              \
            [](S& s, A& a, VARIANT*) { s.drums_.Name(a[0].Long(), a.Value().Byte()); } \
    }
#define JP_CHANNEL_MEMBER(Name)                                                                      \
    M{dispid::DrumPatterns::Name, L## #Name, com::kGet,                                              \
      [](S& s, A& a, VARIANT* r) { com::Return(r, s.drums_.Name(a[0].Long(), a[1].Short())); }},     \
        M {                                                                                          \
        dispid::DrumPatterns::Name, L## #Name, com::kPut,                                            \
            [](S& s, A& a, VARIANT*) { s.drums_.Name(a[0].Long(), a[1].Short(), a.Value().Byte()); } \
    }

}  // namespace

std::span<const com::Member<DrumPatternsCom>> DrumPatternsCom::Members() {
    namespace id = dispid::DrumPatterns;
    static const M table[] = {
        {id::DrumAddress, L"DrumAddress", com::kGet,
         [](S& s, A& a, VARIANT* r) {
             com::Return(r, static_cast<int64_t>(reinterpret_cast<intptr_t>(s.drums_.DrumAddress(a[0].Long()))));
         }},
        {id::DrumAddress, L"DrumAddress", com::kPut,
         [](S& s, A& a, VARIANT*) {
             auto* first = reinterpret_cast<XjDrumData*>(a.Value().Handle());
             s.drums_.ViewRecords(first ? first + a[0].Long() : nullptr, s.drums_.DrumCount());
         }},
        JP_BYTE_MEMBER(DrumVer),
        {id::DrumName, L"DrumName", com::kGet,
         [](S& s, A& a, VARIANT* r) {
             com::Return(r, std::wstring_view(ToWide(Cp936ToUtf16(s.drums_.DrumName(a[0].Long())).value_or(u""))));
         }},
        {id::DrumName, L"DrumName", com::kPut,
         [](S& s, A& a, VARIANT*) {
             const auto gbk = Utf16ToCp936(ToU16(a.Value().Str()));
             if (!gbk) throw com::Error{E_INVALIDARG, L"名称含有无法保存的字符"};
             s.drums_.DrumName(a[0].Long(), *gbk);
         }},
        {id::DrumChannel, L"DrumChannel", com::kGet,
         [](S& s, A& a, VARIANT* r) { com::Return(r, s.drums_.DrumChannel(a[0].Long(), a[1].Short())); }},
        {id::DrumChannel, L"DrumChannel", com::kPut,
         [](S& s, A& a, VARIANT*) { s.drums_.DrumChannel(a[0].Long(), a[1].Short(), a.Value().Bool()); }},
        JP_CHANNEL_MEMBER(DrumVolume),
        JP_CHANNEL_MEMBER(DrumSounds),
        JP_BYTE_MEMBER(DrumTrack),
        JP_BYTE_MEMBER(DrumTimeSignature),
        JP_BYTE_MEMBER(DrumSpeed),
        {id::DrumRhythms, L"DrumRhythms", com::kGet,
         [](S& s, A& a, VARIANT* r) { com::Return(r, s.drums_.DrumRhythms(a[0].Long(), a[1].Short(), a[2].Short())); }},
        {id::DrumRhythms, L"DrumRhythms", com::kPut,
         [](S& s, A& a, VARIANT*) { s.drums_.DrumRhythms(a[0].Long(), a[1].Short(), a[2].Short(), a.Value().Bool()); }},
        JP_CHANNEL_MEMBER(DrumSoundImage),
        JP_BYTE_MEMBER(BarsOfSong),
        JP_BYTE_MEMBER(HaveDrum),
        {id::XJLong, L"XJLong", com::kGet,
         [](S& s, A& a, VARIANT* r) { com::Return(r, s.drums_.XJLong(a[0].Long(), a[1].Short())); }},
        {id::XJLong, L"XJLong", com::kPut,
         [](S& s, A& a, VARIANT*) { s.drums_.XJLong(a[0].Long(), a[1].Short(), a.Value().Long()); }},
        {id::BeginSelStart, L"BeginSelStart", com::kGet,
         [](S& s, A& a, VARIANT* r) { com::Return(r, s.drums_.BeginSelStart(a[0].Long())); }},
        {id::BeginSelStart, L"BeginSelStart", com::kPut,
         [](S& s, A& a, VARIANT*) { s.drums_.BeginSelStart(a[0].Long(), a.Value().Short()); }},
        JP_CHANNEL_MEMBER(sTimetmp),
        {id::DrumTime, L"DrumTime", com::kMethod | com::kGet,
         [](S& s, A& a, VARIANT* r) {
             std::string text;
             const uint8_t steps = s.drums_.DrumTime(a[0].Long(), &text);
             if (a.Count() > 1) a[1].Set(std::wstring_view(ToWide(Cp936ToUtf16(text).value_or(u""))));
             com::Return(r, steps);
         }},
        {id::DrumCount, L"DrumCount", com::kGet,
         [](S& s, A&, VARIANT* r) { com::Return(r, static_cast<int32_t>(s.drums_.DrumCount())); }},
        {id::DrumCount, L"DrumCount", com::kPut, [](S& s, A& a, VARIANT*) { s.drums_.DrumCount(a.Value().Long()); }},
        {id::AddLastNullDrumData, L"AddLastNullDrumData", com::kMethod,
         [](S& s, A&, VARIANT*) { s.drums_.AddLastNullDrumData(); }},
        {id::DelLastDrumData, L"DelLastDrumData", com::kMethod,
         [](S& s, A&, VARIANT*) { Refuse(s.drums_.DelLastDrumData()); }},
        {id::CoverDrumData, L"CoverDrumData", com::kMethod,
         [](S& s, A& a, VARIANT*) { Refuse(s.drums_.CoverDrumData(a[0].Long(), RecordAt(a[1]))); }},
        {id::AddDrumData, L"AddDrumData", com::kMethod,
         [](S& s, A& a, VARIANT*) { s.drums_.AddDrumData(a[0].Long(), RecordAt(a[1])); }},
        {id::DelDrumData, L"DelDrumData", com::kMethod,
         [](S& s, A& a, VARIANT*) { Refuse(s.drums_.DelDrumData(a[0].Long())); }},
        {id::DefDrumData, L"DefDrumData", com::kMethod,
         [](S& s, A& a, VARIANT*) { s.drums_.DefDrumData(a[0].Long()); }},
        {id::DrumArrData, L"DrumArrData", com::kGet,
         [](S& s, A&, VARIANT* r) { ReturnRecords(r, s.drums_.DrumArrData()); }},
        {id::DrumArrData, L"DrumArrData", com::kPut,
         [](S& s, A& a, VARIANT*) { s.drums_.DrumArrData(RecordsOf(a.Value().Raw())); }},
        {id::SaveDrum, L"SaveDrum", com::kMethod,
         [](S& s, A& a, VARIANT*) { ThrowIfFailed(s.drums_.SaveDrum(std::filesystem::path(a[0].Str()))); }},
    };
    return table;
}

}  // namespace tessaly
