#pragma once

class QWidget;

// Controls without a caption of their own (a list, a path box, a value box)
// are named for assistive tools after the caption that stands for them, in
// the language in force.
namespace AccessibleNames {

// The control takes the caption's text as its name now, and again every time
// its window is translated. The caption may be the window itself (its title).
void NameAfter(QWidget* control, QWidget* caption);

// Names the window's controls after their captions as these read now; the
// translators call it after translating a window.
void Refresh(QWidget* window);

}  // namespace AccessibleNames
