#pragma once
// The image button: a windowed control whose face is composed from the
// library's pictures. It hovers, shows a pressed face while the left button
// is held, can latch down like a toggle and clips itself to a rounded shape.
#include <memory>

#include "ButtonPainter_win.h"
#include "api/IButton.h"
#include "cGDIPlus_win.h"
#include "com/Control.h"
#include "win/GdiHandles.h"

namespace kavrel {

class Button final : public com::ControlObject<Button, IButton> {
public:
    Button();
    ~Button() override;
    static std::span<const com::Member<Button>> Members();
    void* QueryOther(REFIID iid);

    int32_t hDC();
    void UserControlMouseUp();
    bool Enabled() const { return enabled_; }
    void Enabled(bool value);
    int32_t ButtonIndex() const { return index_; }
    void ButtonIndex(int32_t value);
    void RefreshDraw() { Repaint(); }
    bool RgnForm() const { return rgnForm_; }
    void RgnForm(bool value);
    int32_t ButtonType() const { return type_; }
    void ButtonType(int32_t value);
    int32_t ForeColor() const { return foreColor_; }
    void ForeColor(int32_t value);
    bool ButtonDown() const { return buttonDown_; }
    void ButtonDown(bool value);
    int32_t BackColor() const { return backColor_; }
    void BackColor(int32_t value);
    int32_t TranColor() const { return tranColor_; }
    void TranColor(int32_t value);
    bool PressDownType() const { return latching_; }
    void PressDownType(bool value);
    static int32_t GetDpi();

    // The state shown: 1 normal, 2 hover, 3 pressed, 4 disabled.
    int32_t State() const { return state_; }

protected:
    void ReadProperties(com::PropertyReader& bag) override;
    void WriteProperties(com::PropertyWriter& bag) override;
    void OnResize() override;
    void OnPaint(HDC dc) override;
    void OnMouseDown(com::MouseEvent& e) override;
    void OnMouseMove(com::MouseEvent& e) override;
    void OnMouseUp(com::MouseEvent& e) override;

private:
    static LRESULT CALLBACK Subclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    void OnMouseLeave();
    void TrackLeave();
    void OnLostFocus();
    void OnEnable(bool on);
    void Repaint() { PaintState(state_); }
    void Changed();
    void PaintState(int32_t state);
    void PaintFace(int32_t state);
    void Resize();
    void ApplyRegion();
    void SizeForType();
    void FireMouse(DISPID id, const com::MouseEvent& e);
    int32_t AmbientBackColor() const;
    void Message(const wchar_t* text) const;

    // Initialisation order matters: the drawing object before the painter.
    std::unique_ptr<cGDIPlus> gdi_;
    ButtonPainter painter_;
    float dpiFactor_ = 1.0F;
    bool enabled_ = true;
    int32_t state_ = kNormal;
    int32_t pendingState_ = -1;  // the face asked for, composed at the next paint
    int32_t type_ = Pic1_Yc;
    int32_t index_ = 1;
    int32_t backColor_ = 0;
    bool rgnForm_ = false;
    bool buttonDown_ = false;
    bool latching_ = false;
    int32_t foreColor_ = 0xFFFFFF;
    int32_t tranColor_ = 0;
    int faceWidth_ = 0, faceHeight_ = 0;
    int bitmapWidth_ = 0, bitmapHeight_ = 0;
    SIZE regionSize_{-1, -1};  // the client size the window's shape was made for
    bool hover_ = false;
    int16_t pressFlag_ = 0;
    bool loaded_ = false;
    win::WindowDc keptDc_;
};

}  // namespace kavrel
