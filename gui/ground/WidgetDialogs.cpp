#include "gui/ground/WidgetDialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace {

QMessageBox::Icon IconOf(Dialogs::Icon icon) {
  switch (icon) {
    case Dialogs::Icon::Stop:
      return QMessageBox::Critical;
    case Dialogs::Icon::Question:
      return QMessageBox::Question;
    case Dialogs::Icon::Exclamation:
      return QMessageBox::Warning;
    case Dialogs::Icon::Information:
      return QMessageBox::Information;
    case Dialogs::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(Dialogs::Buttons buttons) {
  switch (buttons) {
    case Dialogs::Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Dialogs::Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Dialogs::Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Dialogs::Buttons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

// A box closed with the window's X: Cancel where there is one, No on a Yes/No
// box, OK on a box with OK alone.
Dialogs::Button ClosedAnswer(Dialogs::Buttons buttons) {
  switch (buttons) {
    case Dialogs::Buttons::Ok:
      return Dialogs::Button::Ok;
    case Dialogs::Buttons::YesNo:
      return Dialogs::Button::No;
    default:
      return Dialogs::Button::Cancel;
  }
}

Dialogs::Button ShowMessageBox(const Dialogs::Request& request) {
  QMessageBox box(IconOf(request.style.icon), request.title, request.text);
  box.setStandardButtons(ButtonsOf(request.style.buttons));
  switch (box.exec()) {
    case QMessageBox::Ok:
      return Dialogs::Button::Ok;
    case QMessageBox::Yes:
      return Dialogs::Button::Yes;
    case QMessageBox::No:
      return Dialogs::Button::No;
    case QMessageBox::Cancel:
      return Dialogs::Button::Cancel;
    default:
      return ClosedAnswer(request.style.buttons);
  }
}

QString ShowInputBox(const Dialogs::Request& request) {
  bool ok = false;
  const QString text = QInputDialog::getText(nullptr, request.title, request.text,
                                             QLineEdit::Normal, request.defaultText, &ok);
  return ok ? text : QString();
}

// "Audio|*.mp3;*.wav|All|*.*" -> "Audio (*.mp3 *.wav);;All (*)"
QString QtFilter(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ').replace("*.*", "*");
    entries << parts[i] + " (" + patterns + ")";
  }
  return entries.join(";;");
}

QString StartPath(const Dialogs::Request& request) {
  return request.defaultText.isEmpty() ? request.text : request.text + "/" + request.defaultText;
}

QStringList ShowOpenDialog(const Dialogs::Request& request) {
  const QString filter = QtFilter(request.filter);
  if (request.multiSelect)
    return QFileDialog::getOpenFileNames(request.owner, request.title, StartPath(request), filter);
  const QString path =
      QFileDialog::getOpenFileName(request.owner, request.title, StartPath(request), filter);
  return path.isEmpty() ? QStringList() : QStringList{path};
}

QString ShowSaveDialog(const Dialogs::Request& request) {
  const QFileDialog::Options options =
      request.overwritePrompt ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
  return QFileDialog::getSaveFileName(request.owner, request.title, StartPath(request),
                                      QtFilter(request.filter), nullptr, options);
}

int ShowColorDialog(const Dialogs::Request& request) {
  const int initial = request.text.toInt();
  const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
  const QColor chosen = QColorDialog::getColor(start, request.owner);
  if (!chosen.isValid()) return -1;
  return chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
}

bool OpenOnDesktop(const QString& target) {
  return QDesktopServices::openUrl(QDir::isAbsolutePath(target) ? QUrl::fromLocalFile(target)
                                                                : QUrl::fromUserInput(target));
}

}  // namespace

Dialogs::Answer WidgetDialogs::Respond(const Dialogs::Request& request) {
  switch (request.kind) {
    case Dialogs::Kind::Message:
      return ShowMessageBox(request);
    case Dialogs::Kind::Input:
      return ShowInputBox(request);
    case Dialogs::Kind::OpenFile:
      return ShowOpenDialog(request);
    case Dialogs::Kind::SaveFile:
      return ShowSaveDialog(request);
    case Dialogs::Kind::Folder:
      return QFileDialog::getExistingDirectory(request.owner, request.title, request.text);
    case Dialogs::Kind::Color:
      return ShowColorDialog(request);
    case Dialogs::Kind::Open:
      return OpenOnDesktop(request.text);
  }
  return Dialogs::Cancelled(request.kind);
}
