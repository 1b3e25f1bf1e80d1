#pragma once

#include <QPlainTextEdit>

// A read-only box for one line of text, such as a tool's status line, that
// wraps the line over its rows so that the whole of it is in view. It reads
// and sets its text as a line box does.
class WrappingLineBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit WrappingLineBox(QWidget* parent = nullptr);

  QString text() const { return toPlainText(); }
  void setText(const QString& text) { setPlainText(text); }
};
