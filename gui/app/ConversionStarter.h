#pragma once

#include <QString>

#include "core/convert/CommandTable.h"

class QListWidget;
class QWidget;

// The window side of a conversion: it builds the table and shows why a build
// failed, starts the run with its progress window, and asks a test's question.
namespace Conversion {

// The message that tells the user why a build failed; nothing for a build
// that succeeded or that the user ended by choosing no encoder program.
void ShowTableFailure(const TableBuild& build);

// Builds the table, asking the user for an outside encoder program it cannot
// find; on success it becomes Commands. MultiOutput follows every build that
// read the format's options. False after a message (or the user's refusal to
// locate an encoder program). The codec viewer that locates one opens over owner.
bool BuildCommandTable(const QString& testTime, QWidget* owner = nullptr);

// Converts the whole file list, or, with a test time, a few seconds of it,
// in a progress window that stands in for the main window. inputList, when
// given, is the list that shows the files: a test converts its selected file
// (the first, selected then, when none is). Nothing happens while a
// conversion or another tool is running.
void Convert(const QString& testTime, QListWidget* inputList = nullptr);

}  // namespace Conversion
