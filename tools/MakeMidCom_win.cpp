#include "MakeMidCom_win.h"

#include "text/Cp936.h"
#include "text/WideText_win.h"

namespace tessaly {

void ThrowIfFailed(const DaDurStatus& status) {
    if (status.ok) return;
    throw com::Error{E_FAIL, ToWide(Utf8ToUtf16(status.reason).value_or(u"failure"))};
}

MakeMidCom::~MakeMidCom() {
    if (writer_.IsOpen()) writer_.ColseFile();
}

std::span<const com::Member<MakeMidCom>> MakeMidCom::Members() {
    namespace id = dispid::MakeMid;
    using S = MakeMidCom;
    using A = com::Args;
    static const com::Member<S> table[] = {
        {id::WriteMidHead, L"WriteMidHead", com::kMethod,
         [](S& s, A& a, VARIANT*) {
             const auto* texts = reinterpret_cast<const aMidTxtInfo*>(a[0].Handle());
             const auto* play = reinterpret_cast<const aPlayInfo*>(a[1].Handle());
             if (!texts || !play) throw com::Error{E_POINTER, L"no records"};
             ThrowIfFailed(s.writer_.WriteMidHead(*texts, *play));
         }},
        {id::ChangTrackNumber, L"ChangTrackNumber", com::kMethod,
         [](S& s, A& a, VARIANT*) { s.writer_.ChangTrackNumber(a[0].Short()); }},
        {id::EncodeVLQ, L"EncodeVLQ", com::kMethod,
         [](S&, A& a, VARIANT* r) {
             const std::string hex = MakeMid::EncodeVLQ(static_cast<uint32_t>(a[0].Long()));
             com::Return(r, std::wstring_view(std::wstring(hex.begin(), hex.end())));
         }},
        {id::WriteMidDrumInfo, L"WriteMidDrumInfo", com::kMethod,
         [](S& s, A& a, VARIANT* r) {
             ThrowIfFailed(s.writer_.WriteMidDrumInfo(reinterpret_cast<const XjDrumData*>(a[0].Handle()), a[1].Long()));
             com::Return(r, false);
         }},
        {id::ColseFile, L"ColseFile", com::kMethod, [](S& s, A&, VARIANT*) { ThrowIfFailed(s.writer_.ColseFile()); }},
        {id::WriteTrackInfo, L"WriteTrackInfo", com::kMethod,
         [](S& s, A& a, VARIANT*) {
             ThrowIfFailed(s.writer_.WriteTrackInfo(reinterpret_cast<const aMidEvent*>(a[0].Handle()), a[1].Long(),
                                                    a[2].Short()));
         }},
    };
    return table;
}

}  // namespace tessaly
