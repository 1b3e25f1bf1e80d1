#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "core/frame/FfmpegOptionNames.h"

// Where the ffmpeg tools are: the paths in use, whether their files are
// there, the search for the missing ones, and the option names the command
// builders share.
namespace FfmpegTools {

// Puts the option names (FfmpegOptionNames::Defaults) in use.
void InitOptionNames();

// True when the tool's file exists; otherwise shows its "not found" message.
bool FfmpegExists();
bool FfplayExists();
bool FfprobeExists();

// The four tools whose paths the program keeps, in the order of the lists
// below: ffmpeg, ffplay, ffprobe, cdda2wav.
const QStringList& ToolNames();

// For each of the four tools, the first file below folder (its own files
// first, then breadth-first) whose name is the tool's, in any case, and that
// can be run, else the tool on PATH; "" when found nowhere. Only tools marked
// missing are searched.
QStringList FindTools(const QString& folder, const QList<bool>& missing);
// The four paths with each one whose file does not exist replaced by what
// FindTools finds in the program folder and on PATH; a tool found nowhere
// keeps its path.
QStringList WithMissingToolsFound(const QStringList& paths);

// Why a file cannot serve as a tool.
enum class ToolProblem { None, Missing, NotProgram };
ToolProblem CheckTool(const QString& path);

// A tool's path as the tool-paths window shows it: relative to the program
// folder when inside it, followed by "<" + TxtNotFound + ">" when the file is missing.
QString ShownToolPath(const QString& path);

// Where the ffmpeg tools are and the option names in use.
struct ToolsState {
  // Full paths of the tools; "" until the tool-paths window or config.qcf sets them.
  QString FfmpegPath;
  QString FfplayPath;
  QString FfprobePath;
  // Filled once at start-up; never changes during a run.
  FfmpegOptionNames OptNames;
};

// This module's part of the running program's AppState.
ToolsState& State();

}  // namespace FfmpegTools
