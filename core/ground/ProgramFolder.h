#pragma once

#include <QString>

// The program is portable: its data folder appfiles/ lies beside the executable.
namespace ProgramFolder {

// The folder of the executable, or the folder a test pointed it at; no trailing '/'.
QString Path();
// Tests point the program at a temporary folder; an empty path restores the real one.
void SetForTests(const QString& folder);
// Path() + "/appfiles", and a path below it when a relative path is given.
QString AppFiles(const QString& relative = QString());

// Where the program's folder lies when it is not the executable's.
struct FolderState {
  QString TestFolder;  // "" = the executable's folder
};

// This module's part of the running program's AppState.
FolderState& State();

}  // namespace ProgramFolder
