#include "cGDIPlusObject_win.h"

namespace kavrel {

namespace {

using com::Args;
using com::kGet;
using com::kMethod;
using com::kPut;
using Self = cGDIPlusObject;

int32_t L(Args& a, UINT i) {
    return a[i].Long();
}
float F(Args& a, UINT i) {
    return a[i].Single();
}
std::wstring S(Args& a, UINT i) {
    return a[i].Str();
}
template <class T>
T H(Args& a, UINT i) {
    return reinterpret_cast<T>(a[i].Handle());
}
void Status(VARIANT* r, GpStatus s) {
    com::Return(r, static_cast<int32_t>(s));
}
// The savers take an image handle: only this object's own bitmap is accepted,
// never an address nobody vouches for.
Gdiplus::GpImage* OwnImage(Self& s, Args& a, UINT i) {
    const intptr_t h = a[i].Handle();
    return h != 0 && h == reinterpret_cast<intptr_t>(s.gdi.CurrentImage()) ? s.gdi.CurrentImage() : nullptr;
}
template <class Save>
void SaveOwn(Self& s, Args& a, VARIANT* r, Save save) {
    Gdiplus::GpImage* image = OwnImage(s, a, 0);
    Status(r, image ? save(image) : Gdiplus::InvalidParameter);
}

// The members whose call does not fit on the table's line.
void SetLastStatus(Self& s, Args& a, VARIANT*) {
    s.gdi.m_uLastStatus = static_cast<GpStatus>(a.Value().Long());
}

void CreateGraphicsWithImage(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.CreateGraphicsWithImage(L(a, 0), L(a, 1), static_cast<GpPixelFormat>(L(a, 2))));
}

void CreateBitmapFromGraphics(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.CreateBitmapFromGraphics(L(a, 0), L(a, 1)));
}

void ShowImageToHDC(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.ShowImageToHDC(H<HDC>(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4)));
}

void SaveFile(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.SaveFile(S(a, 0), L(a, 1)));
}

void CreateGraphicsFromHDC(Self& s, Args& a, VARIANT* r) {
    com::Return(r, s.gdi.CreateGraphicsFromHDC(H<HDC>(a, 0)));
}

void CreateGraphicsFromHWND(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.CreateGraphicsFromHWND(H<HWND>(a, 0)));
}

void GetRBGFromOLEColour(Self& s, Args& a, VARIANT*) {
    int32_t red = 0, green = 0, blue = 0;
    s.gdi.GetRBGFromOLEColour(static_cast<uint32_t>(L(a, 0)), red, green, blue);
    a[1].Set(red);
    a[2].Set(green);
    a[3].Set(blue);
}

void DrawRectangleI(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.DrawRectangleI(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), F(a, 5), L(a, 6)));
}

void DrawLineI(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.DrawLineI(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), F(a, 5), L(a, 6)));
}

void SolidFillRectangle(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.SolidFillRectangle(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), L(a, 5)));
}

void SetSmoothingMode(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.SetSmoothingMode(L(a, 0)));
}

void DrawEllipseI(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.DrawEllipseI(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), F(a, 5), L(a, 6)));
}

void DrawEllipseI_Angle(Self& s, Args& a, VARIANT* r) {
    Status(r,
           s.gdi.DrawEllipseI_Angle(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), F(a, 5), F(a, 6), F(a, 7), L(a, 8)));
}

void SolidFillEllipse(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.SolidFillEllipse(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), L(a, 5)));
}

void GradualChangeFillRectangle(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.GradualChangeFillRectangle(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), L(a, 5), L(a, 6)));
}

void GradualChangeFillEllipse(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.GradualChangeFillEllipse(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), L(a, 5), L(a, 6)));
}

void DrawNormalText(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.DrawNormalText(S(a, 0), L(a, 1), L(a, 2), F(a, 3), L(a, 4), L(a, 5), L(a, 6), L(a, 7), L(a, 8),
                                   L(a, 9), L(a, 10), S(a, 11)));
}

void SaveImageToPNG(Self& s, Args& a, VARIANT* r) {
    SaveOwn(s, a, r, [&](Gdiplus::GpImage* i) { return s.gdi.SaveImageToPNG(i, S(a, 1)); });
}

void SaveImageToGIF(Self& s, Args& a, VARIANT* r) {
    SaveOwn(s, a, r, [&](Gdiplus::GpImage* i) { return s.gdi.SaveImageToGIF(i, S(a, 1)); });
}

void SaveImageToBMP(Self& s, Args& a, VARIANT* r) {
    SaveOwn(s, a, r, [&](Gdiplus::GpImage* i) { return s.gdi.SaveImageToBMP(i, S(a, 1)); });
}

void SaveImageToJPG(Self& s, Args& a, VARIANT* r) {
    SaveOwn(s, a, r, [&](Gdiplus::GpImage* i) { return s.gdi.SaveImageToJPG(i, S(a, 1), L(a, 2)); });
}

void SaveImageToTIF(Self& s, Args& a, VARIANT* r) {
    SaveOwn(s, a, r, [&](Gdiplus::GpImage* i) { return s.gdi.SaveImageToTIF(i, S(a, 1)); });
}

void DrawImageFromFile(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.DrawImageFromFile(S(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4)));
}

void DrawImageFromStream(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.DrawImageFromStream(H<const void*>(a, 0), L(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5)));
}

void DrawImageFormPictureHandle(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.DrawImageFormPictureHandle(H<HBITMAP>(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4)));
}

void DrawSpecialText(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.DrawSpecialText(S(a, 0), F(a, 1), L(a, 2), L(a, 3), L(a, 4), L(a, 5), L(a, 6), F(a, 7), L(a, 8),
                                    L(a, 9), L(a, 10), L(a, 11), L(a, 12), L(a, 13), L(a, 14), S(a, 15)));
}

void DrawImageFormIcoHandle(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.DrawImageFormIcoHandle(H<HICON>(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4)));
}

void DrawTexture(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.DrawTexture(S(a, 0), L(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5)));
}

void GraphicsClear(Self& s, Args&, VARIANT* r) {
    Status(r, s.gdi.GraphicsClear());
}

void RotateWorldTransform(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.RotateWorldTransform(F(a, 0), L(a, 1)));
}

void TranslateWorldTransform(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.TranslateWorldTransform(F(a, 0), F(a, 1), L(a, 2)));
}

void DrawImagePartScale(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.DrawImagePartScale(S(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), F(a, 5), F(a, 6)));
}

void DrawPieI(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.DrawPieI(L(a, 0), L(a, 1), L(a, 2), L(a, 3), F(a, 4), F(a, 5), L(a, 6), F(a, 7), L(a, 8)));
}

void SolidFillPie(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.SolidFillPie(L(a, 0), L(a, 1), L(a, 2), L(a, 3), F(a, 4), F(a, 5), L(a, 6)));
}

void DrawArc(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.DrawArc(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), L(a, 6), F(a, 7), L(a, 8)));
}

void SaveHDCToFile(Self& s, Args& a, VARIANT*) {
    s.gdi.SaveHDCToFile(L(a, 0), L(a, 1));
}

void DrawImageFromStream_ToWH(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.DrawImageFromStream_ToWH(H<const void*>(a, 0), L(a, 1), F(a, 2), F(a, 3), L(a, 4), L(a, 5)));
}

void DrawPath(Self& s, Args& a, VARIANT* r) {
    Status(r, s.gdi.DrawPath(L(a, 0), L(a, 1), L(a, 2), L(a, 3), F(a, 4), F(a, 5), L(a, 6), L(a, 7)));
}

}  // namespace

std::span<const com::Member<cGDIPlusObject>> cGDIPlusObject::Members() {
    namespace id = dispid::cGDIPlus;
    static const com::Member<Self> table[] = {
        {id::m_uLastStatus, L"m_uLastStatus", kGet, [](Self& s, Args&, VARIANT* r) { Status(r, s.gdi.m_uLastStatus); }},
        {id::m_uLastStatus, L"m_uLastStatus", kPut, SetLastStatus},
        {id::CreateGraphicsWithImage, L"CreateGraphicsWithImage", kMethod, CreateGraphicsWithImage},
        {id::CreateBitmapFromGraphics, L"CreateBitmapFromGraphics", kMethod, CreateBitmapFromGraphics},
        {id::ShowImageToHDC, L"ShowImageToHDC", kMethod, ShowImageToHDC},
        {id::SaveFile, L"SaveFile", kMethod, SaveFile},
        {id::CreateGraphicsFromHDC, L"CreateGraphicsFromHDC", kMethod, CreateGraphicsFromHDC},
        {id::CreateGraphicsFromHWND, L"CreateGraphicsFromHWND", kMethod, CreateGraphicsFromHWND},
        {id::GetRBGFromOLEColour, L"GetRBGFromOLEColour", kMethod, GetRBGFromOLEColour},
        {id::DrawRectangleI, L"DrawRectangleI", kMethod, DrawRectangleI},
        {id::DrawLineI, L"DrawLineI", kMethod, DrawLineI},
        {id::SolidFillRectangle, L"SolidFillRectangle", kMethod, SolidFillRectangle},
        {id::SetSmoothingMode, L"SetSmoothingMode", kMethod, SetSmoothingMode},
        {id::DrawEllipseI, L"DrawEllipseI", kMethod, DrawEllipseI},
        {id::DrawEllipseI_Angle, L"DrawEllipseI_Angle", kMethod, DrawEllipseI_Angle},
        {id::SolidFillEllipse, L"SolidFillEllipse", kMethod, SolidFillEllipse},
        {id::GradualChangeFillRectangle, L"GradualChangeFillRectangle", kMethod, GradualChangeFillRectangle},
        {id::GradualChangeFillEllipse, L"GradualChangeFillEllipse", kMethod, GradualChangeFillEllipse},
        {id::DrawNormalText, L"DrawNormalText", kMethod, DrawNormalText},
        {id::SaveImageToPNG, L"SaveImageToPNG", kMethod, SaveImageToPNG},
        {id::SaveImageToGIF, L"SaveImageToGIF", kMethod, SaveImageToGIF},
        {id::SaveImageToBMP, L"SaveImageToBMP", kMethod, SaveImageToBMP},
        {id::SaveImageToJPG, L"SaveImageToJPG", kMethod, SaveImageToJPG},
        {id::SaveImageToTIF, L"SaveImageToTIF", kMethod, SaveImageToTIF},
        {id::DrawImageFromFile, L"DrawImageFromFile", kMethod, DrawImageFromFile},
        {id::DrawImageFromStream, L"DrawImageFromStream", kMethod, DrawImageFromStream},
        {id::DrawImageFormPictureHandle, L"DrawImageFormPictureHandle", kMethod, DrawImageFormPictureHandle},
        {id::DrawSpecialText, L"DrawSpecialText", kMethod, DrawSpecialText},
        {id::DrawImageFormIcoHandle, L"DrawImageFormIcoHandle", kMethod, DrawImageFormIcoHandle},
        {id::DrawTexture, L"DrawTexture", kMethod, DrawTexture},
        {id::GraphicsClear, L"GraphicsClear", kMethod, GraphicsClear},
        {id::RotateWorldTransform, L"RotateWorldTransform", kMethod, RotateWorldTransform},
        {id::TranslateWorldTransform, L"TranslateWorldTransform", kMethod, TranslateWorldTransform},
        {id::DrawImagePartScale, L"DrawImagePartScale", kMethod, DrawImagePartScale},
        {id::DrawPieI, L"DrawPieI", kMethod, DrawPieI},
        {id::SolidFillPie, L"SolidFillPie", kMethod, SolidFillPie},
        {id::DrawArc, L"DrawArc", kMethod, DrawArc},
        {id::SaveHDCToFile, L"SaveHDCToFile", kMethod, SaveHDCToFile},
        {id::DrawImageFromStream_ToWH, L"DrawImageFromStream_ToWH", kMethod, DrawImageFromStream_ToWH},
        {id::DrawPath, L"DrawPath", kMethod, DrawPath},
    };
    return table;
}

}  // namespace kavrel
