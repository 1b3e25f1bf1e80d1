// The main window's presses that start a tool, made while another tool runs:
// each says once that another tool is running and does nothing else.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "ConversionFixture.h"
#include "HangGuard.h"
#include "core/devices/CdRipper.h"
#include "core/ground/ToolRunner.h"
#include "gui/frame/TextViewerWindow.h"

namespace {

// Closes every top-level window but the main window that shows up while it
// lives, and names them: what a press opened where it should have opened nothing.
class OtherWindowCloser {
 public:
  explicit OtherWindowCloser(const QWidget* main) {
    QObject::connect(&timer_, &QTimer::timeout, [this, main] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == main || !window->isVisible() || qobject_cast<QMenu*>(window)) continue;
        opened_ << window->objectName();
        window->close();
        return;  // closing may delete windows: the list is stale from here on
      }
    });
    timer_.start(20);
  }
  const QStringList& Opened() const { return opened_; }

 private:
  QTimer timer_;
  QStringList opened_;
};

class PressesWhileBusyTest : public ConversionFixture {
 protected:
  PressesWhileBusyTest() : ConversionFixture({.ExtensionText = "mkv"}) {}
  void SetUp() override {
    ConversionFixture::SetUp();
    tone_ = Make("in/tone.wav", {"-f", "lavfi", "-i", "sine=d=1"});
    List({tone_});
    main_->fileList->setCurrentRow(0);
    const QString cdda2wav = WriteFile("tools/cdda2wav", "#!/bin/sh\necho usage\n");
    QFile::setPermissions(cdda2wav, QFile::permissions(cdda2wav) | QFile::ExeOwner);
    CdRipper::State().Cdda2wavPath = cdda2wav;
  }
  void TearDown() override {
    CdRipper::State().Cdda2wavPath.clear();
    ConversionFixture::TearDown();
  }

  QString tone_;
};

TEST_F(PressesWhileBusyTest, EachPressThatStartsAToolSaysAnotherIsRunningAndDoesNothingElse) {
  MainWindow* main = main_;
  const struct {
    const char* press;
    std::function<void()> act;
  } presses[] = {
      {"Analizar", [main] { main->analyseAction->trigger(); }},
      {"Reproducir", [main] { main->playAction->trigger(); }},
      {"Convertir (button)", [main] { main->convertButton->click(); }},
      {"Convertir > Iniciar", [main] { main->convertAction->trigger(); }},
      {"Realizar una prueba", [main] { main->testConversionAction->trigger(); }},
      {"Comandos a ejecutar", [main] { main->showCommandsAction->trigger(); }},
      {"Licencia de ffmpeg", [main] { main->ffmpegLicenceAction->trigger(); }},
      {"Ayuda de ffmpeg", [main] { main->ffmpegHelpAction->trigger(); }},
      {"Acerca de cdda2wav", [main] { main->aboutCdda2wavAction->trigger(); }},
      {"Extraer pistas de CD", [main] { main->ripCdAction->trigger(); }},
      {"Agregar pistas de CD", [main] { main->addCdTracksAction->trigger(); }},
      {"Grabar", [main] { main->recordAction->trigger(); }},
      {"Emitir en la red", [main] { main->streamAction->trigger(); }},
      {"Editor de formatos", [main] { main->formatEditorAction->trigger(); }},
      {"Formato >>", [main] { main->EditFormatProfile(); }},
      {"Editor de perfiles de edición", [main] { main->editingProfileEditorAction->trigger(); }},
      {"Ediciones >>", [main] { main->EditEditingProfile(); }},
  };
  for (const auto& press : presses) {
    SCOPED_TRACE(press.press);
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    OtherWindowCloser closer(main);
    // A window opened over the running tool may refuse to close until the
    // tool has ended, which waits for that window: a hang, not a wait.
    const HangGuard hang(press.press);
    ASSERT_TRUE(WhileAnotherToolRuns(press.act));
    ASSERT_EQ(ToolRunner::GetState(), ToolRunner::RunState::Idle);
    EXPECT_EQ(dialogs.Messages(),
              QStringList{"Otra herramienta está en ejecución; espere a que termine"});
    EXPECT_EQ(dialogs.Shown().value(0).style,
              (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Information}));
    EXPECT_EQ(closer.Opened(), QStringList());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(Session::State().FileList, QStringList{tone_});
    EXPECT_EQ(main->SelectedRow(), 0);
    EXPECT_FALSE(QFile::exists(Path("in/tone.mkv")));
    EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  }
}

// The same presses on a free runner start what they start: the check costs
// nothing when no other tool runs.
TEST_F(PressesWhileBusyTest, APressOnAFreeRunnerStillRuns) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  main_->analyseAction->trigger();
  ASSERT_EQ(dialogs.Messages().size(), 1);
  EXPECT_TRUE(dialogs.Messages()[0].contains("Audio codec: pcm_s16le"));

  main_->convertButton->click();
  ASSERT_NE(Progress(), nullptr);
  EXPECT_EQ(Progress()->errorCountBox->text(), "Errores: 0");
  EXPECT_TRUE(QFile::exists(Path("in/tone.mkv")));
}

}  // namespace
