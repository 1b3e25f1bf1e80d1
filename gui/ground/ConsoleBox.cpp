#include "gui/ground/ConsoleBox.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>

#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"

namespace ToolRunner {

namespace {

void ShowInLine(QLineEdit* box, const ConsoleText::BoxUpdate& update, bool autoScroll) {
  if (update.action == ConsoleText::BoxUpdate::Append)
    box->setText(box->text() + QString(update.text).remove('\n'));
  if (update.action == ConsoleText::BoxUpdate::Replace)
    box->setText(ConsoleText::LastLine(update.text));
  if (autoScroll) box->setCursorPosition(box->text().size());
}

void ShowInText(QPlainTextEdit* box, const ConsoleText::BoxUpdate& update, bool autoScroll) {
  if (update.action == ConsoleText::BoxUpdate::Append) {
    QTextCursor end(box->document());
    end.movePosition(QTextCursor::End);
    end.insertText(update.text);
  }
  if (update.action == ConsoleText::BoxUpdate::Replace) box->setPlainText(update.text);
  if (autoScroll) box->moveCursor(QTextCursor::End);
}

}  // namespace

OutputSink BoxSink(QWidget* box, bool autoScroll) {
  if (!box) return OutputSink();
  return [shown = QPointer<QWidget>(box), autoScroll](const ConsoleText::BoxUpdate& update) {
    if (auto* line = qobject_cast<QLineEdit*>(shown.data())) ShowInLine(line, update, autoScroll);
    if (auto* text = qobject_cast<QPlainTextEdit*>(shown.data()))
      ShowInText(text, update, autoScroll);
  };
}

RunResult RunCaptured(const CommandLine::Pipeline& pipeline, const QString& workDir, bool withStdin,
                      bool peekFirst, QWidget* box, bool autoScroll,
                      ConsoleText::Display displayMode, QString& output, int maxKeep, int& exitCode,
                      const ChunkSink& sink) {
  return RunCaptured(pipeline, workDir, withStdin, peekFirst, BoxSink(box, autoScroll), displayMode,
                     output, maxKeep, exitCode, sink);
}

RunResult RunCaptured(const QString& cmdLine, const QString& workDir, bool withStdin,
                      bool peekFirst, QWidget* box, bool autoScroll,
                      ConsoleText::Display displayMode, QString& output, int maxKeep,
                      int& exitCode) {
  return RunCaptured(CommandLine::ParseCommandLine(cmdLine), workDir, withStdin, peekFirst, box,
                     autoScroll, displayMode, output, maxKeep, exitCode);
}

}  // namespace ToolRunner
