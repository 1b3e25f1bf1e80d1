#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "Children.h"
#include "HangGuard.h"
#include "InstalledTools.h"
#include "TestEnv.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Player.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ToolRunner.h"
#include "gui/frame/PlayerWindow.h"

namespace {

using CommandLine::Command;
using CommandLine::Pipeline;

bool PlayerShown() { return PlayerWindow::Instance() && PlayerWindow::Instance()->isVisible(); }
bool Playing() { return PlayerShown() && ToolRunner::GetState() != ToolRunner::RunState::Idle; }
bool Ended() { return PlayerShown() && !PlayerWindow::Instance()->stopButton->isEnabled(); }

class PlayerTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    ToolRunner::Reset();
    UseInstalledTools();
    UseSilentPlayer();
  }
  void TearDown() override {
    FfmpegTools::State().FfmpegPath.clear();
    FfmpegTools::State().FfplayPath.clear();
    TestEnv::TearDown();
  }
  // Makes a small media file with the real ffmpeg.
  QString Make(const QString& name, const QStringList& source) {
    const QString path = Folder() + "/" + name;
    QProcess ffmpeg;
    ffmpeg.start("/usr/bin/ffmpeg", QStringList{"-loglevel", "error", "-y"} << source << path);
    EXPECT_TRUE(ffmpeg.waitForFinished(30000));
    EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    return path;
  }
  // A stand-in ffplay: a script, for plays that only a person could end.
  QString FakeFfplay(const QByteArray& body) {
    const QString path = WriteFile("tools/ffplay", "#!/bin/sh\n" + body);
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
  }
};

TEST_F(PlayerTest, TheCommandDependsOnTheList) {
  const QString ffplay = FfmpegTools::State().FfplayPath;
  const QString ffmpegPath = FfmpegTools::State().FfmpegPath;
  const QStringList pipeArgs = {"-vn",        "-i",       "/m/a b.wav", "-an",     "-i",
                                "/m/v's.mkv", "-f",       "matroska",   "-c:a",    "pcm_s16le",
                                "-c:v",       "rawvideo", "-pix_fmt",   "yuv420p", "pipe:1"};
  const Pipeline pipe = {Command{ffmpegPath, pipeArgs}, Command{ffplay, {"-i", "pipe:0"}}};
  struct Case {
    const char* what;
    QStringList files;
    QString params;
    Pipeline pipeline;
    QString workDir;
    bool pipeMode;
  } cases[] = {
      {"no file: the options only",
       {},
       "-f lavfi \"sine=d=1\"",
       {{ffplay, {"-f", "lavfi", "sine=d=1"}}},
       "",
       0},
      {"one file",
       {"/m/a \"$(x)\".mp4"},
       "-autoexit  -x 320",
       {{ffplay, {"-autoexit", "-x", "320", "-i", "/m/a \"$(x)\".mp4"}}},
       "",
       0},
      {"a bar in a file name stays in it",
       {"/m/a|b.wav"},
       "",
       {{ffplay, {"-i", "/m/a|b.wav"}}},
       "",
       0},
      {"no audio track", {"", "/m/v.mkv"}, "-an", {{ffplay, {"-an", "-i", "/m/v.mkv"}}}, "", 0},
      {"no video track", {"/m/a.wav", ""}, "", {{ffplay, {"-i", "/m/a.wav"}}}, "", 0},
      {"audio and video", {"/m/a b.wav", "/m/v's.mkv"}, "-unused", pipe, "/usr/bin", 1},
  };
  for (const Case& c : cases) {
    const Player::PlayCommand command = Player::BuildPlayCommand(c.files, c.params);
    EXPECT_EQ(command.pipeline, c.pipeline) << c.what;
    EXPECT_EQ(command.workDir, c.workDir) << c.what;
    EXPECT_EQ(command.pipeMode, c.pipeMode) << c.what;
  }
}

TEST_F(PlayerTest, MissingToolsAreReportedAndNothingIsShown) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().ExpectMessage();
  FfmpegTools::State().FfplayPath = Folder() + "/none/ffplay";
  Player::PlayFile({"/m/a.wav"}, "");
  FfmpegTools::State().FfplayPath = "/usr/bin/ffplay";
  FfmpegTools::State().FfmpegPath.clear();
  Player::PlayFile({"/m/a.wav", "/m/v.mkv"}, "");
  EXPECT_EQ(dialogs.Messages(), (QStringList{"No se encuentra ffplay", "No se encuentra ffmpeg"}));
  EXPECT_EQ(PlayerWindow::Instance(), nullptr);
}

TEST_F(PlayerTest, ARealPlayShowsFfplayAndTheWindowsComeBackWhenThePlayerCloses) {
  const QString sound = Make("a b.wav", {"-f", "lavfi", "-i", "sine=d=1"});
  QWidget main;
  main.show();
  QWidget hiddenBefore;
  bool mainHidden = false;
  When(PlayerShown, [&] {
    PlayerWindow* player = PlayerWindow::Instance();
    mainHidden = !main.isVisible();
    EXPECT_EQ(player->windowTitle(), "Player");
    EXPECT_EQ(player->stopButton->text(), "Detener");
    EXPECT_EQ(player->helpButton->text(), "Ayuda");
  });
  QString shown;
  When(Ended, [&] {
    PlayerWindow* player = PlayerWindow::Instance();
    shown = player->playerOutput->toPlainText();
    EXPECT_FALSE(player->helpButton->isEnabled());
    player->close();
  });
  Player::PlayFile({sound}, "-nodisp -autoexit");
  EXPECT_TRUE(mainHidden);
  EXPECT_TRUE(main.isVisible());
  EXPECT_FALSE(hiddenBefore.isVisible());
  EXPECT_FALSE(shown.isEmpty()) << "ffplay's output was shown";
  EXPECT_EQ(PlayerWindow::Instance(), nullptr);
  EXPECT_EQ(ToolRunner::GetState(), ToolRunner::RunState::Idle);
}

// Once ffplay has quit, the window takes the keyboard back from the player's
// own window, and Escape closes it: a keyboard user needs no mouse.
TEST_F(PlayerTest, AnEndedPlayTakesTheKeyboardAndEscapeClosesIt) {
  const QString sound = Make("a.wav", {"-f", "lavfi", "-i", "sine=d=1"});
  bool focused = false;
  bool closedByEscape = false;
  When(Ended, [&] {
    PlayerWindow* player = PlayerWindow::Instance();
    focused = WaitFor([player] { return player->playerOutput->hasFocus(); });
    QTest::keyClick(player->playerOutput, Qt::Key_Escape);
    closedByEscape = !player->isVisible();
    player->close();
  });
  Player::PlayFile({sound}, "-nodisp -autoexit");
  EXPECT_TRUE(focused);
  EXPECT_TRUE(closedByEscape);
  EXPECT_EQ(PlayerWindow::Instance(), nullptr);
}

TEST_F(PlayerTest, ClosingWhilePlayingIsRefusedAndDetenerStopsFfplay) {
  const QString marker = Folder() + "/args";
  FfmpegTools::State().FfplayPath = FakeFfplay("printf '%s\\n' \"$@\" > \"" + marker.toUtf8() +
                                               "\"\necho playing\nexec sleep 600\n");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().Expect(Dialogs::Kind::Message, Dialogs::Button::Ok);
  When(
      [] {
        return Playing() && PlayerWindow::Instance()->playerOutput->toPlainText() == "playing";
      },
      [&] {
        PlayerWindow* player = PlayerWindow::Instance();
        player->close();
        EXPECT_TRUE(player->isVisible()) << "the close was refused";
        player->helpButton->click();
        player->stopButton->click();
      });
  When(Ended, [] { PlayerWindow::Instance()->close(); });
  // The play outlasts the test: only Detener can end it.
  const HangGuard guard("a play that only Detener can end", 120000);
  Player::PlayFile({Folder() + "/it's $(here).mkv"}, "-x 320");
  ASSERT_EQ(dialogs.Shown().size(), 2);
  EXPECT_EQ(dialogs.Shown()[0].text, "Detenga el proceso antes de salir");
  EXPECT_EQ(dialogs.Shown()[1].title, "ffplay usage");
  EXPECT_EQ(dialogs.Shown()[1].style,
            (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Information}));
  EXPECT_EQ(dialogs.Shown()[1].text, PlayerWindow::UsageText());
  EXPECT_TRUE(dialogs.Shown()[1].text.startsWith("<Keypad>\n\nQ/ESC: quit\nP/SPACE: pause\n"));
  EXPECT_TRUE(dialogs.Shown()[1].text.endsWith(
      "\n\n<Mouse>\n\nMouse click: seek to percentage in file corresponding to fraction of width"));
  QFile args(marker);
  ASSERT_TRUE(args.open(QIODevice::ReadOnly));
  EXPECT_EQ(args.readAll(), "-x\n320\n-i\n" + Folder().toUtf8() + "/it's $(here).mkv\n");
}

TEST_F(PlayerTest, APairPlaysThroughFfmpegAndDetenerOnlyExplains) {
  const QString sound = Make("a.wav", {"-f", "lavfi", "-i", "sine=d=1"});
  const QString video =
      Make("v.mkv", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10", "-t", "1"});
  const QString received = Folder() + "/received.mkv";
  const QString release = Folder() + "/release";
  const QString finished = Folder() + "/finished";
  FfmpegTools::State().FfplayPath = FakeFfplay(
      "cat > \"" + received.toUtf8() + "\"\necho received\n" + "while [ ! -e \"" +
      release.toUtf8() + "\" ]; do sleep 0.02; done\n" + "touch \"" + finished.toUtf8() + "\"\n");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  When(
      [] {
        return Playing() && PlayerWindow::Instance()->playerOutput->toPlainText() == "received";
      },
      [&] {
        EXPECT_TRUE(Player::State().PipeMode);
        PlayerWindow::Instance()->stopButton->click();
        EXPECT_TRUE(Playing()) << "Detener does not stop a piped play";
        QFile(release).open(QIODevice::WriteOnly);
      });
  When(Ended, [] { PlayerWindow::Instance()->close(); });
  Player::PlayFile({sound, video}, "");
  EXPECT_EQ(
      dialogs.Messages(),
      QStringList{"Para detener el proceso cierre la ventana de ffplay ó finalice ffplay desde "
                  "el administrador de tareas"});
  EXPECT_FALSE(Player::State().PipeMode);
  EXPECT_TRUE(QFile::exists(finished)) << "ffplay ran to its own end";
  QFile stream(received);
  ASSERT_TRUE(stream.open(QIODevice::ReadOnly));
  EXPECT_TRUE(stream.read(4) == QByteArray::fromHex("1a45dfa3")) << "a Matroska stream arrived";
  EXPECT_GT(stream.size(), 160 * 120 * 3 / 2 * 10) << "ten raw frames or more";
}

TEST_F(PlayerTest, ClosingTheProgramEndsThePlayer) {
  QList<qint64> players;
  When([] { return Playing() && !ChildProcesses("ffplay").isEmpty(); },
       [&] {
         players = ChildProcesses("ffplay");
         ToolRunner::EndAll();
       });
  When(Ended, [] { PlayerWindow::Instance()->close(); });
  Player::PlayFile({}, "-f lavfi -i testsrc=size=160x120:rate=10");
  ASSERT_EQ(players.size(), 1);
  EXPECT_TRUE(AllEnd(players));
}

}  // namespace
