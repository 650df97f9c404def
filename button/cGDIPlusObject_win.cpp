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

}  // namespace

std::span<const com::Member<cGDIPlusObject>> cGDIPlusObject::Members() {
    namespace id = dispid::cGDIPlus;
    static const com::Member<Self> table[] = {
        {id::m_uLastStatus, L"m_uLastStatus", kGet, [](Self& s, Args&, VARIANT* r) { Status(r, s.gdi.m_uLastStatus); }},
        {id::m_uLastStatus, L"m_uLastStatus", kPut,
         [](Self& s, Args& a, VARIANT*) { s.gdi.m_uLastStatus = static_cast<GpStatus>(a.Value().Long()); }},
        {id::CreateGraphicsWithImage, L"CreateGraphicsWithImage", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.CreateGraphicsWithImage(L(a, 0), L(a, 1), static_cast<GpPixelFormat>(L(a, 2))));
         }},
        {id::CreateBitmapFromGraphics, L"CreateBitmapFromGraphics", kMethod,
         [](Self& s, Args& a, VARIANT* r) { Status(r, s.gdi.CreateBitmapFromGraphics(L(a, 0), L(a, 1))); }},
        {id::ShowImageToHDC, L"ShowImageToHDC", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.ShowImageToHDC(H<HDC>(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4)));
         }},
        {id::SaveFile, L"SaveFile", kMethod,
         [](Self& s, Args& a, VARIANT* r) { Status(r, s.gdi.SaveFile(S(a, 0), L(a, 1))); }},
        {id::CreateGraphicsFromHDC, L"CreateGraphicsFromHDC", kMethod,
         [](Self& s, Args& a, VARIANT* r) { com::Return(r, s.gdi.CreateGraphicsFromHDC(H<HDC>(a, 0))); }},
        {id::CreateGraphicsFromHWND, L"CreateGraphicsFromHWND", kMethod,
         [](Self& s, Args& a, VARIANT* r) { Status(r, s.gdi.CreateGraphicsFromHWND(H<HWND>(a, 0))); }},
        {id::GetRBGFromOLEColour, L"GetRBGFromOLEColour", kMethod,
         [](Self& s, Args& a, VARIANT*) {
             int32_t red = 0, green = 0, blue = 0;
             s.gdi.GetRBGFromOLEColour(static_cast<uint32_t>(L(a, 0)), red, green, blue);
             a[1].Set(red);
             a[2].Set(green);
             a[3].Set(blue);
         }},
        {id::DrawRectangleI, L"DrawRectangleI", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawRectangleI(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), F(a, 5), L(a, 6)));
         }},
        {id::DrawLineI, L"DrawLineI", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawLineI(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), F(a, 5), L(a, 6)));
         }},
        {id::SolidFillRectangle, L"SolidFillRectangle", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.SolidFillRectangle(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), L(a, 5)));
         }},
        {id::SetSmoothingMode, L"SetSmoothingMode", kMethod,
         [](Self& s, Args& a, VARIANT* r) { Status(r, s.gdi.SetSmoothingMode(L(a, 0))); }},
        {id::DrawEllipseI, L"DrawEllipseI", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawEllipseI(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), F(a, 5), L(a, 6)));
         }},
        {id::DrawEllipseI_Angle, L"DrawEllipseI_Angle", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawEllipseI_Angle(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), F(a, 5), F(a, 6),
                                                F(a, 7), L(a, 8)));
         }},
        {id::SolidFillEllipse, L"SolidFillEllipse", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.SolidFillEllipse(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), L(a, 5)));
         }},
        {id::GradualChangeFillRectangle, L"GradualChangeFillRectangle", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.GradualChangeFillRectangle(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), L(a, 5), L(a, 6)));
         }},
        {id::GradualChangeFillEllipse, L"GradualChangeFillEllipse", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.GradualChangeFillEllipse(L(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), L(a, 5), L(a, 6)));
         }},
        {id::DrawNormalText, L"DrawNormalText", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawNormalText(S(a, 0), L(a, 1), L(a, 2), F(a, 3), L(a, 4), L(a, 5), L(a, 6), L(a, 7),
                                            L(a, 8), L(a, 9), L(a, 10), S(a, 11)));
         }},
        {id::SaveImageToPNG, L"SaveImageToPNG", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             SaveOwn(s, a, r, [&](Gdiplus::GpImage* i) { return s.gdi.SaveImageToPNG(i, S(a, 1)); });
         }},
        {id::SaveImageToGIF, L"SaveImageToGIF", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             SaveOwn(s, a, r, [&](Gdiplus::GpImage* i) { return s.gdi.SaveImageToGIF(i, S(a, 1)); });
         }},
        {id::SaveImageToBMP, L"SaveImageToBMP", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             SaveOwn(s, a, r, [&](Gdiplus::GpImage* i) { return s.gdi.SaveImageToBMP(i, S(a, 1)); });
         }},
        {id::SaveImageToJPG, L"SaveImageToJPG", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             SaveOwn(s, a, r, [&](Gdiplus::GpImage* i) { return s.gdi.SaveImageToJPG(i, S(a, 1), L(a, 2)); });
         }},
        {id::SaveImageToTIF, L"SaveImageToTIF", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             SaveOwn(s, a, r, [&](Gdiplus::GpImage* i) { return s.gdi.SaveImageToTIF(i, S(a, 1)); });
         }},
        {id::DrawImageFromFile, L"DrawImageFromFile", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawImageFromFile(S(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4)));
         }},
        {id::DrawImageFromStream, L"DrawImageFromStream", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawImageFromStream(H<const void*>(a, 0), L(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5)));
         }},
        {id::DrawImageFormPictureHandle, L"DrawImageFormPictureHandle", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawImageFormPictureHandle(H<HBITMAP>(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4)));
         }},
        {id::DrawSpecialText, L"DrawSpecialText", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawSpecialText(S(a, 0), F(a, 1), L(a, 2), L(a, 3), L(a, 4), L(a, 5), L(a, 6), F(a, 7),
                                             L(a, 8), L(a, 9), L(a, 10), L(a, 11), L(a, 12), L(a, 13), L(a, 14),
                                             S(a, 15)));
         }},
        {id::DrawImageFormIcoHandle, L"DrawImageFormIcoHandle", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawImageFormIcoHandle(H<HICON>(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4)));
         }},
        {id::DrawTexture, L"DrawTexture", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawTexture(S(a, 0), L(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5)));
         }},
        {id::GraphicsClear, L"GraphicsClear", kMethod,
         [](Self& s, Args&, VARIANT* r) { Status(r, s.gdi.GraphicsClear()); }},
        {id::RotateWorldTransform, L"RotateWorldTransform", kMethod,
         [](Self& s, Args& a, VARIANT* r) { Status(r, s.gdi.RotateWorldTransform(F(a, 0), L(a, 1))); }},
        {id::TranslateWorldTransform, L"TranslateWorldTransform", kMethod,
         [](Self& s, Args& a, VARIANT* r) { Status(r, s.gdi.TranslateWorldTransform(F(a, 0), F(a, 1), L(a, 2))); }},
        {id::DrawImagePartScale, L"DrawImagePartScale", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawImagePartScale(S(a, 0), L(a, 1), L(a, 2), L(a, 3), L(a, 4), F(a, 5), F(a, 6)));
         }},
        {id::DrawPieI, L"DrawPieI", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawPieI(L(a, 0), L(a, 1), L(a, 2), L(a, 3), F(a, 4), F(a, 5), L(a, 6), F(a, 7), L(a, 8)));
         }},
        {id::SolidFillPie, L"SolidFillPie", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.SolidFillPie(L(a, 0), L(a, 1), L(a, 2), L(a, 3), F(a, 4), F(a, 5), L(a, 6)));
         }},
        {id::DrawArc, L"DrawArc", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawArc(F(a, 0), F(a, 1), F(a, 2), F(a, 3), F(a, 4), F(a, 5), L(a, 6), F(a, 7), L(a, 8)));
         }},
        {id::SaveHDCToFile, L"SaveHDCToFile", kMethod,
         [](Self& s, Args& a, VARIANT*) { s.gdi.SaveHDCToFile(L(a, 0), L(a, 1)); }},
        {id::DrawImageFromStream_ToWH, L"DrawImageFromStream_ToWH", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawImageFromStream_ToWH(H<const void*>(a, 0), L(a, 1), F(a, 2), F(a, 3), L(a, 4),
                                                      L(a, 5)));
         }},
        {id::DrawPath, L"DrawPath", kMethod,
         [](Self& s, Args& a, VARIANT* r) {
             Status(r, s.gdi.DrawPath(L(a, 0), L(a, 1), L(a, 2), L(a, 3), F(a, 4), F(a, 5), L(a, 6), L(a, 7)));
         }},
    };
    return table;
}

}  // namespace kavrel
