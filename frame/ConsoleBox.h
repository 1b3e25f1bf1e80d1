#pragma once

#include "frame/CaptureConsole.h"

class QWidget;

namespace CaptureConsole {

// Shows a run's output in a box, a QLineEdit (which gets the text without its
// CR LF pairs) or a QPlainTextEdit; autoScroll puts its caret at the end
// after every chunk. Empty for a null box; a box destroyed meanwhile is left alone.
OutputSink BoxSink(QWidget* box, bool autoScroll);

}  // namespace CaptureConsole
