#pragma once
// The splitter bar between the editor and the reference picture, dragged with the left button.
// Works on the form's geometry in twips; the window side moves the controls afterwards.
#include <cstdint>

#include "PanelLayout.h"

namespace tavolin {

inline constexpr int32_t kSplitterDragColour = 0xFF0000;  // blue, as an OLE colour
inline constexpr int32_t kSplitterRestColour = 0xE0E0E0;  // light grey
inline constexpr double kSplitterDragHeight = 50;
inline constexpr double kSplitterRestHeight = 180;

class Splitter {
public:
    enum Button { kLeft = 1, kRight = 2, kMiddle = 4 };

    void MouseDown(int button, double y);
    // true while dragging (the bar was moved); the sizing cursor is shown either way.
    bool MouseMove(double y, FormGeometry& g) const;
    // Gives the editor and the picture their new heights on a left release.
    void MouseUp(int button, FormGeometry& g, const PanelArrangement& panels);

    bool Dragging() const { return dragging_; }
    int32_t Colour() const { return colour_; }

private:
    bool dragging_ = false;
    double downY_ = 0;
    mutable int32_t colour_ = kSplitterRestColour;
};

}  // namespace tavolin
