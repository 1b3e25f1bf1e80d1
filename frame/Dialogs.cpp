#include "frame/Dialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace Dialogs {

namespace {

Responder* g_responder = nullptr;

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

int ShowMessageBox(const QString& text, int style, const QString& title) {
  QMessageBox box(IconOf(style), title, text);
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

template <class T>
T Get(const Answer& answer, T fallback) {
  if (const T* value = std::get_if<T>(&answer)) return *value;
  return fallback;
}

}  // namespace

void SetResponder(Responder* responder) { g_responder = responder; }

int MsgBox(const QString& text, int style, const QString& title) {
  if (g_responder) {
    return Get<int>(g_responder->Respond({Kind::Message, style, title, text, {}, {}, false}),
                    kCancel);
  }
  return ShowMessageBox(text, style, title);
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  if (g_responder) {
    return Get<QString>(
        g_responder->Respond({Kind::Input, 0, title, prompt, defaultText, {}, false}), {});
  }
  bool ok = false;
  const QString text =
      QInputDialog::getText(nullptr, title, prompt, QLineEdit::Normal, defaultText, &ok);
  return ok ? text : QString();
}

QStringList OpenFiles(QWidget* owner, const QString& title, const QString& folder,
                      const QString& fileName, const QString& filter, bool multiSelect) {
  if (g_responder) {
    return Get<QStringList>(
        g_responder->Respond({Kind::OpenFile, 0, title, folder, fileName, filter, multiSelect}),
        {});
  }
  const QString start = fileName.isEmpty() ? folder : folder + "/" + fileName;
  if (multiSelect) return QFileDialog::getOpenFileNames(owner, title, start, QtFilter(filter));
  const QString path = QFileDialog::getOpenFileName(owner, title, start, QtFilter(filter));
  return path.isEmpty() ? QStringList() : QStringList{path};
}

QString SaveFile(QWidget* owner, const QString& title, const QString& folder,
                 const QString& fileName, const QString& filter, bool overwritePrompt) {
  if (g_responder) {
    return Get<QString>(g_responder->Respond({Kind::SaveFile, 0, title, folder, fileName, filter,
                                              false, overwritePrompt}),
                        {});
  }
  const QString start = fileName.isEmpty() ? folder : folder + "/" + fileName;
  const QFileDialog::Options options =
      overwritePrompt ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
  return QFileDialog::getSaveFileName(owner, title, start, QtFilter(filter), nullptr, options);
}

QString Folder(QWidget* owner, const QString& title, const QString& folder) {
  if (g_responder) {
    return Get<QString>(g_responder->Respond({Kind::Folder, 0, title, folder, {}, {}, false}),
                        {});
  }
  return QFileDialog::getExistingDirectory(owner, title, folder);
}

int Color(QWidget* owner, int initial) {
  if (g_responder) {
    return Get<int>(g_responder->Respond({Kind::Color, 0, {}, QString::number(initial), {}, {},
                                          false}),
                    -1);
  }
  const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
  const QColor chosen = QColorDialog::getColor(start, owner);
  if (!chosen.isValid()) return -1;
  return chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
}

bool Open(const QString& target) {
  if (g_responder) {
    return Get<int>(g_responder->Respond({Kind::Open, 0, {}, target, {}, {}, false}), 0) != 0;
  }
  return QDesktopServices::openUrl(QDir::isAbsolutePath(target) ? QUrl::fromLocalFile(target)
                                                                : QUrl::fromUserInput(target));
}

}  // namespace Dialogs
