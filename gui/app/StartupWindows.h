#pragma once

class QWidget;

// The windows the program's start shows over the main window.
namespace StartupWindows {

// Runs the start-up steps, then asks for a language when none is known, and on
// a first run looks for the tools, shows the tool paths and the about box.
// Called last by the main window's load.
void Run(QWidget* main);

// Fills the tool paths that are not set with the tools found in the program
// folder, then on PATH, and says which of ffmpeg, ffplay and ffprobe are missing.
void FindToolsOnFirstRun();

}  // namespace StartupWindows
