#pragma once
#include <windows.h>
#include <oaidl.h>
#include <olectl.h>

#include <cstring>
#include <initializer_list>

#include "control/IZEVudu.h"

namespace notaline {

// The control's members as C++ callers reach them: each method puts its arguments into the
// variants the dispatch table takes and runs the same row as IDispatch::Invoke.
class ZEVuduVtable : public IZEVudu {
public:
    STDMETHODIMP get_Appearance(zevudu::Appearance* value) override {
        return Call(dispid::ZEVudu::Appearance, kGet, {}, Out(VT_I2, value));
    }
    STDMETHODIMP put_Appearance(zevudu::Appearance value) override {
        return Call(dispid::ZEVudu::Appearance, kPut, {In(VT_I2, value)});
    }
    STDMETHODIMP get_BackStyle(zevudu::BackStyle* value) override {
        return Call(dispid::ZEVudu::BackStyle, kGet, {}, Out(VT_I2, value));
    }
    STDMETHODIMP put_BackStyle(zevudu::BackStyle value) override {
        return Call(dispid::ZEVudu::BackStyle, kPut, {In(VT_I2, value)});
    }
    STDMETHODIMP get_BorderStyle(zevudu::BorderStyle* value) override {
        return Call(dispid::ZEVudu::BorderStyle, kGet, {}, Out(VT_I2, value));
    }
    STDMETHODIMP put_BorderStyle(zevudu::BorderStyle value) override {
        return Call(dispid::ZEVudu::BorderStyle, kPut, {In(VT_I2, value)});
    }
    STDMETHODIMP get_Enabled(VARIANT_BOOL* value) override {
        return Call(dispid::ZEVudu::Enabled, kGet, {}, Out(VT_BOOL, value));
    }
    STDMETHODIMP put_Enabled(VARIANT_BOOL value) override {
        return Call(dispid::ZEVudu::Enabled, kPut, {In(VT_BOOL, value)});
    }
    STDMETHODIMP get_SelLength(LONG* value) override {
        return Call(dispid::ZEVudu::SelLength, kGet, {}, Out(VT_I4, value));
    }
    STDMETHODIMP put_SelLength(LONG value) override {
        return Call(dispid::ZEVudu::SelLength, kPut, {In(VT_I4, value)});
    }
    STDMETHODIMP get_SelStart(LONG* value) override {
        return Call(dispid::ZEVudu::SelStart, kGet, {}, Out(VT_I4, value));
    }
    STDMETHODIMP put_SelStart(LONG value) override { return Call(dispid::ZEVudu::SelStart, kPut, {In(VT_I4, value)}); }
    STDMETHODIMP get_WordYg(LONG* value) override { return Call(dispid::ZEVudu::WordYg, kGet, {}, Out(VT_I4, value)); }
    STDMETHODIMP put_WordYg(LONG value) override { return Call(dispid::ZEVudu::WordYg, kPut, {In(VT_I4, value)}); }
    STDMETHODIMP CanSetWordYg(VARIANT_BOOL* result) override {
        return Call(dispid::ZEVudu::CanSetWordYg, kMethod, {}, Out(VT_BOOL, result));
    }
    STDMETHODIMP CanSetWordYc(VARIANT_BOOL* result) override {
        return Call(dispid::ZEVudu::CanSetWordYc, kMethod, {}, Out(VT_BOOL, result));
    }
    STDMETHODIMP get_WordYC(LONG* value) override { return Call(dispid::ZEVudu::WordYC, kGet, {}, Out(VT_I4, value)); }
    STDMETHODIMP put_WordYC(LONG value) override { return Call(dispid::ZEVudu::WordYC, kPut, {In(VT_I4, value)}); }
    STDMETHODIMP get_hwnd(LONG_PTR* value) override {
        return Call(dispid::ZEVudu::hwnd, kGet, {}, Out(kPointerVt, value));
    }
    STDMETHODIMP get_HwWordColor(OLE_COLOR* value) override {
        return Call(dispid::ZEVudu::HwWordColor, kGet, {}, Out(VT_I4, value));
    }
    STDMETHODIMP put_HwWordColor(OLE_COLOR value) override {
        return Call(dispid::ZEVudu::HwWordColor, kPut, {In(VT_I4, value)});
    }
    STDMETHODIMP get_HwWordFocus(LONG* value) override {
        return Call(dispid::ZEVudu::HwWordFocus, kGet, {}, Out(VT_I4, value));
    }
    STDMETHODIMP SetFocus() override { return Call(dispid::ZEVudu::SetFocus, kMethod, {}); }
    STDMETHODIMP get_SelWordSpace(short* value) override {
        return Call(dispid::ZEVudu::SelWordSpace, kGet, {}, Out(VT_I2, value));
    }
    STDMETHODIMP put_SelWordSpace(short value) override {
        return Call(dispid::ZEVudu::SelWordSpace, kPut, {In(VT_I2, value)});
    }
    STDMETHODIMP get_SelWordUpSpace(short* value) override {
        return Call(dispid::ZEVudu::SelWordUpSpace, kGet, {}, Out(VT_I2, value));
    }
    STDMETHODIMP put_SelWordUpSpace(short value) override {
        return Call(dispid::ZEVudu::SelWordUpSpace, kPut, {In(VT_I2, value)});
    }
    STDMETHODIMP get_InputState(LONG* value) override {
        return Call(dispid::ZEVudu::InputState, kGet, {}, Out(VT_I4, value));
    }
    STDMETHODIMP put_InputState(LONG value) override {
        return Call(dispid::ZEVudu::InputState, kPut, {In(VT_I4, value)});
    }
    STDMETHODIMP HuXianYPos(float* result) override {
        return Call(dispid::ZEVudu::HuXianYPos, kMethod, {}, Out(VT_R4, result));
    }
    STDMETHODIMP get_ScrollBars(zevudu::ERECScrollBarConstants* value) override {
        return Call(dispid::ZEVudu::ScrollBars, kGet, {}, Out(VT_I4, value));
    }
    STDMETHODIMP put_ScrollBars(zevudu::ERECScrollBarConstants value) override {
        return Call(dispid::ZEVudu::ScrollBars, kPut, {In(VT_I4, value)});
    }
    STDMETHODIMP get_ChangMingScale(short* value) override {
        return Call(dispid::ZEVudu::ChangMingScale, kGet, {}, Out(VT_I2, value));
    }
    STDMETHODIMP put_ChangMingScale(short value) override {
        return Call(dispid::ZEVudu::ChangMingScale, kPut, {In(VT_I2, value)});
    }
    STDMETHODIMP CanCopy(VARIANT_BOOL* result) override {
        return Call(dispid::ZEVudu::CanCopy, kMethod, {}, Out(VT_BOOL, result));
    }
    STDMETHODIMP CanUndo(VARIANT_BOOL* result) override {
        return Call(dispid::ZEVudu::CanUndo, kMethod, {}, Out(VT_BOOL, result));
    }
    STDMETHODIMP CanRedo(VARIANT_BOOL* result) override {
        return Call(dispid::ZEVudu::CanRedo, kMethod, {}, Out(VT_BOOL, result));
    }
    STDMETHODIMP CanCut(VARIANT_BOOL* result) override {
        return Call(dispid::ZEVudu::CanCut, kMethod, {}, Out(VT_BOOL, result));
    }
    STDMETHODIMP CanPaste(VARIANT_BOOL* result) override {
        return Call(dispid::ZEVudu::CanPaste, kMethod, {}, Out(VT_BOOL, result));
    }
    STDMETHODIMP get_SelIsCtl(LONG SelStart, VARIANT_BOOL* value) override {
        return Call(dispid::ZEVudu::SelIsCtl, kGet, {In(VT_I4, SelStart)}, Out(VT_BOOL, value));
    }
    STDMETHODIMP CanDel(VARIANT_BOOL* result) override {
        return Call(dispid::ZEVudu::CanDel, kMethod, {}, Out(VT_BOOL, result));
    }
    STDMETHODIMP DelYY() override { return Call(dispid::ZEVudu::DelYY, kMethod, {}); }
    STDMETHODIMP CanFormatYYInfo(VARIANT_BOOL* result) override {
        return Call(dispid::ZEVudu::CanFormatYYInfo, kMethod, {}, Out(VT_BOOL, result));
    }
    STDMETHODIMP put_SetQianYY(VARIANT_BOOL value) override {
        return Call(dispid::ZEVudu::SetQianYY, kPut, {In(VT_BOOL, value)});
    }
    STDMETHODIMP get_ExtralWordVal1(LONG SelStart, short Index, LONG* value) override {
        return Call(dispid::ZEVudu::ExtralWordVal1, kGet, {In(VT_I4, SelStart), In(VT_I2, Index)}, Out(VT_I4, value));
    }
    STDMETHODIMP put_ExtralWordVal1(LONG SelStart, short Index, LONG value) override {
        return Call(dispid::ZEVudu::ExtralWordVal1, kPut, {In(VT_I4, SelStart), In(VT_I2, Index), In(VT_I4, value)});
    }
    STDMETHODIMP get_ExtralWordVal2(LONG SelStart, short Index, LONG* value) override {
        return Call(dispid::ZEVudu::ExtralWordVal2, kGet, {In(VT_I4, SelStart), In(VT_I2, Index)}, Out(VT_I4, value));
    }
    STDMETHODIMP put_ExtralWordVal2(LONG SelStart, short Index, LONG value) override {
        return Call(dispid::ZEVudu::ExtralWordVal2, kPut, {In(VT_I4, SelStart), In(VT_I2, Index), In(VT_I4, value)});
    }
    STDMETHODIMP get_ExtralWordVal3(LONG SelStart, short Index, BSTR* value) override {
        return Call(dispid::ZEVudu::ExtralWordVal3, kGet, {In(VT_I4, SelStart), In(VT_I2, Index)}, Out(VT_BSTR, value));
    }
    STDMETHODIMP put_ExtralWordVal3(LONG SelStart, short Index, BSTR value) override {
        return Call(dispid::ZEVudu::ExtralWordVal3, kPut, {In(VT_I4, SelStart), In(VT_I2, Index), In(VT_BSTR, value)});
    }
    STDMETHODIMP get_ExtralType(LONG SelStart, short Index, short* value) override {
        return Call(dispid::ZEVudu::ExtralType, kGet, {In(VT_I4, SelStart), In(VT_I2, Index)}, Out(VT_I2, value));
    }
    STDMETHODIMP put_ExtralType(LONG SelStart, short Index, short value) override {
        return Call(dispid::ZEVudu::ExtralType, kPut, {In(VT_I4, SelStart), In(VT_I2, Index), In(VT_I2, value)});
    }
    STDMETHODIMP get_CurLine(LONG* value) override {
        return Call(dispid::ZEVudu::CurLine, kGet, {}, Out(VT_I4, value));
    }
    STDMETHODIMP ChangExtralType(LONG DelExtralType, LONG AddExtralType, LONG DelExtralType2,
                                 LONG AddExtralType2) override {
        return Call(
            dispid::ZEVudu::ChangExtralType, kMethod,
            {In(VT_I4, DelExtralType), In(VT_I4, AddExtralType), In(VT_I4, DelExtralType2), In(VT_I4, AddExtralType2)});
    }
    STDMETHODIMP ConChangInputWord(LONG dType, LONG iType) override {
        return Call(dispid::ZEVudu::ConChangInputWord, kMethod, {In(VT_I4, dType), In(VT_I4, iType)});
    }
    STDMETHODIMP get_WordShuPaiSpace(short* value) override {
        return Call(dispid::ZEVudu::WordShuPaiSpace, kGet, {}, Out(VT_I2, value));
    }
    STDMETHODIMP DelSelZhuYing() override { return Call(dispid::ZEVudu::DelSelZhuYing, kMethod, {}); }
    STDMETHODIMP get_SelZhuYingPosY(short* value) override {
        return Call(dispid::ZEVudu::SelZhuYingPosY, kGet, {}, Out(VT_I2, value));
    }
    STDMETHODIMP put_SelZhuYingPosY(short value) override {
        return Call(dispid::ZEVudu::SelZhuYingPosY, kPut, {In(VT_I2, value)});
    }
    STDMETHODIMP hdc(LONG_PTR* result) override {
        return Call(dispid::ZEVudu::hdc, kMethod, {}, Out(kPointerVt, result));
    }
    STDMETHODIMP SelAll() override { return Call(dispid::ZEVudu::SelAll, kMethod, {}); }
    STDMETHODIMP get_WordFont(OLE_COLOR* lColor, IFontDisp** value) override {
        return Call(dispid::ZEVudu::WordFont, kGet, {Ref(VT_I4, lColor)}, Out(VT_DISPATCH, value));
    }
    STDMETHODIMP putref_WordFont(OLE_COLOR* lColor, IFontDisp* value) override {
        return Call(dispid::ZEVudu::WordFont, kPutRef, {Ref(VT_I4, lColor), In(VT_DISPATCH, value)});
    }
    STDMETHODIMP get_SelFontName(BSTR* value) override {
        return Call(dispid::ZEVudu::SelFontName, kGet, {}, Out(VT_BSTR, value));
    }
    STDMETHODIMP put_SelFontName(BSTR value) override {
        return Call(dispid::ZEVudu::SelFontName, kPut, {In(VT_BSTR, value)});
    }
    STDMETHODIMP get_SelFontBold(VARIANT_BOOL* value) override {
        return Call(dispid::ZEVudu::SelFontBold, kGet, {}, Out(VT_BOOL, value));
    }
    STDMETHODIMP put_SelFontBold(VARIANT_BOOL value) override {
        return Call(dispid::ZEVudu::SelFontBold, kPut, {In(VT_BOOL, value)});
    }
    STDMETHODIMP get_SelFontItalic(VARIANT_BOOL* value) override {
        return Call(dispid::ZEVudu::SelFontItalic, kGet, {}, Out(VT_BOOL, value));
    }
    STDMETHODIMP put_SelFontItalic(VARIANT_BOOL value) override {
        return Call(dispid::ZEVudu::SelFontItalic, kPut, {In(VT_BOOL, value)});
    }
    STDMETHODIMP get_SelFontUnderline(VARIANT_BOOL* value) override {
        return Call(dispid::ZEVudu::SelFontUnderline, kGet, {}, Out(VT_BOOL, value));
    }
    STDMETHODIMP put_SelFontUnderline(VARIANT_BOOL value) override {
        return Call(dispid::ZEVudu::SelFontUnderline, kPut, {In(VT_BOOL, value)});
    }
    STDMETHODIMP get_SelFontStrikeOut(VARIANT_BOOL* value) override {
        return Call(dispid::ZEVudu::SelFontStrikeOut, kGet, {}, Out(VT_BOOL, value));
    }
    STDMETHODIMP put_SelFontStrikeOut(VARIANT_BOOL value) override {
        return Call(dispid::ZEVudu::SelFontStrikeOut, kPut, {In(VT_BOOL, value)});
    }
    STDMETHODIMP get_SelFontSize(short* value) override {
        return Call(dispid::ZEVudu::SelFontSize, kGet, {}, Out(VT_I2, value));
    }
    STDMETHODIMP put_SelFontSize(short value) override {
        return Call(dispid::ZEVudu::SelFontSize, kPut, {In(VT_I2, value)});
    }
    STDMETHODIMP get_SelForeColor(OLE_COLOR* value) override {
        return Call(dispid::ZEVudu::SelForeColor, kGet, {}, Out(VT_I4, value));
    }
    STDMETHODIMP put_SelForeColor(OLE_COLOR value) override {
        return Call(dispid::ZEVudu::SelForeColor, kPut, {In(VT_I4, value)});
    }
    STDMETHODIMP get_SelWordBkColor(OLE_COLOR* value) override {
        return Call(dispid::ZEVudu::SelWordBkColor, kGet, {}, Out(VT_I4, value));
    }
    STDMETHODIMP put_SelWordBkColor(OLE_COLOR value) override {
        return Call(dispid::ZEVudu::SelWordBkColor, kPut, {In(VT_I4, value)});
    }
    STDMETHODIMP GetColorLng(short* ColorTblIndex, LONG* result) override {
        return Call(dispid::ZEVudu::GetColorLng, kMethod, {Ref(VT_I2, ColorTblIndex)}, Out(VT_I4, result));
    }
    STDMETHODIMP RefreshExtralChang() override { return Call(dispid::ZEVudu::RefreshExtralChang, kMethod, {}); }
    STDMETHODIMP RefreshAll() override { return Call(dispid::ZEVudu::RefreshAll, kMethod, {}); }
    STDMETHODIMP RefreshSel() override { return Call(dispid::ZEVudu::RefreshSel, kMethod, {}); }
    STDMETHODIMP get_CanDelYY(short* value) override {
        return Call(dispid::ZEVudu::CanDelYY, kGet, {}, Out(VT_I2, value));
    }
    STDMETHODIMP get_CanDelAreaInfo(LONG* i, short* value) override {
        return Call(dispid::ZEVudu::CanDelAreaInfo, kGet, {Ref(VT_I4, i)}, Out(VT_I2, value));
    }
    STDMETHODIMP get_IsKfKhTFZRight(VARIANT_BOOL* value) override {
        return Call(dispid::ZEVudu::IsKfKhTFZRight, kGet, {}, Out(VT_BOOL, value));
    }
    STDMETHODIMP get_IsKhHuXianRight(VARIANT_BOOL* value) override {
        return Call(dispid::ZEVudu::IsKhHuXianRight, kGet, {}, Out(VT_BOOL, value));
    }
    STDMETHODIMP get_IsKhLingYingRight(VARIANT_BOOL* value) override {
        return Call(dispid::ZEVudu::IsKhLingYingRight, kGet, {}, Out(VT_BOOL, value));
    }
    STDMETHODIMP get_IsKHTFZRight(VARIANT_BOOL* value) override {
        return Call(dispid::ZEVudu::IsKHTFZRight, kGet, {}, Out(VT_BOOL, value));
    }
    STDMETHODIMP InsterHwWord(short* Index) override {
        return Call(dispid::ZEVudu::InsterHwWord, kMethod, {Ref(VT_I2, Index)});
    }
    STDMETHODIMP TurnToYFWord() override { return Call(dispid::ZEVudu::TurnToYFWord, kMethod, {}); }
    STDMETHODIMP CanShuPaiWord(VARIANT_BOOL* result) override {
        return Call(dispid::ZEVudu::CanShuPaiWord, kMethod, {}, Out(VT_BOOL, result));
    }
    STDMETHODIMP get_Alignment(LONG* value) override {
        return Call(dispid::ZEVudu::Alignment, kGet, {}, Out(VT_I4, value));
    }
    STDMETHODIMP put_Alignment(LONG value) override {
        return Call(dispid::ZEVudu::Alignment, kPut, {In(VT_I4, value)});
    }
    STDMETHODIMP get_FristLineStr(BSTR* value) override {
        return Call(dispid::ZEVudu::FristLineStr, kGet, {}, Out(VT_BSTR, value));
    }
    STDMETHODIMP PrintDoc() override { return Call(dispid::ZEVudu::PrintDoc, kMethod, {}); }
    STDMETHODIMP get_pScale(float* value) override { return Call(dispid::ZEVudu::pScale, kGet, {}, Out(VT_R4, value)); }
    STDMETHODIMP put_pScale(float value) override { return Call(dispid::ZEVudu::pScale, kPut, {In(VT_R4, value)}); }
    STDMETHODIMP get_Modified(VARIANT_BOOL* value) override {
        return Call(dispid::ZEVudu::Modified, kGet, {}, Out(VT_BOOL, value));
    }
    STDMETHODIMP put_Modified(VARIANT_BOOL value) override {
        return Call(dispid::ZEVudu::Modified, kPut, {In(VT_BOOL, value)});
    }
    STDMETHODIMP get_LineSpace(LONG* value) override {
        return Call(dispid::ZEVudu::LineSpace, kGet, {}, Out(VT_I4, value));
    }
    STDMETHODIMP put_LineSpace(LONG value) override {
        return Call(dispid::ZEVudu::LineSpace, kPut, {In(VT_I4, value)});
    }
    STDMETHODIMP get_CPdqLine(LONG* value) override {
        return Call(dispid::ZEVudu::CPdqLine, kGet, {}, Out(VT_I4, value));
    }
    STDMETHODIMP put_CPdqLine(LONG value) override { return Call(dispid::ZEVudu::CPdqLine, kPut, {In(VT_I4, value)}); }
    STDMETHODIMP get_XjdqLine(LONG* value) override {
        return Call(dispid::ZEVudu::XjdqLine, kGet, {}, Out(VT_I4, value));
    }
    STDMETHODIMP put_XjdqLine(LONG value) override { return Call(dispid::ZEVudu::XjdqLine, kPut, {In(VT_I4, value)}); }
    STDMETHODIMP JiePaiHaoWidth(short* Values1, short* Values2) override {
        return Call(dispid::ZEVudu::JiePaiHaoWidth, kMethod, {Ref(VT_I2, Values1), Ref(VT_I2, Values2)});
    }
    STDMETHODIMP get_Paper(LONG* value) override { return Call(dispid::ZEVudu::Paper, kGet, {}, Out(VT_I4, value)); }
    STDMETHODIMP put_Paper(LONG value) override { return Call(dispid::ZEVudu::Paper, kPut, {In(VT_I4, value)}); }
    STDMETHODIMP get_BoxBackGroundType(short* value) override {
        return Call(dispid::ZEVudu::BoxBackGroundType, kGet, {}, Out(VT_I2, value));
    }
    STDMETHODIMP put_BoxBackGroundType(short value) override {
        return Call(dispid::ZEVudu::BoxBackGroundType, kPut, {In(VT_I2, value)});
    }
    STDMETHODIMP get_PagePosType(short* value) override {
        return Call(dispid::ZEVudu::PagePosType, kGet, {}, Out(VT_I2, value));
    }
    STDMETHODIMP put_PagePosType(short value) override {
        return Call(dispid::ZEVudu::PagePosType, kPut, {In(VT_I2, value)});
    }
    STDMETHODIMP get_PgNumberSize(short* value) override {
        return Call(dispid::ZEVudu::PgNumberSize, kGet, {}, Out(VT_I2, value));
    }
    STDMETHODIMP put_PgNumberSize(short value) override {
        return Call(dispid::ZEVudu::PgNumberSize, kPut, {In(VT_I2, value)});
    }
    STDMETHODIMP SavePic(BSTR* FileName, VARIANT* result) override {
        return Call(dispid::ZEVudu::SavePic, kMethod, {Ref(VT_BSTR, FileName)}, Out(VT_VARIANT, result));
    }
    STDMETHODIMP 关闭音乐() override { return Call(dispid::ZEVudu::关闭音乐, kMethod, {}); }
    STDMETHODIMP get_暂停(VARIANT_BOOL* value) override {
        return Call(dispid::ZEVudu::暂停, kGet, {}, Out(VT_BOOL, value));
    }
    STDMETHODIMP put_暂停(VARIANT_BOOL* value) override {
        return Call(dispid::ZEVudu::暂停, kPut, {Ref(VT_BOOL, value)});
    }
    STDMETHODIMP get_正在播放(VARIANT_BOOL* value) override {
        return Call(dispid::ZEVudu::正在播放, kGet, {}, Out(VT_BOOL, value));
    }
    STDMETHODIMP EditDrum() override { return Call(dispid::ZEVudu::EditDrum, kMethod, {}); }
    STDMETHODIMP 播放音乐() override { return Call(dispid::ZEVudu::播放音乐, kMethod, {}); }
    STDMETHODIMP 设置演唱参数() override { return Call(dispid::ZEVudu::设置演唱参数, kMethod, {}); }
    STDMETHODIMP get_FileName(BSTR* value) override {
        return Call(dispid::ZEVudu::FileName, kGet, {}, Out(VT_BSTR, value));
    }
    STDMETHODIMP put_FileName(BSTR value) override {
        return Call(dispid::ZEVudu::FileName, kPut, {In(VT_BSTR, value)});
    }
    STDMETHODIMP SaveFile(BSTR* aFileName, LONG_PTR m_hWndParent) override {
        return Call(dispid::ZEVudu::SaveFile, kMethod, {Ref(VT_BSTR, aFileName), In(kPointerVt, m_hWndParent)});
    }
    STDMETHODIMP SaveMidFile(BSTR* FileName) override {
        return Call(dispid::ZEVudu::SaveMidFile, kMethod, {Ref(VT_BSTR, FileName)});
    }
    STDMETHODIMP get_PartAtt(VARIANT* value) override {
        return Call(dispid::ZEVudu::PartAtt, kGet, {}, Out(VT_VARIANT, value));
    }
    STDMETHODIMP put_PartAtt(VARIANT* value) override { return Call(dispid::ZEVudu::PartAtt, kPut, {Borrowed(value)}); }
    STDMETHODIMP get_UpSpace(float* value) override {
        return Call(dispid::ZEVudu::UpSpace, kGet, {}, Out(VT_R4, value));
    }
    STDMETHODIMP put_UpSpace(float* value) override { return Call(dispid::ZEVudu::UpSpace, kPut, {Ref(VT_R4, value)}); }
    STDMETHODIMP Refresh() override { return Call(dispid::ZEVudu::Refresh, kMethod, {}); }

protected:
    ~ZEVuduVtable() = default;

private:
    static constexpr WORD kGet = DISPATCH_PROPERTYGET;
    static constexpr WORD kPut = DISPATCH_PROPERTYPUT;
    static constexpr WORD kPutRef = DISPATCH_PROPERTYPUTREF;
    static constexpr WORD kMethod = DISPATCH_METHOD;
    static constexpr VARTYPE kPointerVt = sizeof(LONG_PTR) == 8 ? VT_I8 : VT_I4;

    // Where a result goes: coerced to vt and written over size bytes at p.
    struct Result {
        VARTYPE vt = VT_EMPTY;
        void* p = nullptr;
        size_t size = 0;
        const IID* iid = nullptr;  // an object result is handed out as this interface
    };
    template <class T>
    static Result Out(VARTYPE vt, T* p) {
        return {vt, p, sizeof(T), nullptr};
    }
    static Result Out(VARTYPE vt, IFontDisp** p) { return {vt, p, sizeof *p, &IID_IFontDisp}; }

    // A by-value argument; strings and objects are lent, not copied.
    template <class T>
    static VARIANT In(VARTYPE vt, const T& v) {
        static_assert(sizeof(T) <= sizeof(LONGLONG));
        VARIANT x;
        VariantInit(&x);
        V_VT(&x) = vt;
        std::memcpy(&V_I8(&x), &v, sizeof v);
        return x;
    }
    // A by-reference argument: the member writes back into the caller's value.
    static VARIANT Ref(VARTYPE vt, void* p) {
        VARIANT x;
        VariantInit(&x);
        V_VT(&x) = static_cast<VARTYPE>(vt | VT_BYREF);
        V_BYREF(&x) = p;
        return x;
    }
    // The caller's variant itself, lent for the call.
    static VARIANT Borrowed(const VARIANT* v);

    HRESULT Call(DISPID id, WORD flags, std::initializer_list<VARIANT> args, Result out);
    HRESULT Call(DISPID id, WORD flags, std::initializer_list<VARIANT> args);
};

}  // namespace notaline

// The implementation answers for the interface it implements.
__CRT_UUID_DECL(notaline::ZEVuduVtable, 0x4e3b5a10, 0x7c2d, 0x4f61, 0x9b, 0x0e, 0x3d, 0x5a, 0x8c, 0x21, 0x64, 0xf0)
