#include "core/app/Lifecycle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/convert/ConversionState.h"
#include "core/devices/CdRipper.h"
#include "core/devices/Recorder.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/ConfigRecord.h"
#include "core/ground/FileServices.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"
#include "core/lang/Lang.h"

namespace Lifecycle {

QString ConfigPath() { return ProgramFolder::AppFiles("config.qcf"); }

ConfigRecord GatherConfig() {
  ConfigRecord record;
  record.FfmpegPath = Session::StoreAppPath(FfmpegTools::State().FfmpegPath);
  record.FfplayPath = Session::StoreAppPath(FfmpegTools::State().FfplayPath);
  record.FfprobePath = Session::StoreAppPath(FfmpegTools::State().FfprobePath);
  record.Cdda2wavPath = Session::StoreAppPath(CdRipper::State().Cdda2wavPath);
  record.LanguageName = Lang::State().LanguageName;
  record.FfmpegListsStale = FormatEditor::State().FfmpegListsStale;
  record.Capabilities = FormatEditor::State().Capabilities;
  record.TwoPass = Conversion::State().Choices.TwoPass;
  record.DeleteOriginals = Conversion::State().Choices.DeleteOriginals;
  record.ReplaceFiles = Conversion::State().Choices.ReplaceFiles;
  record.RecBufferSizeMB = Recorder::State().RecBufferSizeMB;
  return record;
}

void ApplyConfig(const ConfigRecord& record) {
  Conversion::State().Choices.TwoPass = record.TwoPass;
  Conversion::State().Choices.DeleteOriginals = record.DeleteOriginals;
  Conversion::State().Choices.ReplaceFiles = record.ReplaceFiles;
  FormatEditor::State().Capabilities = record.Capabilities;
  FormatEditor::State().FfmpegListsStale = record.FfmpegListsStale;
  Recorder::State().RecBufferSizeMB = record.RecBufferSizeMB;
  Lang::State().LanguageName = record.LanguageName;
  CdRipper::State().Cdda2wavPath = Session::ResolveAppPath(record.Cdda2wavPath);
  FfmpegTools::State().FfmpegPath = Session::ResolveAppPath(record.FfmpegPath);
  FfmpegTools::State().FfplayPath = Session::ResolveAppPath(record.FfplayPath);
  FfmpegTools::State().FfprobePath = Session::ResolveAppPath(record.FfprobePath);
  emit Session::Events().ConfigApplied();
}

void ReadConfig() {
  if (!FileServices::FileExists(ConfigPath())) return;
  ConfigRecord record;
  if (RecordFile::Read(ConfigPath(), record) != RecordFile::Result::Ok) {
    Lang::MsgCannotReadFile("config.qcf");
    return;
  }
  ApplyConfig(record);
}

namespace {

// config.qcf.damaged, or "config.qcf (2).damaged" and so on when earlier
// ones are kept already: a damaged file never replaces one kept before.
QString DamagedConfigPath() { return FileServices::UniquePath(ConfigPath() + ".damaged", false); }

// A config.qcf that cannot be read is moved aside before a new one is
// written, so whatever it held can still be recovered. It is checked when the
// new one is written, not remembered from start-up: another copy of the
// program may have written a good file since. False when it cannot be moved.
bool KeepUnreadableConfig() {
  if (!FileServices::FileExists(ConfigPath())) return true;
  ConfigRecord stored;
  if (RecordFile::Read(ConfigPath(), stored) == RecordFile::Result::Ok) return true;
  return FileServices::MoveFile(ConfigPath(), DamagedConfigPath());
}

}  // namespace

void WriteConfig() {
  if (Session::State().FirstRunUnfinished) return;
  const ConfigRecord record = GatherConfig();
  if (!QDir().mkpath(ProgramFolder::AppFiles())) {
    Lang::MsgCannotCreateDir("appfiles");
    return;
  }
  if (!KeepUnreadableConfig() ||
      RecordFile::Write(ConfigPath(), record) != RecordFile::Result::Ok) {
    Lang::MsgCannotWriteFile("config.qcf");
  }
}

QString ManifestPath() {
  const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  return ProgramFolder::Path() + "/" + executable + ".exe.manifest";
}

QByteArray ManifestText() {
  static const char* const lines[] = {
      R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)",
      R"(<assembly xmlns="urn:schemas-microsoft-com:asm.v1")",
      R"(manifestVersion="1.0">)",
      R"(<assemblyIdentity)",
      R"(    name="Desktop.MediaFrontEnd.VisualStyleApp")",
      R"(    processorArchitecture="x86")",
      R"(    version="1.0.0.0")",
      R"(    type="win32"/>)",
      R"(<description>Windows Shell</description>)",
      R"(<dependency>)",
      R"(    <dependentAssembly>)",
      R"(        <assemblyIdentity)",
      R"(             type="win32")",
      R"(             name="Microsoft.Windows.Common-Controls")",
      R"(             version="6.0.0.0")",
      R"(             processorArchitecture="x86")",
      R"(             publicKeyToken="6595b64144ccf1df")",
      R"(             language="*")",
      R"(        />)",
      R"(    </dependentAssembly>)",
      R"(</dependency>)",
      R"(</assembly>)",
  };
  QByteArrayList text;
  for (const char* line : lines) text << line;
  return text.join("\r\n");
}

void WriteManifest() {
  const QString path = ManifestPath();
  if (FileServices::FileExists(path)) return;
  if (RecordFile::WriteBytes(path, ManifestText()) == RecordFile::Result::Ok) return;
  Lang::MsgFileNotFound(QFileInfo(path).fileName());
}

void ReportMissingTools() {
  if (!FileServices::FileExists(FfmpegTools::State().FfmpegPath)) Lang::MsgFfmpegNotFound();
  if (!FileServices::FileExists(FfmpegTools::State().FfplayPath)) Lang::MsgFfplayNotFound();
  if (!FileServices::FileExists(FfmpegTools::State().FfprobePath)) Lang::MsgFfprobeNotFound();
}

void Startup() {
  Session::ClaimOwnTempFolder();
  FfmpegTools::InitOptionNames();
  ReadConfig();
  Lang::LoadLanguage(Lang::State().LanguageName);
}

bool IsFirstRun() { return !FileServices::FileExists(ConfigPath()); }

}  // namespace Lifecycle
