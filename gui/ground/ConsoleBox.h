#pragma once

#include "core/ground/ToolRunner.h"

class QWidget;

namespace ToolRunner {

// Shows a run's output in a box, a QLineEdit (appended text without its line
// ends, replacing text by its last line) or a QPlainTextEdit; autoScroll
// puts its caret at the end after every chunk. Empty for a null box; a box
// destroyed meanwhile is left alone.
OutputSink BoxSink(QWidget* box, bool autoScroll);

// RunCaptured with the output shown in a box (a QPlainTextEdit or QLineEdit,
// may be null when displayMode is NoDisplay) through BoxSink.
RunResult RunCaptured(const CommandLine::Pipeline& pipeline, const QString& workDir, bool withStdin,
                      bool peekFirst, QWidget* box, bool autoScroll,
                      ConsoleText::Display displayMode, QString& output, int maxKeep, int& exitCode,
                      const ChunkSink& sink = ChunkSink());
// cmdLine is read as CommandLine::ParseCommandLine reads it.
RunResult RunCaptured(const QString& cmdLine, const QString& workDir, bool withStdin,
                      bool peekFirst, QWidget* box, bool autoScroll,
                      ConsoleText::Display displayMode, QString& output, int maxKeep,
                      int& exitCode);

}  // namespace ToolRunner
