#include "TestEnv.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include "core/ground/ConsoleText.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/ToolRunner.h"

void TestEnv::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  ProgramFolder::SetForTests(dir_.path());
  ToolRunner::Reset();
  for (const char* name :
       {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
    const QString path = dir_.path() + "/env/" + name;
    QDir().mkpath(path);
    qputenv(name, path.toUtf8());
  }
  // The sound server's client keeps its sockets there only when no one else
  // can enter it; otherwise it leaves a folder of its own in /tmp.
  QFile::setPermissions(dir_.path() + "/env/XDG_RUNTIME_DIR",
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestEnv::TearDown() { ProgramFolder::SetForTests(QString()); }

QString TestEnv::WriteFile(const QString& relative, const QByteArray& bytes) const {
  const QString path = dir_.path() + "/" + relative;
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(bytes);
  return path;
}

QString TestEnv::WriteWaitingTool(const QString& relative, const QString& go,
                                  const QByteArray& then) const {
  const QString path = WriteFile(
      relative, "#!/bin/sh\nwhile [ ! -e '" + go.toUtf8() + "' ]; do sleep 0.05; done\n" + then);
  QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
  return path;
}

QString TestEnv::TrashFiles() const { return dir_.path() + "/env/XDG_DATA_HOME/Trash/files"; }

ScriptedDialogs::ScriptedDialogs() { Dialogs::SetResponder(this); }

ScriptedDialogs::~ScriptedDialogs() {
  Dialogs::SetResponder(nullptr);
  EXPECT_TRUE(script_.isEmpty()) << script_.size() << " scripted dialog(s) never shown";
}

ScriptedDialogs& ScriptedDialogs::Expect(Dialogs::Kind kind, Dialogs::Answer answer) {
  script_.append({kind, std::move(answer)});
  return *this;
}

Dialogs::Answer ScriptedDialogs::Respond(const Dialogs::Request& request) {
  shown_.append(request);
  if (script_.isEmpty() || script_.first().first != request.kind) {
    ADD_FAILURE() << "unexpected dialog: " << request.text.toStdString();
    return Dialogs::Cancelled(request.kind);
  }
  return script_.takeFirst().second;
}

QStringList ScriptedDialogs::Messages() const {
  QStringList texts;
  for (const Dialogs::Request& request : shown_) {
    if (request.kind == Dialogs::Kind::Message) texts << request.text;
  }
  return texts;
}

ModalCloser::ModalCloser(std::function<void(QWidget*)> inspect) : timer_(new QTimer) {
  QObject::connect(timer_, &QTimer::timeout, [this, inspect] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      closed_ << modal->objectName();
      if (inspect) inspect(modal);
      modal->close();
    }
  });
  timer_->start(10);
}

ModalCloser::~ModalCloser() { delete timer_; }

WhenReady::WhenReady(std::function<bool()> ready, std::function<void()> act) : timer_(new QTimer) {
  QObject::connect(timer_, &QTimer::timeout, [this, ready, act] {
    if (!ready()) return;
    timer_->stop();
    done_ = true;
    act();
  });
  timer_->start(20);
}

WhenReady::~WhenReady() { delete timer_; }

void When(std::function<bool()> ready, std::function<void()> act) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, ready, act] {
    if (!ready()) return;
    poll->stop();
    poll->deleteLater();
    act();
  });
  poll->start(5);
}

bool WaitFor(const std::function<bool()>& condition, int limitMs) {
  const QDeadlineTimer limit(limitMs);
  while (!condition()) {
    if (limit.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
  return true;
}

bool WhileAnotherToolRuns(const std::function<void()>& act) {
  WhenReady pressed([] { return ToolRunner::GetState() != ToolRunner::RunState::Idle; },
                    [&] {
                      act();
                      ToolRunner::RequestStop();
                    });
  QString output;
  int exitCode = 0;
  const ToolRunner::RunResult result =
      ToolRunner::RunCaptured({{"/bin/sleep", {"60"}}}, QString(), false, false, {},
                              ConsoleText::Display::NoDisplay, output, 0, exitCode);
  return result == ToolRunner::RunResult::Ran && pressed.Done();
}
