#pragma once
// The highlight palette: a borderless pop-up of eight colour cells beside the format panel's
// background-colour button. One palette at a time; it hides when it loses the focus.
#include <windows.h>

namespace tavolin {

class MainWindow;

class HighlightPalette {
public:
    // The corner the next palette opens at, in pixels at 96 DPI.
    static void GetXy(int x, int y);
    // Makes and shows a palette placed by the form's DPI, inside the work area of its monitor.
    static void Show(MainWindow& form);
    static void Unload();
    // The palette's window while one is loaded, else null.
    static HWND Window();
};

}  // namespace tavolin
