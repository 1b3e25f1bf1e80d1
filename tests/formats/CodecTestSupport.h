#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "TestEnv.h"
#include "core/frame/DataFolderManager.h"
#include "core/ground/ExtCodecDef.h"
#include "core/ground/FormatProfile.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"
#include "gui/frame/FileManagerWindow.h"

namespace codec_test {

// What the file manager was opened on, as the code under test asked.
struct ManagerCall {
  QString Folder;
  QString Extension;
  DataFolderManager::Mode Mode = DataFolderManager::Mode::Administer;
};

// Answers the next file manager: types name and accepts, or cancels when
// name is empty. The call is recorded in *call when given.
inline void AnswerManager(const QString& name, ManagerCall* call = nullptr) {
  When([] { return FileManagerWindow::Instance() && FileManagerWindow::Instance()->isVisible(); },
       [name, call] {
         if (call)
           *call = {DataFolderManager::State().FmFolder, DataFolderManager::State().FmExtension,
                    DataFolderManager::State().FmMode};
         FileManagerWindow* manager = FileManagerWindow::Instance();
         if (name.isEmpty()) {
           manager->cancelButton->click();
           return;
         }
         manager->nameEdit->setText(name);
         manager->acceptButton->click();
       });
}

inline ExtCodecParam Row(const QString& label, ParamKind kind, const QString& switchText = {},
                         const QString& defaultValue = {}) {
  ExtCodecParam row;
  row.Label = label;
  row.Kind = kind;
  row.Switch = switchText;
  row.Default = defaultValue;
  return row;
}

// A complete audio definition for an encoder called "lame".
inline ExtCodecDef LameCodec() {
  ExtCodecDef codec;
  codec.About = "LAME MP3 encoder";
  codec.ExePath = "tools/lame";
  codec.Params = {0,
                  {Row("Bitrate", ParamKind::Optional, "-b", "128"),
                   Row("<InFile>", ParamKind::Required), Row("<OutFile>", ParamKind::Required)}};
  codec.FfmpegParams = "-f wav";
  codec.FfmpegExt = "wav";
  codec.OutputExt = "mp3";
  codec.Editable = {1, {true, false, false, false, true, false}};
  return codec;
}

inline QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

template <class R>
void WriteRecord(const QString& path, const R& record) {
  QDir().mkpath(QFileInfo(path).path());
  ASSERT_EQ(RecordFile::Write(path, record), RecordFile::Result::Ok) << path.toStdString();
}

template <class R>
R ReadRecord(const QString& path) {
  R record;
  EXPECT_EQ(RecordFile::Read(path, record), RecordFile::Result::Ok) << path.toStdString();
  return record;
}

}  // namespace codec_test
