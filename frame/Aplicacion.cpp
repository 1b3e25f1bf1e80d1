#include "frame/Aplicacion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QSaveFile>

#include <memory>

#include "convert/Form1.h"
#include "devices/Grabador.h"
#include "devices/cdrtools.h"
#include "formats/FormatEdit.h"
#include "frame/APIS.h"
#include "frame/ConfigRecord.h"
#include "frame/Form16.h"
#include "frame/Form9.h"
#include "frame/ProgramFolder.h"
#include "frame/RecordFile.h"
#include "frame/ScriptObj.h"
#include "frame/TempFolders.h"
#include "frame/ffmpeg.h"
#include "lang/Form13.h"
#include "lang/Lang.h"

namespace Aplicacion {

QString OutputFile;
QString OutputFolder;
QString FormatProfilePath;
QString EditProfilePath;

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

namespace {

// config.qcf.damaged, or "config.qcf (2).damaged" and so on when earlier
// ones are kept already: a damaged file never replaces one kept before.
QString DamagedConfigPath() { return ScriptObj::UniquePath(ConfigPath() + ".damaged", false); }

// A config.qcf that cannot be read is moved aside before a new one is
// written, so whatever it held can still be recovered. It is checked when the
// new one is written, not remembered from start-up: another copy of the
// program may have written a good file since. False when it cannot be moved.
bool KeepUnreadableConfig() {
  if (!ScriptObj::FileExists(ConfigPath())) return true;
  ConfigRecord stored;
  if (RecordFile::Read(ConfigPath(), stored) == RecordFile::Result::Ok) return true;
  return ScriptObj::MoveFile(ConfigPath(), DamagedConfigPath());
}

}  // namespace

void WriteConfig() {
  const ConfigRecord record = GatherConfig();
  if (!ScriptObj::CreateFolderPath(ProgramFolder::AppFiles())) {
    Lang::MsgCannotCreateDir("appfiles");
    return;
  }
  if (!KeepUnreadableConfig() ||
      RecordFile::Write(ConfigPath(), record) != RecordFile::Result::Ok) {
    Lang::MsgCannotWriteFile("config.qcf");
  }
}

QStringList FileList;

int FileCount() { return static_cast<int>(FileList.size()); }

namespace {

// The selected line of the list, or -1; a current line that is not selected
// does not count.
int SelectedRow(const QListWidget* list) {
  const QListWidgetItem* item = list->currentItem();
  return item && item->isSelected() ? list->row(item) : -1;
}

}  // namespace

void AddFiles() {
  Form1* main = Form1::Instance();
  const QString start = FileList.isEmpty() ? QString() : ScriptObj::ParentFolder(FileList.last());
  const QStringList picked = APIS::OpenFileDialog(QString(), main, start, QString(), true, 4096);
  if (picked.isEmpty()) return;
  FileList.append(picked);
  RefreshFileList();
}

void RemoveSelectedFile() {
  Form1* main = Form1::Instance();
  if (!main) return;
  const int row = SelectedRow(main->List1);
  if (row < 0 || row >= FileList.size()) return;
  FileList.removeAt(row);
  RefreshFileList();
}

void RefreshFileList() {
  Form1* main = Form1::Instance();
  if (!main) return;
  QListWidget* list = main->List1;
  const int selected = SelectedRow(list);
  list->setUpdatesEnabled(false);
  list->clear();
  list->addItems(FileList);
  list->setUpdatesEnabled(true);
  if (selected >= 0 && list->count() > 0) {
    list->setCurrentRow(std::min(selected, list->count() - 1));
  }
}

namespace {

// This copy's working folders. They follow the program folder, which a test
// points elsewhere; the program's own never moves.
TempFolders& CopyTempFolders() {
  static std::unique_ptr<TempFolders> folders;
  const QString root = ProgramFolder::AppFiles("temp");
  if (!folders || folders->Root() != root) folders = std::make_unique<TempFolders>(root);
  return *folders;
}

}  // namespace

QString CreateTempFolder(bool showError) {
  TempFolders& folders = CopyTempFolders();
  const bool claimed = folders.Claim();
  const QString folder = ScriptObj::UniquePath(folders.OwnFolder() + "/temp", false);
  if (claimed && ScriptObj::CreateFolder(folder)) return folder;
  if (showError) Lang::MsgCannotCreateDir(folder);
  return QString();
}

void RemoveOwnTempFolder() { CopyTempFolders().Release(); }

QString HelpDocumentPath() { return ProgramFolder::AppFiles("doc.pdf"); }

namespace {

bool WriteHelpDocument() {
  if (!ScriptObj::CreateFolderPath(ProgramFolder::AppFiles())) return false;
  QFile resource(":/doc/doc.pdf");
  if (!resource.open(QIODevice::ReadOnly)) return false;
  QSaveFile file(HelpDocumentPath());
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(resource.readAll());
  return file.commit();
}

}  // namespace

void ShowProgramHelp() {
  if (!ScriptObj::FileExists(HelpDocumentPath()) && !WriteHelpDocument()) {
    Lang::MsgFileNotFound("doc.pdf");
    ScriptObj::DeleteFile(HelpDocumentPath(), true);
    return;
  }
  APIS::ShellOpen(HelpDocumentPath());
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
  if (ScriptObj::FileExists(path)) return;
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(ManifestText()) == ManifestText().size() &&
      file.commit()) {
    return;
  }
  ScriptObj::DeleteFile(path, true);
  Lang::MsgFileNotFound(QFileInfo(path).fileName());
}

const char* const WebPage = "https://quillmoor.example.org/";
const char* const DonationPage = "https://quillmoor.example.org/donar.html";

void OpenDonationPage() { APIS::ShellOpen(DonationPage); }

void FindToolsOnFirstRun() {
  Form9::FillMissingTools(
      {&ffmpeg::FfmpegPath, &ffmpeg::FfplayPath, &ffmpeg::FfprobePath, &cdrtools::Cdda2wavPath});
  if (!ScriptObj::FileExists(ffmpeg::FfmpegPath)) Lang::MsgFfmpegNotFound();
  if (!ScriptObj::FileExists(ffmpeg::FfplayPath)) Lang::MsgFfplayNotFound();
  if (!ScriptObj::FileExists(ffmpeg::FfprobePath)) Lang::MsgFfprobeNotFound();
}

void Startup() {
  TempFolders& folders = CopyTempFolders();
  folders.RemoveLeftovers();
  folders.Claim();
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
    FindToolsOnFirstRun();
    Form9::ShowModal(main);
    Form16::ShowModal(main);
    FormatEdit::FfmpegListsStale = 1;
  }
}

}  // namespace Aplicacion
