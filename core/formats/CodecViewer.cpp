#include "core/formats/CodecViewer.h"

#include <QFileInfo>

#include "core/frame/Session.h"
#include "core/ground/FileServices.h"
#include "core/ground/FormatProfile.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"
#include "core/lang/Lang.h"

namespace CodecViewer {

namespace {

bool IsProfile(const QString& path) {
  return QFileInfo(path).suffix().compare("qfm", Qt::CaseInsensitive) == 0;
}

QString CodecFolder() { return ProgramFolder::AppFiles("ecodec"); }

}  // namespace

QStringList CodecEntries() {
  QStringList audio;
  QStringList video;
  for (const QString& file : FileServices::ListFiles(CodecFolder(), "qca:")) {
    audio.append("audio\\" + QFileInfo(file).completeBaseName());
  }
  for (const QString& file : FileServices::ListFiles(CodecFolder(), "qcv:")) {
    video.append("video\\" + QFileInfo(file).completeBaseName());
  }
  for (const QString& file : FileServices::ListFiles(ProgramFolder::AppFiles("formats"), "qfm:")) {
    FormatProfile profile;
    if (RecordFile::Read(file, profile) != RecordFile::Result::Ok) continue;
    const QString base = QFileInfo(file).completeBaseName();
    const QString& audioName = profile.AudioExtCodecName;
    const QString& videoName = profile.VideoExtCodecName;
    if (!audioName.isEmpty() &&
        !FileServices::FileExists(CodecFolder() + "/" + audioName + ".qca")) {
      audio.append("audio\\" + base + "\\" + audioName);
    }
    if (!videoName.isEmpty() &&
        !FileServices::FileExists(CodecFolder() + "/" + videoName + ".qcv")) {
      video.append("video\\" + base + "\\" + videoName);
    }
  }
  return audio + video;
}

bool ReadCodec(const QString& path, bool isVideo, CodecInfo& info) {
  info = CodecInfo();
  if (IsProfile(path)) {
    FormatProfile profile;
    if (RecordFile::Read(path, profile) != RecordFile::Result::Ok) return false;
    info.Name = isVideo ? profile.VideoExtCodecName : profile.AudioExtCodecName;
    info.Codec = isVideo ? profile.VideoExtCodec : profile.AudioExtCodec;
    return true;
  }
  if (RecordFile::Read(path, info.Codec) != RecordFile::Result::Ok) return false;
  info.Name = QFileInfo(path).completeBaseName();
  return true;
}

bool LoadCodecFile(const QString& path, bool isVideo, CodecInfo& info) {
  if (!ReadCodec(path, isVideo, info)) return false;
  State().FilePath = path;
  State().IsVideo = isVideo;
  return true;
}

QString EntryPath(const QString& entry, bool& isVideo) {
  isVideo = !entry.startsWith("audio");
  const QString rest = entry.mid(6);
  const qsizetype slash = rest.lastIndexOf('\\');
  if (slash >= 0) return ProgramFolder::AppFiles("formats/" + rest.left(slash) + ".qfm");
  const QString path = CodecFolder() + "/" + rest + (isVideo ? ".qcv" : ".qca");
  isVideo = false;
  return path;
}

ProgramDialogStart ProgramDialogStartFor(const QString& shownPath) {
  ProgramDialogStart start;
  if (!shownPath.isEmpty()) start.Folder = QFileInfo(Session::ResolveAppPath(shownPath)).path();
  if (start.Folder.isEmpty()) start.Folder = ProgramFolder::Path();
  start.FileName = QFileInfo(shownPath).fileName();
  return start;
}

QString ExistingProgram(const QString& shownPath) {
  const QString program = Session::ResolveAppPath(shownPath);
  return FileServices::FileExists(program) ? program : QString();
}

bool SaveExePath(const QString& exePath) {
  RecordFile::Result status = RecordFile::Result::Ok;
  if (IsProfile(State().FilePath)) {
    FormatProfile profile;
    status = RecordFile::Read(State().FilePath, profile);
    if (status == RecordFile::Result::Ok) {
      (State().IsVideo ? profile.VideoExtCodec : profile.AudioExtCodec).ExePath = exePath;
      status = RecordFile::Write(State().FilePath, profile);
    }
  } else {
    ExtCodecDef codec;
    status = RecordFile::Read(State().FilePath, codec);
    if (status == RecordFile::Result::Ok) {
      codec.ExePath = exePath;
      status = RecordFile::Write(State().FilePath, codec);
    }
  }
  return status == RecordFile::Result::Ok;
}

void OfferToSaveExePath(const QString& exePath, const QString& loadedExePath) {
  if (exePath != loadedExePath && Lang::AskSaveExePath() == Dialogs::Button::Yes &&
      !SaveExePath(exePath))
    Lang::MsgCannotWriteFile(State().FilePath);
}

}  // namespace CodecViewer
