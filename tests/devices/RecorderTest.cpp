#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTimer>
#include <functional>

#include "DeviceFixture.h"
#include "FileSizeLimit.h"
#include "core/devices/DeviceRun.h"
#include "core/devices/Recorder.h"
#include "core/devices/Streamer.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegProbe.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/FormatProfile.h"
#include "core/ground/RecordFile.h"
#include "core/ground/ToolRunner.h"
#include "gui/app/MainWindow.h"
#include "gui/devices/RecorderWindow.h"
#include "gui/devices/StreamerWindow.h"
#include "gui/formats/FormatEditorWindow.h"
#include "gui/frame/PlayerWindow.h"
#include "gui/frame/TextViewerWindow.h"

namespace {

const QString kVideo = "lavfi:testsrc=size=160x120:rate=10";
const QString kAudio = "lavfi:sine=f=440";

// ffplay needs neither a sound card nor a screen here.
void QuietPlayer() { UseSilentPlayer(); }

void ClickCaption(QWidget* caption) {
  const QPointF at(2, 2);
  QMouseEvent press(QEvent::MouseButtonPress, at, caption->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, caption->mapToGlobal(at), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(caption, &press);
  QApplication::sendEvent(caption, &release);
}

// Whether a tool that this test program started is stopped by a signal.
bool AToolIsPaused() {
  QFile children(
      QStringLiteral("/proc/self/task/%1/children").arg(QCoreApplication::applicationPid()));
  if (!children.open(QIODevice::ReadOnly)) return false;
  for (const QByteArray& pid : children.readAll().split(' ')) {
    QFile stat("/proc/" + pid.trimmed() + "/stat");
    if (pid.trimmed().isEmpty() || !stat.open(QIODevice::ReadOnly)) continue;
    // The state follows the program's name, which is in parentheses.
    const QByteArray fields = stat.readAll();
    if (fields.mid(fields.lastIndexOf(')') + 2, 1) == "T") return true;
  }
  return false;
}

// A recorder with no earlier state and the installed ffmpeg tools.
void StartRecorderWithInstalledTools() {
  ToolRunner::Reset();
  Recorder::Reset();
  Recorder::State().RecBufferSizeMB.clear();
  UseInstalledTools();
}

class RecorderTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    StartRecorderWithInstalledTools();
    ASSERT_FALSE(FfmpegTools::State().FfmpegPath.isEmpty());
    window_ = new RecorderWindow;
    window_->Load();
    window_->listingFrame->hide();  // as once the devices are listed
    window_->show();
  }
  void TearDown() override {
    Recorder::State().RecRunning = false;
    delete window_.data();
    Recorder::Reset();
    Recorder::State().RecBufferSizeMB.clear();
    ForgetTools();
    TestEnv::TearDown();
  }
  // The devices as sources, recording for the duration where one is given.
  void UseDevices(const QString& audio, const QString& video, const QString& duration = {}) {
    window_->devicesOption->setChecked(true);
    window_->audioCheck->setChecked(!audio.isEmpty());
    window_->audioDeviceCombo->setEditText(audio);
    window_->videoCheck->setChecked(!video.isEmpty());
    window_->videoDeviceCombo->setEditText(video);
    if (!duration.isEmpty()) window_->duration->setText(duration);
  }
  // Both devices, with the player showing them beside the recording.
  void WatchBothDevices() {
    QuietPlayer();
    UseDevices(kAudio, kVideo);
    window_->watchCheck->setChecked(true);
  }
  // Calls act with the player's processes once the recording and its player run.
  void WhenRecordingWithPlayer(const std::function<void(const QList<qint64>&)>& act) {
    WhenRunning(
        "ffplay", [this] { return window_->consoleLine->text().contains("time="); }, act);
  }
  // The profile, saved under name, chosen by typing its name as the user does.
  void ChooseProfile(const QString& name, const FormatProfile& profile) {
    Recorder::State().RecFormatProfilePath = WriteProfile(name, profile);
    window_->formatCombo->setCurrentIndex(-1);
    window_->formatCombo->setEditText(name);
  }
  void RecordInto(const QString& name) {
    Recorder::State().RecOutputPath = Folder() + "/" + name;
    window_->recordButton->click();
  }
  // An ffmpeg that lists one camera and notes each call in fixture/ffmpeg.log.
  QString LoggingFfmpeg() {
    return MadeExecutable(
        WriteFile("tools/ffmpeg",
                  "#!/bin/sh\necho \"$*\" >> '" + FfmpegLog().toUtf8() + "'\n" + kCameraListing));
  }
  QString FfmpegLog() const { return Folder() + "/fixture/ffmpeg.log"; }
  QString WriteProfile(const QString& name, const FormatProfile& profile) {
    const QString path = Folder() + "/appfiles/formats/" + name + ".qfm";
    WriteFile("appfiles/formats/" + name + ".qfm", "");
    EXPECT_EQ(RecordFile::Write(path, profile), RecordFile::Result::Ok);
    return path;
  }

  QPointer<RecorderWindow> window_;
};

TEST_F(RecorderTest, SourceControlsFollowTheSourceOptionsAndCaptions) {
  EXPECT_TRUE(window_->devicesOption->isChecked());
  EXPECT_FALSE(window_->networkAddress->isEnabled());
  EXPECT_FALSE(window_->audioDeviceCombo->isEnabled());
  EXPECT_EQ(window_->forceStopButton->text(), "Detener (force)");

  ClickCaption(window_->audioCaption);
  EXPECT_TRUE(window_->audioCheck->isChecked());
  EXPECT_TRUE(window_->audioDeviceCombo->isEnabled());
  EXPECT_FALSE(window_->videoDeviceCombo->isEnabled());

  ClickCaption(window_->networkCaption);
  EXPECT_TRUE(window_->networkOption->isChecked());
  EXPECT_TRUE(window_->networkAddress->isEnabled());
  const QList<QWidget*> followers{window_->audioCaption,     window_->videoCaption,
                                  window_->durationCaption,  window_->duration,
                                  window_->audioDeviceCombo, window_->videoDeviceCombo,
                                  window_->audioCheck,       window_->videoCheck};
  for (QWidget* follower : followers)
    EXPECT_FALSE(follower->isEnabled()) << follower->objectName().toStdString();

  // A second click on the caption leaves no source option selected.
  ClickCaption(window_->networkCaption);
  EXPECT_FALSE(window_->networkOption->isChecked());
  EXPECT_FALSE(window_->devicesOption->isChecked());

  window_->devicesOption->click();
  EXPECT_FALSE(window_->networkAddress->isEnabled());
  EXPECT_TRUE(window_->audioDeviceCombo->isEnabled());
  EXPECT_FALSE(window_->videoDeviceCombo->isEnabled());
  ClickCaption(window_->videoCaption);
  EXPECT_TRUE(window_->videoDeviceCombo->isEnabled());

  window_->streamOption->click();
  const QList<QWidget*> destination{window_->outputPath, window_->browseOutputButton,
                                    window_->formatLabel, window_->formatCombo,
                                    window_->watchCheck};
  for (QWidget* control : destination)
    EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
  window_->fileOption->click();
  EXPECT_TRUE(window_->formatCombo->isEnabled());
}

// Captions read as captions, and assistive tools name each field after its
// caption rather than after the frame around it.
TEST_F(RecorderTest, CaptionsAreLabelsThatNameTheirFields) {
  for (QLabel* caption : {window_->networkCaption, window_->audioCaption, window_->videoCaption})
    EXPECT_EQ(caption->cursor().shape(), Qt::PointingHandCursor)
        << caption->objectName().toStdString();
  const struct {
    QWidget* control;
    QString name;
  } cases[] = {
      {window_->networkOption, window_->networkCaption->text()},
      {window_->networkAddress, window_->networkCaption->text()},
      {window_->audioCheck, window_->audioCaption->text()},
      {window_->audioDeviceCombo, window_->audioCaption->text()},
      {window_->videoCheck, window_->videoCaption->text()},
      {window_->videoDeviceCombo, window_->videoCaption->text()},
      {window_->duration, window_->durationCaption->text()},
      {window_->outputPath, window_->fileOption->text()},
  };
  for (const auto& c : cases) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(c.control);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), c.name) << c.control->objectName().toStdString();
    EXPECT_FALSE(c.name.isEmpty());
  }
}

TEST_F(RecorderTest, DeviceListsAreFilledFromTheListingWithNothingSelected) {
  const QString listing = WriteFile(
      "fixture/sources.txt",
      "Auto-detected sources for pulse:\n* default [Mic] (audio)\n  other.monitor [Out] (audio)\n"
      "Auto-detected sources for video4linux2,v4l2:\n  /dev/video0 [Camera] (video)\n");
  FfmpegTools::State().FfmpegPath =
      MadeExecutable(WriteFile("tools/ffmpeg", ("#!/bin/sh\ncat '" + listing + "'\n").toUtf8()));
  window_->audioDeviceCombo->addItem("stale");
  window_->ListDevices();
  ASSERT_EQ(window_->audioDeviceCombo->count(), 2);
  EXPECT_EQ(window_->audioDeviceCombo->itemText(0), "pulse:default");
  EXPECT_EQ(window_->audioDeviceCombo->currentIndex(), -1);
  EXPECT_EQ(window_->audioDeviceCombo->currentText(), "");
  ASSERT_EQ(window_->videoDeviceCombo->count(), 1);
  EXPECT_EQ(window_->videoDeviceCombo->itemText(0), "v4l2:/dev/video0");

  FfmpegTools::State().FfmpegPath = Folder() + "/tools/missing";
  window_->ListDevices();
  EXPECT_EQ(window_->audioDeviceCombo->count(), 0);
  EXPECT_EQ(window_->videoDeviceCombo->count(), 0);
}

TEST_F(RecorderTest, ListarDispositivosShowsTheListingThenRefillsTheLists) {
  FfmpegTools::State().FfmpegPath =
      MadeExecutable(WriteFile("tools/ffmpeg", "#!/bin/sh\n" + kCameraListing));
  const QString shown = ViewerTextAfter([this] { window_->listDevicesAction->trigger(); });
  EXPECT_TRUE(shown.contains("/dev/video0 [Camera]")) << shown.toStdString();
  ASSERT_EQ(window_->videoDeviceCombo->count(), 1);
  EXPECT_EQ(window_->videoDeviceCombo->itemText(0), "v4l2:/dev/video0");
}

// "Grabar" pressed while "Listar dispositivos" still waits for ffmpeg in the
// viewer (a camera slow to answer): the press waits quietly. No recording
// panel says that a recording which never ran has finished.
TEST_F(RecorderTest, GrabarPressedWhileTheListingRunsInTheViewerWaitsQuietly) {
  const QString go = Folder() + "/go";
  FfmpegTools::State().FfmpegPath =
      WriteWaitingTool("tools/ffmpeg", go, "echo '  /dev/video0 [Camera] (video)'\n");
  UseDevices(kAudio, kVideo, "0:01");
  Recorder::State().RecOutputPath = Folder() + "/both.mkv";
  ScriptedDialogs dialogs;
  bool setupStays = false;
  WhenReady pressedGrabar(
      [] {
        return TextViewerWindow::Instance() &&
               !TextViewerWindow::Instance()->waitFrame->isHidden() &&
               ToolRunner::GetState() != ToolRunner::RunState::Idle;
      },
      [&] {
        window_->recordButton->click();
        setupStays = window_->recordButton->isVisible() && !window_->sourceFrame->isHidden() &&
                     window_->recordingFrame->isHidden() && window_->optionsMenu->isEnabled();
        QFile(go).open(QIODevice::WriteOnly);
      });
  WhenReady listed(
      [] {
        return TextViewerWindow::Instance() && TextViewerWindow::Instance()->waitFrame->isHidden();
      },
      [] { TextViewerWindow::Instance()->close(); });
  window_->listDevicesAction->trigger();
  ASSERT_TRUE(pressedGrabar.Done());
  EXPECT_TRUE(listed.Done());
  EXPECT_TRUE(setupStays);
  EXPECT_NE(window_->consoleLine->text(), "Terminado");
  EXPECT_TRUE(dialogs.Messages().isEmpty()) << dialogs.Messages().join('|').toStdString();
  EXPECT_FALSE(QFile::exists(Folder() + "/both.mkv"));
  EXPECT_FALSE(Recorder::State().RecRunning);
}

// Opening the recorder while another tool runs (the text viewer's ffmpeg):
// ffmpeg could not list the devices, so the recorder does not open with lists
// that look empty; the user is told once why.
TEST_F(RecorderTest, OpeningWhileAnotherToolRunsSaysSoOnceAndOpensNothing) {
  delete window_.data();
  FfmpegTools::State().FfmpegPath = LoggingFfmpeg();
  MainWindow main;
  main.show();
  const std::pair<const char*, std::function<void()>> openings[] = {
      {"Grabar de dispositivo ó red", [&main] { main.recordAction->trigger(); }},
      {"the window's own opening", [] { RecorderWindow::ShowRecorder(); }},
  };
  for (const auto& opening : openings) {
    SCOPED_TRACE(opening.first);
    // A recorder that opens all the same is closed, so that the test ends.
    WhenReady closer([] { return RecorderWindow::Instance() != nullptr; },
                     [] { RecorderWindow::Instance()->close(); });
    ASSERT_NO_FATAL_FAILURE(
        ExpectOpeningWhileAnotherToolRunsSaysSoOnce(opening.second, main, "Form14"));
    EXPECT_FALSE(QFile::exists(FfmpegLog())) << "ffmpeg ran";
  }
  // Once the other tool has ended, the same item opens the recorder and lists.
  int videoDevices = 0;
  When(
      [] {
        return RecorderWindow::Instance() && RecorderWindow::Instance()->listingFrame->isHidden();
      },
      [&videoDevices] {
        videoDevices = RecorderWindow::Instance()->videoDeviceCombo->count();
        RecorderWindow::Instance()->close();
      });
  main.recordAction->trigger();
  EXPECT_EQ(videoDevices, 1);
}

// Without ffmpeg no device can be listed and nothing recorded: opening the
// recorder says that ffmpeg is missing instead of showing empty lists.
TEST_F(RecorderTest, OpeningWithoutFfmpegSaysSoAndOpensNothing) {
  delete window_.data();
  FfmpegTools::State().FfmpegPath = Folder() + "/tools/missing";
  MainWindow main;
  main.show();
  WhenReady closer([] { return RecorderWindow::Instance() != nullptr; },
                   [] { RecorderWindow::Instance()->close(); });
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  main.recordAction->trigger();
  EXPECT_FALSE(closer.Done()) << "the recorder opened";
  ASSERT_EQ(dialogs.Messages().size(), 1);
  EXPECT_TRUE(dialogs.Messages().first().contains("ffmpeg"))
      << dialogs.Messages().first().toStdString();
  EXPECT_TRUE(main.isVisible());
}

// Presses in the recorder while another tool runs. Those that would open a
// window (the device listing in the viewer, the player, the format editor)
// say once that another tool runs; "Grabar" waits quietly, as it does while
// the recorder's own listing runs in the viewer. None shows a result that
// never came: the device lists and the panels stay as they were.
TEST_F(RecorderTest, PressesWhileAnotherToolRunsShowNoEmptyResult) {
  FfmpegTools::State().FfmpegPath = LoggingFfmpeg();
  window_->audioDeviceCombo->addItem(kAudio);
  window_->videoDeviceCombo->addItem(kVideo);
  UseDevices(kAudio, kVideo);
  Recorder::State().RecOutputPath = Folder() + "/take.mkv";
  window_->formatCombo->setCurrentIndex(1);
  emit window_->formatCombo->activated(1);
  ASSERT_TRUE(window_->editManualButton->isEnabled());
  const PressWhileBusy presses[] = {
      {"Listar dispositivos", [this] { window_->listDevicesAction->trigger(); }, true},
      {"Play", [this] { window_->playButton->click(); }, true},
      {">>", [this] { window_->editManualButton->click(); }, true},
      {"Grabar", [this] { window_->recordButton->click(); }, false},
  };
  for (const auto& p : presses) {
    SCOPED_TRACE(p.name);
    ASSERT_NO_FATAL_FAILURE(ExpectPressWhileAnotherToolRunsOpensNothing(p, [] {
      return TextViewerWindow::Instance() || PlayerWindow::Instance() ||
             FormatEditorWindow::Instance() || StreamerWindow::Instance();
    }));
    EXPECT_EQ(window_->audioDeviceCombo->count(), 1);
    EXPECT_EQ(window_->audioDeviceCombo->itemText(0), kAudio);
    EXPECT_EQ(window_->videoDeviceCombo->count(), 1);
    EXPECT_EQ(window_->videoDeviceCombo->currentText(), kVideo);
    EXPECT_FALSE(window_->sourceFrame->isHidden());
    EXPECT_TRUE(window_->recordingFrame->isHidden());
    EXPECT_TRUE(window_->optionsMenu->isEnabled());
    EXPECT_FALSE(Recorder::State().RecRunning);
    EXPECT_FALSE(QFile::exists(FfmpegLog())) << "ffmpeg ran";
    EXPECT_FALSE(QFile::exists(Folder() + "/take.mkv"));
  }
}

TEST_F(RecorderTest, BufferSizeIsAskedAndChecked) {
  Recorder::State().RecBufferSizeMB = "16";
  ScriptedDialogs dialogs;
  dialogs.Expect(Dialogs::Kind::Input, QString("64"))
      .Expect(Dialogs::Kind::Input, QString("1.5"))
      .ExpectMessage()
      .Expect(Dialogs::Kind::Input, QString());
  window_->bufferSizeAction->trigger();
  EXPECT_EQ(Recorder::State().RecBufferSizeMB, "64");
  window_->bufferSizeAction->trigger();
  window_->bufferSizeAction->trigger();
  EXPECT_EQ(Recorder::State().RecBufferSizeMB, "64");
  EXPECT_EQ(dialogs.Shown()[0].defaultText, "16");
  EXPECT_EQ(dialogs.Shown()[1].defaultText, "64");
  EXPECT_EQ(dialogs.Messages(), QStringList({"Tamaño de buffer no válido"}));
}

TEST_F(RecorderTest, RefusesEachMissingOrWrongChoiceWithItsMessage) {
  FormatProfile external;
  external.AudioExtCodecName = "lame";
  const QString externalPath = WriteProfile("external", external);
  const QString unreadable = WriteFile("appfiles/formats/broken.qfm", "\x05");
  struct Case {
    const char* name;
    std::function<void()> arrange;
    QString message;
  } cases[] = {
      {"no destination", [] { Recorder::State().RecOutputPath.clear(); },
       "No se ha especificado una ruta de salida"},
      {"ffmpeg missing", [this] { FfmpegTools::State().FfmpegPath = Folder() + "/none"; },
       "No se encuentra ffmpeg"},
      {"ffplay missing for the player",
       [this] {
         FfmpegTools::State().FfplayPath = Folder() + "/none";
         window_->watchCheck->setChecked(true);
       },
       "No se encuentra el archivo " + Folder() + "/none"},
      {"automatic format, no extension", [] { Recorder::State().RecOutputPath += "/noext"; },
       "Debe especificar una extensión de archivo"},
      {"duration", [this] { window_->duration->setText("1:xx"); }, "Duración no válida"},
      {"no source",
       [this] {
         UseDevices(kAudio, "");
         window_->audioDeviceCombo->setEditText("");
       },
       "Origen no ha sido especificado"},
      {"profile missing",
       [this] { Recorder::State().RecFormatProfilePath = Folder() + "/appfiles/formats/gone.qfm"; },
       "No se encuentra el perfil de formato gone"},
      {"profile unreadable", [unreadable] { Recorder::State().RecFormatProfilePath = unreadable; },
       "Error al leer el perfil de formato"},
      {"external encoder",
       [externalPath] { Recorder::State().RecFormatProfilePath = externalPath; },
       "El formato elegido no debe utilizar codecs externos"},
  };
  for (const Case& c : cases) {
    UseDevices(kAudio, kVideo);
    Recorder::State().RecOutputPath = Folder() + "/out.mkv";
    c.arrange();
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    window_->recordButton->click();
    EXPECT_EQ(dialogs.Messages(), QStringList({c.message})) << c.name;
    EXPECT_TRUE(window_->recordingFrame->isHidden()) << c.name;
    EXPECT_FALSE(QFile::exists(Folder() + "/out.mkv")) << c.name;
    FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
    FfmpegTools::State().FfplayPath = QStandardPaths::findExecutable("ffplay");
    window_->watchCheck->setChecked(false);
    window_->duration->clear();
    Recorder::State().RecFormatProfilePath.clear();
  }
}

TEST_F(RecorderTest, FormatChoiceKeepsItsAcceptedTextAndEditsTheManualProfile) {
  EXPECT_EQ(window_->formatCombo->currentText(), "<Automático>");
  EXPECT_FALSE(window_->editManualButton->isEnabled());
  EXPECT_TRUE(Recorder::State().RecFormatProfilePath.isEmpty());

  window_->formatCombo->setCurrentIndex(1);
  emit window_->formatCombo->activated(1);
  EXPECT_TRUE(window_->editManualButton->isEnabled());
  EXPECT_EQ(Recorder::State().RecFormatProfilePath, Folder() + "/appfiles/formats/.qfm");

  window_->formatCombo->lineEdit()->setText("<Manu");
  emit window_->formatCombo->lineEdit()->textEdited("<Manu");
  EXPECT_EQ(window_->formatCombo->currentText(), "<Manual>");
  EXPECT_TRUE(window_->editManualButton->isEnabled());

  FormatEditor::State().FfmpegListsStale = false;
  bool editorShown = false;
  When([] { return FormatEditorWindow::Instance() && FormatEditorWindow::Instance()->isVisible(); },
       [&editorShown] {
         editorShown = true;
         FormatEditorWindow::Instance()->close();
       });
  ScriptedDialogs dialogs;
  window_->editManualButton->click();
  EXPECT_TRUE(editorShown);
  EXPECT_TRUE(window_->isVisible());

  window_->formatCombo->setCurrentIndex(0);
  emit window_->formatCombo->activated(0);
  EXPECT_FALSE(window_->editManualButton->isEnabled());
  EXPECT_TRUE(Recorder::State().RecFormatProfilePath.isEmpty());
}

TEST_F(RecorderTest, TheDestinationComesFromTheSaveDialog) {
  ScriptedDialogs dialogs;
  dialogs.Expect(Dialogs::Kind::SaveFile, Folder() + "/take one.mkv")
      .Expect(Dialogs::Kind::SaveFile, QString());
  window_->browseOutputButton->click();
  window_->browseOutputButton->click();
  EXPECT_EQ(Recorder::State().RecOutputPath, Folder() + "/take one.mkv");
  EXPECT_EQ(window_->outputPath->text(), Folder() + "/take one.mkv");
  EXPECT_EQ(dialogs.Shown()[0].filter, "*.*|*.*");
  EXPECT_TRUE(dialogs.Shown()[0].overwritePrompt);
}

TEST_F(RecorderTest, PlayNeedsFfplayAndASource) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().ExpectMessage();
  UseDevices("", "");
  window_->playButton->click();
  FfmpegTools::State().FfplayPath = Folder() + "/none";
  UseDevices(kAudio, kVideo);
  window_->playButton->click();
  EXPECT_EQ(dialogs.Messages(),
            QStringList({"Origen no ha sido especificado", "No se encuentra ffplay"}));
}

TEST_F(RecorderTest, PlayShowsBothDevicesTogetherInFfplay) {
  QuietPlayer();
  UseDevices(kAudio, kVideo);
  Recorder::State().RecBufferSizeMB = "64";
  QString console;
  When(
      [] {
        return PlayerWindow::Instance() &&
               PlayerWindow::Instance()->playerOutput->toPlainText().contains("A-V:");
      },
      [&console] {
        console = PlayerWindow::Instance()->playerOutput->toPlainText();
        PlayerWindow::Instance()->stopButton->click();
        When([] { return ToolRunner::GetState() == ToolRunner::RunState::Idle; },
             [] { PlayerWindow::Instance()->close(); });
      });
  window_->playButton->click();
  EXPECT_TRUE(console.contains("A-V:")) << console.toStdString();
  EXPECT_EQ(PlayerWindow::Instance(), nullptr);
  EXPECT_TRUE(window_->isVisible());
}

TEST_F(RecorderTest, RecordsBothDevicesForTheDuration) {
  UseDevices(kAudio, kVideo, "0:01");
  ScriptedDialogs dialogs;
  RecordInto("both.mkv");
  const MediaInfo info = FfmpegProbe::ProbeMedia(Folder() + "/both.mkv");
  EXPECT_TRUE(info.HasAudio);
  EXPECT_TRUE(info.HasVideo);
  EXPECT_NEAR(info.Duration.toDouble(), 1.0, 0.2);
  EXPECT_EQ(window_->consoleLine->text(), "Terminado");
  EXPECT_FALSE(window_->recordingFrame->isHidden());
  EXPECT_TRUE(window_->sourceFrame->isHidden());
  EXPECT_FALSE(window_->stopButton->isEnabled());
  EXPECT_FALSE(window_->optionsMenu->isEnabled());
  EXPECT_FALSE(Recorder::State().RecRunning);
}

TEST_F(RecorderTest, ANamedProfileGivesTheExtensionAndTheAudioDeviceAlone) {
  FormatProfile profile;
  profile.OutputContainer = "matroska";
  profile.AudioCodec = "flac";
  profile.Extension = "mka";
  ChooseProfile("flac", profile);
  UseDevices(kAudio, "", "0.5");
  ScriptedDialogs dialogs;
  RecordInto("noext");
  const MediaInfo info = FfmpegProbe::ProbeMedia(Folder() + "/noext.mka");
  EXPECT_EQ(info.AudioCodec, "flac");
  EXPECT_FALSE(info.HasVideo);
  EXPECT_TRUE(info.HasAudio);
}

TEST_F(RecorderTest, StopSendsQAndTheFileIsComplete) {
  UseDevices(kAudio, kVideo);
  ScriptedDialogs dialogs;
  When([this] { return window_->consoleLine->text().contains("time="); },
       [this] { window_->stopButton->click(); });
  RecordInto("stopped.mkv");
  EXPECT_FALSE(Recorder::State().RecStoppedByUser);
  const MediaInfo info = FfmpegProbe::ProbeMedia(Folder() + "/stopped.mkv");
  EXPECT_TRUE(info.HasVideo);
  EXPECT_GT(info.Duration.toDouble(), 0.0);
  EXPECT_EQ(window_->consoleLine->text(), "Terminado");
}

TEST_F(RecorderTest, StopWhilePausedResumesFirstThenSendsQ) {
  UseDevices("", kVideo);
  ScriptedDialogs dialogs;
  bool sawPause = false;
  When([this] { return window_->consoleLine->text().contains("time="); },
       [this, &sawPause] {
         window_->pauseButton->click();
         When([] { return ToolRunner::GetState() == ToolRunner::RunState::PauseRequested; },
              [this, &sawPause] {
                sawPause = window_->consoleLine->text() == "Pause";
                When(AToolIsPaused, [this] {
                  window_->stopButton->click();
                  EXPECT_TRUE(window_->stopTimer->isActive());
                });
              });
       });
  RecordInto("paused.mkv");
  EXPECT_TRUE(sawPause);
  EXPECT_FALSE(window_->stopTimer->isActive());
  EXPECT_GT(FfmpegProbe::ProbeMedia(Folder() + "/paused.mkv").Duration.toDouble(), 0.0);
}

TEST_F(RecorderTest, ForcedStopAsksFirstAndReportsNoError) {
  UseDevices("", kVideo);
  ScriptedDialogs dialogs;
  dialogs.Expect(Dialogs::Kind::Message, Dialogs::Button::No)
      .Expect(Dialogs::Kind::Message, Dialogs::Button::Yes);
  When([this] { return window_->consoleLine->text().contains("time="); },
       [this] {
         window_->forceStopButton->click();
         EXPECT_EQ(ToolRunner::GetState(), ToolRunner::RunState::Waiting);
         window_->forceStopButton->click();
       });
  RecordInto("forced.mkv");
  EXPECT_EQ(dialogs.Messages(), QStringList({"Detener?", "Detener?"}));
  EXPECT_EQ(dialogs.Shown()[0].style,
            (Dialogs::MessageStyle{Dialogs::Buttons::YesNoCancel, Dialogs::Icon::None}));
  EXPECT_EQ(window_->consoleLine->text(), "Terminado");
}

TEST_F(RecorderTest, FfmpegsFailureShowsTheEndOfItsOutput) {
  UseDevices("", "lavfi:nosuchsource");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  RecordInto("failed.mkv");
  ASSERT_EQ(dialogs.Messages().size(), 1);
  const QString message = dialogs.Messages().first();
  EXPECT_TRUE(message.startsWith("Error en ffmpeg:\n")) << message.toStdString();
  EXPECT_TRUE(message.contains("nosuchsource")) << message.toStdString();
  EXPECT_LE(message.size(), QString("Error en ffmpeg:\n").size() + 256);
}

// ffmpeg ends with code 0 when only the end of its file could not be written
// (a full disk; /dev/full refuses every write). A profile may keep ffmpeg's
// console quiet or tag its lines with their level: a recording that could not
// be written is an error all the same.
TEST_F(RecorderTest, ARecordingThatCouldNotBeWrittenIsAnErrorWhateverLogTheProfileAsksFor) {
  for (const QString logOptions :
       {"", "-loglevel quiet", "-v 0 -hide_banner -nostats", "-loglevel repeat+level+warning"}) {
    FormatProfile profile;
    profile.OutputContainer = "mp3";
    profile.OutputExtraParams = logOptions;
    ChooseProfile("quiet", profile);
    UseDevices(kAudio, "", "1");
    ScriptedDialogs dialogs;
    dialogs.Expect(Dialogs::Kind::Message, Dialogs::Button::Yes);  // /dev/full exists: replace it
    dialogs.ExpectMessage();
    Recorder::State().RecOutputPath = "/dev/full";
    window_->recordButton->click();
    ASSERT_EQ(dialogs.Messages().size(), 2) << logOptions.toStdString();
    const QString message = dialogs.Messages().last();
    EXPECT_TRUE(message.startsWith("Error en ffmpeg:")) << message.toStdString();
    EXPECT_TRUE(message.contains("No space left on device")) << message.toStdString();
    EXPECT_EQ(window_->consoleLine->text(), "Terminado");
    window_->close();  // back to the set-up
    Flush();
    ASSERT_FALSE(window_->sourceFrame->isHidden());
  }
}

// A short recording that ffmpeg writes only at its end meets a disk that is
// already full: ffmpeg's quiet console and its empty report tell nothing, and
// ffmpeg ends with code 0; the recording is an error all the same.
TEST_F(RecorderTest, ARecordingOntoADiskFullFromTheStartIsAnError) {
  FormatProfile profile;
  profile.OutputContainer = "mp3";
  profile.OutputExtraParams = "-loglevel quiet";
  ChooseProfile("quiet", profile);
  UseDevices(kAudio, "", "1");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  {
    FileSizeLimit full(0);
    RecordInto("short.mp3");
  }
  ASSERT_EQ(dialogs.Messages().size(), 1);
  EXPECT_TRUE(dialogs.Messages()[0].startsWith("Error en ffmpeg:"))
      << dialogs.Messages()[0].toStdString();
  EXPECT_EQ(window_->consoleLine->text(), "Terminado");
}

// A profile may limit its output to nothing: ffmpeg then writes a file with
// no recording in it and ends with code 0. The recording is no success.
TEST_F(RecorderTest, AProfileThatRecordsNothingIsAnError) {
  for (const QString limit : {"-t 0", "-frames 0"}) {
    FormatProfile profile;
    profile.OutputContainer = "matroska";
    profile.OutputExtraParams = limit;
    profile.Extension = "mkv";
    ChooseProfile("nothing", profile);
    UseDevices(kAudio, kVideo, "1");
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    RecordInto(QString("empty%1").arg(limit.size()));
    ASSERT_EQ(dialogs.Messages().size(), 1) << limit.toStdString();
    const QString message = dialogs.Messages().first();
    EXPECT_TRUE(message.startsWith("Error en ffmpeg:")) << message.toStdString();
    EXPECT_TRUE(message.contains("No se escribió nada en el archivo de salida"))
        << message.toStdString();
    EXPECT_EQ(window_->consoleLine->text(), "Terminado");
    window_->close();  // back to the set-up
    Flush();
    ASSERT_FALSE(window_->sourceFrame->isHidden());
  }
}

TEST_F(RecorderTest, CloseIsRefusedWhileRecordingThenGoesBackToSetupThenCloses) {
  UseDevices("", kVideo);
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  When([this] { return window_->consoleLine->text().contains("time="); },
       [this] {
         window_->close();
         window_->stopButton->click();
       });
  RecordInto("closing.mkv");
  EXPECT_EQ(dialogs.Messages(), QStringList({"Detenga el proceso antes de salir"}));
  EXPECT_EQ(dialogs.Shown()[0].style.icon, Dialogs::Icon::Information);
  ASSERT_TRUE(window_);
  window_->close();
  Flush();
  ASSERT_TRUE(window_);
  EXPECT_TRUE(window_->recordingFrame->isHidden());
  EXPECT_FALSE(window_->sourceFrame->isHidden());
  EXPECT_TRUE(window_->optionsMenu->isEnabled());
  window_->close();
  Flush();
  EXPECT_FALSE(window_);
}

TEST_F(RecorderTest, GrabarGoesWithTheSetUpPanelsSoASecondRecordingCannotStart) {
  UseDevices("", kVideo);
  ScriptedDialogs dialogs;
  bool grabarHidden = false;
  bool firstGoesOn = false;
  QList<qint64> recorders;
  When([this] { return window_->consoleLine->text().contains("time="); },
       [&] {
         grabarHidden = !window_->recordButton->isVisible();
         recorders = ChildProcesses("ffmpeg");
         window_->Record();
         firstGoesOn = Recorder::State().RecRunning && window_->stopButton->isEnabled() &&
                       ChildProcesses("ffmpeg") == recorders;
         window_->stopButton->click();
       });
  RecordInto("once.mkv");
  EXPECT_TRUE(grabarHidden);
  EXPECT_TRUE(firstGoesOn);
  EXPECT_EQ(recorders.size(), 1);
  EXPECT_TRUE(dialogs.Messages().isEmpty());
  EXPECT_TRUE(AllEnd(recorders));
  EXPECT_GT(FfmpegProbe::ProbeMedia(Folder() + "/once.mkv").Duration.toDouble(), 0.0);
  window_->close();
  EXPECT_TRUE(window_->recordButton->isVisible());
}

TEST_F(RecorderTest, ClosingTheProgramEndsTheRecordingWithQAndThePlayerBesideIt) {
  MainWindow main;
  WatchBothDevices();
  ScriptedDialogs dialogs;
  QList<qint64> children;
  WhenRecordingWithPlayer([&](const QList<qint64>& players) {
    children = ChildProcesses("ffmpeg") + players;
    main.close();
  });
  // An mp4 that ffmpeg did not finish has no index and cannot be read.
  RecordInto("closing.mp4");
  EXPECT_EQ(children.size(), 2);
  EXPECT_TRUE(AllEnd(children));
  EXPECT_TRUE(dialogs.Messages().isEmpty());
  ToolRunner::Reset();  // the closed program runs nothing more; the probe is the next start's
  const MediaInfo info = FfmpegProbe::ProbeMedia(Folder() + "/closing.mp4");
  EXPECT_TRUE(info.HasVideo);
  EXPECT_GT(info.Duration.toDouble(), 0.0);
}

TEST_F(RecorderTest, ThePlayerShowingBothDevicesEndsWithDetener) {
  WatchBothDevices();
  ScriptedDialogs dialogs;
  QList<qint64> players;
  WhenRecordingWithPlayer([&](const QList<qint64>& running) {
    players = running;
    window_->stopButton->click();
  });
  RecordInto("watched.mkv");
  ASSERT_EQ(players.size(), 1);
  EXPECT_TRUE(AllEnd(players));
  EXPECT_EQ(window_->consoleLine->text(), "Terminado");
}

TEST_F(RecorderTest, AnExistingDestinationIsReplacedOnlyWhenTheUserSaysSo) {
  const QString take = WriteFile("take.mkv", "earlier");
  const QString second = Folder() + "/take (2).mkv";
  const QString replace = "Ya existe un archivo con ese nombre, ¿reemplazar?";
  // A destination chosen in an earlier opening is shown and used.
  delete window_.data();
  Recorder::State().RecOutputPath = take;
  window_ = new RecorderWindow;
  window_->Load();
  window_->listingFrame->hide();
  window_->show();
  EXPECT_EQ(window_->outputPath->text(), take);

  UseDevices("", kVideo, "0.3");
  auto recordAgain = [this] {
    window_->close();  // back to setup after a recording
    window_->recordButton->click();
  };
  ScriptedDialogs dialogs;
  dialogs.Expect(Dialogs::Kind::Message, Dialogs::Button::Cancel);
  window_->recordButton->click();
  EXPECT_TRUE(window_->recordingFrame->isHidden());
  dialogs.Expect(Dialogs::Kind::Message, Dialogs::Button::No);
  window_->recordButton->click();
  EXPECT_EQ(window_->outputPath->text(), second);
  EXPECT_EQ(Recorder::State().RecOutputPath, second);
  EXPECT_TRUE(FfmpegProbe::ProbeMedia(second).HasVideo);
  dialogs.Expect(Dialogs::Kind::Message, Dialogs::Button::Yes);
  recordAgain();
  EXPECT_TRUE(FfmpegProbe::ProbeMedia(second).HasVideo);
  EXPECT_EQ(dialogs.Messages(), QStringList({replace, replace, replace}));

  QFile earlier(take);
  ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
  EXPECT_EQ(earlier.readAll(), "earlier");
  earlier.close();

  // Replacing confirmed in the save dialog holds for the first recording into the file.
  window_->close();
  dialogs.Expect(Dialogs::Kind::SaveFile, take);
  window_->browseOutputButton->click();
  window_->recordButton->click();
  EXPECT_TRUE(FfmpegProbe::ProbeMedia(take).HasVideo);
  dialogs.Expect(Dialogs::Kind::Message, Dialogs::Button::Cancel);
  recordAgain();
  EXPECT_EQ(dialogs.Messages().size(), 4);
}

TEST_F(RecorderTest, EmitirHandsTheBufferedSourceToTheStreamer) {
  Recorder::State().RecBufferSizeMB = "32";
  UseDevices(kAudio, kVideo);
  window_->streamOption->click();
  window_->duration->setText("bad time is not looked at");
  QString handed;
  When(
      [] {
        return StreamerWindow::Instance() && StreamerWindow::Instance()->waitFrame->isHidden();
      },
      [&handed] {
        handed = Streamer::State().StreamInputArgs;
        StreamerWindow::Instance()->close();
      });
  ScriptedDialogs dialogs;
  Recorder::State().RecOutputPath.clear();
  window_->recordButton->click();
  EXPECT_EQ(handed,
            "-rtbufsize 32M -f lavfi -i sine=f=440 -rtbufsize 32M -f lavfi -i "
            "testsrc=size=160x120:rate=10");
  EXPECT_TRUE(Streamer::State().StreamInputArgs.isEmpty());
  EXPECT_TRUE(window_->isVisible());
}

TEST_F(RecorderTest, ShowRecorderListsDevicesHidesTheOthersAndReturnsWhenClosed) {
  delete window_.data();
  MainWindow main;
  main.show();
  bool mainHidden = false;
  bool listed = false;
  When(
      [] {
        return RecorderWindow::Instance() && RecorderWindow::Instance()->listingFrame->isHidden();
      },
      [&] {
        mainHidden = !main.isVisible();
        listed = RecorderWindow::Instance()->optionsMenu->isEnabled();
        RecorderWindow::Instance()->close();
      });
  RecorderWindow::ShowRecorder();
  EXPECT_TRUE(mainHidden);
  EXPECT_TRUE(listed);
  EXPECT_TRUE(main.isVisible());
  EXPECT_EQ(RecorderWindow::Instance(), nullptr);
}

// While the devices are listed, the wait panel lies over the source panel as a
// sheet: nothing of the source panel shows through it.
TEST_F(RecorderTest, TheWaitPanelCoversTheSourcePanelWhole) {
  window_->listingFrame->show();  // as while the devices are listed
  window_->listingFrame->raise();
  const QImage before = window_->grab().toImage();
  window_->sourceFrame->setTitle("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
  window_->networkOption->setChecked(true);
  EXPECT_EQ(window_->grab().toImage(), before) << "the source panel shows through the wait panel";
}

// While the devices are listed, nothing that would start a second tool can be
// reached: not the options, not "Grabar", not the covered source controls by
// the keyboard, not the format choice whose editor would run ffmpeg. The
// listing goes on once the test says so.
TEST_F(RecorderTest, WhileTheDevicesAreListedNoToolCanBeStarted) {
  delete window_.data();
  const QString go = Folder() + "/fixture/go";
  FfmpegTools::State().FfmpegPath =
      WriteWaitingTool("tools/ffmpeg", go,
                       "echo 'Auto-detected sources for video4linux2,v4l2:'\n"
                       "echo '  /dev/video0 [Camera] (video)'\n");
  bool reachable = true;
  bool backAfter = false;
  When([] { return RecorderWindow::Instance() && !ChildProcesses("ffmpeg").isEmpty(); },
       [&] {
         RecorderWindow* window = RecorderWindow::Instance();
         reachable = window->recordButton->isEnabled() || window->optionsMenu->isEnabled() ||
                     window->networkOption->isEnabled() || window->networkAddress->isEnabled() ||
                     window->formatCombo->isEnabled() || window->chooseProfileButton->isEnabled();
         WriteFile("fixture/go", "");
         When([] { return RecorderWindow::Instance()->listingFrame->isHidden(); },
              [&backAfter] {
                RecorderWindow* window = RecorderWindow::Instance();
                backAfter =
                    window->recordButton->isEnabled() && window->networkOption->isEnabled() &&
                    window->optionsMenu->isEnabled() && window->videoDeviceCombo->count() == 1 &&
                    window->formatCombo->isEnabled() && !window->editManualButton->isEnabled();
                window->close();
              });
       });
  RecorderWindow::ShowRecorder();
  EXPECT_FALSE(reachable);
  EXPECT_TRUE(backAfter);
}

// A listing that hangs (a device that never answers) never traps the user:
// closing the window stops the listing, and the window goes.
TEST_F(RecorderTest, ClosingWhileTheDevicesAreListedStopsTheListingAndCloses) {
  delete window_.data();
  const QString go = Folder() + "/fixture/go";
  FfmpegTools::State().FfmpegPath = WriteWaitingTool("tools/ffmpeg", go, "");
  MainWindow main;
  main.show();
  bool refused = true;
  When([] { return RecorderWindow::Instance() && !ChildProcesses("ffmpeg").isEmpty(); },
       [&] {
         RecorderWindow::Instance()->close();
         refused = RecorderWindow::Instance()->isVisible();
         if (!refused) return;
         // Lets the listing end, then the window, so that the test ends.
         WriteFile("fixture/go", "");
         When([] { return RecorderWindow::Instance()->listingFrame->isHidden(); },
              [] { RecorderWindow::Instance()->close(); });
       });
  RecorderWindow::ShowRecorder();
  EXPECT_FALSE(refused);
  EXPECT_EQ(RecorderWindow::Instance(), nullptr);
  EXPECT_TRUE(WaitFor([] { return ChildProcesses("ffmpeg").isEmpty(); }));
  EXPECT_TRUE(main.isVisible());
}

// The recording module on its own: a request in, a plan and an end out, and
// no box: the replace question goes to the caller's callback.
class RecordingModuleTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    StartRecorderWithInstalledTools();
    ASSERT_FALSE(FfmpegTools::State().FfmpegPath.isEmpty());
  }
  void TearDown() override {
    Recorder::Reset();
    ForgetTools();
    TestEnv::TearDown();
  }
  static Recorder::RecordRequest DevicesIntoFile(const QString& video) {
    Recorder::RecordRequest request;
    request.From.Devices = true;
    request.From.UseVideo = true;
    request.From.VideoDevice = video;
    request.ToFile = true;
    request.AutomaticFormat = true;
    request.Duration = "0.5";
    return request;
  }
};

TEST_F(RecordingModuleTest, APlanRecordsIntoTheNextFreeNameAndTheRunEndsFinished) {
  const QString take = WriteFile("take.mkv", "earlier");
  Recorder::State().RecOutputPath = take;
  ScriptedDialogs dialogs;
  int asked = 0;
  const Recorder::RecordPlan plan = Recorder::PlanRecording(DevicesIntoFile(kVideo), [&asked] {
    ++asked;
    return Dialogs::Button::No;
  });
  ASSERT_EQ(plan.What, Recorder::RecordPlan::Action::Record);
  EXPECT_EQ(asked, 1);
  const QString second = Folder() + "/take (2).mkv";
  EXPECT_EQ(plan.NextFreeName, second);
  EXPECT_EQ(Recorder::State().RecOutputPath, second);
  EXPECT_EQ(plan.Step.Command.arguments.last(), second);

  const Recorder::RecordingEnd end = Recorder::RunRecording(plan.Step, {});
  EXPECT_EQ(end.Result, Recorder::RecordingEnd::Outcome::Finished);
  EXPECT_FALSE(Recorder::State().RecRunning);
  EXPECT_NEAR(FfmpegProbe::ProbeMedia(second).Duration.toDouble(), 0.5, 0.2);
  EXPECT_TRUE(dialogs.Shown().isEmpty());
}

TEST_F(RecordingModuleTest, AFailedRecordingHandsBackFfmpegsOutputWithoutABox) {
  Recorder::State().RecOutputPath = Folder() + "/failed.mkv";
  ScriptedDialogs dialogs;
  const Recorder::RecordPlan plan = Recorder::PlanRecording(DevicesIntoFile("lavfi:nosuchsource"),
                                                            [] { return Dialogs::Button::Cancel; });
  ASSERT_EQ(plan.What, Recorder::RecordPlan::Action::Record);
  EXPECT_TRUE(plan.NextFreeName.isEmpty());
  const Recorder::RecordingEnd end = Recorder::RunRecording(plan.Step, {});
  EXPECT_EQ(end.Result, Recorder::RecordingEnd::Outcome::FfmpegFailed);
  EXPECT_TRUE(end.Output.contains("nosuchsource")) << end.Output.toStdString();
  EXPECT_TRUE(dialogs.Messages().isEmpty());
}

// The stop of a paused recording, as the window's timer drives it, without the window.
TEST_F(RecordingModuleTest, APausedRecordingStopsOnceResumedAndItsFileIsComplete) {
  Recorder::State().RecOutputPath = Folder() + "/paused.mkv";
  Recorder::RecordRequest request = DevicesIntoFile(kVideo);
  request.Duration.clear();
  const Recorder::RecordPlan plan =
      Recorder::PlanRecording(request, [] { return Dialogs::Button::Cancel; });
  ASSERT_EQ(plan.What, Recorder::RecordPlan::Action::Record);
  QString shown;
  bool stopWaited = false;
  When([&shown] { return shown.contains("time="); },
       [&stopWaited] {
         EXPECT_EQ(DeviceRun::TogglePause(), DeviceRun::PauseStep::Paused);
         When(AToolIsPaused, [&stopWaited] {
           stopWaited = !Recorder::StopRecording();
           When(Recorder::StopOnceResumed, [] {});
         });
       });
  const Recorder::RecordingEnd end =
      Recorder::RunRecording(plan.Step, [&shown](const ConsoleText::BoxUpdate& update) {
        if (update.action == ConsoleText::BoxUpdate::Replace) shown = update.text;
      });
  EXPECT_TRUE(stopWaited);
  EXPECT_EQ(end.Result, Recorder::RecordingEnd::Outcome::Finished);
  EXPECT_FALSE(Recorder::State().RecStoppedByUser);
  EXPECT_GT(FfmpegProbe::ProbeMedia(Folder() + "/paused.mkv").Duration.toDouble(), 0.0);
}

// The stop of a paused recording goes out on a timer, which may fire once the
// recording has already ended; the next recording's failure still shows.
TEST_F(RecordingModuleTest, AStopAfterTheEndExcusesNoLaterFailure) {
  Recorder::State().RecOutputPath = Folder() + "/failed.mkv";
  const Recorder::RecordPlan plan = Recorder::PlanRecording(DevicesIntoFile("lavfi:nosuchsource"),
                                                            [] { return Dialogs::Button::Cancel; });
  ASSERT_EQ(plan.What, Recorder::RecordPlan::Action::Record);
  for (const std::function<void()>& lateStop : std::initializer_list<std::function<void()>>{
           [] { Recorder::StopOnceResumed(); }, [] { Recorder::StopRecording(); },
           [] { Recorder::ForceStop(); }}) {
    lateStop();
    const Recorder::RecordingEnd end = Recorder::RunRecording(plan.Step, {});
    EXPECT_EQ(end.Result, Recorder::RecordingEnd::Outcome::FfmpegFailed);
  }
}

// The recorder's module while another tool keeps the runner: the listing,
// the player window and the recording say "busy", never empty lists, a
// preview shown or a recording finished.
TEST_F(RecordingModuleTest, WhileAnotherToolRunsTheModuleSaysBusyAndRecordsNothing) {
  Recorder::State().RecOutputPath = Folder() + "/busy.mkv";
  const Recorder::RecordRequest request = DevicesIntoFile(kVideo);
  const Recorder::RecordPlan plan =
      Recorder::PlanRecording(request, [] { return Dialogs::Button::Cancel; });
  ASSERT_EQ(plan.What, Recorder::RecordPlan::Action::Record);
  Recorder::DeviceLists lists;
  Recorder::Refusal played = Recorder::Refusal::None;
  Recorder::RecordingEnd end;
  ScriptedDialogs dialogs;
  ASSERT_TRUE(WhileAnotherToolRuns([&] {
    lists = Recorder::ListDevices();
    played = Recorder::PlayPreview(request.From, false, nullptr);
    end = Recorder::RunRecording(plan.Step, {});
  }));
  EXPECT_TRUE(lists.RunnerBusy);
  EXPECT_EQ(played, Recorder::Refusal::AnotherToolRunning);
  EXPECT_EQ(end.Result, Recorder::RecordingEnd::Outcome::RunnerBusy);
  EXPECT_FALSE(Recorder::State().RecRunning);
  EXPECT_FALSE(QFile::exists(Folder() + "/busy.mkv"));
  EXPECT_TRUE(dialogs.Shown().isEmpty());
  EXPECT_FALSE(Recorder::ListDevices().RunnerBusy);
}

TEST_F(RecordingModuleTest, StreamingPlansTheBufferedSourceAndARefusalPlansNothingAndSaysWhy) {
  Recorder::State().RecBufferSizeMB = "8";
  Recorder::RecordRequest request = DevicesIntoFile(kVideo);
  request.ToFile = false;
  request.ToStreamer = true;
  const Recorder::RecordPlan stream =
      Recorder::PlanRecording(request, [] { return Dialogs::Button::Cancel; });
  EXPECT_EQ(stream.What, Recorder::RecordPlan::Action::Stream);
  EXPECT_EQ(stream.InputArgs, "-rtbufsize 8M -f lavfi -i testsrc=size=160x120:rate=10");

  ScriptedDialogs dialogs;
  const Recorder::RecordPlan refused =
      Recorder::PlanRecording(DevicesIntoFile(kVideo), [] { return Dialogs::Button::Cancel; });
  EXPECT_EQ(refused.What, Recorder::RecordPlan::Action::Nothing);
  EXPECT_EQ(refused.Refused, Recorder::Refusal::NoOutputPath);
  EXPECT_TRUE(dialogs.Shown().isEmpty());
}

}  // namespace
