#include "gui/ground/WidgetDialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace {

enum Answers { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

QMessageBox::Icon IconOf(int style) {
  switch (style & 0x70) {
    case 16: return QMessageBox::Critical;
    case 32: return QMessageBox::Question;
    case 48: return QMessageBox::Warning;
    case 64: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

int ShowMessageBox(const Dialogs::Request& request) {
  const int style = request.style;
  QMessageBox box(IconOf(style), request.title, request.text);
  switch (style & 0x7) {
    case 1:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case 3:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case 4:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    default:
      box.setStandardButtons(QMessageBox::Ok);
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return kYes;
    case QMessageBox::No: return kNo;
    case QMessageBox::Cancel: return kCancel;
    default: return (style & 0x7) == 0 ? kOk : ((style & 0x7) == 4 ? kNo : kCancel);
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

int OpenOnDesktop(const QString& target) {
  return QDesktopServices::openUrl(QDir::isAbsolutePath(target) ? QUrl::fromLocalFile(target)
                                                                : QUrl::fromUserInput(target))
             ? 1
             : 0;
}

}  // namespace

Dialogs::Answer WidgetDialogs::Respond(const Dialogs::Request& request) {
  switch (request.kind) {
    case Dialogs::Kind::Message: return ShowMessageBox(request);
    case Dialogs::Kind::Input: return ShowInputBox(request);
    case Dialogs::Kind::OpenFile: return ShowOpenDialog(request);
    case Dialogs::Kind::SaveFile: return ShowSaveDialog(request);
    case Dialogs::Kind::Folder:
      return QFileDialog::getExistingDirectory(request.owner, request.title, request.text);
    case Dialogs::Kind::Color: return ShowColorDialog(request);
    case Dialogs::Kind::Open: return OpenOnDesktop(request.text);
  }
  return Dialogs::Cancelled(request.kind);
}
