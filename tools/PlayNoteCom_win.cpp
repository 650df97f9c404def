#include "PlayNoteCom_win.h"

#include "MakeMidCom_win.h"

namespace tessaly {

std::span<const com::Member<PlayNoteCom>> PlayNoteCom::Members() {
    namespace id = dispid::PlayNote;
    using S = PlayNoteCom;
    using A = com::Args;
    static const com::Member<S> table[] = {
        {id::SetInfoForPlay, L"SetInfoForPlay", com::kMethod,
         [](S& s, A& a, VARIANT*) {
             const auto* info = reinterpret_cast<const aPlayInfo*>(a[1].Handle());
             if (!info) throw com::Error{E_POINTER, L"no play settings"};
             s.player_.SetInfoForPlay(a[0].Handle(), *info);
         }},
        {id::SetNoteCode, L"SetNoteCode", com::kMethod,
         [](S& s, A& a, VARIANT*) {
             ThrowIfFailed(
                 s.player_.SetNoteCode(reinterpret_cast<const aCodeEvent*>(a[0].Handle()), a[1].Long(), a[2].Short()));
         }},
        {id::SetDrumCodes, L"SetDrumCodes", com::kMethod,
         [](S& s, A& a, VARIANT*) {
             ThrowIfFailed(s.player_.SetDrumCodes(reinterpret_cast<XjDrumData*>(a[0].Handle()), a[1].Short()));
         }},
        {id::BeginPlay, L"BeginPlay", com::kMethod, [](S& s, A&, VARIANT*) { ThrowIfFailed(s.player_.BeginPlay()); }},
        {id::CloseMusic, L"CloseMusic", com::kMethod, [](S& s, A&, VARIANT*) { s.player_.CloseMusic(); }},
        {id::PlayingListDrum, L"PlayingListDrum", com::kMethod,
         [](S& s, A& a, VARIANT*) {
             const int16_t last = a[2].Short();
             // Without a count the caller's records reach the last pattern asked for.
             const int32_t count = a.Count() > 3 ? a[3].Long() : last + 1;
             ThrowIfFailed(
                 s.player_.PlayingListDrum(reinterpret_cast<XjDrumData*>(a[0].Handle()), a[1].Short(), last, count));
         }},
        {id::CloseListDrum, L"CloseListDrum", com::kMethod, [](S& s, A&, VARIANT*) { s.player_.CloseListDrum(); }},
        {id::暂停, L"暂停", com::kGet, [](S& s, A&, VARIANT* r) { com::Return(r, s.player_.暂停()); }},
        {id::暂停, L"暂停", com::kPut, [](S& s, A& a, VARIANT*) { s.player_.暂停(a.Value().Bool()); }},
        {id::PlayaOneDrumNote, L"PlayaOneDrumNote", com::kMethod,
         [](S& s, A& a, VARIANT*) { s.player_.PlayaOneDrumNote(a[0].Short(), a[1].Byte()); }},
    };
    return table;
}

}  // namespace tessaly
