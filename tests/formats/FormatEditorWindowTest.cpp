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

const QString kAnotherToolRuns =
    QString::fromUtf8("Otra herramienta está en ejecución; espere a que termine");

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
  for (int i = 0; i < window.rowValueCombos.size(); ++i) {
    if (!window.rowValueCombos[i]->isHidden()) shown << i;
  }
  return shown;
}

class FormatEditorWindowTest : public FormatEditorWindowFixture {
 protected:
  FormatEditorWindow& Open() {
    Load();
    FormatEditor::BuildCategoryParams(FormatEditor::Category::OutputGeneral);
    window_->show();
    return *window_;
  }
};

TEST_F(FormatEditorWindowTest, RowsOfACategoryWithTheirListsAndMarks) {
  FormatEditorWindow& window = Open();
  FormatEditor::State().CurrentFormat.RemoveAudio = true;
  Show(FormatEditor::Category::OutputAudio);
  ASSERT_EQ(window.rowValueCombos.size(), 7);
  EXPECT_EQ(window.categoryCombo->currentIndex(), int(FormatEditor::Category::OutputAudio));
  EXPECT_EQ(window.rowCaptions[6]->text(), "Eliminar audio");
  EXPECT_EQ(window.rowValueCombos[6]->currentText(), "1");
  EXPECT_EQ(Entries(window.rowValueCombos[6]), QStringList({"0", "1"}));
  EXPECT_EQ(window.rowValueCombos[6]->property("Tag").toString(), "1");
  EXPECT_EQ(window.rowValueCombos[0]->property("Tag").toString(), "");
  EXPECT_EQ(window.rowValueCombos[0]->currentText(), "");
  EXPECT_TRUE(window.noRowsLabel->isHidden());
  EXPECT_EQ(ShownRows(window), QList<int>({0, 1, 2, 3, 4, 5, 6}));
}

TEST_F(FormatEditorWindowTest, TypingStoresEveryKeystrokeAndListOnlyRowsRefuseTyping) {
  FormatEditorWindow& window = Open();
  Show(FormatEditor::Category::OutputAudio);
  TypeInto(window.rowValueCombos[0], "128k");
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioBitrate, "128k");

  TypeInto(window.rowValueCombos[6], "x");
  EXPECT_EQ(window.rowValueCombos[6]->currentText(), "0");
  EXPECT_FALSE(FormatEditor::State().CurrentFormat.RemoveAudio);
  Pick(window.rowValueCombos[6], 1);
  EXPECT_TRUE(FormatEditor::State().CurrentFormat.RemoveAudio);
  // A key pressed after the pick keeps the picked value on show.
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(window.rowValueCombos[6]->lineEdit(), &release);
  EXPECT_EQ(window.rowValueCombos[6]->currentText(), "1");
}

TEST_F(FormatEditorWindowTest, ElevenRowsScrollOneRowAtATime) {
  FormatEditorWindow& window = Open();
  FormatEditor::State().CurrentFormat.RemoveVideo = true;
  Show(FormatEditor::Category::OutputVideo);
  EXPECT_EQ(window.rowScroll->maximum(), 1);
  EXPECT_EQ(ShownRows(window), QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  window.rowScroll->setValue(1);
  EXPECT_EQ(ShownRows(window), QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(window.rowValueCombos[1]->y(), 0);
  Pick(window.rowValueCombos[10], 0);
  EXPECT_FALSE(FormatEditor::State().CurrentFormat.RemoveVideo);
}

TEST_F(FormatEditorWindowTest, PickingACategoryRebuildsOnTheTimer) {
  FormatEditorWindow& window = Open();
  ASSERT_EQ(window.rowValueCombos.size(), 9);
  window.categoryCombo->setCurrentIndex(int(FormatEditor::Category::Input));
  emit window.categoryCombo->activated(int(FormatEditor::Category::Input));
  EXPECT_EQ(FormatEditor::State().CurrentCategory, FormatEditor::Category::Input);
  EXPECT_EQ(window.rowValueCombos.size(), 9);
  ASSERT_TRUE(WaitFor([&] { return window.rowValueCombos.size() == 6; }));
  EXPECT_EQ(Entries(window.rowValueCombos[1]), QStringList({"aac", "mp3float"}));

  // A category without rows shows the note.
  FormatEditor::State().CurrentFormat.AudioExtCodecName = "nada";
  Show(FormatEditor::Category::OutputAudio);
  EXPECT_FALSE(window.noRowsLabel->isHidden());
  EXPECT_TRUE(ShownRows(window).isEmpty());
}

TEST_F(FormatEditorWindowTest, CloseStepsOutOfAPanelBeforeClosingTheWindow) {
  FormatEditorWindow& window = Open();
  window.importCommandLineAction->trigger();
  EXPECT_TRUE(window.commandLinePanel->isVisible());
  EXPECT_FALSE(window.fileMenu->menuAction()->isEnabled());
  EXPECT_FALSE(window.close());
  EXPECT_FALSE(window.commandLinePanel->isVisible());
  EXPECT_TRUE(window.fileMenu->menuAction()->isEnabled());
  EXPECT_TRUE(window.acceptButton->isEnabled());

  FormatEditor::State().CurrentFormatFile = FormatEditor::FormatsFolder() + "/perfil.qfm";
  FormatEditor::State().CurrentFormat.Target = "pal-dvd";
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(Dialogs::Button::Cancel);
    EXPECT_FALSE(window.close());
  }
  EXPECT_EQ(FormatEditor::State().CurrentFormat.Target, "pal-dvd");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::No);
  EXPECT_TRUE(window.close());
}

TEST_F(FormatEditorWindowTest, CommandLineImportFillsTheProfileAndTheRows) {
  FormatEditorWindow& window = Open();
  window.importCommandLineAction->trigger();
  window.outputOptions->setText("-c:a mp2 -f mp4 -threads 2");
  window.inputOptions->setText("-f mov");
  window.importCommandLineButton->click();
  EXPECT_FALSE(window.commandLinePanel->isVisible());
  EXPECT_EQ(FormatEditor::State().CurrentFormat.InputContainer, "mov");
  EXPECT_EQ(window.rowValueCombos[0]->currentText(), "mp4");
  EXPECT_EQ(window.rowValueCombos[1]->currentText(), "mp2");
  EXPECT_EQ(window.rowValueCombos[6]->currentText(), "-threads 2");
  EXPECT_EQ(window.outputOptions->text(), "-c:a mp2 -f mp4 -threads 2");
}

TEST_F(FormatEditorWindowTest, CodecPanelKeepsOneNamePerView) {
  FormatEditorWindow& window = Open();
  FormatEditor::State().CurrentFormat.AudioCodec = "aac";
  window.codecOptionsAction->trigger();
  EXPECT_TRUE(window.codecPanel->isVisible());
  EXPECT_EQ(window.audioCodecCombo->currentText(), "aac");
  EXPECT_EQ(window.audioCodecCombo->property("Tag").toString(), "");
  EXPECT_EQ(Entries(window.audioCodecCombo), QStringList({"copy", "aac", "mp2"}));

  window.decoderViewOption->click();
  EXPECT_EQ(window.audioCodecCombo->currentText(), "");
  EXPECT_EQ(window.audioCodecCombo->property("Tag").toString(), "aac");
  EXPECT_EQ(Entries(window.audioCodecCombo), QStringList({"aac", "mp3float"}));
  window.videoCodecCombo->setEditText("h264");
  window.decoderViewOption->click();
  EXPECT_EQ(window.videoCodecCombo->currentText(), "h264");
  window.encoderViewOption->click();
  EXPECT_EQ(window.audioCodecCombo->currentText(), "aac");
  EXPECT_EQ(window.videoCodecCombo->currentText(), "");

  window.codecBackButton->click();
  window.codecOptionsAction->trigger();
  EXPECT_EQ(window.audioCodecCombo->count(), 3);
  EXPECT_FALSE(window.close());
  EXPECT_FALSE(window.codecPanel->isVisible());
  EXPECT_FALSE(window.advancedPanelOpen);
}

TEST_F(FormatEditorWindowTest, ContainerPanelAsksForANameThenShowsFfmpegsHelp) {
  FormatEditorWindow& window = Open();
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  window.formatOptionsAction->trigger();
  window.inputFormatCombo->setEditText("mov");
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    window.showFormatHelpButton->click();
    EXPECT_EQ(dialogs.Messages(),
              QStringList({"No se ha especificado el formato, ingrese ó elija uno de la lista"}));
  }
  EXPECT_TRUE(window.formatPanel->isVisible());

  window.inputFormatOption->click();
  EXPECT_FALSE(window.outputFormatCombo->isEnabled());
  QString shown;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    TextViewerWindow* viewer = TextViewerWindow::Instance();
    if (!viewer || !viewer->outputText->toPlainText().contains("Demuxer mov")) return;
    shown = viewer->outputText->toPlainText();
    viewer->close();
  });
  poll.start(20);
  window.showFormatHelpButton->click();
  EXPECT_TRUE(shown.contains("Demuxer mov")) << shown.toStdString();
  EXPECT_FALSE(window.formatPanel->isVisible());
  EXPECT_TRUE(window.helpMenu->menuAction()->isEnabled());
}

TEST_F(FormatEditorWindowTest, ExternalCodecMenusFollowLoadAndUnload) {
  FormatEditorWindow& window = Open();
  ExtCodecDef codec;
  codec.About = "Un codificador";
  codec.Params = {0,
                  {{"Modo", ParamKind::Switch, "-m", "", "", false, "1"},
                   {"Nivel", ParamKind::Optional, "-l", "", "1\r\n2", false, "2"}}};
  codec.Editable = {1, {true, false, false, false, false, false}};
  codec.Values = {1, {"64k", "", "", "", "", ""}};
  ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/ecodec/lame.qca", ""), codec),
            RecordFile::Result::Ok);
  ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/ecodec/x264.qcv", ""), ExtCodecDef()),
            RecordFile::Result::Ok);
  EXPECT_FALSE(window.findProgramMenu->menuAction()->isVisible());

  FormatEditor::State().CurrentCategory = FormatEditor::Category::OutputAudio;
  FormatEditor::LoadExternalCodec(0, "lame");
  FormatEditor::LoadExternalCodec(1, "x264");
  const ExtCodecDef& embedded = FormatEditor::State().CurrentFormat.AudioExtCodec;
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioExtCodecName, "lame");
  EXPECT_EQ(embedded.Params[0].Value, "0");
  EXPECT_EQ(embedded.Params[1].Value, "2");
  EXPECT_EQ(embedded.Values.Items, QStringList(6));
  EXPECT_EQ(window.rowCaptions[0]->text(), "Modo");
  EXPECT_EQ(window.rowCaptions[2]->text(), "FF>Bitrate (bits/s)");
  EXPECT_FALSE(window.loadAudioCodecAction->isVisible());
  EXPECT_TRUE(window.unloadAudioCodecAction->isVisible() &&
              window.reloadAudioCodecAction->isVisible());
  EXPECT_TRUE(window.findAudioProgramAction->isVisible() &&
              window.findVideoProgramAction->isVisible());
  EXPECT_FALSE(window.findProgramPlaceholder->isVisible());

  // Values set in the profile are lost on reload.
  TypeInto(window.rowValueCombos[1], "7");
  EXPECT_EQ(embedded.Params[1].Value, "27");
  window.reloadAudioCodecAction->trigger();
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioExtCodec.Params[1].Value, "2");

  window.aboutAudioCodecAction->trigger();
  EXPECT_EQ(window.aboutPanel->title(), "Acerca del codec... - lame");
  EXPECT_EQ(window.aboutText->toPlainText(), "Un codificador");
  window.aboutBackButton->click();

  window.unloadAudioCodecAction->trigger();
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioExtCodecName, "");
  EXPECT_EQ(window.rowCaptions[0]->text(), "Bitrate (bits/s)");
  EXPECT_TRUE(window.findProgramMenu->menuAction()->isVisible());
  EXPECT_FALSE(window.findAudioProgramAction->isVisible());
  EXPECT_FALSE(window.findProgramPlaceholder->isVisible());

  ASSERT_TRUE(FileServices::DeleteFile(Folder() + "/appfiles/ecodec/x264.qcv"));
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(Dialogs::Button::No);
    window.unloadVideoCodecAction->trigger();
  }
  EXPECT_EQ(FormatEditor::State().CurrentFormat.VideoExtCodecName, "x264");
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(Dialogs::Button::Yes);
    window.unloadVideoCodecAction->trigger();
  }
  EXPECT_FALSE(window.findProgramMenu->menuAction()->isVisible());
  EXPECT_TRUE(window.findProgramPlaceholder->isVisible());
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
      manager->nameEdit->setText(name);
      manager->acceptButton->click();
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
  EXPECT_EQ(window.aboutPanel->property("Tag").toString(), "Acerca del codec...");
  EXPECT_EQ(window.categoryCombo->itemText(0), "Entrada - General");
}

TEST_F(FormatEditorWindowTest, SaveAndOpenGoThroughTheFileManager) {
  FormatEditorWindow& window = Open();
  FormatEditor::State().CurrentFormat.Extension = "mkv";
  {
    FileManagerAnswer answer("nuevo");
    window.saveAction->trigger();
    EXPECT_EQ(answer.Shown(), 1);
  }
  const QString path = FormatEditor::FormatsFolder() + "/nuevo.qfm";
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, path);
  EXPECT_FALSE(FormatEditor::IsFormatChanged());
  window.closeProfileAction->trigger();
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, "");
  EXPECT_EQ(window.rowValueCombos[7]->currentText(), "");

  FileManagerAnswer answer("nuevo");
  window.openAction->trigger();
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, path);
  EXPECT_EQ(window.rowValueCombos[7]->currentText(), "mkv");
}

TEST_F(FormatEditorWindowTest, ScratchLoadTakesAnotherProfilesValuesAsChanges) {
  FormatProfile other;
  other.Target = "pal-vcd";
  ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/formats/otro.qfm", ""), other),
            RecordFile::Result::Ok);
  FormatEditorWindow& window = Open();
  window.ShowButtonStrip(true);
  FormatEditor::State().CurrentFormatFile = FormatEditor::ScratchProfilePath();
  FormatEditor::State().TempFormatMode = true;
  {
    FileManagerAnswer answer("otro");
    window.loadButton->click();
  }
  EXPECT_EQ(FormatEditor::State().CurrentFormat.Target, "pal-vcd");
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, FormatEditor::ScratchProfilePath());
  EXPECT_TRUE(FormatEditor::IsFormatChanged());
  window.cancelButton->click();
  EXPECT_EQ(FormatEditor::State().CurrentFormat.Target, "");
  EXPECT_FALSE(window.isVisible());
}

TEST_F(FormatEditorWindowTest, CodecPanelAsksFfmpegForTheChosenDecoder) {
  FormatEditorWindow& window = Open();
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  window.codecOptionsAction->trigger();
  window.videoCodecOption->click();
  window.decoderViewOption->click();
  window.videoCodecCombo->setEditText("h264");
  QString shown;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    TextViewerWindow* viewer = TextViewerWindow::Instance();
    if (!viewer || !viewer->outputText->toPlainText().contains("Decoder h264")) return;
    shown = viewer->outputText->toPlainText();
    viewer->close();
  });
  poll.start(20);
  window.showCodecHelpButton->click();
  EXPECT_TRUE(shown.contains("Decoder h264")) << shown.toStdString();
  EXPECT_FALSE(window.codecPanel->isVisible());
}

TEST_F(FormatEditorWindowTest, CloseIsRefusedWhileTheListsAreRebuiltAndLeavesTheAboutPanel) {
  FormatEditorWindow& window = Open();
  window.ShowWaiting(true);
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.waitPanel->isVisible());
  window.ShowWaiting(false);

  FormatEditor::State().CurrentFormat.VideoExtCodecName = "x264";
  window.SyncExtCodecMenus(FormatEditor::State().CurrentFormat);
  window.aboutVideoCodecAction->trigger();
  EXPECT_TRUE(window.aboutPanel->isVisible());
  EXPECT_FALSE(window.loadButton->isEnabled());
  EXPECT_FALSE(window.close());
  EXPECT_FALSE(window.aboutPanel->isVisible());
  EXPECT_TRUE(window.loadButton->isEnabled());
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
    if (checked || !window || !FormatEditor::State().TempFormatMode) return;
    checked = true;
    EXPECT_FALSE(shownBefore.isVisible());
    EXPECT_TRUE(window->buttonStrip->isVisible());
    EXPECT_FALSE(window->openAction->isVisible());
    EXPECT_FALSE(window->closeProfileAction->isVisible());
    EXPECT_FALSE(window->exitAction->isVisible());
    EXPECT_GT(window->height(), 280 + 40);
    EXPECT_EQ(FormatEditor::State().CurrentFormatFile, FormatEditor::ScratchProfilePath());
    EXPECT_FALSE(FileServices::FileExists(FormatEditor::ScratchProfilePath()));
    ASSERT_EQ(window->rowValueCombos.size(), 9);
    window->rowValueCombos[7]->setEditText("mkv");
    window->acceptButton->click();
  });
  poll.start(20);
  FormatEditorWindow::ShowEditor("*", true);
  EXPECT_TRUE(checked);
  EXPECT_EQ(FormatEditorWindow::Instance(), nullptr);
  EXPECT_TRUE(shownBefore.isVisible());
  EXPECT_FALSE(hiddenBefore.isVisible());
  EXPECT_FALSE(FormatEditor::State().TempFormatMode);
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, "");
  FormatProfile written;
  ASSERT_EQ(RecordFile::Read(FormatEditor::ScratchProfilePath(), written), RecordFile::Result::Ok);
  EXPECT_EQ(written.Extension, "mkv");
}

// The editor asked for while another tool still runs (the recorder's
// "Listar dispositivos" in the viewer, then its manual profile's editor).
// Lists still to be read from ffmpeg wait for the runner: the press says so
// once and opens nothing, as lists read now would come back empty and stand so
// for the rest of the session. Lists already read need no tool: the editor opens.
TEST_F(ShowEditorTest, AnEditorAskedForWhileAnotherToolRunsNeedsTheRunnerOnlyForItsLists) {
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  for (const bool stale : {true, false}) {
    SCOPED_TRACE(stale);
    FormatEditor::State().FfmpegListsStale = stale;
    bool opened = false;
    // Such an editor is put away here, its lists read or not.
    WhenReady putAway(
        [] {
          return FormatEditorWindow::Instance() && FormatEditorWindow::Instance()->isVisible() &&
                 !FormatEditorWindow::Instance()->waitPanel->isVisible();
        },
        [&] {
          opened = true;
          FormatEditorWindow::Instance()->exitAction->trigger();
        });
    ScriptedDialogs dialogs;
    if (stale) dialogs.ExpectMessage();
    ASSERT_TRUE(WhileAnotherToolRuns([&] { FormatEditorWindow::ShowEditor("", false); }));
    EXPECT_EQ(opened, !stale);
    EXPECT_EQ(dialogs.Messages(), stale ? QStringList{kAnotherToolRuns} : QStringList());
    EXPECT_EQ(FormatEditor::State().FfmpegListsStale, stale);
    EXPECT_EQ(FormatEditor::State().Capabilities.AudioEncoders.Items,
              QStringList({"copy", "aac", "mp2"}));
    EXPECT_EQ(FormatEditorWindow::Instance(), nullptr);
  }
}

TEST_F(ShowEditorTest, StaleListsAreRebuiltBeforeTheNamedProfileLoads) {
  FormatProfile profile;
  profile.AudioCodec = "aac";
  ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/formats/perfil.qfm", ""), profile),
            RecordFile::Result::Ok);
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  FormatEditor::State().FfmpegListsStale = true;
  QStringList entries;
  QString value;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    FormatEditorWindow* window = FormatEditorWindow::Instance();
    if (!window || FormatEditor::State().CurrentFormatFile.isEmpty() || !entries.isEmpty()) return;
    EXPECT_FALSE(FormatEditor::State().FfmpegListsStale);
    EXPECT_FALSE(window->waitPanel->isVisible());
    entries = Entries(window->rowValueCombos[1]);
    value = window->rowValueCombos[1]->currentText();
    window->exitAction->trigger();
  });
  poll.start(20);
  FormatEditorWindow::ShowEditor("perfil", false);
  EXPECT_TRUE(entries.contains("libmp3lame") || entries.contains("mp2"));
  EXPECT_EQ(value, "aac");
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, "");
  EXPECT_EQ(FormatEditor::State().ParamRowCount, 0);
}

}  // namespace

namespace {

// Every press of the editor that starts a tool, made while another tool still
// runs (ffmpeg's help in the viewer): it says so once and changes nothing. No
// viewer shows a help that never ran, no file is asked for whose probe could
// only come back empty, and a panel it was pressed in stays open.
TEST_F(FormatEditorWindowTest, PressesThatStartAToolWhileAnotherRunsSaySoOnce) {
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  FfmpegTools::State().FfprobePath = QStandardPaths::findExecutable("ffprobe");
  FormatEditorWindow& window = Open();
  const auto openFormatPanel = [&] {
    window.formatOptionsAction->trigger();
    window.outputFormatCombo->setEditText("mp4");
  };
  const auto openCodecPanel = [&] {
    window.codecOptionsAction->trigger();
    window.audioCodecCombo->setEditText("aac");
  };
  struct Press {
    const char* name;
    std::function<void()> prepare;
    std::function<void()> press;
    QGroupBox* panel;  // the panel the press is made in, or none
  } presses[] = {
      {"Licencia de ffmpeg", [] {}, [&] { window.ffmpegLicenceAction->trigger(); }, nullptr},
      {"Formatos de pixel", [] {}, [&] { window.ffmpegPixelFormatsAction->trigger(); }, nullptr},
      {"Ver (formato)", openFormatPanel, [&] { window.showFormatHelpButton->click(); },
       window.formatPanel},
      {"Ver (codec)", openCodecPanel, [&] { window.showCodecHelpButton->click(); },
       window.codecPanel},
      {"Obtener valores de archivo", [] {}, [&] { window.importFromFileAction->trigger(); },
       nullptr},
  };
  for (const Press& each : presses) {
    SCOPED_TRACE(each.name);
    each.prepare();
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    bool viewerShown = true;
    ASSERT_TRUE(WhileAnotherToolRuns([&] {
      each.press();
      viewerShown = TextViewerWindow::Instance() != nullptr;
    }));
    EXPECT_FALSE(viewerShown);
    ASSERT_EQ(dialogs.Messages(), QStringList{kAnotherToolRuns});
    EXPECT_EQ(dialogs.Shown().first().style,
              (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Information}))
        << "an information";
    EXPECT_FALSE(window.filePanel->isVisible() || window.waitPanel->isVisible());
    if (each.panel) {
      EXPECT_TRUE(each.panel->isVisible());
      EXPECT_FALSE(window.fileMenu->menuAction()->isEnabled());
      EXPECT_FALSE(window.close()) << "steps out of the panel";
    }
    EXPECT_TRUE(window.fileMenu->menuAction()->isEnabled());
    EXPECT_TRUE(window.acceptButton->isEnabled());
  }
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
    window.importFromFileAction->trigger();
  }
  EXPECT_FALSE(window.filePanel->isVisible());
  EXPECT_TRUE(window.fileMenu->menuAction()->isEnabled());
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(Dialogs::Kind::OpenFile, QStringList({clip}));
    window.importFromFileAction->trigger();
  }
  FfmpegTools::State().FfprobePath.clear();
  ASSERT_TRUE(window.filePanel->isVisible());
  EXPECT_FALSE(window.waitPanel->isVisible());
  EXPECT_FALSE(window.optionsMenu->menuAction()->isEnabled());
  EXPECT_FALSE(window.acceptButton->isEnabled());
  ASSERT_EQ(window.probeList->count(), 15);
  EXPECT_EQ(window.probeList->item(1)->text(), "Audio codec: flac");
  EXPECT_EQ(window.probeList->item(11)->text(), "File extension: mkv");
  EXPECT_FALSE(window.ProbeTicks().contains(true));

  window.tickAllCheck->click();
  EXPECT_EQ(window.ProbeTicks(), QList<bool>(15, true));
  window.tickAllCheck->click();
  EXPECT_EQ(window.ProbeTicks(), QList<bool>(15, false));
  window.probeList->item(1)->setCheckState(Qt::Checked);
  window.probeList->item(11)->setCheckState(Qt::Checked);
  window.importProbedButton->click();
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioCodec, "flac");
  EXPECT_EQ(FormatEditor::State().CurrentFormat.Extension, "mkv");
  EXPECT_EQ(window.rowValueCombos[1]->currentText(), "flac");
  EXPECT_FALSE(window.filePanel->isVisible());
  EXPECT_FALSE(window.tickAllCheck->isChecked());
  EXPECT_TRUE(window.optionsMenu->menuAction()->isEnabled());
  EXPECT_TRUE(window.acceptButton->isEnabled());
}

// Without ffprobe the import says so before a file is asked for: a list of
// empty values would import a blank profile.
TEST_F(FormatEditorWindowTest, FileImportWithoutFfprobeSaysSoAndListsNothing) {
  FfmpegTools::State().FfprobePath = Folder() + "/tools/ffprobe";
  FormatEditorWindow& window = Open();
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  window.importFromFileAction->trigger();
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se encuentra ffprobe"});
  EXPECT_EQ(window.probeList->count(), 0);
  EXPECT_FALSE(window.filePanel->isVisible() || window.waitPanel->isVisible());
  EXPECT_TRUE(window.fileMenu->menuAction()->isEnabled());
  EXPECT_TRUE(window.acceptButton->isEnabled());
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
    window.importFromFileAction->trigger();
  }
  ASSERT_TRUE(window.filePanel->isVisible());
  ASSERT_EQ(window.probeList->count(), 15);
  window.probeList->item(7)->setCheckState(Qt::Checked);
  window.probeList->item(12)->setCheckState(Qt::Checked);
  window.importProbedButton->click();
  EXPECT_EQ(FormatEditor::State().CurrentFormat.FrameSize, "240x320");
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AspectRatio, "3:4");

  ScriptedDialogs dialogs;
  dialogs.Expect(Dialogs::Kind::OpenFile, QStringList({cut})).ExpectMessage();
  window.importFromFileAction->trigger();
  FfmpegTools::State().FfprobePath.clear();
  EXPECT_EQ(dialogs.Messages(),
            QStringList{"No se pudo leer el archivo " + cut + "\n" + ProbeClips::UnreadableReason});
  EXPECT_FALSE(window.filePanel->isVisible());
  EXPECT_FALSE(window.waitPanel->isVisible());
  EXPECT_TRUE(window.fileMenu->menuAction()->isEnabled());
  EXPECT_TRUE(window.acceptButton->isEnabled());
  EXPECT_EQ(FormatEditor::State().CurrentFormat.FrameSize, "240x320");
}

TEST_F(FormatEditorWindowTest, PlainHelpItemsShowFfmpegsOutputOrSayItIsMissing) {
  FormatEditorWindow& window = Open();
  FfmpegTools::State().FfmpegPath = Folder() + "/no ffmpeg";
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    window.ffmpegPixelFormatsAction->trigger();
    EXPECT_EQ(dialogs.Messages(), QStringList({"No se encuentra ffmpeg"}));
  }
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  QString shown;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    TextViewerWindow* viewer = TextViewerWindow::Instance();
    if (!viewer || !viewer->outputText->toPlainText().contains("yuv420p")) return;
    shown = viewer->outputText->toPlainText();
    viewer->close();
  });
  poll.start(20);
  window.ffmpegPixelFormatsAction->trigger();
  EXPECT_TRUE(shown.contains("Pixel formats:")) << shown.toStdString();
}

}  // namespace
