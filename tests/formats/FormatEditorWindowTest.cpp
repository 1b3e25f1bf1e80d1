#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTimer>
#include <functional>

#include "FormatEditorFixture.h"
#include "ProbeClips.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/FileServices.h"
#include "core/ground/RecordFile.h"
#include "core/ground/ToolRunner.h"
#include "gui/app/MainWindow.h"
#include "gui/formats/FormatEditorWindow.h"
#include "gui/frame/FileManagerWindow.h"
#include "gui/frame/TextViewerWindow.h"
#include "gui/lang/Translators.h"

namespace {

void TypeInto(QComboBox* combo, const QString& text) {
  QFocusEvent focus(QEvent::FocusIn);
  QApplication::sendEvent(combo->lineEdit(), &focus);
  for (const QChar c : text) {
    combo->lineEdit()->insert(QString(c));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(c));
    QApplication::sendEvent(combo->lineEdit(), &release);
  }
}

void Pick(QComboBox* combo, int entry) {
  combo->setCurrentIndex(entry);
  emit combo->activated(entry);
}

QStringList Entries(const QComboBox* combo) {
  QStringList entries;
  for (int i = 0; i < combo->count(); ++i) entries << combo->itemText(i);
  return entries;
}

QList<int> ShownRows(const FormatEditorWindow& window) {
  QList<int> shown;
  for (int i = 0; i < window.Combo2.size(); ++i) {
    if (!window.Combo2[i]->isHidden()) shown << i;
  }
  return shown;
}

class FormatEditorWindowTest : public FormatEditorWindowFixture {
 protected:
  FormatEditorWindow& Open() {
    Load();
    FormatEditor::BuildCategoryParams(FormatEditor::OutputGeneral);
    window_->show();
    return *window_;
  }
};

TEST_F(FormatEditorWindowTest, RowsOfACategoryWithTheirListsAndMarks) {
  FormatEditorWindow& window = Open();
  FormatEditor::State().CurrentFormat.RemoveAudio = 1;
  Show(FormatEditor::OutputAudio);
  ASSERT_EQ(window.Combo2.size(), 7);
  EXPECT_EQ(window.Combo6->currentIndex(), FormatEditor::OutputAudio);
  EXPECT_EQ(window.Text1[6]->text(), "Eliminar audio");
  EXPECT_EQ(window.Combo2[6]->currentText(), "1");
  EXPECT_EQ(Entries(window.Combo2[6]), QStringList({"0", "1"}));
  EXPECT_EQ(window.Combo2[6]->property("Tag").toString(), "1");
  EXPECT_EQ(window.Combo2[0]->property("Tag").toString(), "");
  EXPECT_EQ(window.Combo2[0]->currentText(), "");
  EXPECT_TRUE(window.Label1->isHidden());
  EXPECT_EQ(ShownRows(window), QList<int>({0, 1, 2, 3, 4, 5, 6}));
}

TEST_F(FormatEditorWindowTest, TypingStoresEveryKeystrokeAndListOnlyRowsRefuseTyping) {
  FormatEditorWindow& window = Open();
  Show(FormatEditor::OutputAudio);
  TypeInto(window.Combo2[0], "128k");
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioBitrate, "128k");

  TypeInto(window.Combo2[6], "x");
  EXPECT_EQ(window.Combo2[6]->currentText(), "0");
  EXPECT_EQ(FormatEditor::State().CurrentFormat.RemoveAudio, 0);
  Pick(window.Combo2[6], 1);
  EXPECT_EQ(FormatEditor::State().CurrentFormat.RemoveAudio, 1);
  // A key pressed after the pick keeps the picked value on show.
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(window.Combo2[6]->lineEdit(), &release);
  EXPECT_EQ(window.Combo2[6]->currentText(), "1");
}

TEST_F(FormatEditorWindowTest, ElevenRowsScrollOneRowAtATime) {
  FormatEditorWindow& window = Open();
  FormatEditor::State().CurrentFormat.RemoveVideo = 1;
  Show(FormatEditor::OutputVideo);
  EXPECT_EQ(window.VScroll1->maximum(), 1);
  EXPECT_EQ(ShownRows(window), QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  window.VScroll1->setValue(1);
  EXPECT_EQ(ShownRows(window), QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(window.Combo2[1]->y(), 0);
  Pick(window.Combo2[10], 0);
  EXPECT_EQ(FormatEditor::State().CurrentFormat.RemoveVideo, 0);
}

TEST_F(FormatEditorWindowTest, PickingACategoryRebuildsOnTheTimer) {
  FormatEditorWindow& window = Open();
  ASSERT_EQ(window.Combo2.size(), 9);
  window.Combo6->setCurrentIndex(FormatEditor::Input);
  emit window.Combo6->activated(FormatEditor::Input);
  EXPECT_EQ(FormatEditor::State().CurrentCategory, FormatEditor::Input);
  EXPECT_EQ(window.Combo2.size(), 9);
  ASSERT_TRUE(WaitFor([&] { return window.Combo2.size() == 6; }));
  EXPECT_EQ(Entries(window.Combo2[1]), QStringList({"aac", "mp3float"}));

  // A category without rows shows the note.
  FormatEditor::State().CurrentFormat.AudioExtCodecName = "nada";
  Show(FormatEditor::OutputAudio);
  EXPECT_FALSE(window.Label1->isHidden());
  EXPECT_TRUE(ShownRows(window).isEmpty());
}

TEST_F(FormatEditorWindowTest, CloseStepsOutOfAPanelBeforeClosingTheWindow) {
  FormatEditorWindow& window = Open();
  window.Import_OfCmdL->trigger();
  EXPECT_TRUE(window.Frame4->isVisible());
  EXPECT_FALSE(window.Menu_File->menuAction()->isEnabled());
  EXPECT_FALSE(window.close());
  EXPECT_FALSE(window.Frame4->isVisible());
  EXPECT_TRUE(window.Menu_File->menuAction()->isEnabled());
  EXPECT_TRUE(window.Command1->isEnabled());

  FormatEditor::State().CurrentFormatFile = FormatEditor::FormatsFolder() + "/perfil.qfm";
  FormatEditor::State().CurrentFormat.Target = "pal-dvd";
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(2);
    EXPECT_FALSE(window.close());
  }
  EXPECT_EQ(FormatEditor::State().CurrentFormat.Target, "pal-dvd");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(7);
  EXPECT_TRUE(window.close());
}

TEST_F(FormatEditorWindowTest, CommandLineImportFillsTheProfileAndTheRows) {
  FormatEditorWindow& window = Open();
  window.Import_OfCmdL->trigger();
  window.Text4->setText("-c:a mp2 -f mp4 -threads 2");
  window.Text5->setText("-f mov");
  window.Command8->click();
  EXPECT_FALSE(window.Frame4->isVisible());
  EXPECT_EQ(FormatEditor::State().CurrentFormat.InputContainer, "mov");
  EXPECT_EQ(window.Combo2[0]->currentText(), "mp4");
  EXPECT_EQ(window.Combo2[1]->currentText(), "mp2");
  EXPECT_EQ(window.Combo2[6]->currentText(), "-threads 2");
  EXPECT_EQ(window.Text4->text(), "-c:a mp2 -f mp4 -threads 2");
}

TEST_F(FormatEditorWindowTest, CodecPanelKeepsOneNamePerView) {
  FormatEditorWindow& window = Open();
  FormatEditor::State().CurrentFormat.AudioCodec = "aac";
  window.Help_ffCodecHelp->trigger();
  EXPECT_TRUE(window.Frame2->isVisible());
  EXPECT_EQ(window.Combo4->currentText(), "aac");
  EXPECT_EQ(window.Combo4->property("Tag").toString(), "");
  EXPECT_EQ(Entries(window.Combo4), QStringList({"copy", "aac", "mp2"}));

  window.Option6->click();
  EXPECT_EQ(window.Combo4->currentText(), "");
  EXPECT_EQ(window.Combo4->property("Tag").toString(), "aac");
  EXPECT_EQ(Entries(window.Combo4), QStringList({"aac", "mp3float"}));
  window.Combo5->setEditText("h264");
  window.Option6->click();
  EXPECT_EQ(window.Combo5->currentText(), "h264");
  window.Option5->click();
  EXPECT_EQ(window.Combo4->currentText(), "aac");
  EXPECT_EQ(window.Combo5->currentText(), "");

  window.Command6->click();
  window.Help_ffCodecHelp->trigger();
  EXPECT_EQ(window.Combo4->count(), 3);
  EXPECT_FALSE(window.close());
  EXPECT_FALSE(window.Frame2->isVisible());
  EXPECT_EQ(window.AdvancedFrameOpen, 0);
}

TEST_F(FormatEditorWindowTest, ContainerPanelAsksForANameThenShowsFfmpegsHelp) {
  FormatEditorWindow& window = Open();
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  window.Help_ffFormatHelp->trigger();
  window.Combo3->setEditText("mov");
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    window.Command3->click();
    EXPECT_EQ(dialogs.Messages(),
              QStringList({"No se ha especificado el formato, ingrese ó elija uno de la lista"}));
  }
  EXPECT_TRUE(window.Frame1->isVisible());

  window.Option2->click();
  EXPECT_FALSE(window.Combo1->isEnabled());
  QString shown;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    TextViewerWindow* viewer = TextViewerWindow::Instance();
    if (!viewer || !viewer->Text1->toPlainText().contains("Demuxer mov")) return;
    shown = viewer->Text1->toPlainText();
    viewer->close();
  });
  poll.start(20);
  window.Command3->click();
  EXPECT_TRUE(shown.contains("Demuxer mov")) << shown.toStdString();
  EXPECT_FALSE(window.Frame1->isVisible());
  EXPECT_TRUE(window.Menu_Help->menuAction()->isEnabled());
}

TEST_F(FormatEditorWindowTest, ExternalCodecMenusFollowLoadAndUnload) {
  FormatEditorWindow& window = Open();
  ExtCodecDef codec;
  codec.About = "Un codificador";
  codec.Params = {0, {{"Modo", 2, "-m", "", "", 0, "1"}, {"Nivel", 0, "-l", "", "1\r\n2", 0, "2"}}};
  codec.Editable = {1, {1, 0, 0, 0, 0, 0}};
  codec.Values = {1, {"64k", "", "", "", "", ""}};
  ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/ecodec/lame.qca", ""), codec),
            RecordFile::Result::Ok);
  ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/ecodec/x264.qcv", ""), ExtCodecDef()),
            RecordFile::Result::Ok);
  EXPECT_FALSE(window.Opt_FindExe->menuAction()->isVisible());

  FormatEditor::State().CurrentCategory = FormatEditor::OutputAudio;
  FormatEditor::LoadExternalCodec(0, "lame");
  FormatEditor::LoadExternalCodec(1, "x264");
  const ExtCodecDef& embedded = FormatEditor::State().CurrentFormat.AudioExtCodec;
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioExtCodecName, "lame");
  EXPECT_EQ(embedded.Params[0].Value, "0");
  EXPECT_EQ(embedded.Params[1].Value, "2");
  EXPECT_EQ(embedded.Values.Items, QStringList(6));
  EXPECT_EQ(window.Text1[0]->text(), "Modo");
  EXPECT_EQ(window.Text1[2]->text(), "FF>Bitrate (bits/s)");
  EXPECT_FALSE(window.LoadECA_Menu->isVisible());
  EXPECT_TRUE(window.UnloadECA_Menu->isVisible() && window.ReloadECA_Menu->isVisible());
  EXPECT_TRUE(window.FindEXE_A->isVisible() && window.FindEXE_V->isVisible());
  EXPECT_FALSE(window.FindEXE_Sep1->isVisible());

  // Values set in the profile are lost on reload.
  TypeInto(window.Combo2[1], "7");
  EXPECT_EQ(embedded.Params[1].Value, "27");
  window.ReloadECA_Menu->trigger();
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioExtCodec.Params[1].Value, "2");

  window.Help_AboutECA->trigger();
  EXPECT_EQ(window.Frame3->title(), "Acerca del codec... - lame");
  EXPECT_EQ(window.Text3->toPlainText(), "Un codificador");
  window.Command7->click();

  window.UnloadECA_Menu->trigger();
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioExtCodecName, "");
  EXPECT_EQ(window.Text1[0]->text(), "Bitrate (bits/s)");
  EXPECT_TRUE(window.Opt_FindExe->menuAction()->isVisible());
  EXPECT_FALSE(window.FindEXE_A->isVisible());
  EXPECT_FALSE(window.FindEXE_Sep1->isVisible());

  ASSERT_TRUE(FileServices::DeleteFile(Folder() + "/appfiles/ecodec/x264.qcv", true));
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(7);
    window.UnloadECV_Menu->trigger();
  }
  EXPECT_EQ(FormatEditor::State().CurrentFormat.VideoExtCodecName, "x264");
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(6);
    window.UnloadECV_Menu->trigger();
  }
  EXPECT_FALSE(window.Opt_FindExe->menuAction()->isVisible());
  EXPECT_TRUE(window.FindEXE_Sep1->isVisible());
}

TEST_F(FormatEditorWindowTest, ReloadOfADeletedDefinitionKeepsTheEmbeddedCopy) {
  Open();
  FormatEditor::State().CurrentFormat.AudioExtCodecName = "lame";
  FormatEditor::State().CurrentFormat.AudioExtCodec.About = "copia";
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  FormatEditor::LoadExternalCodec(0, "lame");
  EXPECT_EQ(dialogs.Messages(),
            QStringList({"No se encuentra el archivo " + Folder() + "/appfiles/ecodec/lame.qca"}));
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioExtCodec.About, "copia");
}

TEST_F(FormatEditorWindowTest, ProgramChooserStoresPathsInsideTheProgramFolderRelative) {
  FormatEditorWindow& window = Open();
  FormatEditor::State().CurrentFormat.AudioExtCodecName = "lame";
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(Dialogs::Kind::OpenFile, QStringList({Folder() + "/tools/lame"}));
    window.FindCodecExe(0);
    EXPECT_EQ(dialogs.Shown().first().defaultText, "");
  }
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioExtCodec.ExePath, "tools/lame");
  ScriptedDialogs dialogs;
  dialogs.Expect(Dialogs::Kind::OpenFile, QStringList({"/usr/bin/lame"}));
  window.FindCodecExe(0);
  EXPECT_EQ(dialogs.Shown().first().defaultText, "lame");
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioExtCodec.ExePath, "/usr/bin/lame");
}

// Answers the file manager that the editor opens as its open and save-as dialog.
class FileManagerAnswer {
 public:
  explicit FileManagerAnswer(const QString& name) {
    QObject::connect(&poll_, &QTimer::timeout, [this, name] {
      FileManagerWindow* manager = FileManagerWindow::Instance();
      if (!manager || !manager->isVisible()) return;
      ++shown_;
      manager->Text1->setText(name);
      manager->Command5->click();
    });
    poll_.start(20);
  }
  int Shown() const { return shown_; }

 private:
  QTimer poll_;
  int shown_ = 0;
};

TEST_F(FormatEditorWindowTest, HasEveryControlItsTranslatorWrites) {
  MainWindow main;
  main.formatEditorAction->setText("Formatos");
  FormatEditorWindow& window = Open();
  EXPECT_EQ(window.windowTitle(), "Formatos");
  const Lang::Translator* translator = Lang::FindTranslator("Form7");
  ASSERT_NE(translator, nullptr);
  EXPECT_EQ(Lang::UnmetAssignments(&window, *translator), QStringList());
  EXPECT_EQ(window.Frame3->property("Tag").toString(), "Acerca del codec...");
  EXPECT_EQ(window.Combo6->itemText(0), "Entrada - General");
}

TEST_F(FormatEditorWindowTest, SaveAndOpenGoThroughTheFileManager) {
  FormatEditorWindow& window = Open();
  FormatEditor::State().CurrentFormat.Extension = "mkv";
  {
    FileManagerAnswer answer("nuevo");
    window.File_Save->trigger();
    EXPECT_EQ(answer.Shown(), 1);
  }
  const QString path = FormatEditor::FormatsFolder() + "/nuevo.qfm";
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, path);
  EXPECT_FALSE(FormatEditor::IsFormatChanged());
  window.File_Close->trigger();
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, "");
  EXPECT_EQ(window.Combo2[7]->currentText(), "");

  FileManagerAnswer answer("nuevo");
  window.File_Open->trigger();
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, path);
  EXPECT_EQ(window.Combo2[7]->currentText(), "mkv");
}

TEST_F(FormatEditorWindowTest, ScratchLoadTakesAnotherProfilesValuesAsChanges) {
  FormatProfile other;
  other.Target = "pal-vcd";
  ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/formats/otro.qfm", ""), other),
            RecordFile::Result::Ok);
  FormatEditorWindow& window = Open();
  window.ShowButtonStrip(true);
  FormatEditor::State().CurrentFormatFile = FormatEditor::ScratchProfilePath();
  FormatEditor::State().TempFormatMode = 1;
  {
    FileManagerAnswer answer("otro");
    window.Command12->click();
  }
  EXPECT_EQ(FormatEditor::State().CurrentFormat.Target, "pal-vcd");
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, FormatEditor::ScratchProfilePath());
  EXPECT_TRUE(FormatEditor::IsFormatChanged());
  window.Command2->click();
  EXPECT_EQ(FormatEditor::State().CurrentFormat.Target, "");
  EXPECT_FALSE(window.isVisible());
}

TEST_F(FormatEditorWindowTest, CodecPanelAsksFfmpegForTheChosenDecoder) {
  FormatEditorWindow& window = Open();
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  window.Help_ffCodecHelp->trigger();
  window.Option4->click();
  window.Option6->click();
  window.Combo5->setEditText("h264");
  QString shown;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    TextViewerWindow* viewer = TextViewerWindow::Instance();
    if (!viewer || !viewer->Text1->toPlainText().contains("Decoder h264")) return;
    shown = viewer->Text1->toPlainText();
    viewer->close();
  });
  poll.start(20);
  window.Command4->click();
  EXPECT_TRUE(shown.contains("Decoder h264")) << shown.toStdString();
  EXPECT_FALSE(window.Frame2->isVisible());
}

TEST_F(FormatEditorWindowTest, CloseIsRefusedWhileTheListsAreRebuiltAndLeavesTheAboutPanel) {
  FormatEditorWindow& window = Open();
  window.ShowWaiting(true);
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.Frame6->isVisible());
  window.ShowWaiting(false);

  FormatEditor::State().CurrentFormat.VideoExtCodecName = "x264";
  window.SyncExtCodecMenus(FormatEditor::State().CurrentFormat);
  window.Help_AboutECV->trigger();
  EXPECT_TRUE(window.Frame3->isVisible());
  EXPECT_FALSE(window.Command12->isEnabled());
  EXPECT_FALSE(window.close());
  EXPECT_FALSE(window.Frame3->isVisible());
  EXPECT_TRUE(window.Command12->isEnabled());
}

class ShowEditorTest : public FormatEditorWindowTest {};

TEST_F(ShowEditorTest, ScratchModeOpensEmptyAndAcceptWritesTheScratchFile) {
  QWidget shownBefore;
  shownBefore.show();
  QWidget hiddenBefore;
  bool checked = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    FormatEditorWindow* window = FormatEditorWindow::Instance();
    if (checked || !window || FormatEditor::State().TempFormatMode != 1) return;
    checked = true;
    EXPECT_FALSE(shownBefore.isVisible());
    EXPECT_TRUE(window->Picture9->isVisible());
    EXPECT_FALSE(window->File_Open->isVisible());
    EXPECT_FALSE(window->File_Close->isVisible());
    EXPECT_FALSE(window->File_Exit->isVisible());
    EXPECT_GT(window->height(), 280 + 40);
    EXPECT_EQ(FormatEditor::State().CurrentFormatFile, FormatEditor::ScratchProfilePath());
    EXPECT_FALSE(FileServices::FileExists(FormatEditor::ScratchProfilePath()));
    ASSERT_EQ(window->Combo2.size(), 9);
    window->Combo2[7]->setEditText("mkv");
    window->Command1->click();
  });
  poll.start(20);
  FormatEditorWindow::ShowEditor("*", 1);
  EXPECT_TRUE(checked);
  EXPECT_EQ(FormatEditorWindow::Instance(), nullptr);
  EXPECT_TRUE(shownBefore.isVisible());
  EXPECT_FALSE(hiddenBefore.isVisible());
  EXPECT_EQ(FormatEditor::State().TempFormatMode, 0);
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, "");
  FormatProfile written;
  ASSERT_EQ(RecordFile::Read(FormatEditor::ScratchProfilePath(), written), RecordFile::Result::Ok);
  EXPECT_EQ(written.Extension, "mkv");
}

// The editor asked for while another tool still runs (the recorder's
// "Listar dispositivos" in the viewer, then its manual profile's editor): the
// press waits quietly. ffmpeg's lists read now would come back empty and stand
// so for the rest of the session.
TEST_F(ShowEditorTest, AnEditorAskedForWhileAnotherToolRunsWaitsAndTheListsStayToRead) {
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  FormatEditor::State().FfmpegListsStale = 1;
  bool opened = false;
  // Such an editor is put away here, its lists read or not.
  WhenReady putAway(
      [] {
        return FormatEditorWindow::Instance() && FormatEditorWindow::Instance()->isVisible() &&
               !FormatEditorWindow::Instance()->Frame6->isVisible();
      },
      [&] {
        opened = true;
        FormatEditorWindow::Instance()->hide();
      });
  ASSERT_TRUE(WhileAnotherToolRuns([&] { FormatEditorWindow::ShowEditor("*", 1); }));
  EXPECT_FALSE(opened);
  EXPECT_EQ(FormatEditor::State().FfmpegListsStale, 1);
  EXPECT_EQ(FormatEditorWindow::Instance(), nullptr);
}

TEST_F(ShowEditorTest, StaleListsAreRebuiltBeforeTheNamedProfileLoads) {
  FormatProfile profile;
  profile.AudioCodec = "aac";
  ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/formats/perfil.qfm", ""), profile),
            RecordFile::Result::Ok);
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  FormatEditor::State().FfmpegListsStale = 1;
  QStringList entries;
  QString value;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    FormatEditorWindow* window = FormatEditorWindow::Instance();
    if (!window || FormatEditor::State().CurrentFormatFile.isEmpty() || !entries.isEmpty()) return;
    EXPECT_EQ(FormatEditor::State().FfmpegListsStale, 0);
    EXPECT_FALSE(window->Frame6->isVisible());
    entries = Entries(window->Combo2[1]);
    value = window->Combo2[1]->currentText();
    window->File_Exit->trigger();
  });
  poll.start(20);
  FormatEditorWindow::ShowEditor("perfil", 0);
  EXPECT_TRUE(entries.contains("libmp3lame") || entries.contains("mp2"));
  EXPECT_EQ(value, "aac");
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, "");
  EXPECT_EQ(FormatEditor::State().ParamRowCount, 0);
}

}  // namespace

namespace {

// "Obtener valores de archivo" while another tool still runs (ffmpeg's help
// in the viewer): the press waits quietly. No file is asked for whose probe
// could only come back empty.
TEST_F(FormatEditorWindowTest, FileImportWhileAnotherToolRunsWaitsQuietly) {
  FfmpegTools::State().FfprobePath = QStandardPaths::findExecutable("ffprobe");
  FormatEditorWindow& window = Open();
  ScriptedDialogs dialogs;
  bool panelShown = true;
  ASSERT_TRUE(WhileAnotherToolRuns([&] {
    window.Import_OfFile->trigger();
    panelShown = window.Frame5->isVisible() || window.Frame6->isVisible();
  }));
  EXPECT_FALSE(panelShown);
  EXPECT_TRUE(dialogs.Shown().isEmpty());
  EXPECT_TRUE(window.Menu_File->menuAction()->isEnabled());
  EXPECT_TRUE(window.Command1->isEnabled());
}

TEST_F(FormatEditorWindowTest, FileImportListsTheProbedClipAndCopiesTheTickedLines) {
  const QString clip = Folder() + "/clip.mkv";
  QProcess make;
  make.start(QStandardPaths::findExecutable("ffmpeg"),
             {"-v", "error", "-f", "lavfi", "-i", "sine=d=1", "-c:a", "flac", clip});
  ASSERT_TRUE(make.waitForFinished(30000));
  ASSERT_EQ(make.exitCode(), 0);
  FfmpegTools::State().FfprobePath = QStandardPaths::findExecutable("ffprobe");
  FormatEditorWindow& window = Open();
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(Dialogs::Kind::OpenFile, QStringList());
    window.Import_OfFile->trigger();
  }
  EXPECT_FALSE(window.Frame5->isVisible());
  EXPECT_TRUE(window.Menu_File->menuAction()->isEnabled());
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(Dialogs::Kind::OpenFile, QStringList({clip}));
    window.Import_OfFile->trigger();
  }
  FfmpegTools::State().FfprobePath.clear();
  ASSERT_TRUE(window.Frame5->isVisible());
  EXPECT_FALSE(window.Frame6->isVisible());
  EXPECT_FALSE(window.Menu_Options->menuAction()->isEnabled());
  EXPECT_FALSE(window.Command1->isEnabled());
  ASSERT_EQ(window.List1->count(), 15);
  EXPECT_EQ(window.List1->item(1)->text(), "Audio codec: flac");
  EXPECT_EQ(window.List1->item(11)->text(), "File extension: mkv");
  EXPECT_FALSE(window.ProbeTicks().contains(true));

  window.Check1->click();
  EXPECT_EQ(window.ProbeTicks(), QList<bool>(15, true));
  window.Check1->click();
  EXPECT_EQ(window.ProbeTicks(), QList<bool>(15, false));
  window.List1->item(1)->setCheckState(Qt::Checked);
  window.List1->item(11)->setCheckState(Qt::Checked);
  window.Command10->click();
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioCodec, "flac");
  EXPECT_EQ(FormatEditor::State().CurrentFormat.Extension, "mkv");
  EXPECT_EQ(window.Combo2[1]->currentText(), "flac");
  EXPECT_FALSE(window.Frame5->isVisible());
  EXPECT_FALSE(window.Check1->isChecked());
  EXPECT_TRUE(window.Menu_Options->menuAction()->isEnabled());
  EXPECT_TRUE(window.Command1->isEnabled());
}

// A phone's portrait clip gives the size and aspect everyone sees; a file
// ffprobe cannot read gives its reason and no list of empty values.
TEST_F(FormatEditorWindowTest, FileImportTakesTheUprightPictureAndSaysWhyAFileCannotBeRead) {
  const QString turned = ProbeClips::TurnedClip(Folder());
  const QString cut = ProbeClips::CutMp4(Folder());
  ASSERT_FALSE(turned.isEmpty() || cut.isEmpty());
  FfmpegTools::State().FfprobePath = QStandardPaths::findExecutable("ffprobe");
  FormatEditorWindow& window = Open();
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(Dialogs::Kind::OpenFile, QStringList({turned}));
    window.Import_OfFile->trigger();
  }
  ASSERT_TRUE(window.Frame5->isVisible());
  ASSERT_EQ(window.List1->count(), 15);
  window.List1->item(7)->setCheckState(Qt::Checked);
  window.List1->item(12)->setCheckState(Qt::Checked);
  window.Command10->click();
  EXPECT_EQ(FormatEditor::State().CurrentFormat.FrameSize, "240x320");
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AspectRatio, "3:4");

  ScriptedDialogs dialogs;
  dialogs.Expect(Dialogs::Kind::OpenFile, QStringList({cut})).ExpectMessage();
  window.Import_OfFile->trigger();
  FfmpegTools::State().FfprobePath.clear();
  EXPECT_EQ(dialogs.Messages(),
            QStringList{"No se pudo leer el archivo " + cut + "\n" + ProbeClips::UnreadableReason});
  EXPECT_FALSE(window.Frame5->isVisible());
  EXPECT_FALSE(window.Frame6->isVisible());
  EXPECT_TRUE(window.Menu_File->menuAction()->isEnabled());
  EXPECT_TRUE(window.Command1->isEnabled());
  EXPECT_EQ(FormatEditor::State().CurrentFormat.FrameSize, "240x320");
}

TEST_F(FormatEditorWindowTest, PlainHelpItemsShowFfmpegsOutputOrSayItIsMissing) {
  FormatEditorWindow& window = Open();
  FfmpegTools::State().FfmpegPath = Folder() + "/no ffmpeg";
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    window.Help_ffPixFmt->trigger();
    EXPECT_EQ(dialogs.Messages(), QStringList({"No se encuentra ffmpeg"}));
  }
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  QString shown;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    TextViewerWindow* viewer = TextViewerWindow::Instance();
    if (!viewer || !viewer->Text1->toPlainText().contains("yuv420p")) return;
    shown = viewer->Text1->toPlainText();
    viewer->close();
  });
  poll.start(20);
  window.Help_ffPixFmt->trigger();
  EXPECT_TRUE(shown.contains("Pixel formats:")) << shown.toStdString();
}

}  // namespace
