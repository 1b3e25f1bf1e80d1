#pragma once

class QWidget;

// Every window of the program stays within the free area of the screen it
// opens on, whatever the font: a window that would be larger gets its content
// in a scroll area and takes the size of that area, so that every control can
// still be reached.
namespace ScreenFit {

// Fits the program's windows (those named "Form..." as the program names
// them) each time one is shown or changes its size.
void Install();

// Fits the window to its screen now: the scroll area is put in the first time
// the window is too large and stays; the content keeps the size its controls
// need, the window takes at most the screen's free area.
void Fit(QWidget* window);

}  // namespace ScreenFit
