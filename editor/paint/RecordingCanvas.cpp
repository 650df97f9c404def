#include "paint/RecordingCanvas.h"

namespace notaline {

void RecordingCanvas::SelectFont(const tessaly::LogFont& font) {
    font_ = font;
    ++FontSelections;
}

void RecordingCanvas::DrawTextInRect(std::string_view text, const IntRect& box, uint32_t flags) {
    Op op;
    op.What = Kind::Text;
    op.Text = std::string(text);
    op.Box = box;
    op.Flags = flags;
    op.Font = font_;
    op.Colour = colour_;
    Ops.push_back(op);
}

void RecordingCanvas::TextOutAt(int32_t x, int32_t y, std::string_view text) {
    Op op;
    op.What = Kind::TextAt;
    op.Text = std::string(text);
    op.Box = {x, y, x, y};
    op.Font = font_;
    op.Colour = colour_;
    Ops.push_back(op);
}

TextMetric RecordingCanvas::GetTextMetric() {
    const int32_t h = font_.lfHeight < 0 ? -font_.lfHeight : font_.lfHeight;
    return {h, h / 5};
}

void RecordingCanvas::FillColour(const IntRect& box, uint32_t colour) {
    Op op;
    op.What = Kind::Fill;
    op.Box = box;
    op.Colour = colour;
    Ops.push_back(op);
}

void RecordingCanvas::FocusRect(const IntRect& box) {
    Op op;
    op.What = Kind::Focus;
    op.Box = box;
    Ops.push_back(op);
}

void RecordingCanvas::FillArgb(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t argb) {
    Op op;
    op.What = Kind::Fill;
    op.Box = {x, y, x + width, y + height};
    op.Colour = argb;
    op.Flags = 1;
    Ops.push_back(op);
}

bool RecordingCanvas::FillTexture(std::u16string_view file, const FloatRect& box) {
    Op op;
    op.What = Kind::Texture;
    op.File = std::u16string(file);
    op.Layout = box;
    Ops.push_back(op);
    return TextureFound;
}

void RecordingCanvas::PenLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t argb, float width) {
    Op op;
    op.What = Kind::Line;
    op.Box = {x1, y1, x2, y2};
    op.Colour = argb;
    op.Width = width;
    Ops.push_back(op);
}

void RecordingCanvas::PenArc(const FloatRect& box, float startAngle, float sweepAngle, uint32_t argb, float width) {
    Op op;
    op.What = Kind::Arc;
    op.Layout = box;
    op.Angles[0] = startAngle;
    op.Angles[1] = sweepAngle;
    op.Colour = argb;
    op.Width = width;
    Ops.push_back(op);
}

void RecordingCanvas::FillTriangle(const FloatPoint (&points)[3], uint32_t argb) {
    Op op;
    op.What = Kind::Triangle;
    for (int i = 0; i < 3; ++i) op.Points[i] = points[i];
    op.Colour = argb;
    Ops.push_back(op);
}

void RecordingCanvas::FittedText(std::string_view text, std::string_view face, uint8_t charset, float emSize,
                                 const FloatRect& box, uint32_t argb) {
    Op op;
    op.What = Kind::Fitted;
    op.Text = std::string(text);
    op.Face = std::string(face);
    op.Charset = charset;
    op.Angles[0] = emSize;
    op.Layout = box;
    op.Colour = argb;
    Ops.push_back(op);
}

void RecordingCanvas::DashedRect(int32_t left, int32_t top, int32_t width, int32_t height, uint32_t argb,
                                 int32_t dashStyle, float penWidth) {
    Op op;
    op.What = Kind::DashedRect;
    op.Box = {left, top, left + width, top + height};
    op.Colour = argb;
    op.Width = penWidth;
    op.DashStyle = dashStyle;
    Ops.push_back(op);
}

void RecordingCanvas::TranslucentText(std::string_view text, const tessaly::LogFont& font, uint8_t charset,
                                      const FloatRect& layout, uint32_t argb, uint32_t formatFlags) {
    Op op;
    op.What = Kind::Translucent;
    op.Text = std::string(text);
    op.Font = font;
    op.Charset = charset;
    op.Layout = layout;
    op.Colour = argb;
    op.Flags = formatFlags;
    Ops.push_back(op);
}

}  // namespace notaline
