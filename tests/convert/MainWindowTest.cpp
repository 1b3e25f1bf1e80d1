#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include "ProbeClips.h"
#include "ShellSplit.h"
#include "TestEnv.h"
#include "core/convert/Conversion.h"
#include "core/convert/ConversionState.h"
#include "core/convert/RunSteps.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/EditProfileRec.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"
#include "gui/app/ConversionStarter.h"
#include "gui/app/MainWindow.h"
#include "gui/convert/ProgressWindow.h"

namespace {

class MainWindowTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    Session::State().FileList.clear();
    Session::State().OutputFile.clear();
    Session::State().OutputFolder.clear();
    form = std::make_unique<MainWindow>();
    form->outputModeCombo->setCurrentIndex(Conversion::OutputSourceFolders);
    form->OnOutputModeChosen();
    form->formatProfileCombo->setCurrentIndex(0);
    form->OnFormatProfileChosen();
    form->editingProfileCombo->setCurrentIndex(0);
    form->OnEditingProfileChosen();
  }
  void TearDown() override {
    form.reset();
    Session::State().FileList.clear();
    TestEnv::TearDown();
  }
  QStringList Rows() const {
    QStringList rows;
    for (int i = 0; i < form->fileList->count(); ++i) rows << form->fileList->item(i)->text();
    return rows;
  }
  void Drop(const QList<QUrl>& urls, const QString& text = {}) {
    QMimeData data;
    if (!urls.isEmpty()) data.setUrls(urls);
    if (!text.isEmpty()) data.setText(text);
    // Qt delivers a drop only to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->fileList->viewport(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->fileList->viewport(), &drop);
  }
  std::unique_ptr<MainWindow> form;
};

TEST_F(MainWindowTest, DroppedFilesAndFolderFilesAreAppendedInOrderWithoutMovingTheSelection) {
  const QString a = WriteFile("in/a.wav", "a");
  const QString b = WriteFile("in/b c.wav", "b");
  for (const char* name : {"d/1.mp3", "d/2.mp3", "d/3.mp3", "d/sub/deep.mp3"}) WriteFile(name, "x");
  Session::State().FileList = {a};
  Session::RefreshFileList();
  form->fileList->setCurrentRow(0);

  Drop({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl::fromLocalFile(Folder() + "/d")});
  const QString d = Folder() + "/d";
  const QStringList expected{a, a, b, d + "/1.mp3", d + "/2.mp3", d + "/3.mp3"};
  EXPECT_EQ(Session::State().FileList, expected);
  EXPECT_EQ(Rows(), expected);
  EXPECT_EQ(form->fileList->currentRow(), 0);

  Drop({}, "just some text");
  EXPECT_EQ(Session::State().FileList.size(), 6);
}

TEST_F(MainWindowTest, MovingUpAndDownKeepsListAndRowsInStep) {
  Session::State().FileList = {"/m/0", "/m/1", "/m/2", "/m/3"};
  Session::RefreshFileList();
  form->fileList->setCurrentRow(0);
  form->MoveSelectedFileUp();  // first row: nothing
  EXPECT_EQ(Session::State().FileList[0], "/m/0");

  form->fileList->setCurrentRow(3);
  form->MoveSelectedFileUp();
  EXPECT_EQ(Session::State().FileList, (QStringList{"/m/0", "/m/1", "/m/3", "/m/2"}));
  EXPECT_EQ(form->fileList->currentRow(), 2);
  EXPECT_EQ(Rows(), Session::State().FileList);

  form->fileList->setCurrentRow(3);
  form->MoveSelectedFileDown();  // last row: nothing
  form->fileList->setCurrentRow(0);
  form->MoveSelectedFileDown();
  EXPECT_EQ(Session::State().FileList, (QStringList{"/m/1", "/m/0", "/m/3", "/m/2"}));
  EXPECT_EQ(form->fileList->currentRow(), 1);

  form->RemoveAllFiles();
  EXPECT_TRUE(Session::State().FileList.isEmpty());
  EXPECT_EQ(form->fileList->count(), 0);
}

// A row the list merely points at (focus, or a click that cleared the
// selection) is no selection: what needs a selected file does nothing.
TEST_F(MainWindowTest, ARowThatIsCurrentButNotSelectedIsNoSelection) {
  Session::State().FileList = {"/m/0", "/m/1", "/m/2"};
  Session::RefreshFileList();
  form->fileList->setCurrentRow(2);
  form->fileList->item(2)->setSelected(false);
  ASSERT_EQ(form->fileList->currentRow(), 2);
  form->MoveSelectedFileUp();
  form->fileList->setCurrentRow(1);
  form->fileList->item(1)->setSelected(false);
  form->MoveSelectedFileDown();
  EXPECT_EQ(Session::State().FileList, (QStringList{"/m/0", "/m/1", "/m/2"}));
  ScriptedDialogs dialogs;  // no probe report, no player
  form->AnalyseSelectedFile();
  form->PlaySelectedFile();
  EXPECT_TRUE(dialogs.Shown().isEmpty());
}

TEST_F(MainWindowTest, AddingAFolderTakesItsOwnFilesOnly) {
  for (const char* name : {"f/x.wav", "f/y.wav", "f/sub/z.wav"}) WriteFile(name, "x");
  ScriptedDialogs dialogs;
  dialogs.Expect(Dialogs::Kind::Folder, Folder() + "/f")
      .Expect(Dialogs::Kind::Folder, QString())
      .Expect(Dialogs::Kind::Folder, Folder() + "/f/sub/empty-none");
  form->AddFolder();
  EXPECT_EQ(Session::State().FileList, (QStringList{Folder() + "/f/x.wav", Folder() + "/f/y.wav"}));
  form->AddFolder();  // cancelled
  form->AddFolder();  // no such folder
  EXPECT_EQ(Session::State().FileList.size(), 2);
}

TEST_F(MainWindowTest, OutputModesShowTheirRememberedPathAndATypedPathIsUsed) {
  EXPECT_FALSE(form->outputPath->isEnabled());
  ScriptedDialogs dialogs;
  dialogs.Expect(Dialogs::Kind::SaveFile, QString("/out/joined.mkv"))
      .Expect(Dialogs::Kind::Folder, QString("/out/folder"));
  form->outputModeCombo->setCurrentIndex(Conversion::OutputOneFile);
  form->OnOutputModeChosen();
  EXPECT_TRUE(form->outputPath->isEnabled());
  form->BrowseOutputPath();
  EXPECT_EQ(form->outputPath->text(), "/out/joined.mkv");

  form->outputModeCombo->setCurrentIndex(Conversion::OutputChosenFolder);
  form->OnOutputModeChosen();
  EXPECT_EQ(form->outputPath->text(), "");
  form->BrowseOutputPath();
  EXPECT_EQ(Session::State().OutputFolder, "/out/folder");

  form->outputModeCombo->setCurrentIndex(Conversion::OutputSourceFolders);
  form->OnOutputModeChosen();
  EXPECT_EQ(form->outputPath->text(), "");
  EXPECT_FALSE(form->outputPath->isEnabled());
  form->outputModeCombo->setCurrentIndex(Conversion::OutputJoined);
  form->OnOutputModeChosen();
  EXPECT_EQ(form->outputPath->text(), "/out/joined.mkv");
  dialogs.Expect(Dialogs::Kind::SaveFile, QString());
  form->BrowseOutputPath();  // cancelled: the file stays, and the dialog proposed its name
  EXPECT_EQ(dialogs.Shown().last().defaultText, "joined.mkv");
  EXPECT_EQ(form->outputPath->text(), "/out/joined.mkv");

  form->outputPath->setText("/typed/by/hand.mp4");
  EXPECT_EQ(Session::State().OutputFile, "/typed/by/hand.mp4");
  form->outputModeCombo->setCurrentIndex(Conversion::OutputSourceFolders);
  form->OnOutputModeChosen();
  EXPECT_EQ(Session::State().OutputFile, "/typed/by/hand.mp4");
}

TEST_F(MainWindowTest, ProfileEntriesSetThePathsAndTypingIsUndone) {
  EXPECT_FALSE(form->editFormatProfileButton->isEnabled());
  EXPECT_EQ(Session::State().FormatProfilePath, "");
  form->formatProfileCombo->setCurrentIndex(1);
  form->OnFormatProfileChosen();
  EXPECT_TRUE(form->editFormatProfileButton->isEnabled());
  EXPECT_EQ(Session::State().FormatProfilePath, ProgramFolder::AppFiles("formats/.qfm"));

  form->formatProfileCombo->lineEdit()->setText("garbage");
  form->OnFormatProfileTyped();
  EXPECT_EQ(form->formatProfileCombo->currentText(), "<Manual>");

  form->editingProfileCombo->setCurrentIndex(1);
  form->OnEditingProfileChosen();
  EXPECT_EQ(Session::State().EditProfilePath, ProgramFolder::AppFiles("editp/.qep"));
  form->editingProfileCombo->setCurrentIndex(0);
  form->OnEditingProfileChosen();
  EXPECT_EQ(Session::State().EditProfilePath, "");
  EXPECT_FALSE(form->editEditingProfileButton->isEnabled());
}

}  // namespace

namespace {

TEST_F(MainWindowTest, AnalysingAnAudioFileShowsAllTwentyOneLabels) {
  const QString clip = Folder() + "/tone.wav";
  ASSERT_EQ(QProcess::execute("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "sine=d=1", clip}), 0);
  FfmpegTools::State().FfprobePath = QStandardPaths::findExecutable("ffprobe");
  Session::State().FileList = {clip};
  Session::RefreshFileList();

  ScriptedDialogs dialogs;
  form->AnalyseSelectedFile();  // no row selected: nothing
  dialogs.ExpectMessage();
  form->fileList->setCurrentRow(0);
  form->AnalyseSelectedFile();
  ASSERT_EQ(dialogs.Shown().size(), 1);
  const Dialogs::Request& box = dialogs.Shown()[0];
  EXPECT_EQ(box.style, (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::None}));
  EXPECT_EQ(box.title, "Quillmoor 2.0");
  const QStringList lines = box.text.split('\n');
  ASSERT_EQ(lines.size(), 22);  // 21 lines, each ended by a line break
  EXPECT_EQ(lines[8], "Audio codec: pcm_s16le");
  EXPECT_EQ(lines[12], "Audio sample rate (hz): 44100");
  EXPECT_EQ(lines[13], "Video codec: ");
  EXPECT_EQ(lines[20], "Subtitle codec: ");
  EXPECT_TRUE(form->isEnabled());
}

// The report's lines of each file, as the user reads them after "Analizar".
TEST_F(MainWindowTest, AnalysingShowsTheWholeLengthAndThePictureAsItIsSeen) {
  const QString song = ProbeClips::StillOverSong(Folder());
  const QString turned = ProbeClips::TurnedClip(Folder());
  ASSERT_FALSE(song.isEmpty() || turned.isEmpty());
  FfmpegTools::State().FfprobePath = QStandardPaths::findExecutable("ffprobe");
  Session::State().FileList = {song, turned};
  Session::RefreshFileList();

  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().ExpectMessage();
  form->fileList->setCurrentRow(0);
  form->AnalyseSelectedFile();
  form->fileList->setCurrentRow(1);
  form->AnalyseSelectedFile();
  ASSERT_EQ(dialogs.Messages().size(), 2);
  const QStringList songLines = dialogs.Messages()[0].split('\n');
  EXPECT_TRUE(songLines[5].startsWith("Duration (s): 7.0")) << songLines[5].toStdString();
  const QStringList turnedLines = dialogs.Messages()[1].split('\n');
  EXPECT_EQ(turnedLines[16], "Video size (width x height, pixels): 240x320");
  EXPECT_EQ(turnedLines[18], "Aspect ratio: 3:4");
}

// A file of no bytes and an MP4 without its index: the message says so with
// ffprobe's reason, and no report of empty labels follows.
TEST_F(MainWindowTest, AnalysingAFileFfprobeCannotReadSaysWhy) {
  const QString empty = ProbeClips::EmptyFile(Folder());
  const QString cut = ProbeClips::CutMp4(Folder());
  ASSERT_FALSE(cut.isEmpty());
  FfmpegTools::State().FfprobePath = QStandardPaths::findExecutable("ffprobe");
  Session::State().FileList = {empty, cut};
  Session::RefreshFileList();

  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().ExpectMessage();
  form->fileList->setCurrentRow(0);
  form->AnalyseSelectedFile();
  form->fileList->setCurrentRow(1);
  form->AnalyseSelectedFile();
  const QString reason = "\n" + QString(ProbeClips::UnreadableReason);
  EXPECT_EQ(dialogs.Messages(), (QStringList{"No se pudo leer el archivo " + empty + reason,
                                             "No se pudo leer el archivo " + cut + reason}));
  EXPECT_EQ(dialogs.Shown()[0].style,
            (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Stop}));
  EXPECT_TRUE(form->isEnabled());
}

// Without ffprobe, "Analizar" says it is missing; a report of empty labels
// would pass for what the file holds.
TEST_F(MainWindowTest, AnalysingWithoutFfprobeSaysSoAndShowsNoEmptyReport) {
  const QString clip = Folder() + "/tone.wav";
  ASSERT_EQ(QProcess::execute("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "sine=d=1", clip}), 0);
  FfmpegTools::State().FfprobePath = Folder() + "/tools/ffprobe";
  Session::State().FileList = {clip};
  Session::RefreshFileList();

  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  form->fileList->setCurrentRow(0);
  form->AnalyseSelectedFile();
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se encuentra ffprobe"});
  EXPECT_TRUE(form->isEnabled());
}

}  // namespace

namespace {

// Each option box, pasted into a terminal, gives the arguments the run will
// pass: a crop whose parentheses a shell refuses unquoted, a title in the
// quotes of older profiles.
TEST_F(MainWindowTest, TheCommandViewerShowsTheTableTheRunWillUseAsAShellReadsIt) {
  FfmpegTools::InitOptionNames();
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  const QString clip = WriteFile("in/clip one.wav", "x");
  Session::State().FileList = {clip};
  Session::RefreshFileList();
  form->extensionCombo->setEditText("mkv");
  form->twoPassAction->setChecked(true);
  EditProfileRec edit;
  edit.CropWidth = "160";
  edit.CropHeight = "120";
  edit.OutputParams = R"(-metadata title="Hola ""mundo"" & co")";
  const QString editPath = WriteFile("appfiles/editp/recorte.qep", "");
  ASSERT_EQ(RecordFile::Write(editPath, edit), RecordFile::Result::Ok);
  Session::State().EditProfilePath = editPath;

  QStringList shown;
  ScriptedDialogs dialogs;
  {
    ModalCloser closer([&](QWidget* window) {
      for (int n : {9, 10, 11, 12, 15, 16}) {
        shown << window->findChild<QPlainTextEdit*>(QString("Text%1").arg(n))->toPlainText();
      }
    });
    form->ShowCommands();
  }
  ASSERT_EQ(shown.size(), 6);
  const auto& table = Conversion::State().Commands;
  ASSERT_TRUE(table.At(7, 3).contains("crop=160:120:(iw-ow)/2:(ih-oh)/2"));
  const auto arguments = [&](int row, int column) {
    return Conversion::SplitArguments(table.At(row, column));
  };
  const QStringList video = shown[1].split('\n');
  const QStringList mixed = shown[3].split('\n');
  ASSERT_EQ(video.size(), 2);
  ASSERT_EQ(mixed.size(), 2);
  EXPECT_EQ(ShellSplit(shown[0]), arguments(5, 2));
  EXPECT_EQ(ShellSplit(video[0]), arguments(5, 3));
  EXPECT_EQ(ShellSplit(video[1]), arguments(6, 3));
  EXPECT_EQ(ShellSplit(shown[2]), arguments(7, 2));
  EXPECT_EQ(ShellSplit(mixed[0]), arguments(7, 3)) << mixed[0].toStdString();
  EXPECT_EQ(ShellSplit(mixed[1]), arguments(8, 3)) << mixed[1].toStdString();
  EXPECT_TRUE(arguments(7, 3).contains("title=Hola \"mundo\" & co"));
  EXPECT_EQ(shown[4], "mkv");
  EXPECT_EQ(shown[5], Conversion::State().MultiOutput ? "True" : "False");
  form->twoPassAction->setChecked(false);
}

}  // namespace

namespace {

// A whole conversion started from the window's own button.
TEST_F(MainWindowTest, ConvertingFromTheButtonWritesTheOutputAndSaysTheProcessEnded) {
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  const QString clip = Folder() + "/in/my clip 'one'.wav";
  QDir().mkpath(Folder() + "/in");
  ASSERT_EQ(QProcess::execute("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "sine=d=1", clip}), 0);
  Session::State().FileList = {clip};
  Session::RefreshFileList();
  form->extensionCombo->setCurrentText("mp3");
  form->show();

  ScriptedDialogs dialogs;
  form->convertButton->click();
  ProgressWindow* progress = ProgressWindow::Instance();
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(progress->currentFile->text(), "El proceso terminó");
  progress->close();
  const QString output = Folder() + "/in/my clip 'one'.mp3";
  ASSERT_TRUE(QFileInfo::exists(output));
  EXPECT_GT(QFileInfo(output).size(), 1000);
  EXPECT_TRUE(QFileInfo::exists(clip));
}

TEST_F(MainWindowTest, ATestRunAnsweredWithNothingStartsNothing) {
  ScriptedDialogs dialogs;
  dialogs.Expect(Dialogs::Kind::Input, QString());
  form->ConvertForTest();
  ASSERT_EQ(dialogs.Shown().size(), 1);
  EXPECT_EQ(dialogs.Shown()[0].text, "Ingrese los segundos a convertir:");
  EXPECT_EQ(dialogs.Shown()[0].defaultText, "20");
}

}  // namespace

namespace {

// Closes the first visible top-level window of that name once it shows,
// reporting whether it came up; for the program's own (non-dialog) modal way.
class ToolWindowCloser {
 public:
  explicit ToolWindowCloser(const QString& name, std::function<void()> onSeen = {}) {
    QObject::connect(&timer_, &QTimer::timeout, [this, name, onSeen] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name && window->isVisible()) {
          seen_ = true;
          if (onSeen) onSeen();
          window->close();  // may delete windows: the list is stale from here on
          return;
        }
      }
    });
    timer_.start(20);
  }
  bool Seen() const { return seen_; }

 private:
  QTimer timer_;
  bool seen_ = false;
};

TEST_F(MainWindowTest, TheEditButtonsOpenTheEditorsOnTheManualProfiles) {
  FormatEditor::State().FfmpegListsStale = false;
  ScriptedDialogs dialogs;
  form->show();
  form->formatProfileCombo->setCurrentIndex(1);
  form->OnFormatProfileChosen();
  QString editedFile;
  {
    ToolWindowCloser closer("Form7", [&] { editedFile = FormatEditor::State().CurrentFormatFile; });
    form->editFormatProfileButton->click();
    EXPECT_TRUE(closer.Seen());
  }
  EXPECT_EQ(editedFile, ProgramFolder::AppFiles("formats/.qfm"));
  EXPECT_TRUE(form->isVisible()) << "the main window comes back when the editor closes";

  form->editingProfileCombo->setCurrentIndex(1);
  form->OnEditingProfileChosen();
  ToolWindowCloser closer("Form8");
  form->editEditingProfileButton->click();
  EXPECT_TRUE(closer.Seen());
}

}  // namespace
