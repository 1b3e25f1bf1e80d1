#include "core/lang/Lang.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <optional>

#include "core/ground/AnsiText.h"
#include "core/ground/Dialogs.h"
#include "core/ground/FileServices.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"

namespace Lang {

namespace {

using Dialogs::Buttons;
using Dialogs::Icon;
using Dialogs::MessageStyle;

constexpr MessageStyle kPlain{};
constexpr MessageStyle kYesNoCancel{Buttons::YesNoCancel};
constexpr MessageStyle kYesNo{Buttons::YesNo};
constexpr MessageStyle kYesNoQuestion{Buttons::YesNo, Icon::Question};
constexpr MessageStyle kStop{Buttons::Ok, Icon::Stop};
constexpr MessageStyle kInformation{Buttons::Ok, Icon::Information};

// Qt's boxes break lines at LF alone.
const QString kLineBreak = QStringLiteral("\n");

// Tables are stored as .qlg files are: lines separated by CR LF.
QStringList Lines(const QString& text) { return text.split(QStringLiteral("\r\n")); }

// A short table is padded with empty lines and a long one cut, so every line
// can be read.
QStringList SplitTable(const QString& text) {
  QStringList lines = Lines(text);
  lines.resize(TableLines);
  return lines;
}

// The lines of a text among the program's resources, stored in UTF-8; an
// empty list when it cannot be read.
QStringList ResourceLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return Lines(QString::fromUtf8(file.readAll()));
}

const QStringList& SpanishTable() {
  static const QStringList table = BuiltInTable(BuiltInLanguage::Spanish);
  return table;
}

// The text a procedure shows while Spanish is in force: the Spanish line, except
// for line 96, which carries the blank that its callers put after it.
QString BuiltInText(int line) {
  if (line == 96) return QStringLiteral("Errores: ");
  return SpanishTable().value(line - 1);
}

Dialogs::Button Box(const QString& text, MessageStyle style) {
  return Dialogs::MsgBox(text, style, BoxTitle());
}
Dialogs::Button Show(int line, MessageStyle style) { return Box(LineText(line), style); }
void ShowWith(int line, const QString& name) { Box(LineText(line) + " " + name, kStop); }
QString Input(int line, const QString& defaultText) {
  return Dialogs::InputBox(LineText(line), BoxTitle(), defaultText);
}

void Bilingual(const char* spanish, const char* english) {
  Box(QString::fromUtf8(spanish) + kLineBreak + QString::fromUtf8(english), kStop);
}

// The table of a custom language, or nothing when it cannot be loaded (the user
// has been told why).
std::optional<QStringList> ReadCustomTable(const QString& name) {
  const QString path = LanguageFilePath(name);
  if (!FileServices::FileExists(path)) {
    Bilingual("No se encuentra el archivo de lenguaje", "The language file is not found");
    return std::nullopt;
  }
  QByteArray bytes;
  if (RecordFile::ReadBytes(path, bytes) != RecordFile::Result::Ok) {
    Bilingual("No se pudo cargar el lenguaje", "Could not load language");
    return std::nullopt;
  }
  return SplitTable(AnsiText::Decode(bytes));
}

std::optional<QStringList> TableOf(const QString& name) {
  if (name == QLatin1String("<Spanish>")) return QStringList();
  if (name == QLatin1String("<English>")) return BuiltInTable(BuiltInLanguage::English);
  if (name == QLatin1String("<Portuguese>")) return BuiltInTable(BuiltInLanguage::Portuguese);
  return ReadCustomTable(name);
}

// The base name of Qt's translation for a language, "" for Qt's English.
QString QtTranslationName(const QString& name) {
  if (name == QLatin1String("<Spanish>")) return QStringLiteral("qtbase_es");
  // The built-in Portuguese table is Brazilian ("arquivo").
  if (name == QLatin1String("<Portuguese>")) return QStringLiteral("qtbase_pt_BR");
  return QString();
}

const char* const kQtTranslator = "QtTranslation";

// A line of the desktop table of the language in force: Spanish's while no
// table is loaded, else English's but for the built-in Portuguese.
BuiltInLanguage DesktopTable() {
  return State().Msg.isEmpty()                                   ? BuiltInLanguage::Spanish
         : State().LanguageName == QLatin1String("<Portuguese>") ? BuiltInLanguage::Portuguese
                                                                 : BuiltInLanguage::English;
}

QString DesktopText(int line) {
  return ResourceLines(QStringLiteral(":/lang/desktop-%1.txt").arg(int(DesktopTable())))
      .value(line - 1);
}

Dialogs::Button AskWithName(int desktopLine, const QString& name) {
  return Box(DesktopText(desktopLine).arg(name), kYesNoQuestion);
}

}  // namespace

void LoadQtTranslation(const QString& name) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return;
  // The translator in use is the application's child of that name.
  delete app->findChild<QTranslator*>(kQtTranslator, Qt::FindDirectChildrenOnly);
  const QString file = QtTranslationName(name);
  if (file.isEmpty()) return;
  auto* translator = new QTranslator(app);
  translator->setObjectName(kQtTranslator);
  if (!translator->load(file, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;  // not installed: Qt's English stays
    return;
  }
  QCoreApplication::installTranslator(translator);
}

void InstallWindowTranslator(WindowTranslator translate) { State().RetranslateWindows = translate; }

void LoadLanguage(const QString& name) {
  // Nothing to load: the language in force stays, with its table.
  if (name.isEmpty()) return;
  std::optional<QStringList> table = TableOf(name);
  if (!table) return;
  State().Msg = *std::move(table);
  LoadQtTranslation(name);
  if (State().RetranslateWindows) State().RetranslateWindows();
  State().LanguageName = name;
}

QString LanguageFolder() { return ProgramFolder::AppFiles("lang"); }

QString LanguageFilePath(const QString& name) { return LanguageFolder() + "/" + name + ".qlg"; }

QStringList CustomLanguages() {
  QStringList names;
  for (const QString& path : FileServices::ListFiles(LanguageFolder(), "qlg:")) {
    names << QFileInfo(path).completeBaseName();
  }
  return names;
}

SaveResult SaveLanguageFile(const QString& name, const QStringList& lines) {
  if (!FileServices::FolderExists(LanguageFolder()) && !QDir().mkpath(LanguageFolder())) {
    return SaveResult::NoFolder;
  }
  const QString path = LanguageFilePath(name);
  if (FileServices::FileExists(path)) return SaveResult::Exists;
  // A name that holds a folder separator would write outside the language folder.
  if (!FileServices::IsValidFileName(name)) return SaveResult::WriteFailed;
  // Written whole or not at all: a full disk leaves no cut language behind.
  const RecordFile::Result written =
      RecordFile::WriteBytes(path, AnsiText::Encode(lines.join("\r\n")));
  return written == RecordFile::Result::Ok ? SaveResult::Saved : SaveResult::WriteFailed;
}

QStringList BuiltInTable(BuiltInLanguage language) {
  QStringList lines = ResourceLines(QStringLiteral(":/lang/%1.txt").arg(int(language)));
  if (!lines.isEmpty()) lines.resize(TableLines);  // as SplitTable fits a table
  return lines;
}

QString LineText(int line) {
  if (State().Msg.isEmpty()) return BuiltInText(line);
  return State().Msg.value(line - 1);
}

QString BoxTitle() {
  return State().BoxTitle.isNull() ? QStringLiteral("Quillmoor 2.0") : State().BoxTitle;
}

void SetBoxTitle(const QString& title) { State().BoxTitle = title; }

void MsgTrackListFailed() { Show(2, kStop); }
void MsgEnterOutputDir() { Show(4, kStop); }
void MsgNoTrackSelected() { Show(6, kStop); }
void MsgFileExists() { Show(9, kStop); }
void MsgNoParameters() { Show(22, kStop); }
void MsgNoFilesSelected() { Show(23, kStop); }
void MsgSelectTwoFiles() { Show(24, kStop); }
void MsgStopBeforeExit() { Show(25, kStop); }
void MsgInvalidTag() { Show(50, kStop); }
void MsgNoExecutable() { Show(52, kStop); }
void MsgTagExists() { Show(56, kStop); }
void MsgNoFormat() { Show(57, kStop); }
void MsgNoCodec() { Show(58, kStop); }
void MsgSelectOption() { Show(59, kStop); }
void MsgSelectTestFile() { Show(60, kStop); }
void MsgNoTestDuration() { Show(63, kStop); }
void MsgCannotExtractFrames() { Show(64, kStop); }
void MsgDetectEdgesFailed() { Show(65, kStop); }
void MsgBadExtractFormat() { Show(69, kStop); }
void MsgFormatCannotExtract() { Show(70, kStop); }
void MsgNoExtCodecInfo() { Show(73, kStop); }
void MsgFormatProfileReadError() { Show(74, kStop); }
void MsgEditProfileReadError() { Show(77, kStop); }
void MsgAllTracksRemoved() { Show(78, kStop); }
void MsgAudioEditCmdError() { Show(80, kStop); }
void MsgTrimCmdError() { Show(82, kStop); }
void MsgAudioEncodeCmdError() { Show(84, kStop); }
void MsgVideoEncodeCmdError() { Show(85, kStop); }
void MsgNoFileExtension() { Show(87, kStop); }
void MsgFiltersNeedFileOutput() { Show(88, kStop); }
void MsgInvalidTestDuration() { Show(89, kStop); }
void MsgNoOutputPath() { Show(93, kStop); }
void MsgNoFilesInList() { Show(94, kStop); }
void MsgInvalidDuration() { Show(118, kStop); }
void MsgFormatUsesExtCodec() { Show(119, kStop); }
void MsgInvalidBufferSize() { Show(122, kStop); }
void MsgNoSource() { Show(124, kStop); }
void MsgNoAddress() { Show(125, kStop); }
void MsgInvalidRepeatCount() { Show(126, kStop); }
void MsgFfmpegNotFound() { Show(127, kStop); }
void MsgFfplayNotFound() { Show(128, kStop); }
void MsgFfprobeNotFound() { Show(129, kStop); }

void MsgFileNotFound(const QString& name) { ShowWith(1, name); }
void MsgCannotCreateDir(const QString& name) { ShowWith(5, name); }
void MsgCannotRenameFile(const QString& name) { ShowWith(7, name); }
void MsgCannotCopyFile(const QString& name) { ShowWith(10, name); }
void MsgCannotDeleteFile(const QString& name) { ShowWith(11, name); }
void MsgCannotCreateFile(const QString& name) { ShowWith(12, name); }
void MsgInvalidFileName(const QString& name) { Box(name + " " + LineText(13), kStop); }
void MsgDirEmpty(const QString& name) { ShowWith(17, name); }
void MsgCannotReadFile(const QString& name) { ShowWith(18, name); }
void MsgCannotReadFile(const QString& name, const QString& reason) {
  Box(LineText(18) + " " + name + kLineBreak + reason, kStop);
}
void MsgCannotWriteFile(const QString& name) { ShowWith(19, name); }
void MsgCannotLoadExtCodec(const QString& name) { ShowWith(54, name); }
void MsgFilterReadError(const QString& name) { ShowWith(79, name); }
void MsgFormatProfileNotFound(const QString& path) {
  ShowWith(83, QFileInfo(path).completeBaseName());
}
void MsgEditProfileNotFound(const QString& name) { ShowWith(86, name); }
void MsgFiltersMissing(const QString& list) { Box(LineText(67) + kLineBreak + list, kStop); }
void MsgFfmpegError(const QString& errorText) {
  Box(LineText(120) + kLineBreak + errorText, kStop);
}

void MsgHowToStopFfplay() { Show(53, kPlain); }
void MsgConfirmParamChanges() { Show(526, kPlain); }
void MsgStopProcessFirst() { Show(108, kInformation); }
void MsgSelectFileForTest() { Show(92, State().Msg.isEmpty() ? kInformation : kStop); }

Dialogs::Button AskReplaceFile() { return Show(16, kYesNoCancel); }
Dialogs::Button AskSaveChanges(const QString& name) {
  QString text = LineText(20) + " " + name + " " + LineText(21);
  // Lines that already carry their blank would otherwise show two.
  return Box(text.replace("  ", " "), kYesNoCancel);
}
Dialogs::Button AskContinueCodecRemoved() { return Show(55, kYesNoCancel); }
Dialogs::Button AskFindAudioCodecExe() { return Show(75, kYesNo); }
Dialogs::Button AskFindVideoCodecExe() { return Show(76, kYesNo); }
Dialogs::Button AskStopConversion() { return Show(107, kYesNoCancel); }
Dialogs::Button AskSaveExePath() { return Show(525, kYesNo); }

Dialogs::Button AskSendToTrash(const QString& name) { return AskWithName(1, name); }
Dialogs::Button AskDeleteForGood(const QString& name) { return AskWithName(2, name); }

void MsgOutputInWorkingFolder() {
  QString choice = LineText(137).trimmed();
  if (choice.endsWith(':')) choice.chop(1);
  Box(DesktopText(3).arg(choice), kStop);
}
QString TxtNothingWritten() { return DesktopText(4); }
QString TxtPartlyRead(double readSeconds, double totalSeconds) {
  const bool decimalComma = DesktopTable() != BuiltInLanguage::English;
  const auto seconds = [decimalComma](double value) {
    QString text = QString::number(value, 'f', 1);
    return decimalComma ? text.replace('.', ',') : text;
  };
  return DesktopText(5).arg(seconds(readSeconds), seconds(totalSeconds));
}
QString TxtKeptReadUnknown() { return DesktopText(9); }
QString TxtKeptNewFileUnknown() { return DesktopText(10); }
void MsgAnotherToolRunning() { Box(DesktopText(6), kInformation); }
void MsgNoProgramToOpen(const QString& target) {
  const int line = FileServices::FolderExists(target)      ? 11
                   : target.contains(QLatin1String("://")) ? 8
                                                           : 7;
  Box(DesktopText(line).arg(target), kStop);
}

QString InputValidFileName(const QString& currentName) {
  QString prompt = LineText(8);
  if (prompt.isEmpty()) prompt = BuiltInText(8);
  // A lone double quote is no valid name, so the box shows at least once.
  QString entry = QStringLiteral("\"");
  while (!entry.isEmpty() && !FileServices::IsValidFileName(entry)) {
    entry = Dialogs::InputBox(prompt, BoxTitle(), currentName);
  }
  return entry;
}
QString InputDocParams() { return Input(51, QString()); }
QString InputTestSeconds() { return Input(116, QStringLiteral("20")); }
QString InputBufferSize(const QString& currentSize) { return Input(121, currentSize); }

QString TxtCannotRenameFile(const QString& name) { return LineText(7) + " " + name; }
QString TxtCannotDeleteFile(const QString& name) { return LineText(11) + " " + name; }
QString TxtNotFound() { return LineText(68); }
QString TxtAllFiles() { return LineText(95); }
QString TxtErrors() { return LineText(96); }
QString TxtExtractingAudio() { return LineText(97); }
QString TxtEncodingAudio() { return LineText(98); }
QString TxtPass1() { return LineText(99); }
QString TxtPass2() { return LineText(100); }
QString TxtExtractingVideo() { return LineText(101); }
QString TxtEncodingVideo() { return LineText(102); }
QString TxtMixingAudioVideo() { return LineText(103); }
QString TxtConverting() { return LineText(104); }
QString TxtProcessStartFailed() { return LineText(105); }
QString TxtConvertError() { return LineText(106); }
QString TxtProcessEnded() { return LineText(109); }
QString TxtProcessStopped() { return LineText(110); }
QString TxtTestFinished() { return LineText(111); }
QString TxtFileSize() { return LineText(112); }
QString TxtPlayFileQuestion() { return LineText(113); }
QString TxtCannotCreateOutputDir() { return LineText(114); }
QString TxtViewFilesQuestion() { return LineText(115); }
QString TxtFinished() { return LineText(123); }
QString TxtManual() { return LineText(130); }
QString TxtAutomatic() { return LineText(131); }
QString TxtNone() { return LineText(132); }
QString TxtDeleteOriginals() { return LineText(140); }
QString TxtReplaceFiles() { return LineText(141); }
QString TxtMovingTracks() { return LineText(523); }
QString TxtCannotMoveFiles() { return LineText(524); }

ParamCaptions GetParamCaptions() {
  return {LineText(37), LineText(34), LineText(36), LineText(35), LineText(41), LineText(42),
          LineText(39), LineText(27), LineText(29), LineText(28), LineText(43), LineText(33),
          LineText(30), LineText(38), LineText(32), LineText(31), LineText(44), LineText(40),
          LineText(45), LineText(46), LineText(47), LineText(48), LineText(49)};
}

QString GettingTrackInfoText() { return LineText(3); }
QString SaveAsLabelText() { return LineText(14); }
QString SelectFileLabelText() { return LineText(15); }

}  // namespace Lang
