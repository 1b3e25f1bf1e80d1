#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHostAddress>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QUdpSocket>
#include <functional>
#include <memory>

#include "DeviceFixture.h"
#include "core/devices/Streamer.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/FileServices.h"
#include "core/ground/FormatProfile.h"
#include "core/ground/RecordFile.h"
#include "core/ground/ToolRunner.h"
#include "gui/app/MainWindow.h"
#include "gui/devices/StreamerWindow.h"
#include "gui/formats/FormatEditorWindow.h"
#include "gui/frame/TextViewerWindow.h"

namespace {

// Receives the stream: counts the datagrams that start with the MPEG-TS sync byte.
class Receiver {
 public:
  Receiver() {
    EXPECT_TRUE(socket_.bind(QHostAddress::LocalHost, 0));
    QObject::connect(&socket_, &QUdpSocket::readyRead, [this] {
      while (socket_.hasPendingDatagrams()) {
        const QByteArray data = socket_.receiveDatagram().data();
        if (!data.isEmpty() && data[0] == '\x47') {
          if (packets_++ == 0) first_.start();
        }
      }
    });
  }
  QString Address() const { return "udp://127.0.0.1:" + QString::number(socket_.localPort()); }
  int Packets() const { return packets_; }
  qint64 SinceFirst() const { return packets_ > 0 ? first_.elapsed() : 0; }

 private:
  QUdpSocket socket_;
  int packets_ = 0;
  QElapsedTimer first_;
};

// A free even port whose odd neighbour (RTCP's) is free too, chosen now.
quint16 FreeRtpPort() {
  for (int attempt = 0; attempt < 50; ++attempt) {
    QUdpSocket rtp;
    QUdpSocket rtcp;
    if (!rtp.bind(QHostAddress::LocalHost, 0)) continue;
    const quint16 port = rtp.localPort();
    if (port % 2 == 0 && port < 65535 && rtcp.bind(QHostAddress::LocalHost, port + 1)) return port;
  }
  return 0;
}

// ffmpeg reading an address as a receiver would, its log gathered as it comes.
class ToolReceiver {
 public:
  explicit ToolReceiver(const QString& address) {
    process_.setProcessChannelMode(QProcess::MergedChannels);
    QObject::connect(&process_, &QProcess::readyRead,
                     [this] { log_ += QString::fromUtf8(process_.readAll()); });
    process_.start(QStandardPaths::findExecutable("ffmpeg"),
                   {"-hide_banner", "-i", address, "-map", "0", "-c", "copy", "-f", "null", "-"});
  }
  ~ToolReceiver() {
    process_.kill();
    process_.waitForFinished();
  }
  const QString& Log() const { return log_; }

 private:
  QProcess process_;
  QString log_;
};

class StreamerTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    ToolRunner::Reset();
    Streamer::Reset();
    Session::State().FileList.clear();
    UseInstalledTools();
    ASSERT_FALSE(FfmpegTools::State().FfmpegPath.isEmpty());
  }
  void TearDown() override {
    Streamer::State().StreamRunning = false;
    delete window_.data();
    Streamer::Reset();
    Session::State().FileList.clear();
    ForgetTools();
    TestEnv::TearDown();
  }
  // The streamer as ShowStreamer leaves it once the addresses are read.
  void Open(const QString& inputArgs) {
    Streamer::State().StreamInputArgs = inputArgs;
    window_ = new StreamerWindow;
    window_->Load();
    window_->FillLocalAddresses();
    window_->waitFrame->hide();
    window_->show();
  }
  QString MakeClip(const QString& name) {
    const QString path = Folder() + "/" + name;
    EXPECT_EQ(QProcess::execute(FfmpegTools::State().FfmpegPath,
                                {"-v", "error", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=10",
                                 "-f", "lavfi", "-i", "sine", "-t", "1", "-y", path}),
              0);
    return path;
  }

  QPointer<StreamerWindow> window_;
};

// While the addresses are read, the wait panel lies over the setup panel as a
// sheet: nothing of the setup panel shows through it.
TEST_F(StreamerTest, TheWaitPanelCoversTheSetupPanelWhole) {
  Open("-i x");
  window_->waitFrame->show();  // as while the addresses are read
  window_->waitFrame->raise();
  const QImage before = window_->grab().toImage();
  window_->addressCombo->setEditText("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
  window_->repeatCheck->setChecked(!window_->repeatCheck->isChecked());
  EXPECT_EQ(window_->grab().toImage(), before) << "the setup panel shows through the wait panel";
}

TEST_F(StreamerTest, OffersThisMachinesAddressOnPort8080) {
  Open("-i x");
  const QString address = Streamer::LocalAddress();
  QHostAddress parsed;
  ASSERT_TRUE(parsed.setAddress(address));
  EXPECT_EQ(parsed.protocol(), QAbstractSocket::IPv4Protocol);
  EXPECT_TRUE(!parsed.isLoopback() || address == "127.0.0.1");
  ASSERT_EQ(window_->addressCombo->count(), 2);
  EXPECT_EQ(window_->addressCombo->itemText(0), "udp://" + address + ":8080");
  EXPECT_EQ(window_->addressCombo->itemText(1), "rtp://" + address + ":8080");
  EXPECT_EQ(window_->addressCombo->currentText(), "udp://" + address + ":8080");
  EXPECT_EQ(Streamer::State().LocalIPAddress, address);

  EXPECT_FALSE(window_->repeatCountCombo->isEnabled());
  window_->repeatCheck->click();
  EXPECT_TRUE(window_->repeatCountCaption->isEnabled());
  EXPECT_TRUE(window_->repeatCountCombo->isEnabled());
  EXPECT_EQ(window_->repeatCountCombo->currentText(), "<Infinito>");
}

TEST_F(StreamerTest, TheAddressFieldIsNamedAfterItsCaption) {
  Open("-i x");
  window_->addressCombo->setEditText("");
  QAccessibleInterface* address = QAccessible::queryAccessibleInterface(window_->addressCombo);
  ASSERT_NE(address, nullptr);
  EXPECT_EQ(address->text(QAccessible::Name), window_->addressCaption->text());
}

TEST_F(StreamerTest, VerDireccionIpShowsTheAddressesAndVerEmisionNeedsFfplay) {
  Open("-i x");
  const QString shown = ViewerTextAfter([this] { window_->showAddressesButton->click(); });
  EXPECT_TRUE(shown.contains("127.0.0.1")) << shown.toStdString();

  FfmpegTools::State().FfplayPath = Folder() + "/none";
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  window_->watchButton->click();
  EXPECT_EQ(dialogs.Messages(), QStringList({"No se encuentra ffplay"}));
  FfmpegTools::State().FfplayPath.clear();
}

TEST_F(StreamerTest, AnEmptyListIsRefusedBeforeAnythingIsMade) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  StreamerWindow::StreamFileList();
  EXPECT_EQ(dialogs.Messages(), QStringList({"No se han agregado archivos a la lista"}));
  EXPECT_EQ(StreamerWindow::Instance(), nullptr);
  EXPECT_FALSE(QDir(Folder() + "/appfiles/temp").exists());
}

TEST_F(StreamerTest, RefusesMissingAddressCountProfileAndFfmpeg) {
  FormatProfile external;
  external.VideoExtCodecName = "x265";
  const QString externalPath = Folder() + "/appfiles/formats/external.qfm";
  WriteFile("appfiles/formats/external.qfm", "");
  ASSERT_EQ(RecordFile::Write(externalPath, external), RecordFile::Result::Ok);
  Open("-f lavfi -i sine");
  struct Case {
    const char* name;
    std::function<void()> arrange;
    QString message;
  } cases[] = {
      {"ffmpeg missing", [this] { FfmpegTools::State().FfmpegPath = Folder() + "/none"; },
       "No se encuentra ffmpeg"},
      {"no address", [this] { window_->addressCombo->setEditText(""); },
       "No se ha especificado una dirección"},
      {"repeat count",
       [this] {
         window_->repeatCheck->setChecked(true);
         window_->repeatCountCombo->setEditText("1.5");
       },
       "Número de repeticiones no válido"},
      {"external encoder",
       [externalPath] { Streamer::State().StreamFormatProfilePath = externalPath; },
       "El formato elegido no debe utilizar codecs externos"},
      {"profile missing",
       [this] {
         Streamer::State().StreamFormatProfilePath = Folder() + "/appfiles/formats/gone.qfm";
       },
       "No se encuentra el perfil de formato "},
  };
  for (const Case& c : cases) {
    window_->addressCombo->setEditText("udp://127.0.0.1:9");
    c.arrange();
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    window_->streamButton->click();
    EXPECT_EQ(dialogs.Messages(), QStringList({c.message})) << c.name;
    EXPECT_TRUE(window_->streamingPanel->isHidden()) << c.name;
    FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
    window_->repeatCheck->setChecked(false);
    Streamer::State().StreamFormatProfilePath.clear();
  }
}

// "Emitir" pressed while another tool still runs ("Ver dirección IP" on a
// slow machine): the press waits quietly. No streaming panel says that a
// stream which never ran has ended.
// Streaming the file list while another tool runs: nothing could be
// streamed, so no list is written and no streamer opens; the user is told
// once why.
TEST_F(StreamerTest, StreamingTheListWhileAnotherToolRunsSaysSoOnceAndOpensNothing) {
  MainWindow main;
  main.show();
  Session::State().FileList << Folder() + "/a.mkv";
  const std::pair<const char*, std::function<void()>> openings[] = {
      {"Emitir en la red", [&main] { main.streamAction->trigger(); }},
      {"the window's own opening", [] { StreamerWindow::StreamFileList(); }},
  };
  for (const auto& opening : openings) {
    SCOPED_TRACE(opening.first);
    const QStringList before = FilesBelow(Folder());
    // A streamer that opens all the same is closed, so that the test ends.
    WhenReady closer([] { return StreamerWindow::Instance() != nullptr; },
                     [] { StreamerWindow::Instance()->close(); });
    ASSERT_NO_FATAL_FAILURE(
        ExpectOpeningWhileAnotherToolRunsSaysSoOnce(opening.second, main, "Form15"));
    EXPECT_EQ(FilesBelow(Folder()), before);
  }
}

// Presses in the streamer while another tool runs. Those that would open a
// window (the addresses in the viewer, the format editor) say once that
// another tool runs; "Emitir" waits quietly. The set-up stays as it was.
TEST_F(StreamerTest, PressesWhileAnotherToolRunsShowNoEmptyResult) {
  Open("-f lavfi -i sine");
  window_->formatCombo->setCurrentIndex(1);
  emit window_->formatCombo->activated(1);
  ASSERT_TRUE(window_->editManualButton->isEnabled());
  const QStringList addresses{window_->addressCombo->itemText(0),
                              window_->addressCombo->itemText(1)};
  const PressWhileBusy presses[] = {
      {"Ver direccion IP", [this] { window_->showAddressesButton->click(); }, true},
      {">>", [this] { window_->editManualButton->click(); }, true},
      {"Emitir", [this] { window_->streamButton->click(); }, false},
  };
  for (const auto& p : presses) {
    SCOPED_TRACE(p.name);
    ASSERT_NO_FATAL_FAILURE(ExpectPressWhileAnotherToolRunsOpensNothing(
        p, [] { return TextViewerWindow::Instance() || FormatEditorWindow::Instance(); }));
    EXPECT_FALSE(window_->setupPanel->isHidden());
    EXPECT_TRUE(window_->streamingPanel->isHidden());
    EXPECT_TRUE(window_->console->toPlainText().isEmpty());
    EXPECT_FALSE(Streamer::State().StreamRunning);
    ASSERT_EQ(window_->addressCombo->count(), 2);
    EXPECT_EQ(window_->addressCombo->itemText(0), addresses[0]);
    EXPECT_EQ(window_->addressCombo->itemText(1), addresses[1]);
  }
}

// The stream on its own while another tool keeps the runner: it says "busy",
// never that a stream ran and ended.
TEST_F(StreamerTest, WhileAnotherToolRunsAStreamSaysBusyAndSendsNothing) {
  Receiver receiver;
  Streamer::State().StreamInputArgs = "-f lavfi -i testsrc=size=160x120:rate=10:duration=0.5";
  Conversion::StepCommand step;
  ASSERT_EQ(Streamer::PrepareStream({receiver.Address(), false, "", "<Infinito>"}, step),
            Streamer::Refusal::None);
  Streamer::StreamEnd end;
  ASSERT_TRUE(WhileAnotherToolRuns([&] { end = Streamer::RunStream(step, {}); }));
  EXPECT_TRUE(end.RunnerBusy);
  EXPECT_FALSE(Streamer::State().StreamRunning);
  QApplication::processEvents();
  EXPECT_EQ(receiver.Packets(), 0);
  EXPECT_FALSE(Streamer::RunStream(step, {}).RunnerBusy);
}

TEST_F(StreamerTest, EmitirPressedWhileAnotherToolRunsWaitsQuietly) {
  Open("-f lavfi -i testsrc=size=160x120:rate=10 -f lavfi -i sine");
  Receiver receiver;
  window_->addressCombo->setEditText(receiver.Address());
  ScriptedDialogs dialogs;
  bool setupStays = false;
  ASSERT_TRUE(WhileAnotherToolRuns([&] {
    window_->streamButton->click();
    setupStays = window_->streamingPanel->isHidden() && !window_->setupPanel->isHidden() &&
                 window_->console->toPlainText().isEmpty();
  }));
  EXPECT_TRUE(setupStays);
  EXPECT_FALSE(Streamer::State().StreamRunning);
  EXPECT_TRUE(dialogs.Messages().isEmpty()) << dialogs.Messages().join('|').toStdString();
}

TEST_F(StreamerTest, StreamsALiveSourceUntilStoppedAndThenGoesBackToSetup) {
  Open("-f lavfi -i testsrc=size=160x120:rate=10 -f lavfi -i sine");
  Receiver receiver;
  window_->addressCombo->setEditText(receiver.Address());
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  bool refused = false;
  When([&receiver] { return receiver.Packets() >= 5; },
       [this, &refused] {
         EXPECT_EQ(window_->streamingAddress->text().left(6), "udp://");
         window_->close();
         refused = window_ && window_->isVisible();
         window_->pauseButton->click();
         EXPECT_EQ(window_->console->toPlainText(), "Pause");
         window_->pauseButton->click();
         window_->stopButton->click();
       });
  window_->streamButton->click();
  EXPECT_TRUE(refused);
  EXPECT_EQ(dialogs.Messages(), QStringList({"Detenga el proceso antes de salir"}));
  EXPECT_GE(receiver.Packets(), 5);
  EXPECT_FALSE(Streamer::State().StreamRunning);
  EXPECT_TRUE(window_->console->toPlainText().endsWith("\nEl proceso terminó"));
  EXPECT_FALSE(window_->stopButton->isEnabled());
  EXPECT_FALSE(window_->streamingPanel->isHidden());

  window_->close();
  Flush();
  ASSERT_TRUE(window_);
  EXPECT_TRUE(window_->streamingPanel->isHidden());
  EXPECT_FALSE(window_->setupPanel->isHidden());
  EXPECT_TRUE(window_->streamingAddress->text().isEmpty());
  window_->close();
  Flush();
  EXPECT_FALSE(window_);
}

TEST_F(StreamerTest, AnRtpAddressGetsRtpPacketsThatAReceiverReads) {
  const quint16 port = FreeRtpPort();
  ASSERT_NE(port, 0);
  const QString address = "rtp://127.0.0.1:" + QString::number(port);
  Open("-f lavfi -i testsrc=size=160x120:rate=10 -f lavfi -i sine");
  window_->addressCombo->setEditText(address);
  ToolReceiver receiver(address);
  QElapsedTimer waited;
  waited.start();
  When([&receiver,
        &waited] { return receiver.Log().contains("Audio: mp3") || waited.elapsed() > 60000; },
       [this] { window_->stopButton->click(); });
  window_->streamButton->click();
  const QString log = receiver.Log();
  EXPECT_TRUE(log.contains("Input #0, rtp, from '" + address + "'")) << log.toStdString();
  EXPECT_TRUE(log.contains("Video: h264")) << log.toStdString();
  EXPECT_TRUE(log.contains("Audio: mp3")) << log.toStdString();
  EXPECT_FALSE(log.contains("payload type")) << log.toStdString();
  EXPECT_FALSE(window_->console->toPlainText().contains("look like RTP"));
}

TEST_F(StreamerTest, AProfileEncodesTheStream) {
  FormatProfile profile;
  profile.OutputContainer = "mpegts";
  profile.VideoCodec = "mpeg2video";
  profile.AudioCodec = "mp2";
  const QString path = WriteFile("appfiles/formats/ts.qfm", "");
  ASSERT_EQ(RecordFile::Write(path, profile), RecordFile::Result::Ok);
  Open("-re -f lavfi -i testsrc=size=160x120:rate=10 -re -f lavfi -i sine");
  Streamer::State().StreamFormatProfilePath = path;
  Receiver receiver;
  window_->addressCombo->setEditText(receiver.Address());
  ScriptedDialogs dialogs;
  When([&receiver] { return receiver.Packets() >= 5; }, [this] { window_->stopButton->click(); });
  window_->streamButton->click();
  EXPECT_GE(receiver.Packets(), 5);
  EXPECT_TRUE(window_->console->toPlainText().endsWith("El proceso terminó"));
}

TEST_F(StreamerTest, FfmpegsFailureStaysInTheConsoleBox) {
  Open("-f lavfi -i nosuchsource");
  window_->addressCombo->setEditText("udp://127.0.0.1:9");
  ScriptedDialogs dialogs;
  window_->streamButton->click();
  const QString console = window_->console->toPlainText();
  EXPECT_TRUE(console.contains("nosuchsource")) << console.toStdString();
  EXPECT_TRUE(console.endsWith("El proceso terminó"));
  EXPECT_TRUE(dialogs.Messages().isEmpty());
}

// The stream module without the window: the step as asked, and the end handed back.
TEST_F(StreamerTest, WithoutAWindowAStreamRunsToItsEndAndHandsBackHowItEnded) {
  Receiver receiver;
  Streamer::State().StreamInputArgs = "-f lavfi -i testsrc=size=160x120:rate=10:duration=0.5";
  Streamer::StreamRequest request{receiver.Address(), true, "1", "<Infinito>"};
  Conversion::StepCommand step;
  ASSERT_EQ(Streamer::PrepareStream(request, step), Streamer::Refusal::None);
  EXPECT_TRUE(step.Shown.contains("-stream_loop 1 -re")) << step.Shown.toStdString();
  const Streamer::StreamEnd end = Streamer::RunStream(step, {});
  EXPECT_EQ(end.ExitCode, 0) << end.Output.toStdString();
  EXPECT_FALSE(Streamer::State().StreamRunning);
  EXPECT_TRUE(WaitFor([&receiver] { return receiver.Packets() > 0; }));

  Streamer::State().StreamInputArgs = "-f lavfi -i nosuchsource";
  ASSERT_EQ(Streamer::PrepareStream(request, step), Streamer::Refusal::None);
  const Streamer::StreamEnd failed = Streamer::RunStream(step, {});
  EXPECT_GT(failed.ExitCode, 0);
  EXPECT_TRUE(failed.Output.contains("nosuchsource")) << failed.Output.toStdString();

  request.RepeatCount = "-2";
  ScriptedDialogs dialogs;
  EXPECT_EQ(Streamer::PrepareStream(request, step), Streamer::Refusal::InvalidRepeatCount);
  EXPECT_TRUE(dialogs.Shown().isEmpty());
}

TEST_F(StreamerTest, TheFileListInputIsAConcatListInAFolderOfItsOwn) {
  Session::State().FileList << Folder() + "/a b.mkv";
  const Streamer::ListInput input = Streamer::WriteListInput();
  ASSERT_TRUE(input.InputArgs.startsWith("-f concat -safe 0 -i ")) << input.InputArgs.toStdString();
  const QString list = Conversion::SplitArguments(input.InputArgs).last();
  EXPECT_EQ(QFileInfo(list).path(), input.Folder);
  EXPECT_TRUE(QFile::exists(list));
  FileServices::DeleteFolder(input.Folder);
}

TEST_F(StreamerTest, TheFileListStreamsEndlesslyAndItsListFolderGoesAtTheEnd) {
  MainWindow main;
  Session::State().FileList << MakeClip("it's a clip.mkv");
  Receiver receiver;
  QString args;
  QString list;
  qint64 streamedFor = 0;
  When(
      [] {
        return StreamerWindow::Instance() && StreamerWindow::Instance()->waitFrame->isHidden();
      },
      [&] {
        StreamerWindow* window = StreamerWindow::Instance();
        args = Streamer::State().StreamInputArgs;
        list = Conversion::SplitArguments(args).last();
        EXPECT_TRUE(QFile::exists(list));
        window->repeatCheck->setChecked(true);
        window->addressCombo->setEditText(receiver.Address());
        // The clip lasts one second: packets after two show it repeating.
        When([&receiver] { return receiver.SinceFirst() > 2000; },
             [&streamedFor, &receiver, window] {
               streamedFor = receiver.SinceFirst();
               EXPECT_TRUE(Streamer::State().StreamRunning);
               window->stopButton->click();
             });
        window->streamButton->click();
        window->close();
        window->close();
      });
  StreamerWindow::StreamFileList();
  EXPECT_TRUE(args.startsWith("-f concat -safe 0 -i ")) << args.toStdString();
  EXPECT_GT(streamedFor, 2000);
  EXPECT_FALSE(list.isEmpty());
  EXPECT_FALSE(QFile::exists(list));
  EXPECT_FALSE(QDir(QFileInfo(list).path()).exists());
  EXPECT_EQ(StreamerWindow::Instance(), nullptr);
  EXPECT_TRUE(Streamer::State().StreamInputArgs.isEmpty());
}

TEST_F(StreamerTest, TheListFolderGoesAlsoWhenNothingWasStreamed) {
  Session::State().FileList << Folder() + "/a.mkv";
  QString list;
  When(
      [] {
        return StreamerWindow::Instance() && StreamerWindow::Instance()->waitFrame->isHidden();
      },
      [&list] {
        list = Conversion::SplitArguments(Streamer::State().StreamInputArgs).last();
        StreamerWindow::Instance()->close();
      });
  StreamerWindow::StreamFileList();
  EXPECT_FALSE(list.isEmpty());
  EXPECT_FALSE(QDir(QFileInfo(list).path()).exists());
}

// ffplay watching the stream needs neither a screen nor a sound card here.
TEST_F(StreamerTest, ClosingTheProgramEndsTheStreamAndThePlayerWatchingIt) {
  UseSilentPlayer();
  FfmpegTools::State().FfplayPath = QStandardPaths::findExecutable("ffplay");
  MainWindow main;
  Open("-f lavfi -i testsrc=size=160x120:rate=10 -f lavfi -i sine");
  Receiver receiver;
  window_->addressCombo->setEditText(receiver.Address());
  ScriptedDialogs dialogs;
  QList<qint64> children;
  When([&receiver] { return receiver.Packets() >= 5; },
       [&] {
         window_->watchButton->click();
         When([] { return !ChildProcesses("ffplay").isEmpty(); },
              [&] {
                children = ChildProcesses("ffmpeg") + ChildProcesses("ffplay");
                main.close();
              });
       });
  window_->streamButton->click();
  EXPECT_EQ(children.size(), 2);
  EXPECT_TRUE(AllEnd(children));
  EXPECT_TRUE(dialogs.Messages().isEmpty());
  EXPECT_FALSE(Streamer::State().StreamRunning);
  FfmpegTools::State().FfplayPath.clear();
}

TEST_F(StreamerTest, WatchingAStreamNeedsFfplayAndThePlayerEndsWithItsOwner) {
  QUdpSocket probe;
  ASSERT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
  const QString address = "udp://127.0.0.1:" + QString::number(probe.localPort());
  probe.close();
  auto owner = std::make_unique<QObject>();

  FfmpegTools::State().FfplayPath = Folder() + "/none";
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EXPECT_FALSE(Streamer::WatchStream(address, owner.get()));
  EXPECT_EQ(dialogs.Messages(), QStringList({"No se encuentra ffplay"}));
  EXPECT_TRUE(ChildProcesses("ffplay").isEmpty());

  UseSilentPlayer();
  FfmpegTools::State().FfplayPath = QStandardPaths::findExecutable("ffplay");
  ASSERT_TRUE(Streamer::WatchStream(address, owner.get()));
  const QList<qint64> players = ChildProcesses("ffplay");
  ASSERT_EQ(players.size(), 1);
  QFile commandLine("/proc/" + QString::number(players.first()) + "/cmdline");
  ASSERT_TRUE(commandLine.open(QIODevice::ReadOnly));
  EXPECT_EQ(commandLine.readAll().split('\0').mid(1, 2),
            QList<QByteArray>({"-i", address.toUtf8()}));
  owner.reset();
  EXPECT_TRUE(AllEnd(players));
  FfmpegTools::State().FfplayPath.clear();
}

TEST_F(StreamerTest, ThePlayerWatchingTheStreamEndsWithTheWindow) {
  UseSilentPlayer();
  FfmpegTools::State().FfplayPath = QStandardPaths::findExecutable("ffplay");
  Open("-f lavfi -i testsrc=size=160x120:rate=10 -f lavfi -i sine");
  Receiver receiver;
  window_->addressCombo->setEditText(receiver.Address());
  ScriptedDialogs dialogs;
  QList<qint64> players;
  When([&receiver] { return receiver.Packets() >= 5; },
       [&] {
         window_->watchButton->click();
         When([] { return !ChildProcesses("ffplay").isEmpty(); },
              [&] {
                players = ChildProcesses("ffplay");
                window_->stopButton->click();
              });
       });
  window_->streamButton->click();
  ASSERT_EQ(players.size(), 1);
  EXPECT_TRUE(ProcessLives(players.first()));  // the stream ended, the window stays
  window_->close();
  window_->close();
  Flush();
  EXPECT_FALSE(window_);
  EXPECT_TRUE(AllEnd(players));
  FfmpegTools::State().FfplayPath.clear();
}

}  // namespace
