#pragma once
// The reference picture box: a windowed control that loads one picture file
// and shows it scaled to fit its window, the aspect ratio kept.
#include <memory>
#include <string>

#include "api/IPavrot.h"
#include "com/Control.h"
#include "win/GdiHandles.h"
#include "win/GdipHandles.h"

namespace outside {

class Pavrot final : public com::ControlObject<Pavrot, IPavrot> {
public:
    Pavrot();
    ~Pavrot() override;
    static std::span<const com::Member<Pavrot>> Members();

    const std::wstring& PicturePath() const { return path_; }
    void PicturePath(const std::wstring& path);
    // Whether the path last put gave a picture to show.
    bool Loaded() const { return bitmap_ || image_; }
    // The picture's size in pixels; zero when the box is empty.
    SIZE PictureSize() const { return size_; }

    // The largest rectangle of the picture's shape inside the box, centred.
    static RECT FitRect(SIZE picture, SIZE box);

protected:
    void ReadProperties(com::PropertyReader&) override {}
    void WriteProperties(com::PropertyWriter&) override {}
    void OnResize() override;
    void OnPaint(HDC dc) override;

private:
    bool Load(const std::wstring& path);
    void Clear();

    bool started_ = false;
    std::wstring path_;
    com::Ptr<IStream> stream_;  // GDI+ reads from it for the life of the image
    win::gdip::Image image_;    // metafiles only, once loaded
    win::BitmapHandle bitmap_;  // pictures of pixels
    SIZE size_{};
};

}  // namespace outside
