#include <windows.h>
#include <gtest/gtest.h>
#include <mmsystem.h>
#include <objbase.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "DialogCloser_win.h"
#include "api/IDrumPatterns.h"
#include "api/IMakeMid.h"
#include "api/IPlayNote.h"
#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "com/Create.h"
#include "com/Variant.h"
#include "com/tests/Variants.h"
#include "records/Playback.h"
#include "text/Cp936.h"

namespace {

using namespace tessaly;

VARIANT Long(int64_t v) {
    VARIANT r;
    V_VT(&r) = VT_I8;
    V_I8(&r) = v;
    return r;
}

VARIANT Str(const wchar_t* s) {
    VARIANT r;
    V_VT(&r) = VT_BSTR;
    V_BSTR(&r) = SysAllocString(s);
    return r;
}

// Calls a member by name; a put passes its value last. The HRESULT goes to *hr.
VARIANT Call(IDispatch* d, const wchar_t* name, std::vector<VARIANT> args, WORD flags = DISPATCH_METHOD,
             HRESULT* hr = nullptr) {
    DISPID id = 0;
    LPOLESTR n = const_cast<LPOLESTR>(name);
    EXPECT_EQ(S_OK, d->GetIDsOfNames(IID_NULL, &n, 1, 0, &id)) << "no member";
    std::vector<VARIANT> rev(args.rbegin(), args.rend());
    const com::Variants owned(std::move(args));
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS p{rev.data(), flags == DISPATCH_PROPERTYPUT ? &put : nullptr, static_cast<UINT>(rev.size()),
                 flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
    VARIANT r;
    VariantInit(&r);
    EXCEPINFO e{};
    const HRESULT result = d->Invoke(id, IID_NULL, 0, flags, &p, &r, &e, nullptr);
    if (hr)
        *hr = result;
    else
        EXPECT_EQ(S_OK, result) << "calling a member";
    com::FreeTexts(e);
    return r;
}

struct ComApartment {
    ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComApartment() { CoUninitialize(); }
};

TEST(MusicCom, MakeMidWritesAFileFromTheCallersRecords) {
    ComApartment apartment;
    auto mid = com::CreateFromDll<IMakeMid>(L"Tessaly.dll", CLSID_MakeMid);
    ASSERT_TRUE(mid);
    std::error_code ignored;
    const auto path = std::filesystem::temp_directory_path() / L"歌曲导出.Mid";
    std::filesystem::remove(path, ignored);
    aMidTxtInfo texts;
    texts.歌曲文件名 = Utf16ToCp936(path.u16string()).value();
    aPlayInfo play;
    play.Bpm = 120;
    play.JiePai = 3;
    play.MainTrack = 1;
    play.Track.resize(1);
    play.Track[0].Volume = 100;
    const aMidEvent events[] = {{0, 9, 60, 100, 0}, {1, 8, 60, 0, 0}};

    Call(mid.Get(), L"WriteMidHead",
         {Long(reinterpret_cast<intptr_t>(&texts)), Long(reinterpret_cast<intptr_t>(&play))});
    Call(mid.Get(), L"writetrackinfo", {Long(reinterpret_cast<intptr_t>(events)), Long(2), Long(1)});
    const auto vlq = com::Variant::Attach(Call(mid.Get(), L"EncodeVLQ", {Long(480)}));
    EXPECT_STREQ(V_BSTR(&vlq.Raw()), L"8360");
    Call(mid.Get(), L"ColseFile", {});

    std::string file;
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        file = s.str();
    }
    ASSERT_GT(file.size(), 14u);
    EXPECT_EQ(file.substr(0, 4), "MThd");
    EXPECT_EQ(file[11], 2);  // two tracks
    EXPECT_NE(file.find(std::string("\x00\x90\x3C\x64\x81\x70\x80\x3C\x00", 9)), std::string::npos);
    std::filesystem::remove(path, ignored);

    // A refusal is a dispatch exception and leaves no file.
    play.Bpm = 0;
    HRESULT hr = S_OK;
    Call(mid.Get(), L"WriteMidHead",
         {Long(reinterpret_cast<intptr_t>(&texts)), Long(reinterpret_cast<intptr_t>(&play))}, DISPATCH_METHOD, &hr);
    EXPECT_EQ(DISP_E_EXCEPTION, hr);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(MusicCom, DrumPatternsByName) {
    ComApartment apartment;
    auto drums = com::CreateFromDll<IDrumPatterns>(L"Tessaly.dll", CLSID_DrumPatterns);
    ASSERT_TRUE(drums);
    IDispatch* d = drums.Get();
    Call(d, L"AddLastNullDrumData", {});
    Call(d, L"DefDrumData", {Long(0)});
    auto name = com::Variant::Attach(Call(d, L"DrumName", {Long(0)}, DISPATCH_PROPERTYGET));
    EXPECT_STREQ(V_BSTR(&name.Raw()), L"默认值");
    Call(d, L"DrumName", {Long(0), Str(L"摇滚")}, DISPATCH_PROPERTYPUT);
    name = com::Variant::Attach(Call(d, L"DrumName", {Long(0)}, DISPATCH_PROPERTYGET));
    EXPECT_STREQ(V_BSTR(&name.Raw()), L"摇滚");

    VARIANT on;
    V_VT(&on) = VT_BOOL;
    V_BOOL(&on) = VARIANT_TRUE;
    Call(d, L"DrumRhythms", {Long(0), Long(9), Long(2), on}, DISPATCH_PROPERTYPUT);
    VARIANT bit = Call(d, L"DrumRhythms", {Long(0), Long(9), Long(2)}, DISPATCH_PROPERTYGET);
    EXPECT_EQ(VARIANT_TRUE, V_BOOL(&bit));

    com::Variant text;
    V_VT(&text.Raw()) = VT_BSTR;
    V_BSTR(&text.Raw()) = nullptr;
    VARIANT ref;
    V_VT(&ref) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&ref) = &V_BSTR(&text.Raw());
    VARIANT steps = Call(d, L"DrumTime", {Long(0), ref});
    EXPECT_EQ(16, V_UI1(&steps));
    EXPECT_STREQ(V_BSTR(&text.Raw()), L"4/4");

    // The records as bytes, and a view on the caller's own records.
    VARIANT all = Call(d, L"DrumArrData", {}, DISPATCH_PROPERTYGET);
    ASSERT_EQ(VT_ARRAY | VT_UI1, V_VT(&all));
    EXPECT_EQ(102, V_ARRAY(&all)->rgsabound[0].cElements - 1);
    std::vector<XjDrumData> mine(2);
    Call(d, L"DrumCount", {Long(2)}, DISPATCH_PROPERTYPUT);
    Call(d, L"DrumAddress", {Long(0), Long(reinterpret_cast<intptr_t>(mine.data()))}, DISPATCH_PROPERTYPUT);
    Call(d, L"DrumSpeed", {Long(1), Long(90)}, DISPATCH_PROPERTYPUT);
    EXPECT_EQ(90, mine[1].DrumSpeed);
    Call(d, L"DrumArrData", {all}, DISPATCH_PROPERTYPUT);
    VARIANT count = Call(d, L"DrumCount", {}, DISPATCH_PROPERTYGET);
    EXPECT_EQ(1, V_I4(&count));

    std::error_code ignored;
    const auto path = std::filesystem::temp_directory_path() / L"DrumMod测试.dat";
    Call(d, L"SaveDrum", {Str(path.c_str())});
    EXPECT_EQ(103u, std::filesystem::file_size(path));
    std::filesystem::remove(path, ignored);

    Call(d, L"DelLastDrumData", {});
    HRESULT hr = S_OK;
    Call(d, L"DelLastDrumData", {}, DISPATCH_METHOD, &hr);
    EXPECT_EQ(DISP_E_EXCEPTION, hr);
}

TEST(MusicCom, PlayNoteTakesTheCallersRecordsAndRefusesWhatItCannotPlay) {
    ComApartment apartment;
    HMIDIOUT probe = nullptr;
    const bool haveOutput = midiOutOpen(&probe, MIDI_MAPPER, 0, 0, CALLBACK_NULL) == MMSYSERR_NOERROR;
    if (haveOutput) midiOutClose(probe);
    DialogCloser closer(IDOK);
    auto pn = com::CreateFromDll<IPlayNote>(L"Tessaly.dll", CLSID_PlayNote);
    ASSERT_TRUE(pn);
    aPlayInfo play;
    play.Bpm = 120;
    play.MainTrack = 1;
    play.TotalTrack = 1;
    play.Track.resize(1);
    Call(pn.Get(), L"SetInfoForPlay", {Long(0), Long(reinterpret_cast<intptr_t>(&play))});
    aCodeEvent note;
    note.DelayTimer = 1;
    note.Audio = 60;
    note.Volume = 100;
    Call(pn.Get(), L"setnotecode", {Long(reinterpret_cast<intptr_t>(&note)), Long(1), Long(1)});
    HRESULT hr = S_OK;
    Call(pn.Get(), L"SetNoteCode", {Long(reinterpret_cast<intptr_t>(&note)), Long(1), Long(2)}, DISPATCH_METHOD, &hr);
    EXPECT_EQ(DISP_E_EXCEPTION, hr);
    Call(pn.Get(), L"暂停", {com::tests::Bool(true)}, DISPATCH_PROPERTYPUT);
    VARIANT paused = Call(pn.Get(), L"暂停", {}, DISPATCH_PROPERTYGET);
    EXPECT_EQ(VARIANT_TRUE, V_BOOL(&paused));
    // Without an output nothing starts, and the user was told once, when the object was made.
    Call(pn.Get(), L"BeginPlay", {}, DISPATCH_METHOD, &hr);
    EXPECT_EQ(haveOutput ? S_OK : DISP_E_EXCEPTION, hr);
    Call(pn.Get(), L"CloseMusic", {});
    pn.Reset();
    EXPECT_EQ(haveOutput ? 0 : 1, closer.Presses());
}

}  // namespace
