#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <functional>

#include "core/ground/Dialogs.h"

// A temporary program folder for one test: the program's data folder,
// HOME and the XDG folders (so the desktop trash) all lie inside it.
class TestEnv : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The temporary program folder.
  QString Folder() const { return dir_.path(); }
  // Writes a file below the program folder, creating its folders.
  QString WriteFile(const QString& relative, const QByteArray& bytes) const;
  // Writes a shell script below the program folder, made executable, that
  // waits until the file go exists and then runs the lines then: a slow tool
  // whose pace the test sets.
  QString WriteWaitingTool(const QString& relative, const QString& go,
                           const QByteArray& then) const;
  // Where the desktop trash keeps trashed files for this test.
  QString TrashFiles() const;

 private:
  QTemporaryDir dir_;
};

// Answers the program's dialogs from a script and records what they showed.
// A dialog the script did not expect fails the test and is cancelled.
class ScriptedDialogs : public Dialogs::Responder {
 public:
  ScriptedDialogs();
  ~ScriptedDialogs() override;

  // The next dialog must be of this kind; it gets this answer.
  ScriptedDialogs& Expect(Dialogs::Kind kind, Dialogs::Answer answer);
  ScriptedDialogs& ExpectMessage(Dialogs::Button answer = Dialogs::Button::Ok) {
    return Expect(Dialogs::Kind::Message, answer);
  }

  Dialogs::Answer Respond(const Dialogs::Request& request) override;

  const QList<Dialogs::Request>& Shown() const { return shown_; }
  // Texts of the message boxes shown so far.
  QStringList Messages() const;

 private:
  QList<std::pair<Dialogs::Kind, Dialogs::Answer>> script_;
  QList<Dialogs::Request> shown_;
};

// Closes every modal window that a call opens, after calling inspect on it.
// Used where the program opens one of its own modal windows.
class ModalCloser {
 public:
  explicit ModalCloser(std::function<void(QWidget*)> inspect = {});
  ~ModalCloser();
  QStringList Closed() const { return closed_; }

 private:
  QStringList closed_;
  class QTimer* timer_;
};

// Calls act once, from inside the running event loop, as soon as ready()
// holds; unlike WhenReady it outlives the scope that set it up.
void When(std::function<bool()> ready, std::function<void()> act);

// Runs the event loop until condition() holds; false once the limit (a
// generous one: it bounds a failure, not the wait) has passed without it.
bool WaitFor(const std::function<bool()>& condition, int limitMs = 60000);

// Calls act once, from the event loop, as soon as ready() holds, while the
// object lives: how a test steps in at a given state while the code under
// test runs its own loop. Looked at every 20 ms; the wait is bounded by what
// the test runs (a clip's length, a tool that ends), never by a fixed delay.
class WhenReady {
 public:
  WhenReady(std::function<bool()> ready, std::function<void()> act);
  ~WhenReady();
  bool Done() const { return done_; }

 private:
  bool done_ = false;
  class QTimer* timer_;
};

// Keeps the tool runner busy with a tool that would run a minute and calls act
// from inside its wait, as a press made while another tool runs; that tool is
// then stopped. True when the tool ran and act was called.
bool WhileAnotherToolRuns(const std::function<void()>& act);

// Readable failure messages for Qt's text types.
#include <QStringList>
#include <ostream>
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
  *out << '{';
  for (const QString& text : list) *out << '"' << text.toStdString() << "\" ";
  *out << '}';
}

// Readable failure messages for the dialog layer's message boxes. Every test
// that compares them includes this file, so that all print them alike.
namespace Dialogs {
inline void PrintTo(Buttons buttons, std::ostream* out) {
  static const char* const names[] = {"Ok", "OkCancel", "YesNoCancel", "YesNo"};
  *out << "Buttons::" << names[static_cast<int>(buttons)];
}
inline void PrintTo(Icon icon, std::ostream* out) {
  static const char* const names[] = {"None", "Stop", "Question", "Exclamation", "Information"};
  *out << "Icon::" << names[static_cast<int>(icon)];
}
inline void PrintTo(const MessageStyle& style, std::ostream* out) {
  *out << '{';
  PrintTo(style.buttons, out);
  *out << ", ";
  PrintTo(style.icon, out);
  *out << '}';
}
inline void PrintTo(Button button, std::ostream* out) {
  static const char* const names[] = {"Ok", "Cancel", "Yes", "No"};
  *out << "Button::" << names[static_cast<int>(button)];
}
}  // namespace Dialogs
