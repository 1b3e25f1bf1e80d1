#include "frame/Aplicacion.h"

#include <QDir>

#include "convert/Form1.h"
#include "devices/Grabador.h"
#include "devices/cdrtools.h"
#include "formats/FormatEdit.h"
#include "frame/ConfigRecord.h"
#include "frame/Form16.h"
#include "frame/Form9.h"
#include "frame/ProgramFolder.h"
#include "frame/RecordFile.h"
#include "frame/ScriptObj.h"
#include "frame/ffmpeg.h"
#include "lang/Form13.h"
#include "lang/Lang.h"

namespace Aplicacion {

QString ConfigPath() { return ProgramFolder::AppFiles("config.qcf"); }

QString StoreAppPath(const QString& path) {
  const QString prefix = ProgramFolder::Path() + "/";
  return path.startsWith(prefix) ? path.mid(prefix.size()) : path;
}

QString ResolveAppPath(const QString& path) {
  if (path.isEmpty() || QDir::isAbsolutePath(path)) return path;
  return QDir::cleanPath(ProgramFolder::Path() + "/" + path);
}

ConfigRecord GatherConfig() {
  ConfigRecord record;
  record.FfmpegPath = StoreAppPath(ffmpeg::FfmpegPath);
  record.FfplayPath = StoreAppPath(ffmpeg::FfplayPath);
  record.FfprobePath = StoreAppPath(ffmpeg::FfprobePath);
  record.Cdda2wavPath = StoreAppPath(cdrtools::Cdda2wavPath);
  record.LanguageName = Lang::LanguageName;
  record.FfmpegListsStale = FormatEdit::FfmpegListsStale;
  record.AudioEncoders = FormatEdit::AudioEncoders;
  record.VideoEncoders = FormatEdit::VideoEncoders;
  record.SubtitleEncoders = FormatEdit::SubtitleEncoders;
  record.AudioDecoders = FormatEdit::AudioDecoders;
  record.VideoDecoders = FormatEdit::VideoDecoders;
  record.SubtitleDecoders = FormatEdit::SubtitleDecoders;
  record.MuxerFormats = FormatEdit::MuxerFormats;
  record.DemuxerFormats = FormatEdit::DemuxerFormats;
  record.InputPixelFormats = FormatEdit::InputPixelFormats;
  record.OutputPixelFormats = FormatEdit::OutputPixelFormats;
  if (Form1* main = Form1::Instance()) {
    record.TwoPass = main->Conv_Opt_2pass->isChecked() ? 1 : 0;
    record.DeleteOriginals = main->Conv_Opt_DelFiles->isChecked() ? 1 : 0;
    record.ReplaceFiles = main->Conv_Opt_Reemplazar->isChecked() ? 1 : 0;
  }
  record.RecBufferSizeMB = Grabador::RecBufferSizeMB;
  return record;
}

void ApplyConfig(const ConfigRecord& record) {
  if (Form1* main = Form1::Instance()) {
    main->Conv_Opt_2pass->setChecked(record.TwoPass == 1);
    main->Conv_Opt_DelFiles->setChecked(record.DeleteOriginals == 1);
    main->Conv_Opt_Reemplazar->setChecked(record.ReplaceFiles == 1);
  }
  FormatEdit::AudioEncoders = record.AudioEncoders;
  FormatEdit::VideoEncoders = record.VideoEncoders;
  FormatEdit::SubtitleEncoders = record.SubtitleEncoders;
  FormatEdit::AudioDecoders = record.AudioDecoders;
  FormatEdit::VideoDecoders = record.VideoDecoders;
  FormatEdit::SubtitleDecoders = record.SubtitleDecoders;
  FormatEdit::MuxerFormats = record.MuxerFormats;
  FormatEdit::DemuxerFormats = record.DemuxerFormats;
  FormatEdit::InputPixelFormats = record.InputPixelFormats;
  FormatEdit::OutputPixelFormats = record.OutputPixelFormats;
  FormatEdit::FfmpegListsStale = record.FfmpegListsStale;
  Grabador::RecBufferSizeMB = record.RecBufferSizeMB;
  Lang::LanguageName = record.LanguageName;
  cdrtools::Cdda2wavPath = ResolveAppPath(record.Cdda2wavPath);
  ffmpeg::FfmpegPath = ResolveAppPath(record.FfmpegPath);
  ffmpeg::FfplayPath = ResolveAppPath(record.FfplayPath);
  ffmpeg::FfprobePath = ResolveAppPath(record.FfprobePath);
}

void ReadConfig() {
  if (!ScriptObj::FileExists(ConfigPath())) return;
  ConfigRecord record;
  if (RecordFile::Read(ConfigPath(), record) != RecordFile::Result::Ok) {
    Lang::MsgCannotReadFile("config.qcf");
    return;
  }
  ApplyConfig(record);
}

void WriteConfig() {
  const ConfigRecord record = GatherConfig();
  if (!ScriptObj::CreateFolderPath(ProgramFolder::AppFiles())) {
    Lang::MsgCannotCreateDir("appfiles");
    return;
  }
  if (RecordFile::Write(ConfigPath(), record) != RecordFile::Result::Ok) {
    Lang::MsgCannotWriteFile("config.qcf");
  }
}

void Startup() {
  ffmpeg::InitOptionNames();
  ffmpeg::InitParamCaptions();
  ReadConfig();
  Lang::LoadLanguage(Lang::LanguageName);
  Form1* main = Form1::Instance();
  if (Lang::LanguageName.isEmpty()) {
    if (main) main->show();
    Form13::ShowModal(main);
  }
  if (!ScriptObj::FileExists(ConfigPath())) {
    if (main) main->show();
    Lang::MsgFfmpegNotFound();
    Form9::ShowModal(main);
    Form16::ShowModal(main);
    FormatEdit::FfmpegListsStale = 1;
  }
}

}  // namespace Aplicacion
