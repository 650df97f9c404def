// The exports of Tessaly.dll, an in-process COM server.
#include "DataTypes_win.h"
#include "DrumPatternsCom_win.h"
#include "MakeMidCom_win.h"
#include "MyScrollInfo_win.h"
#include "PlayNoteCom_win.h"
#include "ReadWriteDoc_win.h"
#include "ReadWriteIni_win.h"
#include "ReadWriteRtf_win.h"
#include "VbGetWindowsZoom_win.h"
#include "com/Server.h"
#include "mCommonDialog_win.h"

namespace {

const com::ClassEntry kClasses[] = {
    {&CLSID_VbGetWindowsZoom, L"Tessaly.VbGetWindowsZoom", L"Tessaly VbGetWindowsZoom",
     &tessaly::VbGetWindowsZoom::Create},
    {&CLSID_DataTypes, L"Tessaly.DataTypes", L"Tessaly DataTypes", &tessaly::DataTypes::Create},
    {&CLSID_MyScrollInfo, L"Tessaly.MyScrollInfo", L"Tessaly MyScrollInfo", &tessaly::MyScrollInfo::Create},
    {&CLSID_ReadWriteIni, L"Tessaly.ReadWriteIni", L"Tessaly ReadWriteIni", &tessaly::ReadWriteIni::Create},
    {&CLSID_mCommonDialog, L"Tessaly.mCommonDialog", L"Tessaly mCommonDialog", &tessaly::mCommonDialog::Create},
    {&CLSID_ReadWriteDoc, L"Tessaly.ReadWriteDoc", L"Tessaly ReadWriteDoc", &tessaly::ReadWriteDoc::Create},
    {&CLSID_ReadWriteRtf, L"Tessaly.ReadWriteRtf", L"Tessaly ReadWriteRtf", &tessaly::ReadWriteRtf::Create},
    {&CLSID_MakeMid, L"Tessaly.MakeMid", L"Tessaly MakeMid", &tessaly::MakeMidCom::Create},
    // The drum-pattern class 分析鼓点, under an ASCII ProgID.
    {&CLSID_DrumPatterns, L"Tessaly.FenXiGuDian", L"Tessaly 分析鼓点", &tessaly::DrumPatternsCom::Create},
    {&CLSID_PlayNote, L"Tessaly.PlayNote", L"Tessaly PlayNote", &tessaly::PlayNoteCom::Create},
};

}  // namespace

COM_SERVER_EXPORTS(kClasses)
